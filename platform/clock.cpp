#include "platform/clock.hpp"

#include <ctime>
#include <utility>

namespace dorvix {

namespace {

std::function<DateTime()>& clock_source() {
  static std::function<DateTime()> source;
  return source;
}

DateTime local_time() {
  const std::time_t now = std::time(nullptr);
  const std::tm* t = std::localtime(&now);
  if (t == nullptr) return {};
  constexpr int tm_base_year = 1900;
  return {t->tm_year + tm_base_year, t->tm_mon + 1, t->tm_mday, t->tm_hour, t->tm_min, t->tm_sec};
}

}  // namespace

DateTime get_time() {
  const auto& source = clock_source();
  return source ? source() : local_time();
}

void set_clock_source(std::function<DateTime()> source) { clock_source() = std::move(source); }

}  // namespace dorvix
