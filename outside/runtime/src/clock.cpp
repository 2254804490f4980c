// Clock values to and from hours, minutes, seconds and hundredths.
#include "runtime/clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace runtime {

ClockValue make_clock(int hour, int minute, int second, int hundredths) {
  const long long total = ((static_cast<long long>(hour) * 60 + minute) * 60 + second) * 100LL + hundredths;
  const long long wrapped = ((total % kClockPerDay) + kClockPerDay) % kClockPerDay;
  return static_cast<ClockValue>(wrapped);
}

ClockParts split_clock(ClockValue clock) {
  const ClockValue c = ((clock % kClockPerDay) + kClockPerDay) % kClockPerDay;
  return ClockParts{c / 360000, (c / 6000) % 60, (c / 100) % 60, c % 100};
}

ClockValue clock_now() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const auto centis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000 / 10;
  return make_clock(local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(centis));
}

std::string clock_text(ClockValue clock) {
  const ClockParts p = split_clock(clock);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", p.hour, p.minute, p.second);
  return buf;
}

}  // namespace runtime
