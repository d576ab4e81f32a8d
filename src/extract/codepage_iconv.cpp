// Code page 936 backend on glibc iconv ("CP936", which maps U+20AC to 0x80).
// Each question converts one character with the descriptor reset first, so an
// unmappable character is simply an empty answer.
#include <iconv.h>

#include <cerrno>

#include "extract/codepage_backend.h"

namespace zorvika {

namespace {

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);

// Converts all of `input` with `descriptor` into `output`; false when iconv
// stops early (an unmappable or invalid sequence, an incomplete one).
bool ConvertWhole(iconv_t descriptor, std::string_view input, std::string& output) {
  iconv(descriptor, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  char buffer[16];
  char* in = const_cast<char*>(input.data());
  size_t inLeft = input.size();
  char* out = buffer;
  size_t outLeft = sizeof buffer;
  if (iconv(descriptor, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) {
    return false;
  }
  // Flush any pending shift state (none for these encodings, but cheap to be sure).
  if (iconv(descriptor, nullptr, nullptr, &out, &outLeft) == static_cast<size_t>(-1)) return false;
  output.assign(buffer, out);
  return true;
}

}  // namespace

struct Cp936Backend::Handles {
  iconv_t toCp936 = kNoDescriptor;    // UTF-16LE -> CP936
  iconv_t fromCp936 = kNoDescriptor;  // CP936 -> UTF-16LE
};

Cp936Backend::Cp936Backend() : handles_(std::make_unique<Handles>()) {
  handles_->toCp936 = iconv_open("CP936", "UTF-16LE");
  handles_->fromCp936 = iconv_open("UTF-16LE", "CP936");
}

Cp936Backend::~Cp936Backend() {
  if (handles_->toCp936 != kNoDescriptor) iconv_close(handles_->toCp936);
  if (handles_->fromCp936 != kNoDescriptor) iconv_close(handles_->fromCp936);
}

bool Cp936Backend::available() const {
  return handles_->toCp936 != kNoDescriptor && handles_->fromCp936 != kNoDescriptor;
}

std::string Cp936Backend::FormOfUnit(char16_t unit) {
  if (!available() || (unit >= 0xD800 && unit <= 0xDFFF)) return std::string();
  const char littleEndian[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  std::string form;
  if (!ConvertWhole(handles_->toCp936, std::string_view(littleEndian, 2), form)) return std::string();
  if (form.empty() || form.size() > 2) return std::string();
  return form;
}

std::optional<char16_t> Cp936Backend::UnitOfForm(std::string_view form) {
  if (!available() || form.empty() || form.size() > 2) return std::nullopt;
  std::string utf16;
  if (!ConvertWhole(handles_->fromCp936, form, utf16) || utf16.size() != 2) return std::nullopt;
  return static_cast<char16_t>(static_cast<unsigned char>(utf16[0]) |
                               (static_cast<unsigned char>(utf16[1]) << 8));
}

}  // namespace zorvika
