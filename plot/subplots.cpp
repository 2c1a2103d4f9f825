// The subplot frames: for each of the 35 subplots the map from user units
// to centimetres on the paper (its frame), composed with the fixed
// centimetre-to-device map (28.35 points per centimetre) into the
// user-to-device map every drawing routine uses, and inverted into the
// centimetre-to-user map; the choice of the current subplot.

#include <span>
#include <string>

#include "dialogue/console_units.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/range_checks.hpp"
#include "numbers/edit.hpp"
#include "plot/affine.hpp"
#include "plot/draw.hpp"
#include "plot/subplot_maps.hpp"

namespace dorvix {

namespace {

constexpr Header ssubplot_header{"ssubplot", " 1.3", "16-03-2009"};

std::size_t at(int s) { return static_cast<std::size_t>(s - 1); }

// The SUBPLOTS box: the last subplot used and the one switched to.
void subplots_box(int last, int isub) {
  submenuhead(ssubplot_header);
  const auto number_line = [](std::string_view label, int v) {
    say(std::string(label) + " " + edit::i(v, 2));
  };
  say("|             SUBPLOTS              |");
  say("|-----------------------------------|");
  number_line("|max nb ..........", nsubplots);
  number_line("|last used .......", last);
  say("|-----------------------------------|");
  say("|      SWITCHING TO SUBPLOT:         ");
  say("|-----------------------------------|");
  number_line("|number ..........", isub);
  // A number outside 1..35 has no title: it is refused just after.
  const bool known = isub >= 1 && isub <= nsubplots;
  say("|name ............ " + (known ? pltcharblk.subplotitle[at(isub)] : std::string(20, ' ')));
  menutail();
}

}  // namespace

int current_subplot() { return plt1blk.isub >= 1 && plt1blk.isub <= nsubplots ? plt1blk.isub : 1; }

void compose_user_to_device(int s) {
  const auto k = at(s);
  m22x22(plt1blk.ustode[k], plt1blk.cmtode, plt1blk.ustocm[k]);
  Vec2 o;
  m22x21(o, plt1blk.cmtode, plt1blk.us0tocm[k]);
  vsum(plt1blk.us0tode[k], o, plt1blk.cm0tode[k], 2);
}

bool compose_centimetre_to_user(int s) {
  const auto k = at(s);
  Mat22 inv;
  if (!affine::inverse(plt1blk.ustocm[k], inv)) return false;
  plt1blk.cmtous[k] = inv;
  // cm0tous = -(cmtous us0tocm), so that cm2us inverts the frame.
  Vec2 o;
  m22x21(o, inv, plt1blk.us0tocm[k]);
  plt1blk.cm0tous[k] = {-o[0], -o[1]};
  return true;
}

void ssubplot(int& isub, SetupMode mode) {
  SetupMode m = mode;
  for (;;) {
    const int last = plt1blk.isub;
    if (m.from_stored()) {
      isub = plt1blk.isub;
    } else if (m.from_defaults() || m.matches(setup::all_subplots)) {
      submenuhead(ssubplot_header);
      isub = 1;
      say("INITIALISING SUBPLOT = " + edit::i(isub, 2));
    }
    if (m.shows_menu()) subplots_box(last, isub);
    int istat = 0;
    cinvin(isub, 1, nsubplots, "ssubplot", "subplot nb", istat);
    if (istat == 0) break;
    m = setup::menu_from_defaults;  // resumed after the error: subplot 1, announced
  }
  plt1blk.isub = isub;
}

void scm2de() {
  plt1blk.cm2pt = points_per_cm;
  for (Vec2& o : plt1blk.cm0tode) o = {0, 0};
  plt1blk.cmtode = {plt1blk.cm2pt, 0, 0, plt1blk.cm2pt};
}

void sus2de() { compose_user_to_device(current_subplot()); }

void scm2us() {
  const int s = current_subplot();
  // A frame without inverse is reported, and its map left as it was.
  Mat22 inv;
  if (minv2d(inv, plt1blk.ustocm[at(s)])) compose_centimetre_to_user(s);
}

void ssubplotmaps() {
  for (int s = 1; s <= nsubplots; ++s) {
    compose_user_to_device(s);
    compose_centimetre_to_user(s);  // a frame never stored has no inverse
  }
}

void us2de(std::span<real> xde, std::span<real> yde, std::span<const real> xus, std::span<const real> yus, int n) {
  const auto k = at(current_subplot());
  affine::apply(plt1blk.us0tode[k], plt1blk.ustode[k], xde, yde, xus, yus, n);
}

void point_to_device(real& x, real& y) {
  us2de(std::span(&x, 1), std::span(&y, 1), std::span<const real>(&x, 1), std::span<const real>(&y, 1), 1);
}

void cm2us(std::span<real> xus, std::span<real> yus, std::span<const real> xcm, std::span<const real> ycm, int n) {
  const auto k = at(current_subplot());
  affine::apply(plt1blk.cm0tous[k], plt1blk.cmtous[k], xus, yus, xcm, ycm, n);
}

void cm2de(std::span<real> xde, std::span<real> yde, std::span<const real> xcm, std::span<const real> ycm, int n) {
  const auto k = at(current_subplot());
  affine::apply(plt1blk.cm0tode[k], plt1blk.cmtode, xde, yde, xcm, ycm, n);
}

void lengthcm2de(real& lde, real lcm) { lde = lcm * plt1blk.cm2pt; }

}  // namespace dorvix
