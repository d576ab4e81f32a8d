// Spaces (0x20 and the full-width 0xA1 0xA1) and ASCII letter case.
#include <string>

#include "core/text_ops.h"
#include "core/text_walk.h"

namespace zorvika {

using text_walk::IsLeadByte;

namespace {

constexpr char kFullWidthSpaceByte = '\xA1';  // 0xA1 0xA1 is the full-width space

// Length of the space character at `pos` (1 or 2), or 0 when none starts there.
std::size_t SpaceLengthAt(std::string_view bytes, std::size_t pos) {
  if (bytes[pos] == ' ') return 1;
  if (bytes[pos] == kFullWidthSpaceByte && pos + 1 < bytes.size() && bytes[pos + 1] == kFullWidthSpaceByte) return 2;
  return 0;
}

char UpperAscii(char byte) { return (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 0x20) : byte; }

// Copies `text` character-wise with each one-byte character passed through `change`.
Text ChangeSingleBytes(const Text& text, char (*change)(char)) {
  std::string result(text.bytes());
  for (std::size_t pos = 0; pos < result.size(); ++pos) {
    if (IsLeadByte(result[pos])) {
      ++pos;  // skip the second byte (a stray first byte at the end stays too)
    } else {
      result[pos] = change(result[pos]);
    }
  }
  return Text(std::move(result));
}

}  // namespace

Text TrimBoth(const Text& text) {
  const std::string_view bytes = text.view();
  std::size_t begin = 0;
  while (begin < bytes.size()) {
    const std::size_t space = SpaceLengthAt(bytes, begin);
    if (space == 0) break;
    begin += space;
  }

  std::size_t end = bytes.size();
  std::size_t runStart = std::string_view::npos;  // where the latest run of spaces began
  std::size_t pos = begin;
  while (pos < bytes.size()) {
    if (IsLeadByte(bytes[pos]) && pos + 1 == bytes.size()) {
      // A stray first byte: cut just before it, spaces before it stay.
      return Text(bytes.substr(begin, pos - begin));
    }
    const std::size_t space = SpaceLengthAt(bytes, pos);
    if (space != 0) {
      if (runStart == std::string_view::npos) runStart = pos;
      pos += space;
    } else {
      runStart = std::string_view::npos;
      pos += IsLeadByte(bytes[pos]) ? 2 : 1;
    }
  }
  if (runStart != std::string_view::npos) end = runStart;
  return Text(bytes.substr(begin, end - begin));
}

Text RemoveSpaces(const Text& text) {
  const std::string_view bytes = text.view();
  std::string result;
  result.reserve(bytes.size());
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t space = SpaceLengthAt(bytes, pos);
    if (space != 0) {
      pos += space;
    } else if (IsLeadByte(bytes[pos])) {
      if (pos + 1 == bytes.size()) break;  // a stray first byte is dropped
      result.append(bytes.substr(pos, 2));
      pos += 2;
    } else {
      result.push_back(bytes[pos]);
      pos += 1;
    }
  }
  return Text(std::move(result));
}

Text ToUpper(const Text& text) { return ChangeSingleBytes(text, UpperAscii); }

Text ToLower(const Text& text) { return ChangeSingleBytes(text, text_walk::FoldAscii); }

}  // namespace zorvika
