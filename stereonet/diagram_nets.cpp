// The nets of the diagram drivers: layout, drawing of one net, the sheet
// check and the menus' shared lines.

#include "stereonet/diagram_nets.hpp"

#include <cmath>

#include "dialogue/boxes.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "geometry/angles.hpp"
#include "numbers/edit.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "plot/sheet.hpp"
#include "stereonet/axis_symbols.hpp"
#include "stereonet/frame.hpp"
#include "stereonet/great_circles.hpp"
#include "stereonet/kept_frames.hpp"
#include "stereonet/projections.hpp"

namespace dorvix {

namespace {

// Centre-to-centre distance of two nets, user units.
constexpr real net_spacing = 3.0f;
// The label's anchor: 0.2 below the primitive circle.
constexpr real label_x = 0.0f;
constexpr real label_y = -1.2f;
// The frame reaches radius 1.08 with its ticks.
constexpr real frame_reach = 1.08f;
// Text height of the net labels, cm.
constexpr real text_height = 0.4f;
// The menus' scaling option, which the off-sheet warning names.
constexpr int scaling_choice = 11;
// Anchor of the run-information caption on the paper, cm, and its
// justification (blanks trimmed): centre of the bottom line.
constexpr real caption_x = 10.5f;
constexpr real caption_y = 28.0f;
constexpr int caption_justif = -2;

// The sheet in plot coordinates, cm.
Sheet current_sheet() {
  const Sheet s = page_sheet();
  return {s.width / points_per_cm, s.height / points_per_cm};
}

// Net k (from 0) of a layout: column k / 5 to the right, row k mod 5
// upwards, 3 user units apart (the diagonal of the matrix scales the
// offsets). Its centre on the paper, cm.
real net_centre_x(const NetLayout& l, int k) {
  return l.xcm0 + net_spacing * l.xx * static_cast<real>(k / nets_per_column);
}

real net_centre_y(const NetLayout& l, int k) {
  return l.ycm0 + net_spacing * l.yy * static_cast<real>(k % nets_per_column);
}

// True when the frame of net k (its ticks included) leaves the sheet of
// the page orientation in force.
bool net_off_sheet(const NetLayout& l, int k) {
  const Sheet s = current_sheet();
  const real cx = net_centre_x(l, k), cy = net_centre_y(l, k);
  // Half the extent of the frame's image on the paper along x and y.
  const real hx = frame_reach * std::hypot(l.xx, l.xy);
  const real hy = frame_reach * std::hypot(l.yx, l.yy);
  return cx - hx < 0 || cx + hx > s.width || cy - hy < 0 || cy + hy > s.height;
}

// Choice 310: each pair edited without touching the axis-symbol record.
void edit_symbols(const DiagramActions& a) {
  const std::string rule(43, ':');
  for (std::size_t j = 0; j < 3; ++j) {
    say(rule);
    say(edit::pad(a.symbol_prompts[j], 35));
    say(rule);
    sdspaxsymb((*a.symbols)[j][0], (*a.symbols)[j][1], setup::answer_only);
  }
}

}  // namespace

MechanismPlanes DiagramData::planes(int m) const {
  const auto i = static_cast<std::size_t>(m - 1);
  MechanismPlanes p{{azd1[i], azd2[i]}, {dipd1[i], dipd2[i]}, {rakd1[i], rakd2[i]}};
  if (!in_radians) {
    for (auto* angles : {&p.strike, &p.dip, &p.rake}) {
      for (real& v : *angles) v = rad(v);
    }
  }
  return p;
}

void draw_net(const NetLayout& l, int k, const MechanismPlanes& planes, std::string_view label,
              const AxisSymbols& symbols, AxesRoutine axes) {
  real x0 = net_centre_x(l, k), y0 = net_centre_y(l, k);
  real xx = l.xx, xy = l.xy, yx = l.yx, yy = l.yy;
  sus2cm1(x0, y0, xx, xy, yx, yy, setup::passed);
  repstereo_at(k);
  ustext2(label_x, label_y, label);
  dspgcfadn(planes.strike, planes.dip, 2);
  for (std::size_t i = 0; i < 2; ++i) {
    AxisAngles az{}, pl{};
    axes(az, pl, planes.strike[i], planes.dip[i], planes.rake[i], 0.0f);
    for (std::size_t j = 0; j < 3; ++j) {
      int standard = symbols[j][0], alternate = symbols[j][1];
      sdspaxsymb(standard, alternate, setup::passed);
      dspaxfapn2(std::span(&az[j], 1), std::span(&pl[j], 1), 1);
    }
  }
}

void report_nets_off_sheet(const Header& h, const NetLayout& l, int ndata, int per_page) {
  int count = 0;
  for (int m = 1; m <= ndata; ++m) {
    const int k = per_page > 0 ? (m - 1) % per_page : m - 1;
    count += net_off_sheet(l, k) ? 1 : 0;
  }
  if (count == 0) return;
  warninghead(h);
  ItemLine().text("stereo nets off the sheet =").integer(count, 6).write();
  say("==> PLOTTING THEM ALL THE SAME");
  // The remedies: the paged driver, when the nets are more than a page
  // holds, and smaller nets from the scaling option of either menu.
  if (per_page == 0 && ndata > nets_per_page) {
    say("==> 3001 OF THE TOP MENU DRAWS " + edit::i(nets_per_page, 0) + " A PAGE");
  }
  say("==> scaling (" + edit::i(scaling_choice, 0) + ") MAKES THE NETS SMALLER");
  warningtail00();
}

void run_caption() {
  int j = caption_justif;
  stextalign(j, setup::passed);
  cmplotruninfo0(caption_x, caption_y, setup::menu_from_passed);
}

TextSettings diagram_text() {
  TextSettings kept;
  stextsize(kept.height, setup::stored);
  stextangle(kept.angle, setup::stored);
  real height = text_height, angle = 0.0f;
  stextsize(height, setup::passed);
  stextangle(angle, setup::passed);
  return kept;
}

void restore_text(TextSettings kept) {
  stextsize(kept.height, setup::passed);
  stextangle(kept.angle, setup::passed);
}

void scaling_banner() {
  const std::string rule(31, '=');
  say(rule);
  say(" SCALING FOR LOWER LEFT STEREO ");
  say(rule);
}

void diagram_menu(const Header& h, int ndatdim, int ndata, std::optional<bool> angles_in_radians,
                  const std::string& plot_name, const DiagramActions& a) {
  const std::string section_rule(32, '-');
  const MenuTable table{
      .rows = {
          {.draw = dash_rule},
          {.label = "SET UP:"},
          {.label = section_rule},
          {.label = "DATA:"},
          {.label = "maximum nb of data =", .value = shows_integer(ndatdim, 6)},
          {.label = "current nb of data =", .value = shows_integer(ndata, 6)},
          {.label = "angles in radians  :",
           .value = [angles_in_radians](ItemLine& l) { l.text(*angles_in_radians ? "T" : "F"); },
           .shown = [angles_in_radians] { return angles_in_radians.has_value(); }},
          {.label = section_rule},
          {.label = "PLOT:"},
          {.label = "plot file name:", .value = [&plot_name](ItemLine& l) { l.text(edit::pad(plot_name, 20)); }},
          {.choice = 10, .label = "open plot file  ", .action = a.open_plot},
          {.choice = scaling_choice, .label = "scaling ", .action = a.edit_layout},
          {.choice = 12, .label = "plot parameters ", .action = [] { splotparam2(setup::menu_from_passed); }},
          {.choice = 20, .label = "close file = end plot ", .action = plend},
          {.choice = 300,
           .label = "stereo type",
           .action =
               [] {
                 int iproj = 1;
                 sspro(iproj, setup::menu_from_stored);
               }},
          {.choice = 310, .label = "symbol types ", .action = [&a] { edit_symbols(a); }},
          {.draw = dash_rule},
          {.choice = 1000,
           .label = "RUN = PLOT FPS ",
           .action =
               [&a] {
                 if (iocom.lplotop) {
                   newpage();
                 } else {
                   a.open_plot();
                 }
                 a.run();
                 plend_if_failed();
               }},
          {.choice = menu_exit_choice, .label = "EXIT "},
      }};
  menu_loop(h, table, MenuStyle{.exit_line = {}, .prompt = Prompt::with_default, .body_at_level_2 = true});
}

}  // namespace dorvix
