// An independent conversion through iconv for the code page tests to compare
// against: whole texts in one call, no tables of ours involved.
#pragma once

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace zorvika::reference {

// `input` converted from `from` to `to` in one go; nullopt when iconv rejects any of it.
inline std::optional<std::string> IconvConvert(const char* to, const char* from, std::string_view input) {
  iconv_t descriptor = iconv_open(to, from);
  if (descriptor == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string output(input.size() * 4 + 16, '\0');
  char* in = const_cast<char*>(input.data());
  size_t inLeft = input.size();
  char* out = output.data();
  size_t outLeft = output.size();
  const size_t status = iconv(descriptor, &in, &inLeft, &out, &outLeft);
  iconv_close(descriptor);
  if (status == static_cast<size_t>(-1) || inLeft != 0) return std::nullopt;
  output.resize(output.size() - outLeft);
  return output;
}

// UTF-8 form of one code point, for building test input without our own converter.
inline std::string Utf8Of(char32_t codePoint) {
  std::string utf8;
  if (codePoint < 0x80) {
    utf8 += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    utf8 += static_cast<char>(0xC0 | codePoint >> 6);
    utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    utf8 += static_cast<char>(0xE0 | codePoint >> 12);
    utf8 += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
    utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    utf8 += static_cast<char>(0xF0 | codePoint >> 18);
    utf8 += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
    utf8 += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
    utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
  return utf8;
}

}  // namespace zorvika::reference
