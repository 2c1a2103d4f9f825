#include "catalogue/catalogue_reader.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/extraction_criteria.hpp"
#include "catalogue/extraction_tests.hpp"
#include "catalogue/format_help.hpp"
#include "catalogue/line_codec.hpp"
#include "catalogue/line_layout.hpp"
#include "catalogue/nodal_plane.hpp"
#include "catalogue/selection_polygon.hpp"
#include "catalogue/store.hpp"
#include "catalogue/store_listing.hpp"
#include "dialogue/boxes.hpp"
#include "dialogue/command_file_end.hpp"
#include "dialogue/console_units.hpp"
#include "dialogue/cut_lines.hpp"
#include "dialogue/data_files.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/prompts.hpp"
#include "files/units.hpp"
#include "numbers/edit.hpp"
#include "numbers/fixed_fields.hpp"

namespace dorvix {

namespace {

constexpr Header reader_header{"fpsreadex1", " 1.1", "01-05-2010"};

// The default answer of the read-error box: close the file.
constexpr int close_that_file = 2;

// Start values of the extremes: every value read replaces them.
constexpr real no_minimum = 10000.0f;
constexpr real no_maximum = -10000.0f;

const std::string rule(43, '-');

// Kept from one call to the next.
struct ReaderState {
  bool lwrall = false;  // a counter row for every line read
  bool lwrsel = false;  // a counter row for every line retained
  int ndatread = 0;     // lines read by the last read
};
ReaderState state;


void say_number(std::string_view text, int v) { say(std::string(text) + " " + edit::i(v, 6)); }

std::string input_name(int iunit) { return edit::pad(fiocom.infnam(iunit), data_file_text_width); }

// ---- One read -------------------------------------------------------------------

// The extremes of the positions and depths of a set of lines.
struct Extremes {
  real latmin = no_minimum, latmax = no_maximum;
  real longmin = no_minimum, longmax = no_maximum;
  real depthmin = no_minimum, depthmax = no_maximum;

