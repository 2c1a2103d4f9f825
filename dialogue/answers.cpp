#include "dialogue/answers.hpp"

#include "dialogue/command_file_end.hpp"
#include "dialogue/console_units.hpp"
#include "dialogue/cut_lines.hpp"
#include "dialogue/frames.hpp"
#include "files/stops.hpp"
#include "files/units.hpp"

namespace dorvix {

namespace {

constexpr Header answer_header{"read_answer", " 1.0", "07-12-2026"};

}  // namespace

void input_ended() {
  // A stop signal ends the keyboard's input: the run stops for it.
  if (stop_signal() != 0) stop_run();
  // An input that cannot be read (a folder given as the input) did not end.
  if (const int error = units().keyboard_error(); error != 0) {
    put(iocom.iuout, " ===> STANDARD INPUT CANNOT BE READ, " + system_reason(error) + ": STOPPING EXECUTION");
    end_run(exit_stopped_by_program);
  }
  put(iocom.iuout, " ===> END OF INPUT: STOPPING EXECUTION");
  end_run(exit_input_ended);
}

void read_answer(int unit, std::string& line) {
  for (;;) {
    // No answer is taken, from the keyboard or a command file, once a
    // stop signal was caught.
    end_run_if_stopped();
    const long long cut_before = units().cut_lines(unit_keyboard).count;
    if (units().read_line(unit, line) == ReadResult::ok) {
      if (unit == unit_keyboard && units().cut_lines(unit_keyboard).count > cut_before) {
        cut_answer_box(answer_header, units().line_number(unit_keyboard));
      }
      return;
    }
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
