#include "colfile/header_dialogue.hpp"

#include <algorithm>
#include <string>

#include "colfile/column_layout.hpp"
#include "colfile/dialogue_lines.hpp"
#include "colfile/file_passes.hpp"
#include "dialogue/boxes.hpp"
#include "dialogue/range_checks.hpp"
#include "files/units.hpp"

namespace dorvix {

using colfile::count_line;
using colfile::shown;

namespace {

constexpr Header sfheader1_header{"sfheader1", "2.00", "29-09-98  "};
constexpr Header showfhead1_header{"showfhead1", "3.00", "29-09-98  "};

// A file line is taken as a text of this length and shown in pieces.
constexpr std::size_t line_width = 400;
constexpr std::size_t piece_width = 100;

// A title or name line beyond the header is no header line: reset to 0.
void reset_beyond_header(int& line, std::string_view what, int iskip) {
  if (line <= iskip) return;
  warninghead(sfheader1_header);
  ItemLine()
      .text(std::string(what) + " =")
      .integer(line, colfile::count_width)
      .text("> iskip =")
      .integer(iskip, colfile::count_width)
      .write();
  count_line("===> RESET " + std::string(what) + " =", 0);
  line = 0;
  warningtail00();
}

void help_box() {
  submenuhead(sfheader1_header);
  say("          ACCEPTABLE FILE FORMAT           ");
  dash_rule();
  say("Default file header");
  ItemLine().text("line nb").text("content").write();
  dash_rule();
  ItemLine().text("1").text("  'Title of the data set'").write();
  ItemLine().text("2").text("  'header1'   'header2'   'header3'").write();
  ItemLine().text("3").text("      65.3           5         6.3").write();
  dash_rule();
  say("line nb for title  = 0 => do not read title");
  say("line nb for header = 0 => do not read header");
  dash_rule();
  say("numerical data are read in");
  say("free format");
  say("  => they can be separated by tabs or spaces");
  say("");
  say("character strings are read in");
  say("free format");
  say("  => they must be enclosed within quotes");
  say("     as above. If not, do not read them.");
  menutail();
}

// The menu of the header layout. The title and name lines are among the
// header lines; a header of fewer than 0 lines does not exist.
MenuTable header_menu(int& ndisp, int& iskip, int& ititle, int& iheader) {
  const auto count = [](const int& v) { return shows_integer(v, colfile::count_width); };
  const auto header_line = [&iskip, count](int choice, std::string_view label, int& line, std::string_view prompt) {
    return MenuRow{.choice = choice,
                   .label = label,
                   .action = [&iskip, &line, prompt] { ask_int_in(line, prompt, 0, std::max(iskip, 0)); },
                   .value = count(line)};
  };
  return {.rows = {{.label = "            FILE HEADER SET UP             "},
                   dash_row(),
                   {.choice = 100,
                    .label = "nb of lines to display in dialog",
                    .action = [&ndisp] { ask_int(ndisp, "Number of header lines to display"); },
                    .value = count(ndisp)},
                   {.choice = 110,
                    .label = "nb of header lines without data ",
                    .action = [&iskip] { ask_int_in(iskip, "Number of dataless lines to skip", 0, max_header_lines); },
                    .value = count(iskip)},
                   header_line(120, "line nb to read title ", ititle, "line number to read title from"),
                   header_line(130, "line nb to read column header", iheader, "line number to read column headers"),
                   {.choice = 900, .label = "HELP ", .action = help_box},
                   colfile::setup_exit_row},
          .width = colfile::option_width};
}

void rewound_line(std::string_view fname) {
  ItemLine().text("==> FILE").text(shown(fname)).text("IS REWOUND").write();
}

// The labels of line i under the current layout.
void label_lines(int i, int iskip, int ititle, int iheader) {
  const auto label = [i](std::string_view text) {
    ItemLine().text("==>Line nb:").integer(i, colfile::count_width).text(text).write();
  };
  if (i > iskip) {
    label("= Data ====================");
    return;
  }
  if (i == ititle) label("= Header: Title ===========");
  if (i == iheader) label("= Header: Column names ====");
  if (i != ititle && i != iheader) label("= Header to skip ==========");
}

// The line up to its last non-blank character, in pieces of 100.
void show_line(const std::string& line) {
  const std::string text = edit::pad(line, line_width);
  int first = 0, last = 0;
  textlen(first, last, text);
  for (std::size_t at = 0; at < static_cast<std::size_t>(last); at += piece_width) {
    say(text.substr(at, std::min(piece_width, static_cast<std::size_t>(last) - at)));
  }
}

}  // namespace

void showfhead1(int& ierr, std::string_view fname, int iunit, int ndisp, int iskip, int ititle, int iheader) {
  const Header& h = showfhead1_header;
  ierr = 0;
  const std::string name = shown(fname);
  submenuhead(h);
  say("         DISPLAYING FILE HEADER            ");
  ItemLine().text("OF FILE:").text(name).write();
  dash_rule();
  std::string line;
  for (int i = 1; i <= ndisp; ++i) {
    label_lines(i, iskip, ititle, iheader);
    const ReadResult r = colfile::read_line(iunit, line);
    if (r == ReadResult::error) {
      errorhead(h);
      count_line("WHILE READING", i, "th LINE");
      ItemLine().text("IN FILE:").text(name).write();
      colfile::rewind(iunit);
      rewound_line(fname);
      ierr = 1;
      errortail00();
      return;
    }
    if (r == ReadResult::end_of_file) {
      // A file may hold fewer data lines than are shown: only a header
      // that ends early is a failure.
      warninghead(h);
      say("REACHED END OF FILE");
      ItemLine().text("IN FILE:").text(name).write();
      count_line("WHILE READING", i, "th LINE");
      colfile::rewind(iunit);
      rewound_line(fname);
      ierr = i <= iskip ? 1 : 0;
      warningtail00();
      return;
    }
    show_line(line);
  }
  say(std::string(43, '='));
  colfile::rewind(iunit);
  rewound_line(fname);
  menutail();
}

void sfheader1(int& ierr, HeaderLayout& layout, std::string_view fname, int iunit, SetupMode mode) {
  ReadRealSetup& rs = readrealsetup;
  // The dialogue works on the layout's fields by name.
  int& ndisp = layout.ndisp;
  int& iskip = layout.iskip;
  int& ititle = layout.ititle;
  int& iheader = layout.iheader;
  ierr = 0;
  if (mode.from_stored()) {
    layout = static_cast<const HeaderLayout&>(rs);
  } else if (mode.from_defaults()) {
    submenuhead(sfheader1_header);
    say("INITIALIZING INPUT FILE HEADER");
    layout = HeaderLayout{};
  } else if (!mode.from_passed()) {
    int istat = 0;
    cinvin(mode.code(), 0, 5, "sfheader1", "inter", istat);
  }

  reset_beyond_header(ititle, "ititle", iskip);
  reset_beyond_header(iheader, "iheader", iskip);

  if (mode.shows_menu()) {
    const MenuTable menu = header_menu(ndisp, iskip, ititle, iheader);
    choice_loop(
        sfheader1_header,
        [&] {
          if (units().is_open(iunit)) {
            showfhead1(ierr, fname, iunit, ndisp, iskip, ititle, iheader);
          } else {
            warninghead(sfheader1_header);
            ItemLine().text("Input file").text(shown(fname)).text("is not opened").write();
            say("======> cannot display header");
            warningtail00();
          }
          submenuhead(sfheader1_header);
          colfile::show_setup_menu(menu);
        },
        [&menu](int choice) { return reply(menu, choice); }, Prompt::with_default);
  }

  static_cast<HeaderLayout&>(rs) = layout;
}

}  // namespace dorvix
