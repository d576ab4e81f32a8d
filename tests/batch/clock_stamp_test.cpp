// The log's time stamp: two digits per field, ":" between them, one space after.
#include <gtest/gtest.h>

#include "batch/batch_job.h"
#include "batch/clock_stamp.h"
#include "core/text_printing.h"

namespace zorvika {
namespace {

struct StampCase {
  TimeOfDay time;
  const char* stamp;
};

void PrintTo(const StampCase& c, std::ostream* out) {
  *out << c.time.hour << "h" << c.time.minute << "m" << c.time.second << "s";
}

class ClockStampAtTest : public ::testing::TestWithParam<StampCase> {};

TEST_P(ClockStampAtTest, WritesTwoDigitsPerField) {
  EXPECT_EQ(ClockStampAt(GetParam().time), Text(GetParam().stamp));
}

INSTANTIATE_TEST_SUITE_P(Times, ClockStampAtTest,
                         ::testing::Values(StampCase{{9, 5, 3}, "09:05:03 "}, StampCase{{23, 59, 59}, "23:59:59 "},
                                           StampCase{{0, 0, 0}, "00:00:00 "}, StampCase{{10, 10, 10}, "10:10:10 "}));

TEST(ClockStampTest, IsTheLocalTimeOfDayNow) {
  const Text before = ClockStampAt(LocalTimeOfDay());
  const Text stamp = ClockStamp();
  const Text after = ClockStampAt(LocalTimeOfDay());
  EXPECT_EQ(stamp.length(), 9);
  EXPECT_TRUE(stamp == before || stamp == after) << stamp.bytes();
}

}  // namespace
}  // namespace zorvika
