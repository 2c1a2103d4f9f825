// The program's entry: runs the main program and ends the run in order,
// whether it quits, is stopped by the user or the program, its input ends,
// a stop signal comes or memory runs out.

#include <new>

#include "app/main_program.hpp"
#include "app/run_end.hpp"
#include "dialogue/geometry_notices.hpp"
#include "files/stops.hpp"

int main() {
  // The geometry's notices are shown as boxes from the first.
  dorvix::show_geometry_notices();
  // A write that fails (a full disk, a file-size limit, a console whose
  // reader went away) is reported and the run goes on; a stop signal ends
  // it in order.
  dorvix::catch_stop_signals();
  int status = dorvix::exit_success;
  try {
    dorvix::keep_memory_for_the_end(dorvix::main_header);
    status = dorvix::run_main_program();
  } catch (const dorvix::RunEnded& ended) {
    status = ended.status;
  } catch (const std::bad_alloc&) {
    dorvix::note_memory_exhausted();
    status = dorvix::exit_stopped_by_program;
  }
  return dorvix::finish_run(status);
}
