// The colour table: 13 entries (indices 0 to 12) of red, green and blue in
// percent with an 8-character name, the number of colours in use (which
// bounds every colour index) and the colour flag (off for one colour: a
// black-and-white plot). Entry 0 is the background, entry 1 the
// foreground.
//
// Colour-table file (free format, unit 20): the number of colours n, then
// one record per colour in use (n brought into 1 to 12, plus one for
// entry 0): index, red, green and blue in percent, and a name (quoted
// when it holds blanks or commas). Each record sets the entry its index
// names. The whole file is read before anything is applied, so a file
// that cannot be read to its end leaves the table as it was.

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/boxes.hpp"
#include "dialogue/cut_lines.hpp"
#include "dialogue/file_opener.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/prompts.hpp"
#include "dialogue/range_checks.hpp"
#include "files/list_read.hpp"
#include "files/units.hpp"
#include "numbers/edit.hpp"
#include "plot/device.hpp"
#include "plot/menu_lines.hpp"

namespace dorvix {

namespace {


constexpr Header scolortable_header{"scolortable", " 1.3", "10-05-2009"};
constexpr Header scolornb_header{"scolornb", " 1.3", "12-07-2001"};
constexpr Header scolorrgb_header{"scolorgb", " 2.1", "16-03-2009"};

constexpr int max_ncolor = max_colour_index;  // colours in use: indices 0..ncolor, ncolor at most 12
constexpr int default_ncolor = 4;             // of the number-of-colours setter alone
constexpr std::size_t colour_name_width = 8;
constexpr std::size_t record_name_width = 35;  // a name as the table and the file hand it over
constexpr int colour_file_unit = 20;
constexpr std::size_t colour_file_name_width = 25;
constexpr real max_percent = 100.0f;

struct Colour {
  std::string_view name;
  real red, green, blue;
};

// The default table: the primaries and their complements at half
// intensity, then greys from light to dark. "White-bkg" keeps 8
// characters.
constexpr Colour default_table[ncolour_entries] = {
    {"White-bkg", 100, 100, 100}, {"Black", 0, 0, 0},      {"Red", 50, 0, 0},       {"Green", 0, 50, 0},
    {"Blue", 0, 0, 50},           {"Cyan", 0, 50, 50},     {"Magenta", 50, 0, 50},  {"Yellow", 50, 50, 0},
    {"Grey20", 80, 80, 80},       {"Grey30", 70, 70, 70},  {"Grey40", 60, 60, 60},  {"Grey50", 50, 50, 50},
    {"Grey70", 30, 30, 30},
};

// The reset of one entry's setter: background, foreground and the full
// primaries (entries 2 to 4 only while at least 4 colours are in use).
constexpr Colour primaries[5] = {
    {"White-bk", 100, 100, 100}, {"Black", 0, 0, 0}, {"Red", 100, 0, 0}, {"Green", 0, 100, 0}, {"Blue", 0, 0, 100},
};
constexpr int primaries_from = 4;  // colours in use needed for entries 2 to 4

std::size_t at(int index) { return static_cast<std::size_t>(index); }

void store_entry(int index, std::string_view name, real red, real green, real blue) {
  const std::size_t k = at(index);
  const bool changed = plt2blk.red[k] != red || plt2blk.green[k] != green || plt2blk.blue[k] != blue;
  // A path still open was drawn in the old colour; and the colour the plot
  // file holds is no longer this entry's, so it must be written again.
  if (changed) colour_entry_changing(index);
  plt2blk.red[k] = red;
  plt2blk.green[k] = green;
  plt2blk.blue[k] = blue;
  pltcharblk.colornam[k] = edit::pad(name, colour_name_width);
}

// ---- Number of colours ------------------------------------------------------

bool colour_count_in_range(int n) { return n >= 1 && n <= max_ncolor; }

// n brought into 1 to 12, with a warning box when outside.
void clamp_colour_count(int& n) {
  if (colour_count_in_range(n)) return;
  warninghead(scolornb_header);
  ItemLine().text("trying to set nb of color  =").integer(n, 3).write();
  if (n > max_ncolor) {
    ItemLine().text("max nb of color  =").integer(max_ncolor, 3).write();
    n = max_ncolor;
  } else {
    say("min nb of color  = 1");
    n = 1;
  }
  ItemLine().text("===> RESET nb of color =").integer(n, 3).write();
  warningtail00();
}

enum class Leave { update, cancel };

// A menu of rows closed by its two ways out, cancelling (98) and updating
// (99), run until one of them is chosen.
Leave run_until_left(const Header& h, std::vector<MenuRow> rows) {
  Leave how = Leave::update;
  bool left = false;
  const auto leave = [&how, &left](Leave by) {
    return [&how, &left, by] {
      how = by;
      left = true;
    };
  };
  rows.push_back({.choice = 98, .label = "CANCEL AND EXIT ", .action = leave(Leave::cancel)});
  rows.push_back({.choice = menu_exit_choice, .label = "UPDATE AND EXIT ", .action = leave(Leave::update)});
  menu_loop(h, MenuTable{.rows = std::move(rows), .width = 33}, left,
            MenuStyle{.exit_line = {}, .prompt = Prompt::with_default});
  return how;
}

// The lines of the largest and the current number of colours, the
// numbers in `width` columns.
std::vector<MenuRow> colour_count_rows(int width) {
  return {{.label = "max nb of colors ................", .value = shows_integer(max_ncolor, width)},
          {.label = "current nb of colors ............", .value = shows_integer(plt2blk.ncolor, width)}};
}

Leave colour_count_menu(int& n) {
  return run_until_left(scolornb_header, joined({{{.label = "SETTING THE NUMBER OF COLORS:"}, dash_row()},
                                                 colour_count_rows(3),
                                                 {{.choice = 10,
                                                   .label = "new nb of colors to apply ",
                                                   .action = [&n] { ask_int_in(n, "new nb of colors", 1, max_ncolor); },
                                                   .value = shows_integer(n, 3)},
                                                  dash_row()}}));
}

// ---- One entry ----------------------------------------------------------------

bool index_in_use(int index) { return index >= 0 && index <= plt2blk.ncolor; }
bool percent_in_range(real v) { return !(v < 0.0f) && !(v > max_percent); }

// An index outside the colours in use: above, it wraps around; below 0 it
// becomes 1.
void check_index(int& index) {
  if (index_in_use(index)) return;
  const int ncolor = plt2blk.ncolor;
  if (index > ncolor) {
    warninghead(scolorrgb_header);
    ItemLine().text("trying to set color nb =").integer(index, 0).write();
    ItemLine().text("when nb of color  =").integer(ncolor, 0).write();
    index %= ncolor + 1;
    ItemLine().text("===> RESET nb of color =").integer(index, 0).write();
    warningtail00();
  } else {
    warninghead(scolorrgb_header);
    ItemLine().text("trying to set nb of color  =").integer(index, 0).write();
    say("min nb of color  = 0");
    index = 1;
    ItemLine().text("===> RESET nb of color =").integer(index, 0).write();
    warningtail00();
  }
}

void reset_primaries() {
  submenuhead(scolorrgb_header);
  say("INITIALIZING RGB: 4 COLORS + BKG");
  const int last = plt2blk.ncolor >= primaries_from ? 4 : plt2blk.ncolor >= 1 ? 1 : 0;
  for (int i = 0; i <= last; ++i) {
    const Colour& c = primaries[at(i)];
    store_entry(i, c.name, c.red, c.green, c.blue);
  }
}

void component_row(std::string_view label, real red, real green, real blue) {
  std::string line = edit::a(label, 7);
  line += '|';
  plotmenu::append_components(line, red, green, blue);
  say(line);
}

Leave entry_menu(int& index, std::string& name, real& red, real& green, real& blue) {
  const auto current_name = [&index](ItemLine& l) { l.text(pltcharblk.colornam[at(index)]); };
  const auto components = [&] {
    const std::size_t k = at(index);
    std::string head(7, ' ');
    head += '|';
    plotmenu::append_component_heads(head);
    say(head);
    component_row("current", plt2blk.red[k], plt2blk.green[k], plt2blk.blue[k]);
    component_row("new", red, green, blue);
  };
  const std::vector<MenuRow> options = {
      // Entry 0, the background, is not offered here.
      {.choice = 10,
       .label = "color index ",
       .action = [&index] { ask_int_in(index, "new color index", 1, plt2blk.ncolor); },
       .value = shows_integer(index, 0)},
      {.label = "current color name ..............", .value = current_name},
      {.choice = 20,
       .label = "new    color  name ",
       .action =
           [&name] {
             int istat = 0;
             const std::string def = name;
             inchardef(name, "new color name", def, istat, name.size());
           },
       .value = shows_text(name)},
      dash_row(),
      {.draw = components},
      dash_row(),
      {.choice = 30, .label = "modify rgb setting ", .action = [&] {
         ask_real_in(red, "red component (%)", 0.0f, max_percent);
         ask_real_in(green, "green component (%)", 0.0f, max_percent);
         ask_real_in(blue, "blue component (%)", 0.0f, max_percent);
       }}};
  return run_until_left(scolorrgb_header,
                        joined({{{.label = "SETTING RGB COLORS:"}, dash_row()}, colour_count_rows(0), options}));
}

// ---- The colour-table file --------------------------------------------------

struct ColourRecord {
  int line = 0;  // counted as the messages count them
  int index = 0;
  real red = 0, green = 0, blue = 0;
  std::string name;
};

void input_file_line(std::string_view fname) {
  ItemLine().text("Input file").text(trimmed(fname)).text("is closed").write();
}

// The first value of a read that could not be read, or that the file
// ended before: its field, and the text found in its place.
struct ReadFailure {
  ReadResult status = ReadResult::ok;
  std::string_view field;
  std::string text;

