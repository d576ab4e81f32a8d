// Character-wise walking over code page 936 bytes, shared by the text operations
// of src/core (not part of the interface other subsystems use). Offsets here
// count from 0; the public operations turn them into 1-based positions.
#pragma once

#include <cstddef>
#include <string_view>

namespace zorvika::text_walk {

constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

// A byte of 0x80 or above starts a two-byte character.
inline bool IsLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

// A-Z become a-z; every other byte stays as it is.
inline char FoldAscii(char byte) { return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte + 0x20) : byte; }

inline bool IsAsciiLetter(char byte) { return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z'); }

// Whether `offset` begins a character when the walk starts at `knownStart`
// (knownStart <= offset, and knownStart itself counts as a character start).
// Afterwards `knownStart` is moved up to a character start at or after offset,
// so a run of checks moving forward costs time linear in the bytes passed.
// Example: in "\xB0\xA1" walked from 0, offset 1 is not a start (it is the
// second byte); walked from 1, it is.
bool IsCharStart(std::string_view bytes, std::size_t& knownStart, std::size_t offset);

// Offset of the first character start p with from <= p and p + needle.size() <=
// regionEnd at which the bytes of `needle` stand (ASCII letters compared without
// regard to case when `ignoreCase`), walking character-wise from `from`, which
// counts as a character start even when it is a second byte. kNotFound when there
// is none. `needle` must not be empty; from <= regionEnd <= bytes.size().
// Example: FindCharWise("\xB0\xA1" "A", 0, 3, "\xA1" "A", false) == kNotFound,
// FindCharWise("abcabc", 2, 6, "bc", false) == 4.
std::size_t FindCharWise(std::string_view bytes, std::size_t from, std::size_t regionEnd, std::string_view needle,
                         bool ignoreCase);

}  // namespace zorvika::text_walk
