// The clock and the computer's regional formats.
#pragma once

#include <cstdint>

#include "platform/regional.h"

namespace mirvane {

class Clock {
 public:
  virtual ~Clock() = default;
  // The current local date and time.
  virtual LocalDateTime Now() = 0;
  // Seconds since 1970-01-01 UTC (for spans of time and file times).
  virtual std::int64_t UnixSeconds() = 0;
  // The formats the user chose for dates, times and numbers.
  virtual const RegionalFormat& Regional() = 0;
};

}  // namespace mirvane
