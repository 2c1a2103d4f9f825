// Plot parameters at the opening of a plot file: the device maps of every
// subplot and the default attributes. (The menu of the plot parameters and
// the colour table are set up elsewhere; this is what every opening needs.)

#include "console/iocom.hpp"
#include "plot/device.hpp"

namespace dorvix {

namespace {

constexpr real default_symbsize = 0.4f;  // cm
constexpr int default_symbtype = 1;

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

// Every attribute at its default, announced.
void default_attributes() {
  real r = 0;
  int i = 0;
  slinewidth(r, 5);
  slinestyle(i, 5);
  slinecolor(i, 5);
  stextsize(r, 5);
  stextfont(i, 5);
  stextangle(r, 5);
  stextalign(i, 5);
  stextcolor(i, 5);
  sfillstyle(i, 5);
  sfillcolor(i, 5);
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
