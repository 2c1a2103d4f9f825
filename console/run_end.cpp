#include "console/run_end.hpp"

#include <signal.h>
#include <sys/select.h>

#include <cerrno>
#include <string>
#include <vector>

#include "console/frames.hpp"
#include "console/iocom.hpp"
#include "console/units.hpp"

namespace dorvix {

namespace detail {
volatile std::sig_atomic_t caught_signal = 0;
bool run_ending = false;
}  // namespace detail

namespace {

constexpr int stop_signals[] = {SIGINT, SIGTERM, SIGHUP};

// What the run met that its exit status tells, besides how it ended.
struct RunRecord {
  bool incomplete_file = false;
  bool stop_announced = false;
};
RunRecord run_record;

std::vector<std::function<void()>>& actions() {
  static std::vector<std::function<void()>> list;
  return list;
}

// The handler does no more than keep the first signal.
void on_stop_signal(int signal) {
  if (detail::caught_signal == 0) detail::caught_signal = signal;
}

std::string signal_name(int signal) {
  switch (signal) {
    case SIGINT:
      return "SIGINT";
    case SIGTERM:
      return "SIGTERM";
    case SIGHUP:
      return "SIGHUP";
    default:
      return std::to_string(signal);
  }
}

void announce_stop(int signal) {
  if (run_record.stop_announced) return;
  run_record.stop_announced = true;
  put(iocom.iuout, " ===> SIGNAL " + signal_name(signal) + ": STOPPING EXECUTION");
}

}  // namespace

void end_run(int status) { throw RunEnded{status}; }

void stop_run() {
  const int signal = detail::caught_signal;
  announce_stop(signal);
  end_run(exit_signal_base + signal);
}

void at_run_end(std::function<void()> action) { actions().push_back(std::move(action)); }

void note_incomplete_file() { run_record.incomplete_file = true; }

int finish_run(int status) {
  // A signal caught from here on changes nothing: the end writes what it
  // must either way.
  const int signal = detail::caught_signal;
  detail::run_ending = true;
  if (signal != 0) announce_stop(signal);
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
  auto& table = units();
  for (const std::string& line : table.end_written_files(signal != 0)) put(iocom.iuout, line);
  table.close_all();
  int final_status = status;
  if (signal != 0) {
    final_status = exit_signal_base + signal;
  } else if (run_record.incomplete_file) {
    final_status = exit_file_incomplete;
  } else if (table.screen().bad()) {
    final_status = exit_console_lost;
  }
  run_record = {};
  detail::caught_signal = 0;
  detail::run_ending = false;
  return final_status;
}

void catch_stop_signals() {
  struct sigaction action {};
  action.sa_handler = on_stop_signal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a wait for the keyboard is cut short. After the first
  // signal the default action is back, so that a second one ends a run
  // that does not end.
  action.sa_flags = SA_RESETHAND;
  for (const int s : stop_signals) {
    struct sigaction before {};
    // A signal ignored from the start (nohup, a background job) stays so.
    if (::sigaction(s, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    ::sigaction(s, &action, nullptr);
  }
  std::signal(SIGPIPE, SIG_IGN);
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

bool wait_for_input(int fd) {
  sigset_t stops, before;
  sigemptyset(&stops);
  for (const int s : stop_signals) sigaddset(&stops, s);
  // The signals wait while the flag is looked at, and may come only
  // within the wait itself, which they end: none is missed.
  ::sigprocmask(SIG_BLOCK, &stops, &before);
  while (detail::caught_signal == 0) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(fd, &readable);
    if (::pselect(fd + 1, &readable, nullptr, nullptr, nullptr, &before) >= 0 || errno != EINTR) break;
  }
  ::sigprocmask(SIG_SETMASK, &before, nullptr);
  return detail::caught_signal == 0;
}

}  // namespace dorvix
