#include "extract/utf8_to_gbk.h"

#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "extract/codepage.h"

namespace zorvika {

namespace {

// The body is converted a slice at a time so that the UTF-16 form of a whole
// page never has to be held (fresh memory is what a large page costs most).
constexpr size_t kSliceBytes = 16 * 1024;

bool IsContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Where the slice that starts at `start` ends: about kSliceBytes on, moved
// forward to a byte that is not a continuation byte. The UTF-8 decoder starts
// afresh at such a byte whatever came before it, so slicing there changes
// nothing in the result.
size_t SliceEnd(std::string_view utf8, size_t start) {
  size_t end = start + kSliceBytes;
  if (end >= utf8.size()) return utf8.size();
  while (end < utf8.size() && IsContinuationByte(utf8[end])) ++end;
  return end;
}

}  // namespace

Text Utf8ToGbk(const Bytes& bytes) {
  if (bytes.empty()) return Text();
  std::string_view utf8(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  // A zero byte is always U+0000 in UTF-8, and the text ends before it.
  if (const void* zero = std::memchr(utf8.data(), 0, utf8.size())) {
    utf8 = utf8.substr(0, static_cast<size_t>(static_cast<const char*>(zero) - utf8.data()));
  }
  std::string gbk;
  gbk.reserve(utf8.size());  // Code page 936 never needs more bytes than UTF-8.
  for (size_t start = 0; start < utf8.size();) {
    const size_t end = SliceEnd(utf8, start);
    // Malformed UTF-8 becomes U+FFFD and then "?", like every unmappable character.
    gbk += Utf16ToGbk(Utf8ToUtf16(utf8.substr(start, end - start))).view();
    start = end;
  }
  return Text(std::move(gbk));
}

}  // namespace zorvika
