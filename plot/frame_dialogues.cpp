// Setting a subplot's frame, the map from user units to centimetres on the
// paper: given as the map itself (sus2cm1) or as a window of user space
// that fills a box on the paper (sus2cm3), for the current subplot or, with
// setup::all_subplots, for all 35 from the defaults. While a plot file is open the
// device-side maps of each subplot whose frame is stored are composed again
// at once. A frame without inverse is never stored: its scales would be
// infinite or not numbers wherever they are used.

#include <cmath>
#include <string>

#include "dialogue/boxes.hpp"
#include "dialogue/console_units.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/prompts.hpp"
#include "numbers/edit.hpp"
#include "plot/affine.hpp"
#include "plot/draw.hpp"
#include "plot/subplot_maps.hpp"

namespace dorvix {


namespace {

constexpr Header sus2cm1_header{"sus2cm1", " 6.5", "16-03-2009"};
constexpr Header sus2cm3_header{"sus2cm3", " 4.4", "16-03-2009"};
constexpr Header mus2cm1_header{"mus2cm1", " 6.5", "16-03-2009"};
constexpr Header mus2cm3_header{"mus2cm3", " 4.4", "16-03-2009"};

// Default frame of sus2cm1: the user origin at (10, 10) cm, 1 cm per unit.
constexpr real default_xcm0 = 10.0f, default_ycm0 = 10.0f;
// Default window of sus2cm3: [-10, 10] on both axes in a 15 by 15 cm box
// whose lower-left corner is at (2, 2) cm, equal scales.
constexpr real default_umin = -10.0f, default_umax = 10.0f;
constexpr real default_lcm = 15.0f, default_box_corner = 2.0f;

// Width of the prompts of the two dialogues.
constexpr std::size_t prompt_width = 25;

std::size_t at(int s) { return static_cast<std::size_t>(s - 1); }

// The subplots a mode handles: all for setup::all_subplots, else the
// current one.
struct Range {
  int first, last;
};
Range handled(SetupMode mode) {
  if (mode.matches(setup::all_subplots)) return {1, nsubplots};
  const int s = current_subplot();
  return {s, s};
}

// " name =" and a value, for the refusal boxes.
std::string value_item(std::string_view name, real v) { return std::string(name) + " =" + edit::g(v, 13, 6); }

void refusal_tail(int s) {
  say("==> FRAME OF SUBPLOT " + edit::i(s, 2) + " NOT CHANGED");
  errortail00();
}

// A frame every map can be made of: an inverse, and values that stay
// numbers in device points.
bool usable(const Vec2& o, const Mat22& m) {
  Mat22 inv;
  if (!affine::inverse(m, inv)) return false;
  for (real v : {o[0], o[1], m[0], m[1], m[2], m[3]}) {
    if (!std::isfinite(v * points_per_cm)) return false;
  }
  return true;
}

// The frame of a window that fills a box on the paper: the user rectangle
// [xumin, xumax] x [yumin, yumax] whose corner (xumin, yumin) lands on
// (xcm0, ycm0), xlcm by ylcm cm; with ixy = 1 both scales take the
// smaller magnitude and each keeps its sign. `flat` when the window has no
// width or height, whose scales would divide by zero.
struct WindowFrame {
  Vec2 o;
  Mat22 m;
  bool flat;
  bool fits() const { return !flat && usable(o, m); }
};

WindowFrame window_frame(real xcm0, real ycm0, real xlcm, real ylcm, real xumin, real xumax, real yumin, real yumax,
                         int ixy) {
  // Scales in cm per user unit.
  real xx = xlcm / (xumax - xumin);
  real yy = ylcm / (yumax - yumin);
  if (ixy == 1) {
    if (std::fabs(yy) < std::fabs(xx)) {
      xx = xx >= 0 ? std::fabs(yy) : -std::fabs(yy);
    } else {
      yy = yy >= 0 ? std::fabs(xx) : -std::fabs(xx);
    }
  }
  const real xy = 0, yx = 0;
  return {.o = {xcm0 - xx * xumin - xy * yumin, ycm0 - yx * xumin - yy * yumin},
          .m = {xx, yx, xy, yy},
          .flat = !(xumax != xumin) || !(yumax != yumin)};
}

// Stores the frame of subplot s and, while a plot file is open, composes
// its device-side maps. A frame that is not usable is refused, unless it
// is the frame already stored (nothing then changes).
void store_frame(const Header& h, int s, const Vec2& o, const Mat22& m) {
  const auto k = at(s);
  const bool same = plt1blk.us0tocm[k] == o && plt1blk.ustocm[k] == m;
  if (!same && !usable(o, m)) {
    errorhead(h);
    say(value_item("xcm0", o[0]) + value_item(" ycm0", o[1]));
    say(value_item("xx  ", m[0]) + value_item(" xy  ", m[2]));
    say(value_item("yx  ", m[1]) + value_item(" yy  ", m[3]));
    say("==> FRAME WITHOUT INVERSE OR TOO LARGE");
    refusal_tail(s);
    return;
  }
  plt1blk.us0tocm[k] = o;
  plt1blk.ustocm[k] = m;
  if (iocom.lplotop) {
    compose_user_to_device(s);
    compose_centimetre_to_user(s);
  }
}

void rule(char c, std::size_t n = 42) { say(std::string(n, c)); }

// "text" and a value in 9 columns with 3 decimals, once or twice on a line.
std::string value_pair(std::string_view text, real v) { return std::string(text) + edit::f(v, 9, 3); }

// The question that opens both dialogues' prompts.
bool want_to_alter() {
  int istat = 0;
  bool alter = false;
  inlogicdef(alter, edit::pad("Do you want to alter this", prompt_width), false, istat);
  return alter;
}

// Each value asked in turn with its current value as the default.
struct Item {
  std::string_view name;
  real* v;
};
void ask_values(std::initializer_list<Item> items) {
  int istat = 0;
  for (const Item& it : items) {
    const real def = *it.v;
    inrealdef(*it.v, edit::pad(it.name, prompt_width), def, istat);
  }
}

}  // namespace

void sus2cm1(real& xcm0, real& ycm0, real& xx, real& xy, real& yx, real& yy, SetupMode mode) {
  const Range r = handled(mode);
  for (int s = r.first; s <= r.last; ++s) {
    const auto k = at(s);
    if (mode.from_stored()) {
      xcm0 = plt1blk.us0tocm[k][0];
      ycm0 = plt1blk.us0tocm[k][1];
      xx = plt1blk.ustocm[k][0];
      yx = plt1blk.ustocm[k][1];
      xy = plt1blk.ustocm[k][2];
      yy = plt1blk.ustocm[k][3];
    } else if (mode.from_defaults() || mode.matches(setup::all_subplots)) {
      xcm0 = default_xcm0;
      ycm0 = default_ycm0;
      xx = 1;
      xy = 0;
      yx = 0;
      yy = 1;
    }
    if (mode.shows_menu()) mus2cm1(xcm0, ycm0, xx, xy, yx, yy);
    store_frame(sus2cm1_header, s, {xcm0, ycm0}, {xx, yx, xy, yy});
  }
}

void sus2cm3(real& xcm0, real& ycm0, real& xlcm, real& ylcm, real& xumin, real& xumax, real& yumin, real& yumax,
             int& ixy, SetupMode mode) {
  const Range r = handled(mode);
  for (int s = r.first; s <= r.last; ++s) {
    const auto k = at(s);
    if (mode.from_stored()) {
      xumin = plt1blk.usextr[k][0];
      xumax = plt1blk.usextr[k][1];
      yumin = plt1blk.usextr[k][2];
      yumax = plt1blk.usextr[k][3];
      xlcm = plt1blk.cmaxlength[k][0];
      ylcm = plt1blk.cmaxlength[k][1];
      xcm0 = plt1blk.usmintocm[k][0];
      ycm0 = plt1blk.usmintocm[k][1];
      ixy = plt1blk.isoxy[k];
      if (mode.returns_stored()) return;
    } else if (mode.from_defaults() || mode.matches(setup::all_subplots)) {
      xumin = default_umin;
      xumax = default_umax;
      yumin = default_umin;
      yumax = default_umax;
      xlcm = default_lcm;
      ylcm = default_lcm;
      xcm0 = default_box_corner;
      ycm0 = default_box_corner;
      ixy = 1;
    }
    if (mode.shows_menu()) mus2cm3(xcm0, ycm0, xlcm, ylcm, xumin, xumax, yumin, yumax, ixy);

    const WindowFrame f = window_frame(xcm0, ycm0, xlcm, ylcm, xumin, xumax, yumin, yumax, ixy);
    if (!f.fits()) {
      errorhead(sus2cm3_header);
      say(value_item("xumin", xumin) + value_item(" xumax", xumax));
      say(value_item("yumin", yumin) + value_item(" yumax", yumax));
      say(value_item("xlcm ", xlcm) + value_item(" ylcm ", ylcm));
      say(value_item("xcm0 ", xcm0) + value_item(" ycm0 ", ycm0));
      say(f.flat ? "==> WINDOW WITHOUT WIDTH OR HEIGHT" : "==> FRAME WITHOUT INVERSE OR TOO LARGE");
      refusal_tail(s);
      continue;
    }
    plt1blk.usextr[k] = {xumin, xumax, yumin, yumax};
    plt1blk.cmaxlength[k] = {xlcm, ylcm};
    plt1blk.usmintocm[k] = {xcm0, ycm0};
    plt1blk.isoxy[k] = ixy;
    store_frame(sus2cm3_header, s, f.o, f.m);
  }
}

bool window_fits(real xcm0, real ycm0, real xlcm, real ylcm, real xumin, real xumax, real yumin, real yumax, int ixy) {
  return window_frame(xcm0, ycm0, xlcm, ylcm, xumin, xumax, yumin, yumax, ixy).fits();
}

void mus2cm1(real& xcm0, real& ycm0, real& xx, real& xy, real& yx, real& yy) {
  submenuhead(mus2cm1_header);
  if (iocom.lwito(2)) {
    rule('=');
    say(edit::pad("          CONVERSION SET UP", 42));
    rule('=');
    say("|  cm  |                   |user units|");
    say("|  on  | <---------------- |   used   |");
    say("| plot |                   | in calls |");
    say("");
    say(" |xcm|                         |xu|");
    say(" |   | <---------------------- |  |");
    say(" |ycm|                         |yu|");
    say("");
    say(" |xcm|     |xx   xy|   |xu|   |xcm0|");
    say(" |   |  =  |       | * |  | + |    |");
    say(" |ycm|     |yx   yy|   |yu|   |ycm0|");
    rule('=');
    say("            Current set up:");
    rule('=');
    const auto value_line = [](std::string_view left, real a, real b, std::string_view user, real o) {
      say(std::string(left) + "   |" + edit::f(a, 7, 3) + " " + edit::f(b, 7, 3) + "|   " + std::string(user) + "   |" +
          edit::f(o, 7, 3) + "|");
    };
    value_line("|xcm|", xx, xy, "|xu|", xcm0);
    say("|   | = |" + std::string(15, ' ') + "| * |  | + |" + std::string(7, ' ') + "|");
    value_line("|ycm|", yx, yy, "|yu|", ycm0);
    rule('=');
  }
  if (!want_to_alter()) return;
  ask_values({{"xcm0", &xcm0}, {"ycm0", &ycm0}, {"xx", &xx}, {"xy", &xy}, {"yx", &yx}, {"yy", &yy}});
}

void mus2cm3(real& xcm0, real& ycm0, real& xlcm, real& ylcm, real& xumin, real& xumax, real& yumin, real& yumax,
             int& ixy) {
  submenuhead(mus2cm3_header);
  if (iocom.lwito(2)) {
    rule('=');
    say(edit::pad("          CONVERSION SET UP", 42));
    rule('=');
    say("|  cm  |                     |user units|");
    say("|  on  | <------------------ |   used   |");
    say("| plot |                     | in calls |");
    say("");
    say(" |xcm|                           |xu|");
    say(" |   | <------------------------ |  |");
    say(" |ycm|                           |yu|");
    rule('=');
    say("            Current set up:");
    rule('=');
    rule('-');
    say(edit::pad("     1 - USER UNITS IN USER SPACE", 42));
    rule('-');
    say(value_pair("   _|_________________|_  yumax = ", yumax));
    say("    |                 |");
    say("    |                 |");
    say(value_pair("   _|_________________|_  yumin = ", yumin));
    say("    |                 |");
    say("  xumin             xumax");
    put(iocom.iuout, "  " + edit::f(xumin, 9, 3) + std::string(9, ' ') + edit::f(xumax, 9, 3));
    say("");
    say(" user limits:          xu,yu in user units");
    say(value_pair(" xumin = ", xumin) + " " + value_pair(" yumin = ", yumin));
    say(value_pair(" xumax = ", xumax) + " " + value_pair(" yumax = ", yumax));
    rule('-');
    say(edit::pad("     2 - CM UNITS ON PLOT", 42));
    rule('-');
    say("   _|_________________|_  ");
    say("    |                 |  |");
    say(value_pair("    |                 |  | ylcm = ", ylcm));
    say(value_pair("   _|_________________|_ | _ ycm0 = ", ycm0));
    say("    |                 |");
    say("    <---- xlcm -------> ");
    say(value_pair("    |   ", xlcm));
    say(value_pair("  xcm0 = ", xcm0));
    say("");
    say(" paper limits:               xcm,ycm in cm");
    say(value_pair(" xlcm  = ", xlcm) + " " + value_pair(" ylcm  = ", ylcm));
    say(value_pair(" xcm0  = ", xcm0) + " " + value_pair(" ycm0  = ", ycm0));
    rule('-');
    if (ixy == 1) {
      say("X & Y scale imposed equal");
    } else if (ixy == 0) {
      say("X & Y scale will adjust xlcm & ylcm");
    } else {
      say("WARNING: ixy =  " + edit::i(ixy, 8) + "  neither 0 nor 1");
      say("      will have same effect as ixy = 0");
    }
    rule('-');
  }
  if (!want_to_alter()) return;
  int istat = 0;
  ask_values({{"xumin", &xumin}, {"xumax", &xumax}, {"yumin", &yumin}, {"yumax", &yumax}, {"xcm0", &xcm0},
              {"ycm0", &ycm0}, {"xlcm", &xlcm}, {"ylcm", &ylcm}});
  // Any value but 1 acts as 0, so 0 is what an empty answer keeps.
  const int def = ixy == 1 ? 1 : 0;
  inintegvindef(ixy, edit::pad("Whether X scale = Y scale", prompt_width), def, 0, 1, istat);
}

}  // namespace dorvix
