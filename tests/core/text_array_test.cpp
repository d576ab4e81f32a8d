// Text arrays: reading by 1-based index, appending, and the fatal stop when an
// index falls outside the array.
#include "core/text_array.h"

#include <gtest/gtest.h>

#include "core/text_ops.h"
#include "core/text_printing.h"

namespace zorvika {
namespace {

TEST(TextArrayTest, ItemsAreReadFromOne) {
  const TextArray pieces = SplitText("a;b", ";");
  ASSERT_EQ(ArraySize(pieces), 2);
  EXPECT_EQ(ArrayItem(pieces, 1), Text("a"));
  EXPECT_EQ(ArrayItem(pieces, 2), Text("b"));
  EXPECT_EQ(ArraySize(TextArray()), 0);
}

TEST(TextArrayTest, AppendKeepsOrderAndCopies) {
  TextArray array;
  ArrayAppend(array, Text());
  ASSERT_EQ(ArraySize(array), 1);
  EXPECT_TRUE(ArrayItem(array, 1).empty());

  Text second("x");
  ArrayAppend(array, second);
  second = Text("changed");
  ArrayAppend(array, "\xB0\xA1");  // 啊
  EXPECT_EQ(array, (TextArray{"", "x", "\xB0\xA1"}));
}

TEST(TextArrayDeathTest, IndexOutsideTheArrayEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const TextArray pieces = SplitText("a;b", ";");
  EXPECT_EXIT(ArrayItem(pieces, 3), testing::ExitedWithCode(255), "run-time error 1 .*ArrayItem: index 3");
  EXPECT_EXIT(ArrayItem(pieces, 0), testing::ExitedWithCode(255), "run-time error 4 .*ArrayItem: index 0");
  EXPECT_EXIT(ArrayItem(pieces, -7), testing::ExitedWithCode(255), "run-time error 4 ");
  EXPECT_EXIT(ArrayItem(TextArray(), 1), testing::ExitedWithCode(255), "run-time error 1 ");
}

}  // namespace
}  // namespace zorvika
