#include "console/run_end.hpp"

#include <vector>

#include "console/units.hpp"

namespace dorvix {

namespace {
std::vector<std::function<void()>>& actions() {
  static std::vector<std::function<void()>> list;
  return list;
}
}  // namespace

void end_run(int status) { throw RunEnded{status}; }

void at_run_end(std::function<void()> action) { actions().push_back(std::move(action)); }

int finish_run(int status) {
  auto& list = actions();
  while (!list.empty()) {
    auto action = std::move(list.back());
    list.pop_back();
    try {
      action();
    } catch (const RunEnded&) {
      // An action that would end the run again has nothing more to do.
    }
  }
  units().close_all();
  return status;
}

}  // namespace dorvix
