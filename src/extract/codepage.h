// Conversions between UTF-8, UTF-16 and code page 936 (GBK). Everything the
// system converts goes through here; the code page tables come from a platform
// backend (glibc iconv on Linux) behind codepage_backend.h.
#pragma once

#include <string>
#include <string_view>

#include "core/text.h"

namespace zorvika {

// UTF-8 to UTF-16; each maximal ill-formed subsequence becomes one U+FFFD.
// Utf8ToUtf16("\xE4\xB8\x8B") == u"\u4E0B".
std::u16string Utf8ToUtf16(std::string_view utf8);

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

// UTF-16 to code page 936; what the code page cannot show (a lone surrogate and
// every character outside the BMP included) becomes "?". U+20AC becomes 0x80.
// Stops before a U+0000.
Text Utf16ToGbk(std::u16string_view utf16);

// Code page 936 to UTF-16; a stray first byte, an undefined pair (a lead byte
// 0x81 to 0xFE and whatever byte follows it) or the byte 0xFF becomes one "?".
// 0x80 is U+20AC. GbkToUtf16("\xD6\xD0\x81\xFF") == u"\u4E2D?".
std::u16string GbkToUtf16(const Text& text);

// Shorthands through UTF-16: GbkToUtf8(Text("\xCF\xC2")) == "\xE4\xB8\x8B".
std::string GbkToUtf8(const Text& text);
Text Utf8ToGbkText(std::string_view utf8);

}  // namespace zorvika
