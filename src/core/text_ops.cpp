// Lengths, joins, comparison, byte-wise cuts and small text builders.
#include "core/text_ops.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace zorvika {

int TextLength(const Text& text) { return text.length(); }

Text Concat(std::initializer_list<Text> parts) {
  std::size_t total = 0;
  for (const Text& part : parts) total += part.bytes().size();
  std::string joined;
  joined.reserve(total);
  for (const Text& part : parts) joined += part.bytes();
  return Text(std::move(joined));
}

int CompareText(const Text& a, const Text& b) {
  const std::size_t common = std::min(a.bytes().size(), b.bytes().size());
  // memcmp compares the bytes as unsigned values.
  const int byBytes = common == 0 ? 0 : std::memcmp(a.c_str(), b.c_str(), common);
  if (byBytes != 0) return byBytes < 0 ? -1 : 1;
  if (a.bytes().size() == b.bytes().size()) return 0;
  return a.bytes().size() < b.bytes().size() ? -1 : 1;
}

Text TextLeft(const Text& text, int n) {
  if (n <= 0) return Text();
  return Text(text.view().substr(0, static_cast<std::size_t>(n)));
}

Text TextRight(const Text& text, int n) {
  if (n <= 0) return Text();
  const std::size_t length = text.view().size();
  const std::size_t take = std::min(length, static_cast<std::size_t>(n));
  return Text(text.view().substr(length - take));
}

Text TextMid(const Text& text, int startPos, int n) {
  const std::int64_t length = text.length();
  if (startPos < 1 || startPos > length || n <= 0) return Text();
  const std::int64_t take = std::min<std::int64_t>(n, length - startPos + 1);
  return Text(text.view().substr(static_cast<std::size_t>(startPos - 1), static_cast<std::size_t>(take)));
}

Text CharFromCode(unsigned char code) {
  if (code == 0) return Text();
  return Text(std::string(1, static_cast<char>(code)));
}

Text BlankText(int n) {
  if (n <= 0) return Text();
  return Text(std::string(static_cast<std::size_t>(n), ' '));
}

Text ToText(const Text& text) { return text; }

Text ToText(const Bytes& bytes) { return BytesToText(bytes); }

std::int32_t BitOr(std::initializer_list<std::int32_t> values) {
  std::uint32_t bits = 0;
  for (std::int32_t value : values) bits |= static_cast<std::uint32_t>(value);
  return static_cast<std::int32_t>(bits);
}

}  // namespace zorvika
