// The two pieces of script evaluation that escape decoding needs, written out by
// hand so that no page text ever reaches a script engine: the value of a
// single-quoted ECMAScript string literal, and the global function unescape.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zorvika {

// The value of the string literal '<body>' as a standard ECMAScript engine reads
// it in non-strict code, or nullopt when that literal would not compile.
// Escapes: \n \r \t \b \f \v \' \" \\, \xHH, \uXXXX and the legacy octal escapes
// \0 to \377 (up to three octal digits while the value stays within 0377); any
// other escaped character, "\8", "\9" and "\U" included, stands for itself.
// It does not compile when the body holds a line terminator (LF, CR, U+2028,
// U+2029), an unescaped apostrophe (which would end the literal early), a final
// lone backslash (which would escape the closing quote), \x without two hex
// digits or \u without four.
// EvaluateStringLiteral(u"a\\tb") == u"a\tb"; EvaluateStringLiteral(u"\\101") == u"A";
// EvaluateStringLiteral(u"ab\\") == std::nullopt.
std::optional<std::u16string> EvaluateStringLiteral(std::u16string_view body);

// ECMAScript unescape: each %XX (two hex digits) becomes U+00XX and each %uXXXX
// (four hex digits) becomes U+XXXX; any other "%" stays as it is.
// Unescape(u"%41%u4E2D") == u"A\u4E2D"; Unescape(u"100%") == u"100%"; Unescape(u"%u12") == u"%u12".
std::u16string Unescape(std::u16string_view text);

}  // namespace zorvika
