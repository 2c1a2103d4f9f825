// Plot parameters at the opening of a plot file: the device maps of every
// subplot and the default attributes. (The menu of the plot parameters and
// the colour table are set up elsewhere; this is what every opening needs.)

#include "console/iocom.hpp"
#include "plot/device.hpp"

namespace dorvix {

namespace {

// Default attributes of a new plot file.
constexpr real default_linewidth = 0.02f;  // cm
constexpr real default_txtheight = 0.5f;   // cm
constexpr real default_txtangle = 0.0f;    // degrees
constexpr real default_symbsize = 0.4f;    // cm
constexpr int default_linecol = 1;         // black of the default table
constexpr int default_fillstyle = 1;       // filled
constexpr int default_fillcol = 8;         // light grey of the default table
constexpr int default_justif = -1;         // left bottom of the trimmed text
constexpr int default_font = 1;            // Helvetica
constexpr int default_textcol = 1;
constexpr int default_symbtype = 1;

// A colour index brought into the colours in use (0..ncolor): above them it
// wraps around, and the background 0 it would then give becomes 1.
int colour_in_use(int icol) {
  if (icol < 0) return 1;
  if (icol > plt2blk.ncolor) {
    icol %= plt2blk.ncolor + 1;
    if (icol == 0) icol = 1;
  }
  return icol;
}

// Centimetres to points, the same in every subplot.
void centimetre_to_device() {
  plt1blk.cm2pt = points_per_cm;
  for (Vec2& o : plt1blk.cm0tode) o = {0, 0};
  plt1blk.cmtode = {plt1blk.cm2pt, 0, 0, plt1blk.cm2pt};
}

// User to device of subplot index k: the centimetre-to-device map after
// the subplot's frame (matrices by columns).
void user_to_device(std::size_t k) {
  const Mat22& c = plt1blk.cmtode;
  const Mat22& u = plt1blk.ustocm[k];
  const Vec2& o = plt1blk.us0tocm[k];
  plt1blk.ustode[k] = {c[0] * u[0] + c[2] * u[1], c[1] * u[0] + c[3] * u[1], c[0] * u[2] + c[2] * u[3],
                       c[1] * u[2] + c[3] * u[3]};
  plt1blk.us0tode[k] = {c[0] * o[0] + c[2] * o[1] + plt1blk.cm0tode[k][0],
                        c[1] * o[0] + c[3] * o[1] + plt1blk.cm0tode[k][1]};
}

// Every attribute at its default; the line width, text size and font go
// to the driver at once.
void default_attributes() {
  plt2blk.linewidth = default_linewidth;
  intslinewidth(plt2blk.linewidth * plt1blk.cm2pt);
  plt2blk.linecol = colour_in_use(default_linecol);
  plt2blk.txtheight = default_txtheight;
  intstextsize(plt2blk.txtheight);
  plt2blk.ifont = default_font;
  psparams.ipsfont = default_font;
  psstrokepath();
  plt2blk.txtangle = default_txtangle;
  plt2blk.justif = default_justif;
  plt2blk.textcol = colour_in_use(default_textcol);
  plt2blk.fillstyle = default_fillstyle;
  plt2blk.fillcol = colour_in_use(default_fillcol);
  plt2blk.symbsize = default_symbsize;
  plt2blk.symbtype = default_symbtype;
}

}  // namespace

void splotparam2(int inter) {
  if (inter != 5 && inter != 7) return;
  if (!iocom.lplotop) return;
  centimetre_to_device();
  for (std::size_t k = 0; k < plt1blk.ustocm.size(); ++k) user_to_device(k);
  plt1blk.isub = 1;
  default_attributes();
}

}  // namespace dorvix
