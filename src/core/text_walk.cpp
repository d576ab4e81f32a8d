#include "core/text_walk.h"

#include <cstring>

namespace zorvika::text_walk {

namespace {

bool BytesMatch(const char* at, std::string_view needle, bool ignoreCase) {
  if (!ignoreCase) return std::memcmp(at, needle.data(), needle.size()) == 0;
  for (std::size_t i = 0; i < needle.size(); ++i) {
    if (FoldAscii(at[i]) != FoldAscii(needle[i])) return false;
  }
  return true;
}

// First byte in [begin, end) that is the lower-case letter `lower` or its capital.
const char* FindLetterEitherCase(const char* begin, const char* end, char lower) {
  for (; begin != end; ++begin) {
    if ((*begin | 0x20) == lower) return begin;
  }
  return nullptr;
}

}  // namespace

bool IsCharStart(std::string_view bytes, std::size_t& knownStart, std::size_t offset) {
  // The bytes from knownStart on pair up as characters. A byte below 0x80 always
  // ends a character (as a one-byte character or as a second byte), so only the
  // run of lead-range bytes just before `offset` decides: inside it the walk
  // takes two bytes at a time from the run's first byte.
  std::size_t runStart = offset;
  while (runStart > knownStart && IsLeadByte(bytes[runStart - 1])) --runStart;
  const bool isStart = (offset - runStart) % 2 == 0;
  knownStart = isStart ? offset : offset + 1;
  return isStart;
}

std::size_t FindCharWise(std::string_view bytes, std::size_t from, std::size_t regionEnd, std::string_view needle,
                         bool ignoreCase) {
  const std::size_t m = needle.size();
  if (regionEnd < from || regionEnd - from < m) return kNotFound;
  const std::size_t last = regionEnd - m;  // the last offset where the needle still fits

  // Candidates are found by one byte of the needle (the anchor) with a fast byte
  // scan; only then are the other bytes compared and the character start checked.
  // Ignoring case, the anchor is the first byte that is not a letter, so that it
  // compares exactly; a needle of letters only is anchored on its first letter.
  std::size_t anchor = 0;
  if (ignoreCase) {
    while (anchor < m && IsAsciiLetter(needle[anchor])) ++anchor;
  }
  const bool anchorIsLetter = anchor == m;
  if (anchorIsLetter) anchor = 0;
  const char anchorByte = anchorIsLetter ? FoldAscii(needle[0]) : needle[anchor];

  const char* data = bytes.data();
  std::size_t knownStart = from;
  std::size_t candidate = from;
  while (candidate <= last) {
    const char* scanBegin = data + candidate + anchor;
    const std::size_t scanLength = last - candidate + 1;
    const char* hit = anchorIsLetter
                          ? FindLetterEitherCase(scanBegin, scanBegin + scanLength, anchorByte)
                          : static_cast<const char*>(std::memchr(scanBegin, anchorByte, scanLength));
    if (hit == nullptr) return kNotFound;
    const std::size_t at = static_cast<std::size_t>(hit - data) - anchor;
    if (BytesMatch(data + at, needle, ignoreCase) && IsCharStart(bytes, knownStart, at)) return at;
    candidate = at + 1;
  }
  return kNotFound;
}

}  // namespace zorvika::text_walk
