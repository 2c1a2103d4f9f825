// The program's entry: runs the main program and ends the run in order,
// whether it quits, is stopped by the user or the program, or its input
// ends.

#include <csignal>
#include <iostream>

#include "app/main_program.hpp"
#include "console/run_end.hpp"

int main() {
  std::ios::sync_with_stdio(false);
#ifdef SIGXFSZ
  // A file-size limit then fails the write that passes it, which the
  // program reports, instead of killing the run half way through a line.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  int status = dorvix::exit_success;
  try {
    status = dorvix::run_main_program();
  } catch (const dorvix::RunEnded& ended) {
    status = ended.status;
  }
  return dorvix::finish_run(status);
}
