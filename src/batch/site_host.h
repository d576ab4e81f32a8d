// Where the listing site is and where the program lives.
#pragma once

#include <filesystem>

#include "core/text.h"

namespace zorvika {

// The environment variable ZORVIKA_SITE_HOST when set and not empty, otherwise
// the host the program was built for (CMake cache variable ZORVIKA_SITE_HOST).
Text SiteHost();

// "http://" + host + "/video/" + page number. ListingAddress("h", "7") == "http://h/video/7".
Text ListingAddress(const Text& siteHost, const Text& pageNumber);

// The directory of the running executable.
std::filesystem::path ProgramDirectory();

}  // namespace zorvika
