#include "batch/clock_stamp.h"

#include <string>

#include "batch/batch_job.h"

namespace zorvika {
namespace {

// A field below 10 gets a leading "0".
std::string TwoDigits(int value) {
  std::string digits = std::to_string(value);
  return value < 10 ? "0" + digits : digits;
}

}  // namespace

Text ClockStampAt(const TimeOfDay& time) {
  return Text(TwoDigits(time.hour) + ":" + TwoDigits(time.minute) + ":" + TwoDigits(time.second) + " ");
}

Text ClockStamp() { return ClockStampAt(LocalTimeOfDay()); }

}  // namespace zorvika
