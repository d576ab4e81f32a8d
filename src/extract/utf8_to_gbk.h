// Turns a UTF-8 response body into code page 936 text.
#pragma once

#include "core/bytes.h"
#include "core/text.h"

namespace zorvika {

// Malformed UTF-8 and characters code page 936 cannot show become "?"; the
// result ends before a U+0000. Utf8ToGbk of E4 B8 8B E8 BD BD gives CF C2 D4 D8.
Text Utf8ToGbk(const Bytes& bytes);

}  // namespace zorvika
