#include "extract/utf8_to_gbk.h"

#include <string_view>

#include "extract/codepage.h"

namespace zorvika {

Text Utf8ToGbk(const Bytes& bytes) {
  if (bytes.empty()) return Text();
  const std::string_view utf8(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  // Malformed UTF-8 becomes U+FFFD and then "?"; the result stops before a U+0000.
  return Utf16ToGbk(Utf8ToUtf16(utf8));
}

}  // namespace zorvika
