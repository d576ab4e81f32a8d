// Lets GoogleTest show Text and TextArray values readably in failure messages:
// printable ASCII as it is, every other byte as \xNN (GBK bytes stay legible).
#pragma once

#include <cstdio>
#include <ostream>

#include "core/text.h"
#include "core/text_array.h"

namespace zorvika {

inline void PrintTo(const Text& text, std::ostream* out) {
  *out << '"';
  for (const char byte : text.bytes()) {
    const auto value = static_cast<unsigned char>(byte);
    if (value >= 0x20 && value < 0x7F && value != '\\' && value != '"') {
      *out << byte;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", value);
      *out << escaped;
    }
  }
  *out << '"';
}

inline void PrintTo(const TextArray& array, std::ostream* out) {
  *out << '{';
  const char* separator = "";
  for (const Text& item : array) {
    *out << separator;
    PrintTo(item, out);
    separator = ", ";
  }
  *out << '}';
}

}  // namespace zorvika
