// Decodes listing titles written with %uXXXX, \uXXXX and %XX escapes into
// code page 936 text, without any script engine.
#pragma once

#include "core/bytes.h"
#include "core/text.h"

namespace zorvika {

// DecodeEscapes("%u4E2D%u6587") == "\xD6\xD0\xCE\xC4"; DecodeEscapes("it's") == "it's".
Text DecodeEscapes(const Text& text);

// The bytes read as UTF-16 little-endian units, converted to code page 936.
// BytesAsUnicodeText({'a', 'b'}) == "\x92\x4C".
Text BytesAsUnicodeText(const Bytes& bytes);

}  // namespace zorvika
