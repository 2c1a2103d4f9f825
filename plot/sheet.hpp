#pragma once
// The sheet of paper a plot is drawn on, and the part of it a text
// covers, both in device points: the plot's own coordinates, before the
// prolog turns a landscape page (plot/prolog.cpp).

#include <string_view>

#include "numbers/real.hpp"

namespace dorvix {

// The sheet in device points, its lower-left corner at (0, 0): an A4 page
// upright (595 by 842), or a landscape A4 (842 by 595) or US Letter (792
// by 612) page, turned so that its long side runs along x. An orientation
// code of no known page (a hand-edited settings file) counts as upright A4,
// the bounding box the prologs give.
struct Sheet {
  real width, height;
};
Sheet page_sheet();

// A box in device points.
struct DeviceBox {
  real xmin, ymin, xmax, ymax;
};

// The box that the text written by detext2 at the device point (x, y),
// under the justification `justif`, covers at most with the current font,
// size and angle (in the open file's dialect): its width from the
// advances of the standard fonts' glyphs, its height from the baseline up
// to the top of its digits, or, for a text of other characters, from a
// quarter of its size below the baseline to its size above.
DeviceBox text_box(real x, real y, std::string_view text, int justif);

// True when the box lies on the sheet.
bool on_sheet(const DeviceBox& b, const Sheet& s);

}  // namespace dorvix
