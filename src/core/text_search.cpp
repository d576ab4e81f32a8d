// Searching, replacing and splitting, all walking the text character-wise in place.
#include <algorithm>
#include <cstdint>
#include <string>

#include "core/text_ops.h"
#include "core/text_walk.h"

namespace zorvika {

using text_walk::FindCharWise;
using text_walk::IsCharStart;
using text_walk::IsLeadByte;
using text_walk::kNotFound;

namespace {

// startPos - 1 as an offset, 0 when that is negative or startPos is left out.
std::size_t OffsetOf(std::optional<int> startPos) {
  if (!startPos.has_value() || *startPos <= 1) return 0;
  return static_cast<std::size_t>(*startPos - 1);
}

}  // namespace

int FindText(const Text& text, const Text& needle, std::optional<int> startPos, bool ignoreCase) {
  const std::string_view bytes = text.view();
  const std::size_t from = OffsetOf(startPos);
  if (from >= bytes.size()) return -1;  // nothing left to search
  if (needle.empty()) return 1;
  const std::size_t at = FindCharWise(bytes, from, bytes.size(), needle.view(), ignoreCase);
  return at == kNotFound ? -1 : static_cast<int>(at + 1);
}

int FindTextBack(const Text& text, const Text& needle, std::optional<int> startPos, bool ignoreCase) {
  const std::string_view bytes = text.view();
  // The region is the first b bytes (b = startPos - 1), or the whole text.
  std::size_t regionEnd = bytes.size();
  if (startPos.has_value()) {
    const std::size_t b = OffsetOf(startPos);
    if (b == 0) return -1;
    if (b < regionEnd) regionEnd = b;
  }
  if (regionEnd == 0) return -1;
  if (needle.empty()) return 1;

  std::size_t lastFound = kNotFound;
  std::size_t from = 0;
  while (from <= regionEnd) {
    const std::size_t at = FindCharWise(bytes, from, regionEnd, needle.view(), ignoreCase);
    if (at == kNotFound) break;
    lastFound = at;
    from = at + (IsLeadByte(bytes[at]) ? 2 : 1);  // occurrences may overlap
  }
  return lastFound == kNotFound ? -1 : static_cast<int>(lastFound + 1);
}

Text ReplaceText(const Text& text, const Text& needle, const Text& replacement, std::optional<int> startPos,
                 std::optional<int> count, bool caseSensitive) {
  const std::string_view bytes = text.view();
  const std::size_t needleLength = needle.view().size();
  const std::size_t from = OffsetOf(startPos);
  const bool limited = count.has_value() && *count >= 0;  // below 0: every occurrence
  int remaining = limited ? *count : 0;
  if (bytes.empty() || needleLength == 0 || from >= bytes.size() || (limited && remaining == 0)) return text;

  std::string result;
  result.reserve(bytes.size());
  result.append(bytes.substr(0, from));
  std::size_t pos = from;
  bool countRanOut = false;
  while (true) {
    const std::size_t at = FindCharWise(bytes, pos, bytes.size(), needle.view(), !caseSensitive);
    if (at == kNotFound) break;
    result.append(bytes.substr(pos, at - pos));
    result.append(replacement.view());
    pos = at + needleLength;
    if (limited && --remaining == 0) {
      countRanOut = true;
      break;
    }
  }

  // The walk copies each character it passes and drops a first byte that stands
  // last in the text. Only a one-byte needle lets the walk reach the last byte
  // (longer ones stop while fewer bytes than the needle remain), and a count that
  // ran out stops it before.
  std::size_t restEnd = bytes.size();
  if (!countRanOut && needleLength == 1 && pos < bytes.size() && IsLeadByte(bytes.back())) {
    std::size_t knownStart = pos;
    if (IsCharStart(bytes, knownStart, bytes.size() - 1)) restEnd = bytes.size() - 1;
  }
  result.append(bytes.substr(pos, restEnd - pos));
  return Text(std::move(result));
}

TextArray SplitText(const Text& text, const Text& delimiter, std::optional<int> maxPieces) {
  TextArray pieces;
  const std::string_view bytes = text.view();
  const bool limited = maxPieces.has_value();
  int remaining = limited ? std::max(*maxPieces, 0) : 0;  // below 0 counts as 0
  if (bytes.empty() || (limited && remaining == 0)) return pieces;
  if (delimiter.empty()) {
    ArrayAppend(pieces, text);
    return pieces;
  }

  std::size_t pieceStart = 0;
  while (true) {
    const std::size_t at = FindCharWise(bytes, pieceStart, bytes.size(), delimiter.view(), false);
    if (at == kNotFound) break;
    ArrayAppend(pieces, Text(bytes.substr(pieceStart, at - pieceStart)));
    pieceStart = at + delimiter.view().size();
    if (limited && --remaining == 0) return pieces;  // the rest is dropped
  }
  if (pieceStart < bytes.size()) ArrayAppend(pieces, Text(bytes.substr(pieceStart)));
  return pieces;
}

}  // namespace zorvika
