#pragma once
// Runs the program with a time limit and a bound on its output, so that a
// run that never ends or writes without end fails quickly instead of
// holding the machine.

#include <cstddef>
#include <filesystem>
#include <string>

namespace dorvix::testing {

struct BoundedRun {
  int status = -1;          // exit status; -1 when killed by a signal
  int signal = 0;           // the signal that ended it, if any
  bool timed_out = false;   // killed after the time limit
  bool overflowed = false;  // killed after writing more than the bound
  std::string output;       // standard output and standard error together
};

// Runs `program` in `dir` with `input` on its standard input.
BoundedRun run_bounded(const std::string& program, const std::filesystem::path& dir, const std::string& input,
                       double seconds, std::size_t max_output);

}  // namespace dorvix::testing
