#include "colfile/column_reader.hpp"

#include "colfile/column_dialogue.hpp"
#include "colfile/column_layout.hpp"
#include "colfile/data_records.hpp"
#include "colfile/dialogue_lines.hpp"
#include "colfile/file_passes.hpp"
#include "colfile/header_dialogue.hpp"
#include "colfile/header_lines.hpp"
#include "dialogue/boxes.hpp"
#include "dialogue/command_file_end.hpp"
#include "dialogue/file_opener.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/range_checks.hpp"
#include "files/units.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

namespace {

constexpr Header readreal6_header{"readreal6", " 3.2", "15-01-2008"};

// The default answers: reading the file, and trying a new file.
constexpr int choice_read = 1000;
constexpr int retry_new_file = 0;

// What the confirmation or a failed step leads to.
enum class Next { same_file, new_file, give_up };

// The retry menu, after the error head and its reason when there is one;
// `stop` names the line of a command file stopped at an answer refused. An
// answer the menu does not offer brings it back, head and reason included,
// and a command file that gave it stops there.
Next retry(std::string_view fname, int iunit, std::string_view reason = {}, const CommandFileStop& stop = {}) {
  Next next = Next::give_up;
  const auto close = [&](Next after) {
    units().close(iunit);
    colfile::file_line(fname, "closed");
    next = after;
  };
  const MenuTable answers{
      .rows = {{.choice = 1,
                .label = "Try again on same file ",
                .action =
                    [&] {
                      colfile::rewind(iunit);
                      colfile::file_line(fname, "rewound");
                      next = Next::same_file;
                    }},
               {.choice = retry_new_file, .label = "New file ", .action = [&close] { close(Next::new_file); }},
               {.choice = menu_exit_choice, .label = "Exit ", .action = [&close] { close(Next::give_up); }}},
      .width = 30};
  CommandFileStop where = stop;
  choice_loop(
      readreal6_header,
      [&] {
        if (!reason.empty()) {
          errorhead(readreal6_header);
          say(reason);
        }
        ItemLine().text("IN FILE:").text(colfile::shown(fname)).write();
        where.say_where();
        where = {};  // said once
        say(std::string(30, '-'));
        show_rows(answers);
        errortail00();
      },
      [&answers](int choice) { return dispatch(answers, choice) == Reply::unknown ? Reply::unknown : Reply::leave; },
      Prompt::with_default, "your choice", {}, retry_new_file);
  return next;
}

Next failed(std::string_view reason, std::string_view fname, int iunit) { return retry(fname, iunit, reason); }

}  // namespace

void readreal6(int& ierr, std::string& title, std::string& fname, std::string_view fexpl, int iunit,
               HeaderLayout& layout, ColumnArray& data, int imodlev, SetupMode mode) {
  ierr = 0;
  if (mode.from_defaults()) {
    submenuhead(readreal6_header);
    say("INITIALIZING INPUT FILE TYPE");
    int status = 0;
    sfheader1(status, layout, fname, iunit, mode);
    scol2var2(status, data, fname, iunit, 1, mode);
    return;
  }
  int istat = 0;
  cinvin(mode.code(), 0, 5, "readreal6", "inter", istat);
  const bool even = mode.shows_menu();
  const std::size_t name_width = fname.size();

  for (;;) {
    opef2(fname, fexpl, iunit, "old", even ? 0 : 1, name_width);
    fname = edit::pad(fname, name_width);
    Next next = Next::same_file;
    while (next == Next::same_file) {
      int status = 0;
      sfheader1(status, layout, fname, iunit, mode);
      if (status == 1) {
        next = failed("WHILE READING HEADER LINES", fname, iunit);
        continue;
      }
      getftitle1(status, title, fname, iunit, readrealsetup.ititle, 0);
      if (status == 1) {
        next = failed("WHILE READING TITLE", fname, iunit);
        continue;
      }
      scol2var2(status, data, fname, iunit, imodlev, mode);
      if (status == 1) {
        next = failed("WHILE READING COLUMN HEADERS", fname, iunit);
        continue;
      }

      // The confirmation: reading, leaving without reading, or (any other
      // answer) the retry menu without an error head, a command file that
      // gave the answer stopped.
      bool finished = false;
      const MenuTable confirmation{.rows = {{.choice = choice_read,
                                             .label = "READ AND EXIT ",
                                             .action =
                                                 [&] {
                                                   getfreal(status, data.nread, data.ncolused, data.rdat, fname, iunit, mode);
                                                   finished = status != 1;
                                                   if (!finished) next = failed("WHILE READING DATA", fname, iunit);
                                                 }},
                                            {.choice = menu_exit_choice,
                                             .label = "EXIT WITHOUT READING ",
                                             .action =
                                                 [&] {
                                                   units().close(iunit);
                                                   submenuhead(readreal6_header);
                                                   say("EXITING WITHOUT READING DATA FILE");
                                                   colfile::file_line(fname, "closed");
                                                   menutail();
                                                   ierr = 1;
                                                   finished = true;
                                                 }}},
                                   .width = colfile::option_width,
                                   .otherwise = [&](int) { next = retry(fname, iunit, {}, stop_command_file()); }};
      int choice = choice_read;
      if (even) {
        submenuhead(readreal6_header);
        show_rows(confirmation);
        menutail();
        ask_int(choice, "your choice");
      }
      dispatch(confirmation, choice);
      if (finished) return;
    }
    if (next == Next::give_up) {
      ierr = 1;
      return;
    }
  }
}

}  // namespace dorvix
