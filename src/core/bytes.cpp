#include "core/bytes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace zorvika {

Bytes ToBytes(const Text& text) { return Bytes(text.bytes().begin(), text.bytes().end()); }

Text BytesToText(const Bytes& bytes) {
  // Text keeps the bytes before the first zero byte.
  return Text(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

int BytesLength(const Bytes& bytes) { return static_cast<int>(bytes.size()); }

Bytes BytesLeft(const Bytes& bytes, int n) {
  if (n <= 0) return Bytes();
  const std::size_t take = std::min(bytes.size(), static_cast<std::size_t>(n));
  return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(take));
}

Bytes BytesMid(const Bytes& bytes, int startPos, int n) {
  const std::int64_t length = static_cast<std::int64_t>(bytes.size());
  const std::int64_t skip = std::clamp<std::int64_t>(std::int64_t{startPos} - 1, 0, length);
  std::int64_t take = n < 0 ? 0 : n;
  if (skip + take > length) take = length - skip;
  return Bytes(bytes.begin() + skip, bytes.begin() + skip + take);
}

Bytes ReplaceBytes(const Bytes& bytes, const Bytes& needle, const Bytes& replacement, std::optional<int> startPos,
                   std::optional<int> count) {
  const std::size_t length = bytes.size();
  const std::size_t needleLength = needle.size();
  const std::size_t from = (startPos.has_value() && *startPos > 1) ? static_cast<std::size_t>(*startPos - 1) : 0;
  const bool limited = count.has_value();
  int remaining = limited ? std::max(*count, 0) : 0;  // below 0: no occurrence at all
  if (length == 0 || needleLength == 0 || from >= length || (limited && remaining == 0)) return bytes;

  Bytes result(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(from));
  result.reserve(length);
  const unsigned char* data = bytes.data();
  std::size_t pos = from;
  while (pos < length) {
    const void* hit = std::memchr(data + pos, needle[0], length - pos);
    if (hit == nullptr) break;
    const std::size_t at = static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - data);
    result.insert(result.end(), data + pos, data + at);
    pos = at;
    if (length - at < needleLength) break;
    if (std::memcmp(data + at, needle.data(), needleLength) == 0) {
      result.insert(result.end(), replacement.begin(), replacement.end());
      pos = at + needleLength;
      if (limited && --remaining == 0) break;
    } else {
      result.push_back(data[at]);
      pos = at + 1;
    }
  }
  result.insert(result.end(), data + pos, data + length);
  return result;
}

Bytes BlankBytes(int n) {
  if (n <= 0) return Bytes();
  return Bytes(static_cast<std::size_t>(n), 0);
}

Bytes ConcatBytes(std::initializer_list<Bytes> parts) {
  std::size_t total = 0;
  for (const Bytes& part : parts) total += part.size();
  Bytes joined;
  joined.reserve(total);
  for (const Bytes& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

bool CompareBytes(const Bytes& a, const Bytes& b) { return a == b; }

}  // namespace zorvika
