#include "extract/script_string.h"

namespace zorvika {

namespace {

// The value of a hex digit, or -1.
int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// The value of `count` hex digits at `pos` of `text`, or -1 when they are not all there.
int HexNumber(std::u16string_view text, size_t pos, size_t count) {
  if (pos + count > text.size()) return -1;
  int value = 0;
  for (size_t k = 0; k < count; ++k) {
    const int digit = HexValue(text[pos + k]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

bool IsLineTerminator(char16_t c) { return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029; }

bool IsOctalDigit(char16_t c) { return c >= u'0' && c <= u'7'; }

}  // namespace

std::optional<std::u16string> EvaluateStringLiteral(std::u16string_view body) {
  std::u16string value;
  value.reserve(body.size());
  size_t i = 0;
  while (i < body.size()) {
    const char16_t c = body[i];
    if (IsLineTerminator(c) || c == u'\'') return std::nullopt;
    if (c != u'\\') {
      value += c;
      ++i;
      continue;
    }
    if (i + 1 == body.size()) return std::nullopt;  // The backslash escapes the closing quote.
    const char16_t escaped = body[i + 1];
    i += 2;
    switch (escaped) {
      case u'n': value += u'\n'; break;
      case u'r': value += u'\r'; break;
      case u't': value += u'\t'; break;
      case u'b': value += u'\b'; break;
      case u'f': value += u'\f'; break;
      case u'v': value += u'\v'; break;
      case u'x': {
        const int code = HexNumber(body, i, 2);
        if (code < 0) return std::nullopt;
        value += static_cast<char16_t>(code);
        i += 2;
        break;
      }
      case u'u': {
        const int code = HexNumber(body, i, 4);
        if (code < 0) return std::nullopt;
        value += static_cast<char16_t>(code);
        i += 4;
        break;
      }
      default:
        if (IsLineTerminator(escaped)) return std::nullopt;
        if (IsOctalDigit(escaped)) {
          // \0 to \377: a first digit 0 to 3 takes up to two more octal digits,
          // 4 to 7 up to one more.
          int code = escaped - u'0';
          const int maxDigits = escaped <= u'3' ? 3 : 2;
          for (int digits = 1; digits < maxDigits && i < body.size() && IsOctalDigit(body[i]); ++digits) {
            code = code * 8 + (body[i] - u'0');
            ++i;
          }
          value += static_cast<char16_t>(code);
        } else {
          value += escaped;  // \' \" \\ and every other character stand for themselves.
        }
        break;
    }
  }
  return value;
}

std::u16string Unescape(std::u16string_view text) {
  std::u16string result;
  result.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == u'%') {
      if (i + 1 < text.size() && text[i + 1] == u'u') {
        const int code = HexNumber(text, i + 2, 4);
        if (code >= 0) {
          result += static_cast<char16_t>(code);
          i += 6;
          continue;
        }
      }
      const int code = HexNumber(text, i + 1, 2);
      if (code >= 0) {
        result += static_cast<char16_t>(code);
        i += 3;
        continue;
      }
    }
    result += text[i];
    ++i;
  }
  return result;
}

}  // namespace zorvika
