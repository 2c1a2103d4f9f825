#pragma once
// What the two diagram drivers share: the layout of the nets on the paper,
// the drawing of one mechanism's net, the check that the nets stay on the
// sheet, and the lines and options of their menus.

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "catalogue/store.hpp"
#include "dialogue/routine_header.hpp"
#include "numbers/real.hpp"
#include "stereonet/diagram_drivers.hpp"
#include "stereonet/net_places.hpp"
#include "stereonet/principal_axes.hpp"

namespace dorvix {

// Length of the plot file names of the drivers.
inline constexpr std::size_t diagram_plot_name_width = 50;
// Points per great circle in a diagram.
inline constexpr int diagram_circle_points = 40;
// Justification of the net labels (blanks trimmed): centre of the middle
// line.
inline constexpr int net_label_justif = -6;

// The user-to-cm map of the lower-left net: its centre (xcm0, ycm0) cm and
// the matrix (xx, xy; yx, yy); the net has radius 1 user unit.
struct NetLayout {
  real xcm0 = 4.0f, ycm0 = 4.0f;
  real xx = 1.5f, xy = 0.0f, yx = 0.0f, yy = 1.5f;
};

// Standard and alternate symbol code of P, B and T (index 0, 1, 2): open
// circle, square and triangle; filled for an axis turned to the lower
// hemisphere.
using AxisSymbols = std::array<std::array<int, 2>, 3>;
inline constexpr AxisSymbols default_axis_symbols = {{{1, -1}, {4, -4}, {3, -3}}};

// Strike, dip and rake of planes 1 and 2 of one mechanism, radians.
struct MechanismPlanes {
  std::array<real, 2> strike{}, dip{}, rake{};
};

// The mechanisms a driver draws, the planes in degrees or, with
// in_radians, in radians.
struct DiagramData : DiagramMechanisms {
  bool in_radians = false;

  MechanismPlanes planes(int m) const;
  std::string_view label(int m) const { return label0[static_cast<std::size_t>(m - 1)].view(); }
};

using AxesRoutine = void (*)(AxisAngles&, AxisAngles&, real, real, real, real);

// Draws net k (from 0: column k / 5 to the right, row k mod 5 upwards) in
// the current subplot: moves the subplot's map to the net's centre, draws
// the frame (the records kept for place k, when they are still those it
// would write), the label under it, both planes and the six axes (those of
// plane 1 first) with their symbols.
void draw_net(const NetLayout& l, int k, const MechanismPlanes& planes, std::string_view label,
              const AxisSymbols& symbols, AxesRoutine axes);

// Counts the nets of mechanisms 1 to ndata whose frame leaves the sheet,
// the nets laid out `per_page` to a page (0: all on one page), and says
// how many in a warning box of the driver `h`, with what keeps them on
// the sheet; nothing for none.
void report_nets_off_sheet(const Header& h, const NetLayout& l, int ndata, int per_page);

// The run-information caption centred at the top of the page, in the
// text settings in force (the user's); the justification is left at that
// of the caption.
void run_caption();
// The text height and angle of the plot attributes.
struct TextSettings {
  real height = 0, angle = 0;
};
// The nets' labels upright, in their own text height; returns the height
// and angle they replace, which restore_text sets back once the nets are
// drawn, so that the captions of the next drawing are written at the
// user's size.
TextSettings diagram_text();
void restore_text(TextSettings kept);

// What a driver does for the choices of its menu that differ between the
// drivers: open the plot file, edit the layout, and run (after a new page
// of the open plot or its opening); and its symbols with the prompts of
// their choice.
struct DiagramActions {
  std::function<void()> open_plot, edit_layout, run;
  AxisSymbols* symbols = nullptr;
  std::array<std::string_view, 3> symbol_prompts;
};
// The driver menu until it is left: the head, and while output level 2 is
// on its body; the angle line only when `angles_in_radians` is given. Its
// other choices are the plot parameters, closing the plot and the
// stereonet projection.
void diagram_menu(const Header& h, int ndatdim, int ndata, std::optional<bool> angles_in_radians,
                  const std::string& plot_name, const DiagramActions& a);
// The banner of the scaling option.
void scaling_banner();

}  // namespace dorvix
