#include "console/command_file.hpp"

#include "console/boxes.hpp"
#include "console/cut_lines.hpp"
#include "console/file_opener.hpp"
#include "console/frames.hpp"
#include "console/iocom.hpp"
#include "console/item_lines.hpp"
#include "console/prompts.hpp"
#include "console/run_end.hpp"
#include "console/units.hpp"

namespace dorvix {

namespace {

constexpr Header altsio_header{"altsio", " 1.4", "17-06-2008"};
constexpr Header begin_header{"beginaltsi", " 3.0", "17-06-2008"};
constexpr Header end_header{"endaltsi", " 3.0", "17-06-2008"};

constexpr int choice_start = 5001;
constexpr int choice_end = 5002;
constexpr int choice_end_and_quit = 5003;
constexpr int choice_leave = 99;
constexpr int choice_quit = 9999;

void no_action_warning(const Header& h, std::string_view why) {
  warninghead(h);
  say(why);
  say("==> NO ACTION");
  warningtail00();
}

}  // namespace

void altsio(int iunit, std::string& cname, int& irep, int iflag, std::size_t width) {
  const std::string rule(43, '-');
  for (;;) {
    submenuhead(altsio_header);
    say(rule);
    say("ALTERNATE STANDARD INPUT");
    say(rule);
    say("START COMMAND FILE ..............5001");
    say("EXIT COMMAND FILE AND CONTINUE...5002");
    say("EXIT COMMAND FILE AND QUIT ......5003");
    say("EXIT THIS SUBROUTINE ..............99");
    menutail();

    irep = choice_leave;
    int istat = 0;
    inintegdef(irep, "your choice", irep, istat);
    switch (irep) {
      case choice_start:
        beginaltsi(iunit, cname, iflag, width);
        return;
      case choice_end:
      case choice_end_and_quit:
        endaltsi(iunit, cname, iflag);
        if (irep == choice_end_and_quit) irep = choice_quit;
        return;
      case choice_leave:
        return;
      default:
        if (iflag != 1) continue;
        errorhead(altsio_header);
        ItemLine().text("Unknown answer irep =").integer(irep, 6).write();
        say("===> STOPPING EXECUTION");
        errortail00();
        end_run(exit_stopped_by_program);
    }
  }
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

}  // namespace dorvix
