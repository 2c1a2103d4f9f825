#include "files/run_end.hpp"

#include <poll.h>
#include <signal.h>

#include <cerrno>
#include <cstdlib>
#include <new>
#include <string_view>
#include <vector>

#include "dialogue/boxes.hpp"
#include "dialogue/console_units.hpp"
#include "dialogue/frames.hpp"
#include "files/replacement.hpp"
#include "files/units.hpp"

namespace dorvix {

namespace detail {
volatile std::sig_atomic_t caught_signal = 0;
bool memory_exhausted = false;
bool run_ending = false;
int signal_before_end = 0;
}  // namespace detail

namespace {

constexpr int stop_signals[] = {SIGINT, SIGTERM, SIGHUP};

sigset_t stop_signal_set() {
  sigset_t stops;
  sigemptyset(&stops);
  for (const int s : stop_signals) sigaddset(&stops, s);
  return stops;
}

// The memory kept for the run's end, given back when an allocation fails:
// the box and the lines of the end, the trailer of the plot and the
// closing of the files need far less. Below the size that the allocator
// maps on its own, it stays in the heap, whose next allocations it
// serves once freed.
constexpr std::size_t reserve_size = std::size_t{1} << 16;
void* reserve = nullptr;
Header memory_box_owner{};

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

// An allocation failed: the reserve goes back for the run's end, and the
// allocation fails on (std::bad_alloc), which ends the run.
void on_memory_exhausted() {
  detail::memory_exhausted = true;
  std::free(reserve);
  reserve = nullptr;
  throw std::bad_alloc();
}

// The signal's name, as its line gives it.
std::string_view signal_name(int signal) {
  switch (signal) {
    case SIGINT:
      return "SIGINT:";
    case SIGTERM:
      return "SIGTERM:";
    default:  // SIGHUP, the third
      return "SIGHUP:";
  }
}

// The stop's line (a signal) or box (memory), once. Nothing of it is
// built: memory may have run out.
void announce_stop() {
  if (run_record.stop_announced || !stop_pending()) return;
  run_record.stop_announced = true;
  if (const int signal = detail::caught_signal; signal != 0) {
    put_items(iocom.iuout, {"===> SIGNAL", signal_name(signal), "STOPPING EXECUTION"});
    return;
  }
  errorhead(memory_box_owner);
  say("MEMORY RAN OUT");
  say("===> STOPPING EXECUTION");
  put(iocom.iuerout, " *******************************************");
}

// The line (or two) that tells what became of a file the run's end
// ended: a replacement given up or whose text could not take the name, a
// file that could not be written to its end, and, at a stop, a new file
// that ends at its last whole line.
void say_file_end(const WrittenFileEnd& ended, bool stopped) {
  const FileEnd& e = ended.end;
  if (e.kind == FileEnd::Kind::old_kept) {
    put_items(iocom.iuout, {"===> FILE", ended.name, "NOT REPLACED: ITS OLD FILE IS KEPT"});
    if (e.text_lost) put_items(iocom.iuout, {"===>", e.reason});
  } else if (e.kind == FileEnd::Kind::name_lost) {
    put_items(iocom.iuout, {"===> FILE", ended.name, "NOT REPLACED:", e.reason});
  } else if (!e.reason.empty() || ended.unfinished) {
    put_items(iocom.iuout, {"===> FILE", ended.name, "COULD NOT BE WRITTEN TO ITS END"});
  } else if (stopped) {
    put_items(iocom.iuout, {"===> FILE", ended.name, "ENDS AT ITS LAST WHOLE LINE"});
  }
  if (!e.kept_as.empty()) put_items(iocom.iuout, {"===> ITS NEW FILE IS KEPT AS", e.kept_as});
}

}  // namespace

void end_run(int status) { throw RunEnded{status}; }

void stop_run() {
  announce_stop();
  const int signal = detail::caught_signal;
  end_run(signal != 0 ? exit_signal_base + signal : exit_stopped_by_program);
}

void keep_memory_for_the_end(const Header& owner) {
  memory_box_owner = owner;
  if (reserve == nullptr) reserve = std::malloc(reserve_size);
  if (reserve == nullptr) note_memory_exhausted();
  std::set_new_handler(on_memory_exhausted);
}

void note_memory_exhausted() { detail::memory_exhausted = true; }

void at_run_end(std::function<void()> action) { actions().push_back(std::move(action)); }

void note_incomplete_file() { run_record.incomplete_file = true; }

int finish_run(int status) {
  // The end writes what it must, stop or not; a stop signal caught from
  // here on only cuts short a write that waits for a reader.
  detail::run_ending = true;
  detail::signal_before_end = detail::caught_signal;
  announce_stop();
  auto& list = actions();
  while (!list.empty()) {
    auto action = std::move(list.back());
    list.pop_back();
    try {
      action();
    } catch (const RunEnded&) {
      // An action that would end the run again has nothing more to do.
    } catch (const std::bad_alloc&) {
      note_memory_exhausted();
    }
  }
  announce_stop();
  // A stop (a signal, memory that ran out) gives up every file still
  // written. Any other end is an ordered one, at a question, where every
  // file stands between two records: each is closed as at its close, a
  // replacement takes the old file's name.
  const bool stopped = stop_pending();
  auto& table = units();
  WrittenFileEnd ended;
  while (table.end_written_file(stopped, ended)) {
    announce_stop();  // for a signal that cut a close short
    say_file_end(ended, stopped);
  }
  announce_stop();
  table.close_all();
  const int signal = detail::caught_signal;
  int final_status = detail::memory_exhausted ? exit_stopped_by_program : status;
  if (signal != 0) {
    final_status = exit_signal_base + signal;
  } else if (run_record.incomplete_file) {
    final_status = exit_file_incomplete;
  } else if (table.screen().bad()) {
    final_status = exit_console_lost;
  }
  run_record = {};
  detail::caught_signal = 0;
  detail::memory_exhausted = false;
  detail::run_ending = false;
  detail::signal_before_end = 0;
  return final_status;
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

StopSignalsHeld::StopSignalsHeld() {
  const sigset_t stops = stop_signal_set();
  ::sigprocmask(SIG_BLOCK, &stops, &before_);
}

StopSignalsHeld::~StopSignalsHeld() { ::sigprocmask(SIG_SETMASK, &before_, nullptr); }

namespace {

// Waits until `fd` is ready for reading or for writing, or a stop signal
// cuts the wait short; false in the second case.
bool wait_for(int fd, bool write) {
  const sigset_t stops = stop_signal_set();
  sigset_t before;
  // The signals wait while the flag is looked at, and may come only
  // within the wait itself, which they end: none is missed.
  ::sigprocmask(SIG_BLOCK, &stops, &before);
  while (!waits_cut_short()) {
    pollfd ready{fd, static_cast<short>(write ? POLLOUT : POLLIN), 0};
    if (::ppoll(&ready, 1, nullptr, &before) >= 0 || errno != EINTR) break;
  }
  ::sigprocmask(SIG_SETMASK, &before, nullptr);
  return !waits_cut_short();
}

}  // namespace

bool wait_for_input(int fd) { return wait_for(fd, false); }

bool wait_for_room(int fd) {
  // A pipe that has room (or whose reader has gone) takes the write at
  // once: a stop signal cuts short only a wait, never a write that needs
  // none, so that a reader who reads gets the console's text whole.
  pollfd room{fd, POLLOUT, 0};
  if (::poll(&room, 1, 0) > 0) return true;
  return wait_for(fd, true);
}

}  // namespace dorvix
