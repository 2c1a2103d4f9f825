#include "app/run_end.hpp"

#include <signal.h>

#include <cstdlib>
#include <new>
#include <string_view>

#include "dialogue/boxes.hpp"
#include "dialogue/console_units.hpp"
#include "dialogue/frames.hpp"
#include "files/stops.hpp"
#include "files/units.hpp"

namespace dorvix {

namespace {

// The memory kept for the run's end, given back when an allocation fails:
// the box and the lines of the end, the trailer of the plot and the
// closing of the files need far less. Below the size that the allocator
// maps on its own, it stays in the heap, whose next allocations it
// serves once freed.
constexpr std::size_t reserve_size = std::size_t{1} << 16;
void* reserve = nullptr;
Header memory_box_owner{};

// The stop's line or box was written.
bool stop_announced = false;

// An allocation failed: the reserve goes back for the run's end, and the
// allocation fails on (std::bad_alloc), which ends the run.
void on_memory_exhausted() {
  note_memory_exhausted();
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
  if (stop_announced || !stop_pending()) return;
  stop_announced = true;
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

void keep_memory_for_the_end(const Header& owner) {
  memory_box_owner = owner;
  if (reserve == nullptr) reserve = std::malloc(reserve_size);
  if (reserve == nullptr) note_memory_exhausted();
  std::set_new_handler(on_memory_exhausted);
}

int finish_run(int status) {
  // The end writes what it must, stop or not; a stop signal caught from
  // here on only cuts short a write that waits for a reader.
  begin_run_end();
  announce_stop();
  while (auto action = take_run_end_action()) {
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
  const int signal = stop_signal();
  int final_status = detail::memory_exhausted ? exit_stopped_by_program : status;
  if (signal != 0) {
    final_status = exit_signal_base + signal;
  } else if (file_incomplete()) {
    final_status = exit_file_incomplete;
  } else if (table.screen().bad()) {
    final_status = exit_console_lost;
  }
  stop_announced = false;
  clear_run_stops();
  return final_status;
}

}  // namespace dorvix
