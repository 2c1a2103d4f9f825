#include "console/answers.hpp"

#include "console/command_file.hpp"
#include "console/frames.hpp"
#include "console/iocom.hpp"
#include "console/run_end.hpp"

namespace dorvix {

void input_ended() {
  put(iocom.iuout, " ===> END OF INPUT: STOPPING EXECUTION");
  end_run(exit_input_ended);
}

void command_file_ended() {
  // The same return to the keyboard as the menu's exit, with its report.
  const int unit = iocom.iuin;
  endaltsi(unit, units().name(unit), 0);
}

ReadResult read_answer(int unit, std::string& line) {
  for (;;) {
    const ReadResult r = units().read_line(unit, line);
    if (r != ReadResult::end_of_file) return r;
    if (unit == iocom.iuin && iocom.lcomfop && unit != unit_keyboard) {
      command_file_ended();
      unit = iocom.iuin;
      continue;
    }
    input_ended();
  }
}

ReadResult read_answer(std::string& line) { return read_answer(iocom.iuin, line); }

}  // namespace dorvix
