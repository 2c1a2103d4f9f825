#include "catalogue/catalogue_writer.hpp"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "catalogue/format_help.hpp"
#include "catalogue/line_codec.hpp"
#include "catalogue/store.hpp"
#include "catalogue/store_listing.hpp"
#include "console/boxes.hpp"
#include "console/data_files.hpp"
#include "console/edit.hpp"
#include "console/frames.hpp"
#include "console/iocom.hpp"
#include "console/prompts.hpp"
#include "console/units.hpp"

namespace dorvix {

namespace {

constexpr Header writer_header{"fpswrite1", " 1.0", "26-03-2010"};

constexpr int choice_open = 12;
constexpr int choice_close = 22;
constexpr int choice_list = 1100;
constexpr int choice_help = 900;
constexpr int choice_leave = 99;

// The write choices, the data type each needs, what they write.
struct WriteChoice {
  int choice;
  int itype;  // the data type the layout needs; 0: the choice selects no layout
  Layout layout;
  bool table;
  std::string_view explanation;  // of the output file
  std::string_view announcement;
};

constexpr WriteChoice write_choices[] = {
    {1000, itype_fpfit, Layout::fpfit, false, "FPFIT output", "FPFIT format"},
    {2000, itype_fpfit, Layout::fpfit, true, "FPFIT-table output", "TABULATED FPFIT ORIGINAL ORDER"},
    {3000, itype_empty, Layout::fpfit, false, "", ""},
    {1001, itype_hash, Layout::hash, false, "HASH output", "HASH format"},
    {2001, itype_hash, Layout::hash, true, "HASH-table output", "TABULATED HASH ORIGINAL ORDER"},
    {3001, itype_empty, Layout::hash, false, "", ""},
};

std::optional<WriteChoice> write_choice(int choice) {
  for (const WriteChoice& w : write_choices) {
    if (w.choice == choice) return w;
  }
  return std::nullopt;
}

const std::string rule(43, '-');

void say_number(std::string_view text, int v) { say(std::string(text) + " " + edit::i(v, 6)); }

std::string output_name(int iunit) { return edit::pad(fiocom.oufnam(iunit), data_file_text_width); }

void menu_body(int iunit) {
  say(rule);
  say_number("Maximum nb of stored data=", ndatmax);
  say_number("Current nb of stored data=", fpsblk.ndata);
  say_number("Current data type        =", fpsblk.itype);
  say("OPEN  DATA OUTPUT FILE .......12 " + output_name(iunit));
  say("CLOSE DATA OUTPUT FILE .......22 " + output_name(iunit));
  say(rule);
  if (fpsblk.itype == itype_fpfit) {
    say("WRITE DATA TO OUTPUT FILE IN FORMAT:");
    say(" FPFIT .....................1000");
    say(" Tabulated FPFIT order .....2000");
  } else if (fpsblk.itype == itype_hash) {
    say("WRITE DATA TO OUTPUT FILE IN FORMAT:");
    say(" HASH ......................1001");
    say(" Tabulated HASH order ......2001");
  } else {
    say("CANNOT WRITE THIS DATA TYPE");
  }
  say("LIST DATA TO SCREEN ........1100");
  say(rule);
  say("HELP ........................900");
  say("EXIT .........................99");
  menutail();
}

void listing() {
  if (!listable_store()) {
    no_listing_box(writer_header, choice_list);
    return;
  }
  submenuhead(writer_header);
  store_listing_title();
  store_listing_rows("ID         ");
}

void refusal_box(int choice) {
  warninghead(writer_header);
  say_number("DATA TYPE ID   =", fpsblk.itype);
  say_number("FORMAT COMMAND =", choice);
  say("NO WRITING PROCEDURE FOR THIS");
  say("FORMAT - DATA TYPE COMBINATION");
  say("==> NO ACTION");
  say("OUTPUT FILE HAS NOT BEEN WRITTEN");
  say("====> DATA ARE UNSAVED");
  warningtail00();
}

// A line that could not be written: the file is closed and cut back to
// whole lines, the write stops.
void write_failure_box(int iunit, int index) {
  errorhead(writer_header);
  say("  WHILE WRITING " + edit::i(index, 6) + " th DATA");
  say("  IN FILE: " + output_name(iunit));
  if (fiocom.iopou(iunit)) {
    say("  closing the file");
    if (const auto lines = close_keeping_whole_lines(iunit)) {
      say("  THE FILE KEEPS " + edit::i(*lines, 6) + " COMPLETE LINES");
    }
  }
  say("FILE " + output_name(iunit) + " IS CLOSED");
  errortail00();
}

void overflow_box(int lines, int first) {
  warninghead(writer_header);
  say_number("LINES WITH A FIELD TOO WIDE  =", lines);
  say_number("FIRST OF THEM IS DATA NUMBER =", first);
  say("SUCH FIELDS ARE WRITTEN AS ASTERISKS");
  say("=> THESE LINES DO NOT READ BACK");
  warningtail00();
}

// Writes every stored mechanism in the chosen layout. False after a
// failure (reported; the file is then closed).
bool write_lines(int iunit, const WriteChoice& w, int& overflow_lines, int& first_overflow) {
  std::ostream* out = units().output(fiocom.iouf(iunit));
  auto written = [&](std::string_view text) {
    if (out == nullptr) return false;
    out->write(text.data(), static_cast<std::streamsize>(text.size()));
    out->put('\n');
    return static_cast<bool>(*out);
  };
  if (w.table) {
    // A failure on a heading line, before any mechanism, shows index 0.
    if (!written(" '" + output_name(iunit) + "'") || !written(table_title_line(w.layout))) {
      write_failure_box(iunit, 0);
      return false;
    }
  }
  std::string line;
  for (int i = 1; i <= fpsblk.ndata; ++i) {
    const auto slot = static_cast<std::size_t>(i - 1);
    const LineWrite lw =
        w.table ? write_table_row(w.layout, fpsblk, slot, line) : write_catalogue_line(w.layout, fpsblk, slot, line);
    if (lw.overflowed() && overflow_lines++ == 0) first_overflow = i;
    if (!written(line)) {
      write_failure_box(iunit, i);
      return false;
    }
  }
  // Buffered lines reach the file here: a failure now concerns the last.
  if (out == nullptr || !out->flush()) {
    write_failure_box(iunit, fpsblk.ndata);
    return false;
  }
  return true;
}

void write_store(int iunit, const WriteChoice& w) {
  submenuhead(writer_header);
  say(rule);
  say("WRITING DATA TO FILE " + output_name(iunit));
  say(w.announcement);
  int overflow_lines = 0, first_overflow = 0;
  if (!write_lines(iunit, w, overflow_lines, first_overflow)) return;
  if (overflow_lines > 0) overflow_box(overflow_lines, first_overflow);
  say("WRITING COMPLETED");
  say_number("NUMBER OF SAVED DATA =", fpsblk.ndata);
  say("FILE " + output_name(iunit) + " IS STILL OPEN");
  say(rule);
  if (fiocom.iopou(iunit)) {
    bool close = true;
    int istat = 0;
    inlogicdef(close, "close output file", true, istat);
    if (close) {
      clofou(iunit, 0);
      say("output file " + output_name(iunit) + " closed");
    }
  }
  menutail();
}

}  // namespace

void fpswrite1(int iunit, SetupMode /*inter*/) {
  for (;;) {
    submenuhead(writer_header);
    if (iocom.lwito(2)) menu_body(iunit);
    int choice = choice_leave;
    int istat = 0;
    inintegdef(choice, "your choice", choice, istat);

    if (choice == choice_help) {
      format_help_box(writer_header);
      continue;
    }
    const std::optional<WriteChoice> w = write_choice(choice);
    // The layout is checked before the output file is opened, so that a
    // write that does not happen neither creates nor replaces a file.
    if (w && (w->itype == itype_empty || w->itype != fpsblk.itype)) {
      refusal_box(choice);
      continue;
    }

    const bool open = fiocom.iopou(iunit);
    if (!open && (choice == choice_open || w)) {
      opefou(iunit, edit::pad(w ? w->explanation : "data output", 35), 0);
    } else if (open && (choice == choice_close || choice == choice_leave)) {
      clofou(iunit, 0);
    }

    if (choice == choice_leave) return;
    if (choice == choice_list) listing();
    if (w) write_store(iunit, *w);
  }
}

}  // namespace dorvix
