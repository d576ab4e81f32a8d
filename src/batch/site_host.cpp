#include "batch/site_host.h"

#include <cstdlib>

#include "core/text_ops.h"

namespace zorvika {

Text SiteHost() {
  const char* fromEnvironment = std::getenv("ZORVIKA_SITE_HOST");
  if (fromEnvironment != nullptr && fromEnvironment[0] != '\0') return Text(fromEnvironment);
  return Text(ZORVIKA_DEFAULT_SITE_HOST);
}

Text ListingAddress(const Text& siteHost, const Text& pageNumber) {
  return Concat({"http://", siteHost, "/video/", pageNumber});
}

}  // namespace zorvika
