#include "console/answers.hpp"

#include "console/command_file.hpp"
#include "console/frames.hpp"
#include "console/iocom.hpp"
#include "console/run_end.hpp"
#include "console/units.hpp"

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

void read_answer(int unit, std::string& line) {
  for (;;) {
    if (units().read_line(unit, line) == ReadResult::ok) return;
    // Whatever stops the command file (its end, a closed or unreadable
    // unit) ends it; nothing else is left to answer but the keyboard.
    if (unit == iocom.iuin && iocom.lcomfop && unit != unit_keyboard) {
      command_file_ended();
      unit = iocom.iuin;
      continue;
    }
    input_ended();
  }
}

void read_answer(std::string& line) { read_answer(iocom.iuin, line); }

}  // namespace dorvix
