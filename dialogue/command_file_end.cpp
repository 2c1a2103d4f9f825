#include "dialogue/command_file_end.hpp"

#include "dialogue/boxes.hpp"
#include "dialogue/console_units.hpp"
#include "dialogue/cut_lines.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "files/units.hpp"

namespace dorvix {

namespace {

constexpr Header end_header{"endaltsi", " 3.0", "17-06-2008"};

}  // namespace

void no_action_warning(const Header& h, std::string_view why) {
  warninghead(h);
  say(why);
  say("==> NO ACTION");
  warningtail00();
}

void endaltsi(int iunit, const std::string& cname, int /*idum*/) {
  if (!iocom.lcomfop) {
    no_action_warning(end_header, "NO OPEN COMMAND FILE");
    return;
  }
  // The input is the keyboard's again before the box of the file's cut
  // lines, whose pause then continues the run and resumes no commands.
  iocom.iuin = unit_keyboard;
  iocom.lcomfop = false;
  cut_lines_box(end_header, iunit);
  if (iocom.lwito(1)) submenuhead(end_header);
  units().close(iunit);
  iocom.lwito(2) = true;
  if (iocom.lwito(1)) {
    ItemLine().text("Command file").text(trimmed(cname)).text("closed").write();
    say("Standard input redirected from keyboard");
    say("Level 2 standard output enabled");
  }
}

void command_file_ended() {
  // The same return to the keyboard as the menu's exit, with its report.
  const int unit = iocom.iuin;
  endaltsi(unit, units().name(unit), 0);
}

CommandFileStop stop_command_file() {
  if (!iocom.lcomfop) return {};
  const CommandFileStop stop{units().line_number(iocom.iuin)};
  command_file_ended();
  return stop;
}

void unknown_choice(const Header& h, int choice) {
  if (!iocom.lcomfop) return;
  const CommandFileStop stop = stop_command_file();
  warninghead(h);
  ItemLine().text("UNKNOWN CHOICE =").integer(choice, 6).write();
  stop.say_where();
  say("==> BACK TO MENU WITHOUT ACTION");
  warningtail00();
}

void CommandFileStop::say_where() const {
  if (line == 0) return;
  ItemLine().text("READ FROM LINE").integer(line, 6).text("OF THE COMMAND FILE").write();
  say("===> COMMAND FILE STOPPED");
}

}  // namespace dorvix
