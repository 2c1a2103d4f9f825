#pragma once
// How a run stops. Whatever ends it (a quit, a user's stop after an error,
// a fatal error, the end of the keyboard input, a stop signal, memory that
// runs out) unwinds to the program's entry by throwing RunEnded; the entry
// then ends the run in order (app/run_end.hpp), running the actions that
// the subsystems registered here for the run's end (the plot library
// writes the trailer of an open plot file) and closing every unit.
//
// A stop signal (SIGINT, SIGTERM, SIGHUP) only sets a flag. The run acts on
// it where it can stop cleanly: at the next answer it would wait for, which
// it no longer waits for, between two lines of a catalogue being written,
// between two records of the plot file, and in a write that waits for a
// reader that does not read (a pipe), which it cuts short
// (files/waits.hpp). Each file being written then ends at its last whole
// line (the one whose write was cut cannot be finished), the plot file
// gets its trailer, each replacement is given up and its old file kept,
// and the run exits with 128 + the signal's number, as a shell reports a
// process that the signal ended. A second stop signal, of any of the three
// kinds, removes the temporary files of the replacements being written
// and ends the run at once, by the signal's default action.
//
// Memory that runs out ends the run in order too, as a stop does: the
// allocation that fails unwinds to the program's entry (or, where the
// stream library takes its failure in, the run stops at the next place
// where a stop signal would stop it), and the status is
// exit_stopped_by_program.

#include <csignal>
#include <functional>

namespace dorvix {

// Exit statuses of the process.
inline constexpr int exit_success = 0;             // quit, or a stop the user chose
inline constexpr int exit_stopped_by_program = 1;  // a fatal error
inline constexpr int exit_input_ended = 2;         // the keyboard input ended
inline constexpr int exit_file_incomplete = 3;     // a file could not be written to its end
inline constexpr int exit_console_lost = 4;        // the console's output could not be written
inline constexpr int exit_signal_base = 128;       // plus the number of the stop signal

struct RunEnded {
  int status;
};

[[noreturn]] void end_run(int status);

// Registers an action for the end of the run; actions run once, last
// registered first, before the units are closed.
void at_run_end(std::function<void()> action);
// The action registered last, taken off the list; an empty one when none
// is left.
std::function<void()> take_run_end_action();

// Memory ran out (an allocation failed): the run stops as at a stop
// signal, with exit_stopped_by_program.
void note_memory_exhausted();

// A file written in this run could not be written to its end (the unit
// layer notes every write that fails); and whether one could not.
void note_incomplete_file();
bool file_incomplete();

// Installs the handlers of the stop signals, and ignores the signals of a
// write that fails: SIGPIPE (the reader of the console or of a pipe went
// away) and SIGXFSZ (a file-size limit). Such a write then fails, as on a
// full disk, and the run reports it and goes on.
void catch_stop_signals();

namespace detail {
extern volatile std::sig_atomic_t caught_signal;
extern bool memory_exhausted;
extern bool run_ending;
extern int signal_before_end;  // the stop signal caught before the run's end began
}  // namespace detail

// The run's end begins: from here on it writes what it must, stop or not,
// and a stop signal caught only cuts short a write that waits for a
// reader.
void begin_run_end();
// The run's end is over: the record of the run's stops starts afresh.
void clear_run_stops();

// True when a stop signal cuts short a wait for a pipe or the keyboard, or
// a write that waits for a reader: any signal while the run goes on, and
// one that comes within the run's end; a signal that came before the end
// leaves it to write what it must (a second one ends the run at once).
inline bool waits_cut_short() { return detail::caught_signal != 0 && detail::signal_before_end == 0; }

// The stop signal caught, or 0.
inline int stop_signal() { return detail::caught_signal; }

// True while the run's end runs.
inline bool run_is_ending() { return detail::run_ending; }

// A stop signal was caught or memory ran out: the run is to stop.
inline bool stop_pending() { return detail::caught_signal != 0 || detail::memory_exhausted; }

// Ends the run for the stop signal caught, or the memory that ran out, as
// end_run with its status (the run's end tells which). Only when
// stop_pending().
[[noreturn]] void stop_run();

// Ends the run when a stop is pending, unless the run is ending already
// (its end writes what it must, signal or not). Cheap enough for every
// line a writer writes.
inline void end_run_if_stopped() {
  if (stop_pending() && !detail::run_ending) stop_run();
}

}  // namespace dorvix
