// Numbers in text and back: full-width folding, parsing, decimal digits and the
// truncation that brings a number back to a 32-bit integer.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "core/text_ops.h"
#include "core/text_walk.h"

namespace zorvika {

using text_walk::IsLeadByte;

namespace {

bool IsDigit(char byte) { return byte >= '0' && byte <= '9'; }

// Leading white space for number parsing: 0x09 to 0x0D and 0x20.
std::size_t SkipWhiteSpace(std::string_view bytes, std::size_t pos) {
  while (pos < bytes.size() && (bytes[pos] == ' ' || (bytes[pos] >= '\t' && bytes[pos] <= '\r'))) ++pos;
  return pos;
}

// Skips the white space and an optional sign that lead a number; returns where
// its digits begin and tells whether the sign was "-".
std::size_t SkipWhiteSpaceAndSign(std::string_view bytes, bool& negative) {
  std::size_t pos = SkipWhiteSpace(bytes, 0);
  negative = false;
  if (pos < bytes.size() && (bytes[pos] == '+' || bytes[pos] == '-')) {
    negative = bytes[pos] == '-';
    ++pos;
  }
  return pos;
}

// The one byte a full-width character folds to, or 0 when it has none.
char FoldedFullWidth(unsigned char first, unsigned char second) {
  if (first == 0xA3 && second >= 0xA1 && second <= 0xFE) return static_cast<char>(second - 0x80);
  if (first == 0xA1 && second == 0xA1) return ' ';
  if (first == 0xA1 && second == 0xAB) return '~';
  if (first == 0xA1 && (second == 0xEE || second == 0xEF)) return '*';
  return 0;
}

}  // namespace

Text FullWidthFold(const Text& text) {
  const std::string_view bytes = text.view();
  std::string result;
  result.reserve(bytes.size());
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    if (!IsLeadByte(bytes[pos])) {
      result.push_back(bytes[pos]);
      pos += 1;
      continue;
    }
    if (pos + 1 == bytes.size()) break;  // a stray first byte is dropped
    const char folded =
        FoldedFullWidth(static_cast<unsigned char>(bytes[pos]), static_cast<unsigned char>(bytes[pos + 1]));
    if (folded != 0) {
      result.push_back(folded);
    } else {
      result.append(bytes.substr(pos, 2));
    }
    pos += 2;
  }
  return Text(std::move(result));
}

double ToNumber(const Text& text) {
  const Text folded = FullWidthFold(text);
  const std::string_view bytes = folded.view();
  bool negative = false;
  std::size_t pos = SkipWhiteSpaceAndSign(bytes, negative);
  // The accepted number without its sign, in the form std::from_chars reads.
  std::string number;
  std::size_t integerDigits = 0;
  while (pos < bytes.size() && IsDigit(bytes[pos])) {
    number.push_back(bytes[pos++]);
    ++integerDigits;
  }
  std::size_t fractionDigits = 0;
  if (pos < bytes.size() && bytes[pos] == '.') {
    number.push_back('.');
    ++pos;
    while (pos < bytes.size() && IsDigit(bytes[pos])) {
      number.push_back(bytes[pos++]);
      ++fractionDigits;
    }
  }
  if (integerDigits + fractionDigits == 0) return 0.0;

  // An exponent counts only when digits follow the E and its sign.
  long exponent = 0;
  if (pos < bytes.size() && (bytes[pos] == 'e' || bytes[pos] == 'E')) {
    std::size_t digitsAt = pos + 1;
    bool negativeExponent = false;
    if (digitsAt < bytes.size() && (bytes[digitsAt] == '+' || bytes[digitsAt] == '-')) {
      negativeExponent = bytes[digitsAt] == '-';
      ++digitsAt;
    }
    if (digitsAt < bytes.size() && IsDigit(bytes[digitsAt])) {
      number.push_back('e');
      if (negativeExponent) number.push_back('-');
      for (pos = digitsAt; pos < bytes.size() && IsDigit(bytes[pos]); ++pos) {
        number.push_back(bytes[pos]);
        if (exponent < 1000000) exponent = exponent * 10 + (bytes[pos] - '0');
      }
      if (negativeExponent) exponent = -exponent;
    }
  }

  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    // Too large or too small for a double: decide by the decimal magnitude.
    const std::size_t firstNonZero = number.find_first_of("123456789");
    long magnitude = exponent;
    if (firstNonZero < integerDigits) {
      magnitude += static_cast<long>(integerDigits - firstNonZero);
    } else if (firstNonZero != std::string::npos) {
      magnitude -= static_cast<long>(firstNonZero - integerDigits - 1);  // zeros after the point
    }
    value = magnitude > 0 ? HUGE_VAL : 0.0;
  }
  return negative ? -value : value;
}

std::int32_t ToInteger(const Text& text) {
  const Text folded = FullWidthFold(text);
  const std::string_view bytes = folded.view();
  bool negative = false;
  std::size_t pos = SkipWhiteSpaceAndSign(bytes, negative);
  std::uint32_t value = 0;  // unsigned arithmetic wraps modulo 2^32
  for (; pos < bytes.size() && IsDigit(bytes[pos]); ++pos) {
    value = value * 10u + static_cast<std::uint32_t>(bytes[pos] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

Text ToText(std::int32_t value) {
  char digits[16];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  (void)error;
  return Text(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

std::int32_t TruncateToInteger(double number) {
  constexpr double kTwoTo63 = 9223372036854775808.0;
  if (std::isnan(number) || number >= kTwoTo63 || number < -kTwoTo63) return 0;
  const std::int64_t truncated = static_cast<std::int64_t>(number);  // toward zero
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(truncated));
}

}  // namespace zorvika
