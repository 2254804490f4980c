// Clock values: the time of day in hundredths of a second since midnight.
#pragma once

#include <cstdint>
#include <string>

namespace runtime {

using ClockValue = std::int32_t;

inline constexpr ClockValue kClockPerDay = 24 * 60 * 60 * 100;

struct ClockParts {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int hundredths = 0;
};

// Out-of-range parts wrap into the day (a clock is always within 0 .. kClockPerDay-1).
ClockValue make_clock(int hour, int minute, int second, int hundredths = 0);
ClockParts split_clock(ClockValue clock);

// The local time of day now.
ClockValue clock_now();

// "HH:MM:SS"
std::string clock_text(ClockValue clock);

}  // namespace runtime
