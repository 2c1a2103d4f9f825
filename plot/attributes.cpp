// The plot attributes: line thickness and colour, polygon fill style and
// colour, text height, font, angle, justification and colour.
//
// Every setter runs the same three steps on its value under the mode
// `inter` (dialogue/setup_mode.hpp), and the setters differ only in their
// default, their range test, their texts and what follows the store:
//  1. value: the stored field, the default (announced by
//     setup::initialise) or the value passed, as the mode starts; the
//     setter's range test then runs where its rules say;
//  2. menu, for the even common modes: the setter's menu and prompt, with
//     the value as default;
//  3. store, for the common modes; any other mode stores nothing and says
//     so.
// A value out of range is brought into it (a default, a bound or a
// wrap-around) and the change reported in a warning box; only the font is
// ever refused.

#include <string>
#include <string_view>

#include "dialogue/boxes.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/prompts.hpp"
#include "numbers/edit.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "plot/menu_lines.hpp"

namespace dorvix {

namespace {


// Where a setter's range test runs on the value of step 1.
enum class Tested {
  never,
  passed,         // the values passed to be stored only
  unless_fetched, // every mode but those of stored values and defaults
  always,         // every mode, the fetched value and the default included
};

bool test_runs(Tested when, SetupMode inter) {
  switch (when) {
    case Tested::passed:
      return inter.from_passed();
    case Tested::unless_fetched:
      return !inter.from_stored() && !inter.from_defaults();
    case Tested::always:
      return true;
    case Tested::never:
      break;
  }
  return false;
}

// What makes one setter: its record, field, default and its own steps.
template <class T>
struct Rules {
  Header header;
  T Plt2Blk::*field;
  T default_value;
  std::string_view title;  // the menu title, where the steps share one routine
  std::string_view label;  // the announcement, where the steps share one routine
  Tested tested;
  // Brings the value into range, reporting the change in a warning box.
  void (*test)(const Rules&, T&);
  // The announcement of setup::initialise, after the menu head.
  void (*announce)(const Rules&, T);
  // The menu lines between head and tail, and the prompt.
  void (*menu_body)(const Rules&, T);
  void (*ask)(const Rules&, T&);
  // Refuses a value at the store, reporting it (true: nothing is stored).
  bool (*refuse)(const Rules&, T, SetupMode inter);
  // Settles the value just before it is stored (the common modes).
  void (*settle)(const Rules&, T&);
  // Stores the value and hands it to the driver where the driver needs it.
  void (*store)(const Rules&, T, SetupMode inter);
};

void no_action_box(const Header& h, SetupMode inter) {
  warninghead(h);
  ItemLine().text("inter =").integer(inter.code(), 6).write();
  say("===> NO ACTION");
  warningtail00();
}

template <class T>
void set_attribute(const Rules<T>& r, T& value, SetupMode inter) {
  if (inter.from_stored()) value = plt2blk.*r.field;
  if (inter.from_defaults()) {
    value = r.default_value;
    if (inter.initialise_only()) {
      submenuhead(r.header);
      r.announce(r, value);
    }
  }
  if (r.test != nullptr && test_runs(r.tested, inter)) r.test(r, value);

  if (inter.is_common() && inter.shows_menu()) {
    submenuhead(r.header);
    r.menu_body(r, value);
    menutail();
    r.ask(r, value);
  }

  if (r.refuse != nullptr && r.refuse(r, value, inter)) return;
  if (!inter.is_common()) {
    no_action_box(r.header, inter);
    return;
  }
  if (r.settle != nullptr) r.settle(r, value);
  r.store(r, value, inter);
}

template <class T>
void store_field(const Rules<T>& r, T value, SetupMode) {
  plt2blk.*r.field = value;
}

// ---- Line thickness (cm) ----------------------------------------------------

constexpr real linewidth_min = 0.01f;  // exclusive in the test, inclusive at the prompt
constexpr real linewidth_max = 1000.0f;
constexpr real default_linewidth = 0.02f;

ItemLine& thickness(ItemLine& l, real v) { return l.fixed(v, 8, 3); }

void test_linewidth(const Rules<real>& r, real& v) {
  if (v > linewidth_min && v <= linewidth_max) return;
  warninghead(r.header);
  say("LINE THICKNESS OUT OF RANGE:");
  thickness(ItemLine().text(" line thickness (cm) ="), v).write();
  thickness(ItemLine().text(" min ="), linewidth_min).write();
  thickness(ItemLine().text(" max ="), linewidth_max).write();
  v = default_linewidth;
  thickness(ItemLine().text("==> RESET line thickness ="), v).write();
  warningtail00();
}

void announce_linewidth(const Rules<real>&, real v) {
  thickness(ItemLine().text("INITIALISING LINE THICKNESS TO:"), v).text("cm").write();
}

void menu_linewidth(const Rules<real>&, real v) {
  dash_rule();
  say("          LINE THICKNESS");
  dash_rule();
  thickness(ItemLine().text("present value in cm ......."), v).write();
}

void ask_linewidth(const Rules<real>&, real& v) { ask_real_in(v, "line thickness in cm", linewidth_min, linewidth_max); }

// The width goes to the driver in points at once.
void store_linewidth(const Rules<real>& r, real v, SetupMode inter) {
  store_field(r, v, inter);
  real points = 0;
  lengthcm2de(points, v);
  intslinewidth(points);
}

constexpr Rules<real> linewidth_rules{
    {"slinewidth", " 5.2", "19-03-2009"},
    &Plt2Blk::linewidth,
    default_linewidth,
    {},
    {},
    Tested::passed,
    test_linewidth,
    announce_linewidth,
    menu_linewidth,
    ask_linewidth,
    nullptr,
    nullptr,
    store_linewidth,
};

// ---- Colours: line, fill and text -------------------------------------------

constexpr int default_linecol = 1;  // black of the default table
constexpr int default_fillcol = 8;  // light grey of the default table
constexpr int default_textcol = 1;

// Above the colours in use an index wraps around, the background 0 it
// may then give becoming 1; below 0 it becomes 1.
void test_colour(const Rules<int>& r, int& v) {
  const int ncolor = plt2blk.ncolor;
  if (v >= 0 && v <= ncolor) return;
  warninghead(r.header);
  ItemLine().text("trying to set color nb =").integer(v, 6).write();
  if (v > ncolor) {
    ItemLine().text("when max color nb      =").integer(ncolor, 6).write();
    v %= ncolor + 1;
    if (v == 0) v = 1;
  } else {
    say("when min color nb      = 0");
    v = 1;
  }
  ItemLine().text("===> RESET color nb    =").integer(v, 6).write();
  warningtail00();
}

const std::string& colour_name(int index) {
  static const std::string unknown(8, ' ');
  if (index < 0 || index > max_colour_index) return unknown;
  return pltcharblk.colornam[static_cast<std::size_t>(index)];
}

void announce_colour(const Rules<int>& r, int v) { ItemLine().text(r.label).text(colour_name(v)).write(); }

void menu_colour(const Rules<int>& r, int v) {
  dash_rule();
  say(r.title);
  dash_rule();
  ItemLine().text("current value:").integer(plt2blk.*r.field, 6).write();
  ItemLine().text("new     value:").integer(v, 6).write();
  for (int i = 0; i <= plt2blk.ncolor && i <= max_colour_index; ++i) {
    std::string row = colour_name(i);
    row += std::string(17, '.');
    edit::i(row, i, 3);
    say(row);
  }
}

void ask_colour(const Rules<int>&, int& v) {
  const int def = v;
  int istat = 0;
  inintegvindef(v, "your choice", def, 0, plt2blk.ncolor, istat);
}

// A path still open was drawn in the line colour of its time: it is
// stroked before the line colour changes.
void store_linecol(const Rules<int>& r, int v, SetupMode inter) {
  if (iocom.lplotop && v != plt2blk.linecol) psstrokepath();
  store_field(r, v, inter);
}

constexpr Rules<int> colour_rules(Header h, int Plt2Blk::*field, int default_value, std::string_view title,
                                  std::string_view label, void (*store)(const Rules<int>&, int, SetupMode)) {
  return {h,           field,         default_value, title,   label,   Tested::always, test_colour,
          announce_colour, menu_colour, ask_colour,    nullptr, nullptr, store};
}

constexpr Rules<int> linecol_rules = colour_rules({"slinecolor", " 2.4", "16-03-2009"}, &Plt2Blk::linecol,
                                                  default_linecol, "     LINE COLOR", "INITIALISING LINE COLOR TO:",
                                                  store_linecol);
constexpr Rules<int> fillcol_rules = colour_rules({"sfillcolor", " 2.7", "16-03-2009"}, &Plt2Blk::fillcol,
                                                  default_fillcol, "     FILL COLOR", "INITIALISING FILL COLOR TO:",
                                                  store_field<int>);
constexpr Rules<int> textcol_rules =
    colour_rules({"stextcolor", " 2.4", "16-03-2009"}, &Plt2Blk::textcol, default_textcol,
                 "TEXT COLOR                                 ", "INITIALISING TEXT COLOR TO:", store_field<int>);

// ---- Polygon fill style -------------------------------------------------------

constexpr int default_fillstyle = 1;  // filled

// Above 1 a style wraps around (2 gives hollow, 3 filled); below 0 it
// becomes filled.
void test_fillstyle(const Rules<int>& r, int& v) {
  if (v == 0 || v == 1) return;
  warninghead(r.header);
  if (v > 1) {
    ItemLine().text("trying to set style nb =").integer(v, 6).write();
    ItemLine().text("max style nb =").integer(1, 6).write();
    v %= 2;
  } else {
    ItemLine().text("trying to set nb of style  =").integer(v, 6).write();
    say("min style nb = 0");
    v = 1;
  }
  ItemLine().text("===> RESET style nb =").integer(v, 6).write();
  warningtail00();
}

void announce_fillstyle(const Rules<int>&, int) { say("INITIALISING FILL STYLE TO: filled"); }

void menu_fillstyle(const Rules<int>& r, int v) {
  dash_rule();
  say("     POLYGON FILL STYLES");
  dash_rule();
  ItemLine().text("currently stored   :").integer(plt2blk.*r.field, 6).write();
  ItemLine().text("suggested new value:").integer(v, 6).write();
  show_rows({.rows = {{.choice = 0, .label = "hollow "}, {.choice = 1, .label = "filled "}}, .width = 28});
}

void ask_fillstyle(const Rules<int>&, int& v) {
  const int def = v;
  int istat = 0;
  inintegvindef(v, "your choice", def, 0, 1, istat);
}

constexpr Rules<int> fillstyle_rules{
    {"sfillstyle", " 3.2", "16-03-2009"},
    &Plt2Blk::fillstyle,
    default_fillstyle,
    {},
    {},
    Tested::unless_fetched,
    test_fillstyle,
    announce_fillstyle,
    menu_fillstyle,
    ask_fillstyle,
    nullptr,
    nullptr,
    store_field<int>,
};

// ---- Text height (cm) -------------------------------------------------------

constexpr real txtheight_min = 0.02f;  // exclusive in the test, inclusive at the prompt
constexpr real txtheight_max = 1000.0f;
constexpr real default_txtheight = 0.5f;

ItemLine& height(ItemLine& l, real v) { return l.fixed(v, 6, 2); }

void test_txtheight(const Rules<real>& r, real& v) {
  if (v > txtheight_min && v <= txtheight_max) return;
  warninghead(r.header);
  say("TEXT SIZE OUT OF RANGE:");
  height(ItemLine().text(" txtheight ="), v).write();
  height(ItemLine().text(" min ="), txtheight_min).write();
  ItemLine().text(" max =").fixed(txtheight_max, 7, 2).write();  // 1000.00 needs a seventh column
  v = default_txtheight;
  height(ItemLine().text("==> RESET txtheight ="), v).write();
  warningtail00();
}

void announce_txtheight(const Rules<real>&, real v) {
  height(ItemLine().text("INITIALISING TEXT SIZE TO:"), v).text("cm").write();
}

void menu_txtheight(const Rules<real>&, real v) {
  dash_rule();
  say("                TEXT SIZE");
  dash_rule();
  height(ItemLine().text("present value in cm .........."), v).write();
}

void ask_txtheight(const Rules<real>&, real& v) { ask_real_in(v, "text height in cm", txtheight_min, txtheight_max); }

// The height goes to the driver as the text size in points, when there is
// a plot file to write it for.
void store_txtheight(const Rules<real>& r, real v, SetupMode inter) {
  store_field(r, v, inter);
  if (iocom.lplotop) {
    intstextsize(v);
    return;
  }
  warninghead(r.header);
  ItemLine().text("inter =").integer(inter.code(), 6).write();
  say("Attempting to set textsize with");
  say("a closed plot file");
  say("===> Value stored but no further call to lib");
  warningtail00();
}

constexpr Rules<real> txtheight_rules{
    {"stextsize", " 7.0", "21-05-2010"},
    &Plt2Blk::txtheight,
    default_txtheight,
    {},
    {},
    Tested::passed,
    test_txtheight,
    announce_txtheight,
    menu_txtheight,
    ask_txtheight,
    nullptr,
    nullptr,
    store_txtheight,
};

// ---- Text font ---------------------------------------------------------------

constexpr int default_font = 1;  // Helvetica

void announce_font(const Rules<int>&, int) { say("INITIALISING TEXT FONT TO: 1 = Helvetica"); }

void menu_font(const Rules<int>&, int v) {
  dash_rule();
  say("         TEXT FONT");
  dash_rule();
  ItemLine().text("present value..............").integer(v, 6).write();
  // "Helvetica..................1": name, dots and number in 28 columns.
  constexpr std::size_t font_line = 28;
  for (int k = 1; k <= nfonts; ++k) say(option_text(font_names[static_cast<std::size_t>(k - 1)], k, font_line));
}

void ask_font(const Rules<int>&, int& v) {
  const int def = v;
  int istat = 0;
  inintegvindef(v, "your choice", def, 1, nfonts, istat);
}

// A font the driver does not have is refused, and so is any mode that
// does not store; one box says which.
bool refuse_font(const Rules<int>& r, int v, SetupMode inter) {
  const bool bad_font = v < 1 || v > nfonts;
  if (!bad_font && inter.is_common()) return false;
  warninghead(r.header);
  ItemLine().text(bad_font ? "font number =" : "inter =").integer(bad_font ? v : inter.code(), 6).write();
  say("===> NO ACTION");
  warningtail00();
  return true;
}

// The driver's font changes with it; a path still open is stroked first,
// before any text in the new font.
void store_font(const Rules<int>& r, int v, SetupMode inter) {
  store_field(r, v, inter);
  psparams.ipsfont = v;
  psstrokepath();
}

constexpr Rules<int> font_rules{
    {"stextfont", " 2.1", "20-03-2009"},
    &Plt2Blk::ifont,
    default_font,
    {},
    {},
    Tested::never,
    nullptr,
    announce_font,
    menu_font,
    ask_font,
    refuse_font,
    nullptr,
    store_font,
};

// ---- Text angle (degrees) ---------------------------------------------------

constexpr real default_txtangle = 0.0f;

void announce_angle(const Rules<real>&, real) { say("INITIALISING TEXT ANGLE TO: 0.0"); }

void menu_angle(const Rules<real>& r, real v) {
  dash_rule();
  say("         TEXT ANGLE (degrees)");
  dash_rule();
  ItemLine().text("currently stored   :").fixed(plt2blk.*r.field, 8, 3).write();
  ItemLine().text("suggested new value:").fixed(v, 8, 3).write();
}

void ask_angle(const Rules<real>&, real& v) {
  const real def = v;
  int istat = 0;
  inrealdef(v, "text angle in degrees", def, istat);
}

constexpr Rules<real> angle_rules{
    {"stextangle", " 2.1", "16-03-2009"},
    &Plt2Blk::txtangle,
    default_txtangle,
    {},
    {},
    Tested::never,
    nullptr,
    announce_angle,
    menu_angle,
    ask_angle,
    nullptr,
    nullptr,
    store_field<real>,
};

// ---- Text justification -------------------------------------------------------
//
// |code| / 4 is the row of the anchor (0 bottom, 1 middle, 2 top) and
// |code| mod 4 its column (1 left, 2 centre, 3 right); a negative code
// trims the text's blanks first. Codes 0, 4 and 8 name no column.

constexpr int max_justif = 11;
constexpr int default_justif = -1;  // left bottom of the trimmed text

void test_justif(const Rules<int>& r, int& v) {
  if (v >= -max_justif && v <= max_justif) return;
  warninghead(r.header);
  ItemLine().text("trying to set justif =").integer(v, 6).write();
  say("justif must be in [-11,11]");
  v = default_justif;
  ItemLine().text("===> RESET justif =").integer(v, 6).write();
  warningtail00();
}

// A code without a column becomes the left one of its sign: 0, -4 and -8
// give -1, 4 and 8 give 1.
void settle_justif(const Rules<int>& r, int& v) {
  if (v % 4 != 0) return;
  warninghead(r.header);
  ItemLine().text("just =").integer(v, 6).write();
  v = v > 0 ? 1 : -1;
  ItemLine().text("===> RESET just =").integer(v, 6).write();
  warningtail00();
}

void announce_justif(const Rules<int>&, int) {
  say("INITIALISING TEXT ALIGNMENT TO: -1");
  say("=====> left-bottom trimmed");
}

void menu_justif(const Rules<int>& r, int v) {
  static constexpr std::string_view picture[] = {
      "-------------------------------------------",
      "          SETTING TEXT ALIGNMENT",
      "-------------------------------------------",
      " |just| indicates where the x,y point",
      "      is relative to the textstring",
      " if just < 0 leading and trailing blanks",
      "      will be ignored",
      "",
      "   9              10              11",
      "   |---------------|---------------|",
      "   5<==textstring==6==============>7",
      "   |---------------|---------------|",
      "   1               2               3",
      "",
      "-------------------------------------------",
  };
  for (std::string_view line : picture) say(edit::pad(line, 43));
  ItemLine().text("currently stored   :").integer(plt2blk.*r.field, 6).write();
  ItemLine().text("suggested new value:").integer(v, 6).write();
}

void ask_justif(const Rules<int>&, int& v) {
  const int def = v;
  int istat = 0;
  inintegvindef(v, "value of just", def, -max_justif, max_justif, istat);
}

constexpr Rules<int> justif_rules{
    {"stextalign", " 2.3", "16-03-2009"},
    &Plt2Blk::justif,
    default_justif,
    {},
    {},
    Tested::unless_fetched,
    test_justif,
    announce_justif,
    menu_justif,
    ask_justif,
    nullptr,
    settle_justif,
    store_field<int>,
};

}  // namespace

void slinewidth(real& width, SetupMode inter) { set_attribute(linewidth_rules, width, inter); }
void slinecolor(int& icol, SetupMode inter) { set_attribute(linecol_rules, icol, inter); }
void sfillstyle(int& istyle, SetupMode inter) { set_attribute(fillstyle_rules, istyle, inter); }
void sfillcolor(int& icol, SetupMode inter) { set_attribute(fillcol_rules, icol, inter); }
void stextsize(real& height, SetupMode inter) { set_attribute(txtheight_rules, height, inter); }
void stextfont(int& ifont, SetupMode inter) { set_attribute(font_rules, ifont, inter); }
void stextangle(real& angle, SetupMode inter) { set_attribute(angle_rules, angle, inter); }
void stextalign(int& justif, SetupMode inter) { set_attribute(justif_rules, justif, inter); }
void stextcolor(int& icol, SetupMode inter) { set_attribute(textcol_rules, icol, inter); }

// Lines are always solid: the style is accepted and nothing is done.
void slinestyle(int&, SetupMode) {}

}  // namespace dorvix
