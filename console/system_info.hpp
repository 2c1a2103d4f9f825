#pragma once
// System information: answers to queries about the machine, each named by
// a four-letter selector:
//   "sysv"  the operating-system version (a hexadecimal code),
//   "cput"  the processor type code,
//   "pclk"  the processor clock rate in Hz.
// A query returns 0 and sets its answer, or returns a non-zero code when the
// machine cannot answer it. On Linux the system version and the processor
// type code have no answer; the clock rate is the processor's maximum
// frequency (cpufreq), else the rate /proc/cpuinfo reports, else no answer.

#include <functional>
#include <string_view>

namespace dorvix {

inline constexpr int query_answered = 0;
inline constexpr int query_failed = -5551;  // unknown or unanswerable selector

int system_query(std::string_view selector, long long& response);

// Replaces the source of the answers (tests); an empty function puts the
// machine's own answers back.
void set_system_info_source(std::function<int(std::string_view, long long&)> source);

}  // namespace dorvix
