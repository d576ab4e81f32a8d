// LocalTimeOfDay on POSIX systems, through localtime_r.
#include <chrono>
#include <ctime>

#include "batch/clock_stamp.h"

namespace zorvika {

TimeOfDay LocalTimeOfDay() {
  std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  return TimeOfDay{local.tm_hour, local.tm_min, local.tm_sec};
}

}  // namespace zorvika