  // What was wrong, under the line number of the error box: the field, and
  // the text that is not a number of its kind (between apostrophes, its
  // first 40 characters, one that the console cannot show written as ?),
  // or none when the file ends before it.
  void say_what() const {
    say("FIELD:   " + std::string(field));
    if (status == ReadResult::end_of_file) {
      say("TEXT:    none, the file ends before it");
      return;
    }
    constexpr std::size_t shown = 40;
    std::string cut = text.substr(0, shown);
    for (char& c : cut) {
      if (c < ' ' || c > '~') c = '?';
    }
    say("TEXT:    '" + cut + (text.size() > shown ? "'..." : "'"));
  }
};

// Reads the values of one read in turn, noting the first that fails.
class FieldReader {
 public:
  explicit FieldReader(int unit) : rd_(unit) {}
  template <class T>
  FieldReader& field(T& value, std::string_view name) {
    if (!rd_.ok()) return *this;
    rd_ >> value;
    if (!rd_.ok()) failure_ = {rd_.status(), name, std::string(rd_.item())};
    return *this;
  }
  std::optional<ReadFailure> failure() const {
    if (rd_.ok()) return std::nullopt;
    return failure_;
  }

 private:
  ListRead rd_;
  ReadFailure failure_;
};

// Said before the box of a setter that brings a value of the file into
// range.
void out_of_range_line(int line, std::string_view fname) {
  ItemLine().text("FROM LINE NUMBER").integer(line, 4).text("OF").text(std::string(trimmed(fname)) + ":").write();
}

void read_colour_file() {
  std::string fname;
  opef2(fname, "color table input", colour_file_unit, "old", 0, colour_file_name_width);

  // Records are counted as lines for the messages: the number is line 1.
  int line = 1;
  int n = plt2blk.ncolor;
  std::optional<ReadFailure> failed = FieldReader(colour_file_unit).field(n, "number of colours (integer)").failure();
  std::vector<ColourRecord> records;
  if (!failed) {
    const int count = std::clamp(n, 1, max_ncolor) + 1;
    // A value a record leaves out (a null value) keeps the one before, as
    // in any free-format read into the same variables.
    ColourRecord rec;
    for (int k = 0; k < count && !failed; ++k) {
      rec.line = ++line;
      FieldReader rd(colour_file_unit);
      rd.field(rec.index, "index (integer)")
          .field(rec.red, "red percentage (real)")
          .field(rec.green, "green percentage (real)")
          .field(rec.blue, "blue percentage (real)")
          .field(rec.name, "name (text)");
      failed = rd.failure();
      if (!failed) records.push_back(rec);
    }
  }
  cut_lines_box(scolortable_header, colour_file_unit);
  units().close(colour_file_unit);

  if (failed) {
    errorhead(scolortable_header);
    if (failed->status == ReadResult::end_of_file) say("END OF FILE REACHED UNEXPECTEDLY");
    say("WHILE READING LINE NUMBER " + edit::i(line, 4));
    failed->say_what();
    input_file_line(fname);
    errortail00();
    return;
  }

  if (!colour_count_in_range(n)) out_of_range_line(1, fname);
  scolornb(n, setup::passed);
  for (ColourRecord& rec : records) {
    std::string name = edit::pad(rec.name, record_name_width);
    if (!index_in_use(rec.index) || !percent_in_range(rec.red) || !percent_in_range(rec.green) ||
        !percent_in_range(rec.blue)) {
      out_of_range_line(rec.line, fname);
    }
    scolorrgb(rec.index, name, rec.red, rec.green, rec.blue, setup::passed);
  }
  submenuhead(scolortable_header);
  input_file_line(fname);
  ItemLine().text("Could read up to:").integer(max_ncolor, 4).text("DATA").write();
  ItemLine().text("Actually read   :").integer(plt2blk.ncolor, 4).text("DATA").write();
  menutail();
}

// ---- The whole table ------------------------------------------------------------

void set_default_table() {
  submenuhead(scolortable_header);
  for (std::string_view line : {"INITIALIZING COLOR TABLE:", "0   -> BKG = WHITE", "1   -> FRG = BLACK",
                                "2-4 -> RGB COLORS", "5-7 -> CMY COLORS", "8   -> GREY 50%"}) {
    say(line);
  }
  int n = max_ncolor;
  scolornb(n, setup::passed);
  for (int i = 0; i < ncolour_entries; ++i) {
    const Colour& c = default_table[at(i)];
    int index = i;
    std::string name = edit::pad(c.name, record_name_width);
    real red = c.red, green = c.green, blue = c.blue;
    scolorrgb(index, name, red, green, blue, setup::passed);
  }
}

void colour_listing() {
  plotmenu::colour_listing_head();
  for (int i = 0; i <= plt2blk.ncolor; ++i) {
    const std::size_t k = at(i);
    plotmenu::colour_listing_row(i, edit::a(pltcharblk.colornam[k], 10), plt2blk.red[k], plt2blk.green[k],
                                 plt2blk.blue[k]);
  }
}

void colour_table_menu() {
  const MenuTable menu{.rows = {{.label = "SETTING COLOR TABLE"},
                                dash_row(),
                                {.label = "Current nb of colors:", .value = shows_integer(plt2blk.ncolor, 4)},
                                dash_row(),
                                {.draw = colour_listing},
                                dash_row(),
                                {.choice = 100,
                                 .label = "modify nb of colors ",
                                 .action =
                                     [] {
                                       int n = plt2blk.ncolor;
                                       scolornb(n, setup::menu_from_stored);
                                     }},
                                {.choice = 200,
                                 .label = "modify rgb color content ",
                                 .action =
                                     [] {
                                       int index = 0;
                                       int istat = 0;
                                       inintegvin1(index, "index of color to modify", 0, plt2blk.ncolor, istat);
                                       std::string name(record_name_width, ' ');
                                       real red = 0, green = 0, blue = 0;
                                       scolorrgb(index, name, red, green, blue, setup::menu_from_stored);
                                     }},
                                {.choice = 300, .label = "read color table from file ", .action = read_colour_file},
                                dash_row()},
                       .width = 33};
  menu_loop(scolortable_header, menu, MenuStyle{.prompt = Prompt::with_default});
}

}  // namespace

void scolortable(SetupMode inter) {
  if (inter.from_defaults()) set_default_table();
  if (inter.silent()) return;
  colour_table_menu();
}

void scolornb(int& n, SetupMode inter) {
  if (inter.from_stored()) {
    n = plt2blk.ncolor;
  } else if (inter.from_defaults()) {
    // The default is stored with the rest below, so that the menu's cancel
    // leaves the count as it was and a lower count checks the colours.
    n = default_ncolor;
    submenuhead(scolornb_header);
    ItemLine().text("INITIALIZING NUMBER OF COLORS TO:").integer(n, 3).write();
  } else {
    clamp_colour_count(n);
  }
  const bool menu = inter.shows_menu();
  if (menu && colour_count_menu(n) == Leave::cancel) return;

  const int was = plt2blk.icolor;
  plt2blk.icolor = n == 1 ? 0 : 1;
  if (was == 1 && plt2blk.icolor == 0 && iocom.lplotop) psblackcolor();
  if (inter.initialise_only() || menu) {
    ItemLine()
        .text("NB of colors =")
        .integer(n, 3)
        .text(plt2blk.icolor == 1 ? "==> Color plot" : "==> Black & White plot")
        .write();
  }
  const int previous = plt2blk.ncolor;
  plt2blk.ncolor = n;
  if (n < previous) {
    say("The nb of colors has been reduced");
    say("==> checking current set up versus new max");
    int icol = 0;
    slinecolor(icol, setup::stored);
    sfillcolor(icol, setup::stored);
    stextcolor(icol, setup::stored);
    say("==> checking done");
  }
}

void scolorrgb(int& index, std::string& name, real& red, real& green, real& blue, SetupMode inter) {
  const bool initialise = inter.from_defaults();
  if (initialise) reset_primaries();
  // The initialising modes take the index as it comes, but never one
  // outside the table.
  if (!initialise || index < 0 || index > max_colour_index) check_index(index);

  if (inter.from_stored() || initialise) {
    const std::size_t k = at(index);
    red = plt2blk.red[k];
    green = plt2blk.green[k];
    blue = plt2blk.blue[k];
    name = edit::pad(pltcharblk.colornam[k], name.size());
  } else {
    int istat = 0;
    crevin2("red (%)", red, 0.0f, max_percent, "scolorgb", 0, istat);
    crevin2("green (%)", green, 0.0f, max_percent, "scolorgb", 0, istat);
    crevin2("blue (%)", blue, 0.0f, max_percent, "scolorgb", 0, istat);
  }

  if (inter.shows_menu() && entry_menu(index, name, red, green, blue) == Leave::cancel) return;
  store_entry(index, name, red, green, blue);
}

}  // namespace dorvix
