// The plot file: opening with its settings dialogue, pages, closing.
//
// Each opening settles four settings: overlay, number of copies, page
// orientation and PostScript dialect. They are read from kavro7_ini.txt,
// shown, and either accepted or changed; changed settings, and settings
// that could not be read, are written back for the next opening, unless
// the file holds something else, which is kept.

#include <filesystem>
#include <string>

#include "dialogue/boxes.hpp"
#include "dialogue/command_file_end.hpp"
#include "dialogue/console_units.hpp"
#include "dialogue/file_opener.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/prompts.hpp"
#include "files/stops.hpp"
#include "files/units.hpp"
#include "numbers/edit.hpp"
#include "plot/device.hpp"
#include "plot/ps_stream.hpp"

namespace dorvix {


namespace {

constexpr Header plinit_header{"plinit", " 6.1", "14-05-2010"};
constexpr Header plend_header{"plend", " 6.0", "17-03-2009"};
constexpr Header newpage_header{"newpage", " 6.0", "17-03-2009"};
constexpr Header intplinit_header{"intplinit", " 8.0", "19-03-2009"};
constexpr Header intplend_header{"plend", " 5.0", "20-03-2009"};

// A name typed in a command file replaces a plot, never another file: a
// PostScript file, which begins with "%!" (a plot of any dialect, of one
// page or of pages, and an overlay of the third, which has the whole
// prolog), or an overlay of the first or second dialect, which begins
// with its own first line, whole; an empty file, which holds nothing to
// lose.
constexpr std::string_view plot_heads[] = {"%!", compressed_overlay_head, news_overlay_head};
constexpr ReplaceableFiles replaceable_plots{plot_heads, "EXISTS AND DOES NOT BEGIN WITH %! OR AS AN OVERLAY DOES"};

// Width of the settings display.
constexpr std::size_t display_width = 38;

// The name offered for the file of a new plot from the page menu.
constexpr std::string_view next_plot_name = "Next_plot";
constexpr std::size_t next_plot_width = 20;

// A plot file still open when the run ends (before its close) gets its
// trailer, and then ends with the run's other files (finish_run): closed,
// or given up after a stop. The trailer is registered before the file
// opens, so that the run's end has it whatever fails after the opening; a
// plot whose prolog is not whole gets none, and the run's end gives it up
// and says that it could not be written to its end.
bool trailer_registered = false;

void register_trailer_at_run_end() {
  if (trailer_registered) return;
  trailer_registered = true;
  at_run_end([] {
    trailer_registered = false;
    if (iocom.lplotop) {
      pstrailer();
      set_plot_open(false);
    } else {
      units().give_up_at_run_end(psparams.ipsunit);
    }
  });
}

std::string_view orientation_name(std::string_view code) {
  if (code == "P  ") return "Portrait";
  if (code == "LUS") return "Landscape U";  // "Landscape US Letter" in 11 columns
  if (code == "LA4") return "Landscape A";  // "Landscape A4" in 11 columns
  return code;                              // an unknown code shows as it stands
}

// The display's line of one setting, "System     = Portrait   ".
std::string overlay_line(const DefaultSettings& s) { return std::string("Overlay ?  = ") + (s.loverlay ? "Yes" : "No "); }
std::string copies_line(const DefaultSettings& s) { return "# Copies   = " + edit::i(s.ncopies, 3); }
std::string system_line(const DefaultSettings& s) {
  return "System     = " + edit::pad(orientation_name(s.psorient), 11);
}
std::string dialect_line(const DefaultSettings& s) { return "PostScript = " + edit::pad(cpstype(s.ipstype), 20); }

void settings_display(const DefaultSettings& s) {
  submenuhead(intplinit_header);
  if (!iocom.lwito(2)) return;
  const std::string box_rule = "+" + std::string(display_width - 2, '-') + "+";
  say(box_rule);
  for (std::string_view credit : {"   vostel: PostScript plot driver", "   Compressed, NeWS and Illustrator 88",
                                  "   portrait and landscape pages"}) {
    std::string line = "|";
    line += edit::pad(credit, display_width - 2);
    line += '|';
    say(line);
  }
  say(box_rule);
  const std::string rule(display_width, '-');
  say(rule);
  say(">>> CURRENT VERSION : " + std::string(intplinit_header.version) + "         <<<");
  say(">>> LAST MODIFIED ON: " + std::string(intplinit_header.date) + "   <<<");
  say(rule);
  say(edit::pad("         Default Settings:", display_width));
  say(rule);
  say(overlay_line(s));
  say(copies_line(s));
  say(system_line(s));
  say(dialect_line(s));
  menutail();
}

// Said whatever the output level, under the display, of a settings file
// cut short: how much of its record it holds, and the default that stands
// in for each setting it lacks.
void short_settings_lines(const DefaultSettings& s, const LackingSettings& lacking) {
  if (!lacking.any()) return;
  ItemLine()
      .text(std::string(default_settings_file) + " IS SHORT: ITS RECORD HAS")
      .integer(static_cast<long long>(lacking.columns), 0)
      .text("OF")
      .integer(static_cast<long long>(settings_record_width), 0)
      .text("COLUMNS")
      .write();
  const std::string stands_in = "==> DEFAULT ";
  if (lacking.overlay) say(stands_in + overlay_line(s));
  if (lacking.copies) say(stands_in + copies_line(s));
  if (lacking.orientation) say(stands_in + system_line(s));
  if (lacking.dialect) say(stands_in + dialect_line(s));
}

// The orientation menu, until one of the three codes is given.
void ask_orientation(std::string& psorient) {
  for (;;) {
    say("Page orientation...Command");
    say("Portrait.................P");
    say("Landscape US Letter....LUS");
    say("Landscape A4...........LA4");
    std::string answer;
    int istat = 0;
    inchardef(answer, "(vostel) command", psorient, istat, 3);
    if (answer == "LUS" || answer == "lus") {
      psorient = "LUS";
      return;
    }
    if (answer == "LA4" || answer == "la4") {
      psorient = "LA4";
      return;
    }
    if (answer[0] == 'P' || answer[0] == 'p') {
      psorient = "P  ";
      return;
    }
    // Asked again with no box; a command file stops there.
    const CommandFileStop stop = stop_command_file();
    say("Unknown command ==> Asking again");
    stop.say_where();
  }
}

void update_settings(DefaultSettings& s) {
  int istat = 0;
  submenuhead(intplinit_header);
  say(edit::pad("       Updating Default Settings:", display_width + 1));
  say(std::string(display_width + 1, '-'));
  bool overlay = s.loverlay;
  inlogicdef(overlay, "(vostel) Is this an overlay?", s.loverlay, istat);
  s.loverlay = overlay;
  int copies = s.ncopies;
  inintegvindef(copies, "(vostel) number of copies:", s.ncopies, min_copies, max_copies, istat);
  s.ncopies = copies;
  ask_orientation(s.psorient);
  say("choose Postscript type");
  for (int i = 1; i <= 3; ++i) say(edit::pad(cpstype(i), 20) + " " + edit::i(i, 3));
  int dialect = s.ipstype;
  inintegvindef(dialect, "your choice", s.ipstype, 1, 3, istat);
  s.ipstype = dialect;
}

// Why the settings file may not be written, or "". A file that holds no
// settings is never replaced; a file reached through a symbolic link is
// rewritten only after the user's Yes at the keyboard (a command file is
// not asked: its lines answer other questions).
std::string settings_refusal(SettingsFile found, bool link) {
  if (found == SettingsFile::not_settings) return "IS NOT A SETTINGS FILE, NOT REPLACED";
  if (!link) return "";
  const std::string name(default_settings_file);
  bool rewrite = false;
  if (iocom.iuin == unit_keyboard) {
    int istat = 0;
    std::error_code ec;
    const std::string target = std::filesystem::read_symlink(name, ec).string();
    inlogicdef(rewrite, "rewrite " + target + " through the link " + name, false, istat);
  }
  return rewrite ? "" : "IS A LINK, NOT REWRITTEN";
}

// Writes the settings in place of what the reading found under the name,
// and of nothing else; a link that led nowhere is written through, its
// file created, as a link always was.
void save_settings(const DefaultSettings& s, SettingsFile found, const std::optional<FileId>& found_id) {
  std::error_code ec;
  const bool link = std::filesystem::is_symlink(std::string(default_settings_file), ec);
  FileEnd e;
  e.reason = settings_refusal(found, link);
  if (e.reason.empty()) e = write_default_settings(s, psparams.ipsunit, link && !found_id ? nullptr : &found_id);
  if (e.reason.empty()) {
    submenuhead(intplinit_header);
    say("kavro7_ini.txt updated or created");
    menutail();
    return;
  }
  warninghead(intplinit_header);
  say("could not write kavro7_ini.txt");
  say(e.reason);
  if (e.kind == FileEnd::Kind::old_kept) say("==> the old kavro7_ini.txt is kept");
  if (!e.kept_as.empty()) say("==> the new settings are kept in " + e.kept_as);
  say("==> default settings not saved");
  warningtail00();
}

}  // namespace

void plinit(std::string& cfile, SetupMode mode, std::size_t width) {
  if (iocom.lplotop) {
    warninghead(plinit_header);
    say("Plot file or window is already opened");
    say("==> appending to current plot file/window");
    warningtail00();
    return;
  }
  intplinit(cfile, mode, width);
  set_plot_open(true);
  splotparam2(mode.from_stored() ? setup::all_subplots : setup::initialise);
}

bool open_driver_plot(std::string& name, std::size_t width) {
  const bool was_open = iocom.lplotop;
  plinit(name, setup::menu_from_stored, width);
  name = edit::pad(name, width);
  if (was_open) return false;
  int fill = 1;
  sfillstyle(fill, setup::initialise);
  return true;
}

void plend() {
  if (iocom.lplotop) {
    intplend();
    set_plot_open(false);
    return;
  }
  warninghead(plend_header);
  say("The plot window or file is already closed");
  warningtail00();
}

void plend_if_failed() {
  UnitFile* file = iocom.lplotop ? ps::file() : nullptr;
  if (file == nullptr || file->flush()) return;
  psend();
  set_plot_open(false);
  submenuhead(intplend_header);
  say("The PostScript plot file is closed");
  menutail();
}

void newpage() {
  submenuhead(newpage_header);
  say("IT IS SUGGESTED TO CLEAR THE PLOT");
  say("You can:");
  // The answers run from a new page, the default, to appending.
  constexpr int new_page = 0, append = 2;
  const MenuTable answers{
      .rows = {{.choice = new_page, .label = "clear the window / add a page to the file ", .action = intnewpage},
               {.choice = 1,
                .label = "close the window / file and open a new one ",
                .action =
                    [] {
                      plend();
                      std::string name(next_plot_name);
                      plinit(name, setup::menu_from_stored, next_plot_width);
                    }},
               {.choice = append, .label = "append to the current window / file "}},
      .width = 45};
  show_rows(answers);
  menutail();
  int choice = new_page, istat = 0;
  inintegvindef(choice, "your choice", new_page, new_page, append, istat);
  dispatch(answers, choice);
}

void intplinit(std::string& cfile, SetupMode mode, std::size_t width) {
  psparams.ipsunit = 50;
  DefaultSettings s;
  std::optional<FileId> found_id;
  LackingSettings lacking;
  const SettingsFile found = read_default_settings(s, psparams.ipsunit, &found_id, &lacking);
  settings_display(s);
  short_settings_lines(s, lacking);
  bool use_defaults = true;
  int istat = 0;
  inlogicdef(use_defaults, "(vostel) Use default settings ?", true, istat);
  if (!use_defaults) update_settings(s);
  if (!use_defaults || found != SettingsFile::read) save_settings(s, found, found_id);
  psparams.psorient = s.psorient;
  psparams.ipstype = s.ipstype;

  register_trailer_at_run_end();
  opef2(cfile, "postcript plot", psparams.ipsunit, "unknown", mode.silent() ? 1 : 0, width, replaceable_plots);
  psparams.ipspage = 1;
  psparams.ipspath = 0;
  if (s.loverlay && psparams.ipstype != dialect_illustrator) {
    psoverlay();
  } else {
    psprolog(s.ncopies, edit::pad(cfile, width));
  }
}

void intplend() {
  submenuhead(intplend_header);
  if (iocom.lwito(2)) say("Ready to close the PostScript plot file");
  std::string answer;
  int istat = 0;
  inchar1(answer, "CR = Return to close the PostScript file", istat, 1);
  psend();
  say("The PostScript plot file is closed");
  menutail();
}

}  // namespace dorvix
