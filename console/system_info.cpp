#include "console/system_info.hpp"

#include <charconv>
#include <fstream>
#include <string>
#include <utility>

namespace dorvix {

namespace {

std::function<int(std::string_view, long long&)>& info_source() {
  static std::function<int(std::string_view, long long&)> source;
  return source;
}

std::string_view without_blanks(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r\n");
  return s.substr(first, last - first + 1);
}

// The highest clock rate the kernel's frequency scaling reports, in kHz.
bool cpufreq_rate(long long& hz) {
  std::ifstream in("/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq");
  std::string text;
  if (!std::getline(in, text)) return false;
  const auto digits = without_blanks(text);
  long long khz = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), khz);
  if (ec != std::errc() || end != digits.data() + digits.size() || khz <= 0) return false;
  constexpr long long hz_per_khz = 1000;
  hz = khz * hz_per_khz;
  return true;
}

// The rate of the first processor in /proc/cpuinfo ("cpu MHz : 2400.000").
bool cpuinfo_rate(long long& hz) {
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
    if (ec != std::errc() || !(mhz > 0.0) || mhz > 1.0e7) return false;
    constexpr double hz_per_mhz = 1.0e6;
    hz = static_cast<long long>(mhz * hz_per_mhz);
    return true;
  }
  return false;
}

int machine_query(std::string_view selector, long long& response) {
  if (selector == "pclk" && (cpufreq_rate(response) || cpuinfo_rate(response))) return query_answered;
  return query_failed;
}

}  // namespace

int system_query(std::string_view selector, long long& response) {
  const auto& source = info_source();
  return source ? source(selector, response) : machine_query(selector, response);
}

void set_system_info_source(std::function<int(std::string_view, long long&)> source) {
  info_source() = std::move(source);
}

}  // namespace dorvix
