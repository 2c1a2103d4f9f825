#pragma once
// Ending the run in order. Whatever ends it (a quit, a user's stop after an
// error, a fatal error, the end of the keyboard input) unwinds to the
// program's entry by throwing RunEnded; the entry then calls finish_run,
// which lets every subsystem close what it holds (the plot library writes
// the trailer of an open plot file) and closes every unit.

#include <functional>

namespace dorvix {

// Exit statuses of the process.
inline constexpr int exit_success = 0;           // quit, or a stop the user chose
inline constexpr int exit_stopped_by_program = 1; // a fatal error
inline constexpr int exit_input_ended = 2;        // the keyboard input ended

struct RunEnded {
  int status;
};

[[noreturn]] void end_run(int status);

// Registers an action for the end of the run; actions run once, last
// registered first, before the units are closed.
void at_run_end(std::function<void()> action);

// Runs the end-of-run actions, closes every unit, flushes the screen and
// returns `status` for the process to exit with.
int finish_run(int status);

}  // namespace dorvix
