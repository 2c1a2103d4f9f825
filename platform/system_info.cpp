#include "platform/system_info.hpp"

#include <charconv>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>

#if __has_include(<sys/utsname.h>)
#include <sys/utsname.h>
#define DORVIX_HAS_UNAME 1
#endif

namespace dorvix {

namespace {

std::function<SystemInfo()>& info_source() {
  static std::function<SystemInfo()> source;
  return source;
}

std::string_view without_blanks(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r\n");
  return s.substr(first, last - first + 1);
}

// The highest clock rate the kernel's frequency scaling reports, in kHz.
std::optional<long long> cpufreq_rate() {
  std::ifstream in("/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq");
  std::string text;
  if (!std::getline(in, text)) return std::nullopt;
  const auto digits = without_blanks(text);
  long long khz = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), khz);
  constexpr long long hz_per_khz = 1000;
  if (ec != std::errc() || end != digits.data() + digits.size() || khz <= 0 || khz > 1000000000) return std::nullopt;
  return khz * hz_per_khz;
}

// The rate of the first processor in /proc/cpuinfo ("cpu MHz : 2400.000").
std::optional<long long> cpuinfo_rate() {
  std::ifstream in("/proc/cpuinfo");
  std::string line;
  while (std::getline(in, line)) {
    const auto colon = line.find(':');
    if (colon == std::string::npos || without_blanks(std::string_view(line).substr(0, colon)) != "cpu MHz") {
      continue;
    }
    const auto number = without_blanks(std::string_view(line).substr(colon + 1));
    double mhz = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), mhz);
    if (ec != std::errc() || !(mhz > 0.0) || mhz > 1.0e7) return std::nullopt;
    constexpr double hz_per_mhz = 1.0e6;
    return static_cast<long long>(mhz * hz_per_mhz);
  }
  return std::nullopt;
}

SystemInfo platform_info() {
  SystemInfo s;
#ifdef DORVIX_HAS_UNAME
  if (utsname u{}; uname(&u) == 0) {
    s.system = u.sysname;
    s.release = u.release;
    s.processor = u.machine;
  }
#endif
  s.clock_hz = cpufreq_rate();
  if (!s.clock_hz) s.clock_hz = cpuinfo_rate();
  return s;
}

}  // namespace

SystemInfo system_info() {
  const auto& source = info_source();
  return source ? source() : platform_info();
}

void set_system_info_source(std::function<SystemInfo()> source) { info_source() = std::move(source); }

}  // namespace dorvix
