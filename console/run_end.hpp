#pragma once
// Ending the run in order. Whatever ends it (a quit, a user's stop after an
// error, a fatal error, the end of the keyboard input, a stop signal)
// unwinds to the program's entry by throwing RunEnded; the entry then calls
// finish_run, which lets every subsystem close what it holds (the plot
// library writes the trailer of an open plot file) and closes every unit.
//
// A stop signal (SIGINT, SIGTERM, SIGHUP) only sets a flag. The run acts on
// it where it can stop cleanly: at the next answer it would wait for, which
// it no longer waits for, between two lines of a catalogue being written,
// and between two records of the plot file. Each file being written then
// ends at its last whole line, the plot file gets its trailer, and the run
// exits with 128 + the signal's number, as a shell reports a process that
// the signal ended. A second signal has its default action.

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

// Runs the end-of-run actions, closes every unit (a file still written
// ends as UnitTable::end_written_files ends it: a replacement is dropped
// and its old file kept, a new file ends at its last whole line, and a
// line names each such file, a new one only at a stop signal), flushes
// the screen and returns the status for the process to exit with: the
// stop signal's, else exit_file_incomplete when a file could not be
// written to its end, else exit_console_lost when the console's output
// failed, else `status`. The record of the run then starts afresh.
int finish_run(int status);

// Installs the handlers of the stop signals, and ignores the signals of a
// write that fails: SIGPIPE (the reader of the console or of a pipe went
// away) and SIGXFSZ (a file-size limit). Such a write then fails, as on a
// full disk, and the run reports it and goes on.
void catch_stop_signals();

// Waits until `fd` has something to read (a line, its end, an error) or a
// stop signal is caught; false in the second case.
bool wait_for_input(int fd);

namespace detail {
extern volatile std::sig_atomic_t caught_signal;
extern bool run_ending;
}  // namespace detail

// The stop signal caught, or 0.
inline int stop_signal() { return detail::caught_signal; }

// Ends the run for the stop signal caught: one line on the console, then
// as end_run. Only when stop_signal() is not 0.
[[noreturn]] void stop_run();

// Ends the run when a stop signal was caught, unless the run is ending
// already (its end writes what it must, signal or not). Cheap enough for
// every line a writer writes.
inline void end_run_if_stopped() {
  if (detail::caught_signal != 0 && !detail::run_ending) stop_run();
}

// A file written in this run could not be written to its end (the unit
// layer notes every write that fails).
void note_incomplete_file();

}  // namespace dorvix
