#include "files/stops.hpp"

#include <signal.h>

#include <utility>
#include <vector>

#include "files/held_signals.hpp"
#include "files/replacement.hpp"

namespace dorvix {

namespace detail {
volatile std::sig_atomic_t caught_signal = 0;
bool memory_exhausted = false;
bool run_ending = false;
int signal_before_end = 0;
}  // namespace detail

namespace {

// A file written in this run could not be written to its end.
bool incomplete_file = false;

std::vector<std::function<void()>>& actions() {
  static std::vector<std::function<void()>> list;
  return list;
}

// The handler keeps the first signal. A second one, of any of the kinds,
// ends the run at once: it removes the temporary file of every
// replacement being written (only while the temporary name stands for
// the file the replacement made), gives the signal its default action
// back and sends it again, which ends the process as the signal ends any
// program once the handler returns (it waits, blocked, until then).
// (lstat, unlink, sigaction and raise may be called in a handler.)
void on_stop_signal(int signal) {
  if (detail::caught_signal == 0) {
    detail::caught_signal = signal;
    return;
  }
  remove_temporary_files();
  struct sigaction usual {};
  usual.sa_handler = SIG_DFL;
  sigemptyset(&usual.sa_mask);
  ::sigaction(signal, &usual, nullptr);
  ::raise(signal);
}

}  // namespace

void end_run(int status) { throw RunEnded{status}; }

void stop_run() {
  const int signal = detail::caught_signal;
  end_run(signal != 0 ? exit_signal_base + signal : exit_stopped_by_program);
}

void note_memory_exhausted() { detail::memory_exhausted = true; }

void at_run_end(std::function<void()> action) { actions().push_back(std::move(action)); }

std::function<void()> take_run_end_action() {
  auto& list = actions();
  if (list.empty()) return {};
  auto action = std::move(list.back());
  list.pop_back();
  return action;
}

void note_incomplete_file() { incomplete_file = true; }

bool file_incomplete() { return incomplete_file; }

void begin_run_end() {
  detail::run_ending = true;
  detail::signal_before_end = detail::caught_signal;
}

void clear_run_stops() {
  incomplete_file = false;
  detail::caught_signal = 0;
  detail::memory_exhausted = false;
  detail::run_ending = false;
  detail::signal_before_end = 0;
}

void catch_stop_signals() {
  struct sigaction action {};
  action.sa_handler = on_stop_signal;
  // No other stop signal comes within the handler: it waits, and comes
  // once the default actions are back.
  sigemptyset(&action.sa_mask);
  for (const int s : stop_signals) sigaddset(&action.sa_mask, s);
  // No SA_RESTART: a wait for the keyboard or for a pipe's reader is cut
  // short.
  action.sa_flags = 0;
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

}  // namespace dorvix
