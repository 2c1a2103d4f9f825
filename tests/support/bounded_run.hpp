#pragma once
// Runs the program with a time limit and a bound on its output, so that a
// run that never ends or writes without end fails quickly instead of
// holding the machine; optionally under a limit on the size of the files
// it writes, as `ulimit -f` sets it, and with things done to it while it
// runs: a signal sent, its output closed early.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace dorvix::testing {

struct BoundedRun {
  int status = -1;          // exit status; -1 when killed by a signal
  int signal = 0;           // the signal that ended it, if any
  bool timed_out = false;   // killed after the time limit
  bool overflowed = false;  // killed after writing more than the bound
  std::string output;       // standard output and standard error together
};

// What a test does to the program while it runs. The program starts with
// the signals' default actions, as a shell starts it in the foreground.
struct RunEvents {
  // The standard input stays open after the answers, a keyboard that types
  // no more: the run waits for its next answer instead of meeting the end
  // of its input.
  bool keep_input_open = false;
  // The output is read up to this many bytes and then closed, as a reader
  // such as `head -c` does (0: read to its end).
  std::size_t close_output_after = 0;
  // The output is read up to this many bytes and then no more, though it
  // stays open: a reader that does not read (0: read to its end).
  std::size_t stop_reading_after = 0;
  // `signal` is sent once `when` holds (asked every 100 microseconds or so),
  // or, with no `when`, once the output holds `waiting_after` and the
  // program then sleeps: it waits for something (an answer, a pipe; not
  // its console while the output is read, which then has nothing left
  // unread).
  int signal = 0;
  std::function<bool()> when;
  std::string waiting_after;
  // A second signal, sent once the program sleeps again a while (0.3 s)
  // after the first; with `together`, sent with the first, as two signals
  // a moment apart come: the program is stopped (SIGSTOP), both are sent,
  // and it goes on (SIGCONT) with both pending, the first to come first.
  int second_signal = 0;
  bool together = false;
  // With the input kept open: once the output holds `waiting_after` and
  // the program then sleeps (it waits for an answer), `act` is called (it
  // changes the files, say) and `more` is typed after the answers; with
  // `then_end_input`, the input ends once `more` is typed.
  std::function<void()> act;
  std::string more;
  bool then_end_input = false;
  // Set in the program's environment, before the test's own ("NAME=value").
  std::vector<std::string> environment;
};

// Runs `program` in `dir` with `input` on its standard input. A non-zero
// `file_size_limit` (bytes) is set on the program, whose signal for a
// write past it then has its default action.
BoundedRun run_bounded(const std::string& program, const std::filesystem::path& dir, const std::string& input,
                       double seconds, std::size_t max_output, std::uintmax_t file_size_limit = 0,
                       const RunEvents& events = {});

}  // namespace dorvix::testing