  void take(real lat, real lon, real depth) {
    latmax = std::max(latmax, lat);
    latmin = std::min(latmin, lat);
    longmax = std::max(longmax, lon);
    longmin = std::min(longmin, lon);
    depthmax = std::max(depthmax, depth);
    depthmin = std::min(depthmin, depth);
  }
};

void counter_row(int iread, int istore) {
  std::string line = " | ";
  edit::i(line, iread, 7);
  line += " | ";
  edit::i(line, istore, 7);
  line += " |";
  put(iocom.iuout, line);
}

void counter_head(int iunit, Layout layout) {
  say(rule);
  say(std::string(layout == Layout::fpfit ? "READING IN FPFIT FILE:" : "READING IN HASH FILE:") + " " +
      input_name(iunit));
  say("---------------------");
  say("|      data nb      |");
  say("|-------------------|");
  say("| reading | storing |");
  say("|-------------------|");
}

// The box of an FPFIT hemisphere or direction letter that is none of the
// accepted ones; the position was taken as north or east.
void letter_box(const FpfitPosition& p, bool latitude) {
  auto value = [](std::string_view text, real v) { say(std::string(text) + " " + edit::f(v, 12, 3)); };
  warninghead(reader_header);
  value("latitude  degrees   =", p.lat_degrees);
  value("latitude  minutes   =", p.lat_minutes);
  say(std::string("latitude hemisphere = ") + p.hemisphere);
  value("longitude degrees   =", p.lon_degrees);
  value("longitude minutes   =", p.lon_minutes);
  say(std::string("longitude direction = ") + p.direction);
  say(std::string(27, '-'));
  if (latitude) {
    say("latitude hemisphere");
    say("should be S or blank");
    say("=> LATITUDE NEEDS TO BE CORRECTED");
    say("=> Assuming = North");
  } else {
    say("longitude direction");
    say("should be E or blank");
    say("=> LONGITUDE NEEDS TO BE CORRECTED");
    say("=> Assuming = East");
  }
  warningtail00();
}

bool within(real v, real lo, real hi) { return lo <= v && v <= hi; }

// The location tests of a slot at lat, lon (single precision), in order;
// the first that fails rejects the line.
bool location_passes(std::size_t slot, real lat, real lon) {
  const SeisTest2& t = seistest2;
  if (!t.ltest) return true;
  if (t.ltlat && !within(lat, t.rlatmin, t.rlatmax)) return false;
  if (t.ltlong && !longitude_keeps(lon)) return false;
  if (t.ltdepth && !within(fpsblk.depth1[slot], t.depthmin, t.depthmax)) return false;
  if (t.ltpoly && !polygon_keeps(lon, lat)) return false;
  return true;
}

// A rake in interval 1, or in interval 2 or 3 while that is on.
bool rake_in_intervals(real rake) {
  const SeisTest2& t = seistest2;
  return within(rake, t.rakemin1, t.rakemax1) || (t.ltrake2 && within(rake, t.rakemin2, t.rakemax2)) ||
         (t.ltrake3 && within(rake, t.rakemin3, t.rakemax3));
}

// The rake test on plane 1 or 2 ("1 OR 2"), or on both ("1 AND 2").
bool rake_passes(std::size_t slot) {
  const SeisTest2& t = seistest2;
  if (!t.ltest || !t.ltrake1) return true;
  const bool plane1 = rake_in_intervals(fpsblk.rake1[0][slot]);
  const bool plane2 = rake_in_intervals(fpsblk.rake1[1][slot]);
  return t.lrakeboth ? plane1 && plane2 : plane1 || plane2;
}

void second_nodal_plane(std::size_t slot) {
  FpsBlk& b = fpsblk;
  nodalpladrdeg(b.strike1[1][slot], b.dip1[1][slot], b.rake1[1][slot], b.strike1[0][slot], b.dip1[0][slot],
                b.rake1[0][slot]);
}

// ---- The report -------------------------------------------------------------------

// " | a | b | c |": each item in 10 columns, a text right-aligned.
void table_line(std::string_view label, std::string_view b, std::string_view c) {
  std::string line = " | ";
  edit::a(line, label, 10);
  line += " | ";
  line += b;
  line += " | ";
  line += c;
  line += " |";
  put(iocom.iuout, line);
}
void table_texts(std::string_view label, std::string_view b, std::string_view c) {
  table_line(label, edit::a(b, 10), edit::a(c, 10));
}
void table_integers(std::string_view label, int b, int c) { table_line(label, edit::i(b, 10), edit::i(c, 10)); }
void table_reals(std::string_view label, real b, real c) { table_line(label, edit::f(b, 10, 3), edit::f(c, 10, 3)); }

void tests_report() {
  const SeisTest2& t = seistest2;
  if (!t.ltest) {
    say("No test => retain all data");
    return;
  }
  say(rule);
  table_texts("Test on:", "Mini", "Maxi");
  say(rule);
  if (t.ltpoly) {
    table_integers("Polygon", 1, t.nvrtx);
    if (t.lgcpoly) {
      table_texts("Bounds", "great", "circles");
    } else {
      table_texts("Bounds", "straight", "lines");
    }
  }
  if (t.ltlat) table_reals("Latitude ", t.rlatmin, t.rlatmax);
  if (t.ltlong) table_reals("Longitude", t.rlongmin, t.rlongmax);
  if (t.ltdepth) table_reals("Depth    ", t.depthmin, t.depthmax);
  if (t.ltrake1) {
    table_texts("Rake test", "Planes", t.lrakeboth ? "1 AND 2" : "1 OR 2");
    table_reals("Rake int1", t.rakemin1, t.rakemax1);
    if (t.ltrake2) table_reals("Rake int2", t.rakemin2, t.rakemax2);
    if (t.ltrake3) table_reals("Rake int3", t.rakemin3, t.rakemax3);
  } else if (t.ltrake2 || t.ltrake3) {
    // Intervals 2 and 3 only widen interval 1, which is off.
    table_texts("Rake test", "none", "int1 off");
  }
}

void read_report(int iunit, const Extremes& read, const Extremes& kept) {
  say(rule);
  say("Input file: " + input_name(iunit));
  say("Could store up to : " + edit::i(ndatmax, 6) + " data");
  say_number("Data type ID      =", fpsblk.itype);
  tests_report();
  say(rule);
  table_texts("Parameter", "Read", "Retained");
  say(rule);
  table_integers("Nb of data", state.ndatread, fpsblk.ndata);
  table_reals("Long  maxi", read.longmax, kept.longmax);
  table_reals("Long  mini", read.longmin, kept.longmin);
  table_reals("Lat   maxi", read.latmax, kept.latmax);
  table_reals("Lat   mini", read.latmin, kept.latmin);
  table_reals("Depth maxi", read.depthmax, kept.depthmax);
  table_reals("Depth mini", read.depthmin, kept.depthmin);
}

// The last column of the strike, dip and rake fields: a line that ends
// before it holds no complete mechanism (its missing columns would read
// as blanks, so as zero).
int mechanism_end(Layout layout) {
  int end = 0;
  for (const LineField& f : line_layout(layout).fields) {
    if (std::holds_alternative<PlaneColumn>(f.store)) end = std::max(end, f.col + f.width - 1);
  }
  return end;
}

// Lines of one kind met in a read: how many, and the first of them.
struct LineTally {
  int count = 0;
  int first = 0;  // line number in the file
  void note(int line_number) {
    if (count++ == 0) first = line_number;
  }
};

// Lines shorter than their layout, counted so that a cut file is noticed:
// those that end before the mechanism are left out (what they hold of it
// would read as zero: a mechanism at 0 N 0 E with strike, dip and rake 0);
// those that end after it are read, their missing columns as blanks
// (files in the wild drop trailing blanks).
struct ShortLines {
  LineTally cut;      // ending before the mechanism's end
  LineTally partial;  // ending after it, before the layout's last column
  bool any() const { return cut.count > 0 || partial.count > 0; }
};

void short_lines_box(const ShortLines& s, int end_column, int width) {
  warninghead(reader_header);
  if (s.cut.count > 0) {
    say_number("LINES ENDING BEFORE THE MECHANISM =", s.cut.count);
    say_number("FIRST OF THEM IS LINE NUMBER      =", s.cut.first);
    say("STRIKE, DIP AND RAKE END IN COLUMN " + edit::i(end_column, 0));
    say("=> THESE LINES WERE LEFT OUT");
  }
  if (s.partial.count > 0) {
    say_number("LINES ENDING AFTER THE MECHANISM  =", s.partial.count);
    say_number("FIRST OF THEM IS LINE NUMBER      =", s.partial.first);
    say("A WHOLE LINE ENDS IN COLUMN " + edit::i(width, 0));
    say("=> MISSING COLUMNS WERE READ AS BLANKS");
  }
  warningtail00();
}

// The field of a line that does not hold a number of its kind.
struct UnreadableField {
  int line_number;  // in the file, blank lines counted
  const LineField& field;
  std::string_view line;
};

// The field's columns as they stand, between apostrophes so that its
// blanks show; a character that the console cannot show is written as ?.
std::string quoted_columns(const UnreadableField& u) {
  std::string text = field_text(u.line, u.field.col, u.field.width);
  for (char& c : text) {
    if (c < ' ' || c > '~') c = '?';
  }
  return "'" + text + "'";
}

// Which line, which field and columns, and what they hold instead.
void unreadable_field_lines(const UnreadableField& u) {
  const LineField& f = u.field;
  const std::string_view kind = f.read == FieldKind::integer ? "integer" : "decimal";
  say("  CANNOT READ LINE # " + edit::i(u.line_number, 6));
  say("  FIELD:   " + std::string(f.name) + " (" + std::string(kind) + ")");
  say("  COLUMNS: " + edit::i(f.col, 0) + "-" + edit::i(f.col + f.width - 1, 0));
  say("  TEXT:    " + quoted_columns(u));
}

// A second try on a file that cannot be rewound (a pipe, whose lines read
// are gone): refused in an error box, and the file closed. A command file
// that asked for it stops there: its next read would need a new name.
void not_again_box(int iunit) {
  const CommandFileStop stop = stop_command_file();
  errorhead(reader_header);
  say("  IN FILE: " + input_name(iunit));
  say("  IS A PIPE: THE LINES READ ARE GONE");
  say("  ==> CANNOT BE READ AGAIN, CLOSING IT");
  stop.say_where();
  errortail00();
  clofin(iunit, 0);
}

// A line that cannot be read (`bad` names its field; none when the file
// itself could not be read): the user rewinds or closes the file; the
// store is emptied either way. Another answer brings the box back, and a
// command file that gave it stops there.
void read_error(int iunit, int iread, const UnreadableField* bad) {
  const MenuTable answers{.rows = {{.choice = 1,
                                    .label = "  Try again on same file ",
                                    .action =
                                        [iunit] {
                                          const int unit = fiocom.iuinf(iunit);
                                          if (!units().can_rewind(unit)) return not_again_box(iunit);
                                          units().rewind(unit);
                                          say("input file  " + input_name(iunit) + "  rewound");
                                        }},
                                   {.choice = close_that_file,
                                    .label = "  close that file ",
                                    .action = [iunit] { clofin(iunit, 0); }}}};
  choice_loop(
      reader_header,
      [&] {
        errorhead(reader_header);
        say("  WHILE READING " + edit::i(iread, 6) + " th DATA");
        say("  IN FILE: " + input_name(iunit));
        if (bad != nullptr) unreadable_field_lines(*bad);
        say(std::string(32, '-'));
        show_rows(answers);
        errortail00();
      },
      [&answers](int choice) { return dispatch(answers, choice) == Reply::unknown ? Reply::unknown : Reply::leave; },
      Prompt::older, edit::pad("your choice", 35), {}, close_that_file);
  state.ndatread = 0;
  fpsblk.ndata = 0;
  fpsblk.itype = itype_empty;
}

// After a full store: whether the file still holds a line of data (a
// line that is not blank, readable or not; the rest of a file that cannot
// be read may hold some).
bool data_left(int unit) {
  std::string line;
  for (;;) {
    const ReadResult r = units().read_line(unit, line);
    if (r != ReadResult::ok) return r == ReadResult::error;
    if (!is_blank_line(line)) return true;
  }
}

// Reads the whole file. True after a complete read (end of file or a full
// store), false after a read error.
bool read_catalogue(int iunit, Layout layout) {
  fpsblk.itype = static_cast<int>(layout);
  const bool echo_selected = state.lwrsel && !state.lwrall;
  if (seistest2.ltfroh) {
    warninghead(reader_header);
    say_number("Data type ID =", fpsblk.itype);
    say("NO FROHLICH TESTS WITH THESE DATA");
    warningtail00();
  }
  Extremes read, kept;
  const std::optional<LongitudeTurn> turn = selection_turn();
  if (state.lwrall || state.lwrsel) counter_head(iunit, layout);

  const int unit = fiocom.iuinf(iunit);
  const auto end_column = static_cast<std::size_t>(mechanism_end(layout));
  const auto width = static_cast<std::size_t>(line_layout(layout).length);
  ShortLines short_lines;
  int line_number = 0;
  int iread = 1;
  int istore = 1;
  std::string line;
  for (;;) {
    const ReadResult r = units().read_line(unit, line);
    if (r == ReadResult::end_of_file) break;
    ++line_number;
    if (r == ReadResult::error) {
      read_error(iunit, iread, nullptr);
      return false;
    }
    // A whole line costs this one comparison.
    if (line.size() < width) {
      if (is_blank_line(line)) continue;
      if (line.size() < end_column) {
        short_lines.cut.note(line_number);
        continue;
      }
      short_lines.partial.note(line_number);
    }
    const auto slot = static_cast<std::size_t>(istore - 1);
    const LineRead lr = read_catalogue_line(layout, line, fpsblk, slot);
    if (lr.status == LineStatus::blank) continue;
    if (lr.status == LineStatus::unreadable) {
      const auto field = static_cast<std::size_t>(lr.bad_field - 1);
      const UnreadableField bad{line_number, line_layout(layout).fields[field], line};
      read_error(iunit, iread, &bad);
      return false;
    }
    if (lr.unknown_hemisphere) letter_box(lr.position, true);
    if (lr.unknown_direction) letter_box(lr.position, false);
    if (state.lwrall) counter_row(iread, istore);
    // The longitude as read, or, after a selection across 180 degrees, in
    // the turn that selection places its epicentres in: a window of
    // 150..200 reports 150.x to 19x.x, not the whole globe.
    const real lat = fpsblk.rlat1[slot], lon = fpsblk.rlong1[slot], depth = fpsblk.depth1[slot];
    const real placed = turn ? turn->nearest(lon) : lon;
    read.take(lat, placed, depth);
    if (location_passes(slot, lat, lon)) {
      second_nodal_plane(slot);
      if (rake_passes(slot)) {
        if (echo_selected) counter_row(iread, istore);
        kept.take(lat, placed, depth);
        set_date_texts(fpsblk, slot);
        ++istore;
      }
    }
    ++iread;
    if (istore > ndatmax) break;
  }

  state.ndatread = iread - 1;
  fpsblk.ndata = istore - 1;
  read_report(iunit, read, kept);
  if (short_lines.any()) {
    short_lines_box(short_lines, static_cast<int>(end_column), static_cast<int>(width));
  }
  if (fpsblk.ndata == ndatmax && data_left(unit)) {
    warninghead(reader_header);
    say("data may not have been fully read");
    warningtail00();
  }
  cut_lines_box(reader_header, unit);
  clofin(iunit, 0);
  return true;
}

// ---- Menu ---------------------------------------------------------------------

// The input file opened under `explanation` unless it is open already.
void open_input(int iunit, std::string_view explanation) {
  if (!fiocom.iopin(iunit)) opefin(iunit, edit::pad(explanation, 35), 0);
}
void close_input(int iunit) {
  if (fiocom.iopin(iunit)) clofin(iunit, 0);
}

// A read option: the file opened for it when none is, the whole file read,
// the menu left after a complete read.
MenuRow read_row(int choice, std::string_view label, int iunit, Layout layout, std::string_view explanation,
                 bool& done) {
  return {.choice = choice, .label = label, .action = [iunit, layout, explanation, &done] {
            open_input(iunit, explanation);
            done = read_catalogue(iunit, layout);
          }};
}

// The menu; `done` is set by the choices that leave it.
MenuTable reader_menu(int iunit, bool& done) {
  const auto file_name = [iunit](ItemLine& l) { l.text(input_name(iunit)); };
  const std::vector<MenuRow> options = {
      {.choice = 4,
       .label = "WRITE ALL READ DATA TO SCREEN ",
       .action = [] { ask_flag(state.lwrall, "write data sorting to screen"); },
       .value = shows_flag(state.lwrall)},
      {.choice = 5,
       .label = "WRITE SELECTED DATA TO SCREEN ",
       .action = [] { ask_flag(state.lwrsel, "write extracted data to screen"); },
       .value = shows_flag(state.lwrsel)},
      {.choice = 11,
       .label = "OPEN  INPUT FILE ",
       .action = [iunit] { open_input(iunit, "unknown data input"); },
       .value = file_name},
      {.choice = 21, .label = "CLOSE INPUT FILE ", .action = [iunit] { close_input(iunit); }, .value = file_name},
      {.choice = 100,
       .label = "EXTRACTION CRITERIA ",
       .action = [] { setseistest6(setup::menu_from_stored); },
       .value = shows_flag(seistest2.ltest)},
      dash_row(),
      {.label = "READ, EXTRACT, AND EXIT:"},
      read_row(1000, " FPFIT format file ", iunit, Layout::fpfit, "FPFIT input", done),
      read_row(1001, " HASH  format file ", iunit, Layout::hash, "HASH input", done),
  };
  return {.rows = joined({{dash_row(), {.label = "READ AND EXTRACT CMT DATA"}, dash_row(), {.label = "PARAMETERS:"}},
                          store_state_rows(),
                          options,
                          help_and_exit_rows(
                              reader_header, [iunit] { close_input(iunit); }, done)})};
}

void initialise(SetupMode inter) {
  submenuhead(reader_header);
  say("INITIALIZING INPUT PARAMETERS");
  fpsblk.itype = itype_empty;
  fpsblk.ndata = 0;
  state = ReaderState{};
  setseistest6(inter);
}

}  // namespace

void fpsreadex1(int iunit, SetupMode inter) {
  if (inter.from_defaults()) {
    initialise(inter);
    return;
  }
  bool done = false;
  const MenuTable menu = reader_menu(iunit, done);
  menu_loop(reader_header, menu, done,
            MenuStyle{.exit_line = {}, .prompt = Prompt::with_default, .body_at_level_2 = true});
}

}  // namespace dorvix
