#include "extract/codepage.h"

#include <array>
#include <cstdint>
#include <memory>

#include "extract/codepage_backend.h"

namespace zorvika {

namespace {

constexpr char16_t kReplacementCharacter = 0xFFFD;
constexpr char kQuestionMark = '?';

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// A lead byte of code page 936 starts a two-byte character.
bool IsCp936LeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// Both directions of code page 936 as flat tables, built once from the backend.
//
// formOfUnit[u] is the code page form of the BMP unit u: a value below 0x100 is a
// one-byte form (0x80 for U+20AC), a value from 0x8100 on is a two-byte form
// (lead << 8 | trail), and 0 means the code page has no form (U+0000 itself is
// never looked up).
//
// unitOfForm[b] is the unit of the one-byte form b, unitOfForm[lead << 8 | trail]
// the unit of a two-byte form; 0 means undefined. The two ranges do not overlap
// because every lead byte is 0x81 or above.
struct Cp936Tables {
  std::array<std::uint16_t, 0x10000> formOfUnit{};
  std::array<char16_t, 0x10000> unitOfForm{};
};

std::unique_ptr<Cp936Tables> BuildCp936Tables() {
  auto owned = std::make_unique<Cp936Tables>();
  Cp936Tables& tables = *owned;
  // ASCII is the same in code page 936; it also keeps the tables useful should
  // the platform converter be missing.
  for (unsigned byte = 1; byte < 0x80; ++byte) {
    tables.formOfUnit[byte] = static_cast<std::uint16_t>(byte);
    tables.unitOfForm[byte] = static_cast<char16_t>(byte);
  }
  Cp936Backend backend;
  if (!backend.available()) return owned;

  for (unsigned unit = 0x80; unit < 0x10000; ++unit) {
    if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) continue;
    const std::string form = backend.FormOfUnit(static_cast<char16_t>(unit));
    const auto first = form.empty() ? 0u : static_cast<unsigned char>(form[0]);
    if (form.size() == 1 && first != 0) {
      tables.formOfUnit[unit] = static_cast<std::uint16_t>(first);
    } else if (form.size() == 2 && IsCp936LeadByte(first)) {
      tables.formOfUnit[unit] =
          static_cast<std::uint16_t>(first << 8 | static_cast<unsigned char>(form[1]));
    }
  }

  for (unsigned byte = 0x80; byte < 0x100; ++byte) {
    if (IsCp936LeadByte(static_cast<unsigned char>(byte))) continue;
    const char single[1] = {static_cast<char>(byte)};
    if (auto unit = backend.UnitOfForm(std::string_view(single, 1))) tables.unitOfForm[byte] = *unit;
  }
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x01; trail < 0x100; ++trail) {
      const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      if (auto unit = backend.UnitOfForm(std::string_view(pair, 2))) {
        tables.unitOfForm[lead << 8 | trail] = *unit;
      }
    }
  }
  return owned;
}

// Built on first use (thread-safe) and never destroyed, so that a worker thread
// still converting while the program exits cannot meet freed tables.
const Cp936Tables& Tables() {
  static const Cp936Tables* const tables = BuildCp936Tables().release();
  return *tables;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
  const size_t size = utf8.size();
  // Every byte yields at most one unit (a four-byte sequence yields two).
  std::u16string utf16(size, u'\0');
  char16_t* out = utf16.data();
  size_t i = 0;
  while (i < size) {
    const unsigned char lead = bytes[i];
    if (lead < 0x80) {
      *out++ = lead;
      ++i;
      continue;
    }
    // Number of continuation bytes and the allowed range of the first one
    // (narrowed after E0, ED, F0 and F4 to rule out overlong forms, encoded
    // surrogates and values above U+10FFFF).
    int continuations;
    char32_t codePoint;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      continuations = 1;
      codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      continuations = 2;
      codePoint = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      continuations = 3;
      codePoint = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      // A lone continuation byte, C0, C1 or F5 to FF: one byte, one U+FFFD.
      *out++ = kReplacementCharacter;
      ++i;
      continue;
    }
    ++i;
    bool complete = true;
    for (int k = 0; k < continuations; ++k) {
      if (i == size || bytes[i] < low || bytes[i] > high) {
        complete = false;  // The bytes so far are one maximal ill-formed subsequence.
        break;
      }
      codePoint = codePoint << 6 | (bytes[i] & 0x3F);
      low = 0x80;
      high = 0xBF;
      ++i;
    }
    if (!complete) {
      *out++ = kReplacementCharacter;  // Decoding resumes at the byte that broke it.
    } else if (codePoint < 0x10000) {
      *out++ = static_cast<char16_t>(codePoint);
    } else {
      codePoint -= 0x10000;
      *out++ = static_cast<char16_t>(0xD800 + (codePoint >> 10));
      *out++ = static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    }
  }
  utf16.resize(static_cast<size_t>(out - utf16.data()));
  return utf16;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string utf8;
  utf8.reserve(utf16.size() * 3);
  for (size_t i = 0; i < utf16.size(); ++i) {
    char32_t codePoint = utf16[i];
    if (IsHighSurrogate(codePoint) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
      codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(codePoint) || IsLowSurrogate(codePoint)) {
      codePoint = kReplacementCharacter;
    }
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
  }
  return utf8;
}

Text Utf16ToGbk(std::u16string_view utf16) {
  const Cp936Tables& tables = Tables();
  // Every unit yields at most two bytes.
  std::string gbk(utf16.size() * 2, '\0');
  char* out = gbk.data();
  for (size_t i = 0; i < utf16.size(); ++i) {
    const char16_t unit = utf16[i];
    if (unit < 0x80) {
      if (unit == 0) break;
      *out++ = static_cast<char>(unit);
      continue;
    }
    if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      // A character outside the BMP (a whole surrogate pair) or a lone surrogate.
      if (IsHighSurrogate(unit) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) ++i;
      *out++ = kQuestionMark;
      continue;
    }
    const std::uint16_t form = tables.formOfUnit[unit];
    if (form == 0) {
      *out++ = kQuestionMark;
    } else if (form < 0x100) {
      *out++ = static_cast<char>(form);
    } else {
      *out++ = static_cast<char>(form >> 8);
      *out++ = static_cast<char>(form & 0xFF);
    }
  }
  return Text(std::string_view(gbk.data(), static_cast<size_t>(out - gbk.data())));
}

std::u16string GbkToUtf16(const Text& text) {
  const Cp936Tables& tables = Tables();
  const std::string_view bytes = text.view();
  std::u16string utf16;
  utf16.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (!IsCp936LeadByte(byte)) {
      const char16_t unit = tables.unitOfForm[byte];
      utf16 += unit != 0 ? unit : static_cast<char16_t>(kQuestionMark);
      continue;
    }
    if (i + 1 == bytes.size()) {
      utf16 += static_cast<char16_t>(kQuestionMark);  // A stray first byte at the end.
      break;
    }
    // The byte after a lead byte belongs to its character whatever its value,
    // so an undefined pair is one "?".
    const auto trail = static_cast<unsigned char>(bytes[++i]);
    const char16_t unit = tables.unitOfForm[byte << 8 | trail];
    utf16 += unit != 0 ? unit : static_cast<char16_t>(kQuestionMark);
  }
  return utf16;
}

std::string GbkToUtf8(const Text& text) { return Utf16ToUtf8(GbkToUtf16(text)); }

Text Utf8ToGbkText(std::string_view utf8) { return Utf16ToGbk(Utf8ToUtf16(utf8)); }

}  // namespace zorvika
