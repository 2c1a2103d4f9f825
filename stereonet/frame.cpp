// The stereonet frame, its labels and their set-ups.

#include "stereonet/frame.hpp"

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/boxes.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/prompts.hpp"
#include "geometry/angles.hpp"
#include "numbers/edit.hpp"
#include "plot/draw.hpp"
#include "stereonet/projections.hpp"

namespace dorvix {

namespace {

constexpr Header srepstereo0_header{"srepstereo0", " 4.2", "08-10-2009"};
constexpr Header srepstereolabel1_header{"srepstereol", "1.00", "14-04-99"};
constexpr Header srepstereonp_header{"srepstereon", "1.00", "14-04-99"};

constexpr int default_circle_points = 200;

// Ticks run from radius 1.02 to 1.08, every 10 degrees.
constexpr real tick_inner = 1.02f;
constexpr real tick_outer = 1.08f;
// The north and east labels stand 0.1 outside the primitive circle.
constexpr real label_offset = 0.1f;
// Beyond this the projected north or east point lies on an axis's end.
constexpr real on_axis_end = 0.9f;

// Justifications (blanks trimmed): right of the anchor, vertically
// centred; centred above it; left of it.
constexpr int right_of = -5;
constexpr int above = -2;
constexpr int left_of = -7;

// Corner labels 3 to 6: where, and how many characters are written.
struct Corner {
  real x, y;
  int justif;
};
constexpr std::array<Corner, 4> corners = {{{0.5f, 1.0f, right_of}, {0.5f, -1.0f, right_of},
                                             {-0.5f, -1.0f, left_of}, {-0.5f, 1.0f, left_of}}};
constexpr std::size_t corner_characters = 10;

// Position names of the labels, as the menus show them: 11 characters,
// blank-padded.
constexpr std::array<std::string_view, frame_labels> position_names = {
    "X axis", "Y axis", "Upper Right", "Lower Right", "Lower Left", "Upper Left"};
constexpr std::size_t position_width = 11;

std::size_t at(int ilabel) { return static_cast<std::size_t>(ilabel - 1); }
std::string position_name(int ilabel) { return edit::pad(position_names[at(ilabel)], position_width); }

std::string default_label(int ilabel) {
  if (ilabel == 1) return "North";
  if (ilabel == 2) return "East";
  return "None";
}

void set_label(int ilabel, bool draw, std::string_view text) {
  stefram2.llabel[at(ilabel)] = draw;
  stefram2.label[at(ilabel)] = edit::pad(text, frame_label_width);
}

// A label at the projected point of a horizontal direction: outside the
// circle, to the right of an east-pointing end or above a north-pointing
// one.
void axis_label(real az, std::string_view text) {
  real x = 0, y = 0;
  const real pl = 0.0f;
  spron(std::span(&x, 1), std::span(&y, 1), std::span(&az, 1), std::span(&pl, 1), 1);
  int justif = 0;
  stextalign(justif, setup::stored);
  if (x > on_axis_end) {
    x = x + label_offset;
    justif = right_of;
  } else if (y > on_axis_end) {
    y = y + label_offset;
    justif = above;
  }
  stextalign(justif, setup::passed);
  ustext2(x, y, text);
}

// The line of label i in the frame menu: its position, text and switch,
// then its choice.
void label_choice_line(int i) {
  std::string line = position_name(i);
  line += ':';
  line += stefram2.label[at(i)];
  line += ':';
  line += stefram2.llabel[at(i)] ? 'T' : 'F';
  line += ":..";
  line += std::to_string(i);
  say(line);
}

// The frame menu: a choice for each label, the points of the circle, the
// axes and the ticks.
const MenuTable& frame_table() {
  static const MenuTable table = [] {
    Stefram2& f = stefram2;
    std::vector<MenuRow> rows{{.draw = dash_rule},
                              {.label = "STEREO FRAME PARAMETERS"},
                              {.draw = dash_rule},
                              {.label = "position   :     label     :?:command"}};
    for (int i = 1; i <= frame_labels; ++i) {
      rows.push_back({.choice = i,
                      .action =
                          [i] {
                            std::string text(35, ' ');
                            int idraw = 0, ilabel = i;
                            srepstereolabel1(text, idraw, ilabel, setup::menu_from_stored);
                          },
                      .draw = [i] { label_choice_line(i); }});
    }
    rows.push_back({.choice = 10,
                    .label = "nb of points to draw ",
                    .action = [] { srepstereonp(f.nptfram, setup::menu_from_stored); },
                    .value = shows_integer(f.nptfram, 7)});
    rows.push_back(setting_row(20, "draw axis", f.ldrawax, "whether to draw axis"));
    rows.push_back(setting_row(30, "draw tics", f.ldrawtic, "whether to draw ticks"));
    rows.push_back({.draw = dash_rule});
    return MenuTable{.rows = std::move(rows), .width = 33};
  }();
  return table;
}

void frame_menu() { menu_loop(srepstereo0_header, frame_table(), MenuStyle{.prompt = Prompt::with_default}); }

void label_menu(std::string& text, int& idraw, int& ilabel) {
  const MenuTable table{
      .rows = {{.draw = dash_rule},
               {.label = "STEREO FRAME LABELS"},
               {.draw = dash_rule},
               {.label = "label position        :",
                .value = [&ilabel](ItemLine& l) { l.text(position_name(ilabel)); }},
               {.choice = 1,
                .label = "label index",
                .action = [&ilabel] { ask_int_in(ilabel, "label index", 1, frame_labels); },
                .value = shows_integer(ilabel, 4)},
               {.choice = 2,
                .label = "label text",
                .action = [&text] { ask_text(text, "text to draw"); },
                .value = [&text](ItemLine& l) { l.text(text); }},
               {.choice = 3,
                .label = "draw label (0/1)",
                .action = [&idraw] { ask_int_in(idraw, "whether to draw label (0=no/1=yes)", 0, 1); },
                .value = shows_integer(idraw, 4)},
               {.draw = dash_rule},
               {.choice = menu_exit_choice, .label = "EXIT "}},
      .width = 23};
  menu_loop(srepstereolabel1_header, table, MenuStyle{.exit_line = {}, .prompt = Prompt::with_default});
}

}  // namespace

void repstereo() {
  real angle = 0;
  int justif = 0;
  stextangle(angle, setup::stored);
  stextalign(justif, setup::stored);
  real upright = 0.0f;
  stextangle(upright, setup::passed);

  uscircle(0.0f, 0.0f, 1.0f, stefram2.nptfram);
  if (stefram2.ldrawax) {
    const real across[] = {-1.0f, 1.0f}, centre[] = {0.0f, 0.0f};
    usline(across, centre, 2);
    usline(centre, across, 2);
  }
  if (stefram2.ldrawtic) {
    // Each tick of the first 45 degrees in the four quadrants, and its
    // mirror image across the diagonal: a tick every 10 degrees (those on
    // the axes twice).
    for (int degrees = 0; degrees <= 40; degrees += 10) {
      const real a = rad(static_cast<real>(degrees));
      const real c = std::cos(a), s = std::sin(a);
      for (const auto& [sx, sy] : {std::pair{1.0f, 1.0f}, {-1.0f, 1.0f}, {-1.0f, -1.0f}, {1.0f, -1.0f}}) {
        const real x[] = {sx * tick_inner * c, sx * tick_outer * c};
        const real y[] = {sy * tick_inner * s, sy * tick_outer * s};
        usline(x, y, 2);
        usline(y, x, 2);
      }
    }
  }
  axis_label(0.0f, stefram2.label[0]);
  axis_label(anglerad.half_pi(), stefram2.label[1]);
  for (int i = 3; i <= frame_labels; ++i) {
    if (!stefram2.llabel[at(i)]) continue;
    const Corner& k = corners[at(i - 2)];
    int j = k.justif;
    stextalign(j, setup::passed);
    ustext2(k.x, k.y, std::string_view(stefram2.label[at(i)]).substr(0, corner_characters));
  }
  stextangle(angle, setup::passed);
  stextalign(justif, setup::passed);
}

void srepstereo0(SetupMode inter) {
  if (inter.from_defaults()) {
    submenuhead(srepstereo0_header);
    say("INITIALIZING STEREO FRAME");
    stefram2.nptfram = default_circle_points;
    stefram2.ldrawax = true;
    stefram2.ldrawtic = true;
    set_label(1, true, default_label(1));
    set_label(2, true, default_label(2));
  }
  if (inter.from_defaults() || inter.matches(setup::net_defaults)) {
    for (int i = 3; i <= frame_labels; ++i) set_label(i, false, default_label(i));
  }
  if (inter.shows_menu()) frame_menu();
}

void srepstereolabel1(std::string& text, int& idraw, int& ilabel, SetupMode inter) {
  SetupMode mode = inter;
  bool show_menu = inter.shows_menu();
  if (ilabel < 1 || ilabel > frame_labels) {
    errorhead(srepstereolabel1_header);
    ItemLine().text("label number =").integer(ilabel, 4).write();
    say("label number must be in [1,6]");
    ilabel = frame_labels;
    ItemLine().text("==> label number reset to =").integer(ilabel, 4).write();
    errortail00();
    mode = setup::menu_from_stored;
    show_menu = true;
  }
  if (mode.from_stored()) {
    text = edit::pad(stefram2.label[at(ilabel)], text.size());
    idraw = stefram2.llabel[at(ilabel)] ? 1 : 0;
  } else if (mode.from_defaults()) {
    submenuhead(srepstereolabel1_header);
    say("INITIALIZING STEREO FRAME LABEL");
    idraw = ilabel <= 2 ? 1 : 0;
    text = edit::pad(default_label(ilabel), text.size());
  } else if (idraw != 0 && idraw != 1) {
    errorhead(srepstereolabel1_header);
    ItemLine().text("draw or not (0/1) =").integer(idraw, 4).write();
    say("should be in [0,1]");
    idraw = 0;
    ItemLine().text("==>reset to =").integer(idraw, 4).write();
    errortail00();
    show_menu = true;
  }
  if (show_menu) label_menu(text, idraw, ilabel);
  set_label(ilabel, idraw == 1, text);
}

void srepstereonp(int& npts, SetupMode inter) {
  if (inter.from_stored()) {
    npts = stefram2.nptfram;
  } else if (inter.from_defaults()) {
    submenuhead(srepstereonp_header);
    say("INITIALIZING STEREO FRAME: number of points");
    npts = default_circle_points;
  }
  if (inter.shows_menu()) {
    const std::string title = edit::pad("STEREO FRAME NUMBER OF POINT:", 43);
    const MenuTable table{
        .rows = {{.draw = dash_rule},
                 {.label = title},
                 {.draw = dash_rule},
                 {.choice = 10,
                  .label = "nb of points to draw ",
                  .action = [&npts] { ask_int_in(npts, "nb of pts per curve", 1, curve_buffer_points); },
                  .value = shows_integer(npts, 5)},
                 {.draw = dash_rule}},
        .width = 33};
    menu_loop(srepstereonp_header, table, MenuStyle{.prompt = Prompt::with_default});
  }
  stefram2.nptfram = npts;
}

}  // namespace dorvix
