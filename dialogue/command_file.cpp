#include "dialogue/command_file.hpp"

#include "dialogue/boxes.hpp"
#include "dialogue/command_file_end.hpp"
#include "dialogue/console_units.hpp"
#include "dialogue/file_opener.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "files/stops.hpp"
#include "files/units.hpp"

namespace dorvix {

namespace {

constexpr Header altsio_header{"altsio", " 1.4", "17-06-2008"};
constexpr Header begin_header{"beginaltsi", " 3.0", "17-06-2008"};

}  // namespace

void altsio(int iunit, std::string& cname, int& irep, int iflag, std::size_t width) {
  // Every choice of the rows leaves the menu; any other answer is one the
  // menu does not offer, or stops a silent call.
  const MenuTable table{
      .rows = {{.draw = dash_rule},
               {.label = "ALTERNATE STANDARD INPUT"},
               {.draw = dash_rule},
               {.choice = 5001,
                .label = "START COMMAND FILE ",
                .action = [&] { beginaltsi(iunit, cname, iflag, width); }},
               {.choice = 5002,
                .label = "EXIT COMMAND FILE AND CONTINUE",
                .action = [&] { endaltsi(iunit, cname, iflag); }},
               {.choice = 5003,
                .label = "EXIT COMMAND FILE AND QUIT ",
                .action =
                    [&] {
                      endaltsi(iunit, cname, iflag);
                      irep = quit_choice;
                    }},
               {.choice = menu_exit_choice, .label = "EXIT THIS SUBROUTINE ", .action = [] {}}},
      .width = 37,
      .otherwise =
          [](int choice) {
            errorhead(altsio_header);
            ItemLine().text("Unknown answer irep =").integer(choice, 6).write();
            say("===> STOPPING EXECUTION");
            errortail00();
            end_run(exit_stopped_by_program);
          },
      .answers = [iflag](int) { return iflag == 1; }};
  menu_loop(
      altsio_header, [&table] { show_rows(table); },
      [&](int choice) {
        irep = choice;
        return dispatch(table, choice) == Reply::unknown ? Reply::unknown : Reply::leave;
      },
      MenuStyle{.exit_line = {}, .prompt = Prompt::with_default});
}

void beginaltsi(int iunit, std::string& cname, int iflag, std::size_t width) {
  if (iocom.lcomfop) {
    no_action_warning(begin_header, "COMMAND FILE ALREADY OPEN");
    return;
  }
  if (iocom.lwito(1)) submenuhead(begin_header);
  opef2(cname, "alternate standard input ", iunit, "old", iflag, width);
  iocom.iuin = iunit;
  iocom.lcomfop = true;
  iocom.lwito(2) = false;
  if (iocom.lwito(1)) {
    say("Standard input redirected from");
    ItemLine().text("   Command file:").text(trimmed(cname)).write();
    say("Response to error or warning");
    say("   remains from keyboard");
    say("Level 2 standard output disabled");
    menutail();
  }
}



}  // namespace dorvix
