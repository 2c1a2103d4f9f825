// Colour records. A colour is written only while colour plotting is on,
// and the line, fill and text colours only when they differ from the
// colour last written (plt2blk.icurcol), so long runs of lines in one
// colour carry one colour record.

#include <string>

#include "plot/device.hpp"
#include "plot/ps_stream.hpp"

namespace dorvix {

namespace {

// "  r.rrr   g.ggg   b.bbb setrgbcolor": each component in 6 columns with 3
// decimals and a blank; the same in all three dialects.
void colour_record(int index) {
  if (index < 0 || index > max_colour_index) return;
  std::string line;
  ps::rgb(line, index);
  line += "setrgbcolor";
  ps::record(line);
}

// Writes `index` unless it is the current colour.
void change_to(int index) {
  if (index == plt2blk.icurcol) return;
  plt2blk.icurcol = index;
  colour_record(index);
}

}  // namespace

void psblackcolor() {
  psstrokepath();
  std::string line;
  for (int k = 0; k < 3; ++k) {
    ps::fraction(line, 0.0f);
    line += ' ';
  }
  line += "setrgbcolor";
  ps::record(line);
  plt2blk.icurcol = -1;
}

void psrgbcolor(int kind) {
  if (plt2blk.icolor != 1) return;
  switch (kind) {
    case -1:
      plt2blk.icurcol = 1;
      colour_record(1);
      break;
    case 0:
      colour_record(plt2blk.icurcol);
      break;
    case 1:
      change_to(plt2blk.linecol);
      break;
    case 2:
      change_to(plt2blk.fillcol);
      break;
    case 3:
      change_to(plt2blk.textcol);
      break;
    default:
      break;
  }
}

}  // namespace dorvix
