#pragma once
// The clock: the local date and time of day, read from the C++ standard
// library. A caller that shows a date and a time together takes both from
// one reading, so that they never straddle midnight.

#include <functional>

namespace dorvix {

struct DateTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  int hour = 0;   // 0 to 23
  int minute = 0;
  int second = 0;  // 0 to 60 (a leap second)
};

// One reading of the local date and time.
DateTime get_time();

// Replaces the clock (tests pin a date and time); an empty function puts
// the real clock back.
void set_clock_source(std::function<DateTime()> source);

}  // namespace dorvix
