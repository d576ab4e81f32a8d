// The time stamp that begins every log line, and the local time of day it is
// read from (the time source is a platform seam: local_time_posix.cpp).
#pragma once

#include "core/text.h"

namespace zorvika {

struct TimeOfDay {
  int hour = 0;  // 0 to 23
  int minute = 0;
  int second = 0;
};

// One reading of the local clock.
TimeOfDay LocalTimeOfDay();

// Two digits each, joined by ":", then one space.
// ClockStampAt({9, 5, 3}) == "09:05:03 "; ClockStampAt({0, 0, 0}) == "00:00:00 ".
Text ClockStampAt(const TimeOfDay& time);

}  // namespace zorvika
