#pragma once
// The plot attributes: the colour table and the current line, fill, text
// and symbol attributes.

#include <array>

#include "numbers/real.hpp"

namespace dorvix {

// Colour indices run from 0 (background) to at most 12.
inline constexpr int max_colour_index = 12;
inline constexpr int ncolour_entries = max_colour_index + 1;

struct Plt2Blk {
  // Colour table: red, green and blue of entries 0..12 in percent (0 to 100).
  std::array<real, ncolour_entries> red{}, green{}, blue{};
  real linewidth = 0;  // line thickness, cm
  real txtheight = 0;  // text height, cm
  real txtangle = 0;   // text angle, degrees counter-clockwise
  real symbsize = 0;   // symbol size, cm (diameter of the circle through its outer points)
  int ncolor = 0;      // number of colours in use: indices 0..ncolor are valid
  int icurcol = 0;     // colour index last written to the plot file
  int icolor = 0;      // 1 colour plot; anything else black and white
  int linecol = 0;     // colour index of lines
  int fillstyle = 0;   // 0 hollow polygons, 1 filled
  int fillcol = 0;     // colour index of polygon fills
  int justif = 0;      // text justification, -11..11 (see detext2)
  int ifont = 0;       // text font, 1..16
  int textcol = 0;     // colour index of texts
  int symbtype = 0;    // symbol type code; its sign selects filling
};

inline Plt2Blk plt2blk;

}  // namespace dorvix
