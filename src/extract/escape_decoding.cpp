#include "extract/escape_decoding.h"

#include <optional>
#include <string>

#include "core/text_ops.h"
#include "extract/codepage.h"
#include "extract/script_string.h"

namespace zorvika {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kLineBreakPlaceholder = "{$}";  // stands in for CR LF inside the literal
constexpr const char* kBackslashU = "\\u";
constexpr const char* kPercentU = "%u";
constexpr const char* kApostrophe = "'";
constexpr const char* kRightSingleQuote = "\xA1\xAF";  // ’ (U+2019)

// Every occurrence, exact case, walking character by character.
Text ReplaceAll(const Text& text, const Text& needle, const Text& replacement) {
  return ReplaceText(text, needle, replacement, std::nullopt, std::nullopt, /*caseSensitive=*/true);
}

// The working text widened to UTF-16 as an automation call widens it, read as
// the body of a single-quoted script string literal, passed through unescape and
// narrowed to code page 936 again. Empty when the literal would not compile.
Text ScriptResult(const Text& working) {
  const std::optional<std::u16string> literal = EvaluateStringLiteral(GbkToUtf16(working));
  if (!literal) return Text();
  return Utf16ToGbk(Unescape(*literal));
}

}  // namespace

Text DecodeEscapes(const Text& text) {
  Text working = ReplaceAll(text, kCrLf, kLineBreakPlaceholder);
  if (!working.empty() && working.ByteAt(1) == '\r') {
    working = TextRight(working, working.length() - 1);  // a lone CR at the start
  }
  if (FindText(working, kBackslashU, std::nullopt, false) != -1) {
    working = ReplaceAll(working, kBackslashU, kPercentU);
  }
  working = ReplaceAll(working, kApostrophe, kRightSingleQuote);

  const Text scriptResult = ScriptResult(working);
  const Text streamResult = BytesAsUnicodeText(ToBytes(working));
  Text result = scriptResult.empty() ? streamResult : scriptResult;

  result = ReplaceAll(result, kRightSingleQuote, kApostrophe);
  return ReplaceAll(result, kLineBreakPlaceholder, kCrLf);
}

Text BytesAsUnicodeText(const Bytes& bytes) {
  size_t start = 0;
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) start = 2;  // byte-order mark
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t i = start; i + 1 < bytes.size(); i += 2) {  // an odd last byte is dropped
    units += static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
  }
  return Utf16ToGbk(units);
}

}  // namespace zorvika
