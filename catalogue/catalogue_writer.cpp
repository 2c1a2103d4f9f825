#include "catalogue/catalogue_writer.hpp"

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>

#include "catalogue/format_help.hpp"
#include "catalogue/line_codec.hpp"
#include "catalogue/store.hpp"
#include "catalogue/store_listing.hpp"
#include "dialogue/boxes.hpp"
#include "dialogue/command_file_end.hpp"
#include "dialogue/console_units.hpp"
#include "dialogue/data_files.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/prompts.hpp"
#include "files/stops.hpp"
#include "files/units.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

namespace {

constexpr Header writer_header{"fpswrite1", " 1.0", "26-03-2010"};

// What a write option writes: the data type its layout needs (none for
// the options that select no layout, always refused), the layout, and
// its texts.
struct Format {
  int itype;
  Layout layout;
  bool table;
  std::string_view explanation;  // of the output file
  std::string_view announcement;
};

constexpr Format fpfit_lines{itype_fpfit, Layout::fpfit, false, "FPFIT output", "FPFIT format"};
constexpr Format fpfit_table{itype_fpfit, Layout::fpfit, true, "FPFIT-table output", "TABULATED FPFIT ORIGINAL ORDER"};
constexpr Format hash_lines{itype_hash, Layout::hash, false, "HASH output", "HASH format"};
constexpr Format hash_table{itype_hash, Layout::hash, true, "HASH-table output", "TABULATED HASH ORIGINAL ORDER"};
constexpr Format no_layout{itype_empty, Layout::fpfit, false, "", ""};

const std::string rule(43, '-');

void say_number(std::string_view text, int v) { say(std::string(text) + " " + edit::i(v, 6)); }

std::string output_name(int iunit) { return edit::pad(fiocom.oufnam(iunit), data_file_text_width); }

void listing(int command) {
  if (!listable_store()) {
    no_listing_box(writer_header, command);
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

// A line that could not be written: the file is given up, the write
// stops. The box says why, and what is left: the old file that the new
// one was to replace, or the data a new file keeps, cut back to whole
// lines (a table's two heading lines are no data). A command file stops
// there: the closing question it answers is not asked, and the rest of
// its job would go on from a file that is not whole.
void write_failure_box(int iunit, const Format& w) {
  const CommandFileStop stop = stop_command_file();
  errorhead(writer_header);
  say("  WHILE WRITING DATA");
  say("  IN FILE: " + output_name(iunit));
  if (fiocom.iopou(iunit)) {
    say("  closing the file");
    const std::optional<FileEnd> e = give_up_output(iunit);
    if (!e->reason.empty()) say("  " + e->reason);
    if (e->kind == FileEnd::Kind::old_kept) {
      say("  THE OLD FILE IS KEPT, NOT REPLACED");
    } else if (const auto lines = e->lines) {
      say("  THE FILE KEEPS " + edit::i(*lines, 6) + " COMPLETE LINES");
      const long long saved = std::max(*lines - (w.table ? 2 : 0), 0LL);
      say("  NUMBER OF SAVED DATA = " + edit::i(saved, 6) + " OF " + edit::i(fpsblk.ndata, 6));
    }
    clofou(iunit, 0);
  }
  say("FILE " + output_name(iunit) + " IS CLOSED");
  stop.say_where();
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
bool write_lines(int iunit, const Format& w, int& overflow_lines, int& first_overflow) {
  // Each line goes straight into the file's buffer, which counts it for a
  // failed write to tell how many reached the file.
  UnitFile* file = units().output_file(fiocom.iouf(iunit));
  auto written = [file](std::string_view text) { return file != nullptr && file->put_line(text); };
  if (w.table) {
    if (!written(" '" + output_name(iunit) + "'") || !written(table_title_line(w.layout))) {
      write_failure_box(iunit, w);
      return false;
    }
  }
  std::string line;
  for (int i = 1; i <= fpsblk.ndata; ++i) {
    // A stop signal ends the run here, after a whole line.
    end_run_if_stopped();
    const auto slot = static_cast<std::size_t>(i - 1);
    const LineWrite lw =
        w.table ? write_table_row(w.layout, fpsblk, slot, line) : write_catalogue_line(w.layout, fpsblk, slot, line);
    if (lw.overflowed() && overflow_lines++ == 0) first_overflow = i;
    if (!written(line)) {
      write_failure_box(iunit, w);
      return false;
    }
  }
  // Buffered lines reach the file here.
  if (file == nullptr || !file->flush()) {
    write_failure_box(iunit, w);
    return false;
  }
  return true;
}

void write_store(int iunit, const Format& w) {
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

void open_output(int iunit, std::string_view explanation) {
  if (!fiocom.iopou(iunit)) opefou(iunit, edit::pad(explanation, 35), 0);
}
void close_output(int iunit) {
  if (fiocom.iopou(iunit)) clofou(iunit, 0);
}

// A write option: refused (before any file is opened, so that a write
// that does not happen neither creates nor replaces a file) unless the
// store holds the data type of its layout; else the output file is opened
// when none is and the store written.
MenuRow write_row(int choice, std::string_view label, const Format& f, int iunit, std::function<bool()> shown) {
  return {.choice = choice,
          .label = label,
          .action =
              [choice, &f, iunit] {
                if (f.itype == itype_empty || f.itype != fpsblk.itype) {
                  refusal_box(choice);
                  return;
                }
                open_output(iunit, f.explanation);
                write_store(iunit, f);
              },
          .shown = std::move(shown)};
}

// The listing, whose warning names the command that asked for it.
MenuRow listing_row(int choice) {
  return {.choice = choice, .label = "LIST DATA TO SCREEN ", .action = [choice] { listing(choice); }};
}

std::function<bool()> store_holds(int itype) {
  return [itype] { return fpsblk.itype == itype; };
}

// The menu; `done` is set by the choice that leaves it.
MenuTable writer_menu(int iunit, bool& done) {
  const auto file_name = [iunit](ItemLine& l) { l.text(output_name(iunit)); };
  const auto never = [] { return false; };
  const std::vector<MenuRow> options = {
      {.choice = 12,
       .label = "OPEN  DATA OUTPUT FILE ",
       .action = [iunit] { open_output(iunit, "data output"); },
       .value = file_name},
      {.choice = 22,
       .label = "CLOSE DATA OUTPUT FILE ",
       .action = [iunit] { close_output(iunit); },
       .value = file_name},
      dash_row(),
      {.label = "WRITE DATA TO OUTPUT FILE IN FORMAT:", .shown = [] { return listable_store(); }},
      write_row(1000, " FPFIT ", fpfit_lines, iunit, store_holds(itype_fpfit)),
      write_row(2000, " Tabulated FPFIT order ", fpfit_table, iunit, store_holds(itype_fpfit)),
      write_row(1001, " HASH ", hash_lines, iunit, store_holds(itype_hash)),
      write_row(2001, " Tabulated HASH order ", hash_table, iunit, store_holds(itype_hash)),
      {.label = "CANNOT WRITE THIS DATA TYPE", .shown = [] { return !listable_store(); }},
      // Two options the menu does not show: they select no layout, and are refused.
      write_row(3000, "", no_layout, iunit, never),
      write_row(3001, "", no_layout, iunit, never),
      listing_row(1100),
  };
  return {.rows = joined({{dash_row()},
                          store_state_rows(),
                          options,
                          help_and_exit_rows(
                              writer_header, [iunit] { close_output(iunit); }, done)})};
}

}  // namespace

void fpswrite1(int iunit, SetupMode /*inter*/) {
  bool done = false;
  const MenuTable menu = writer_menu(iunit, done);
  menu_loop(writer_header, menu, done,
            MenuStyle{.exit_line = {}, .prompt = Prompt::with_default, .body_at_level_2 = true});
}

}  // namespace dorvix
