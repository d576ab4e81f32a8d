// A table of text results for GoogleTest: each case names what it checks, the
// value an operation gave and the value expected, and ExpectAll checks them all.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "core/text.h"
#include "core/text_printing.h"

namespace zorvika {

struct TextCase {
  const char* what;
  Text actual;
  Text expected;
};

// Example: ExpectAll({{"cut", TextLeft("abc", 2), "ab"}});
inline void ExpectAll(const std::vector<TextCase>& cases) {
  for (const TextCase& c : cases) EXPECT_EQ(c.actual, c.expected) << c.what;
}

}  // namespace zorvika
