// A page of every symbol code, circles, arcs, arrows and justified texts in
// user units: Ghostscript renders it in each dialect, and a raster of it
// has ink where each symbol is, filled or hollow as its code says, and
// none between the symbols.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geometry/angles.hpp"
#include "support/draw_fixture.hpp"
#include "support/raster.hpp"

namespace dorvix::testing {
namespace {

using DrawPage = DrawTest;

constexpr int codes[] = {0,  1,  2,  3,  4,  5,  6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,  17,  18,  20,
                         21, 22, 23, 40, 99, -1, -3,  -4,  -5,  -6,  -9,  -10, -13, -17, -20, -21, -23, -40, -99, 30};
constexpr int columns = 8;
constexpr real pitch_cm = 2.2f;
constexpr real symbol_cm = 0.8f;
constexpr real line_points = 2.0f;

// Centre of symbol k in cm on the paper (the frame maps a user unit to 1 cm
// from the corner of the page).
real centre_x(int k) { return 2.0f + pitch_cm * static_cast<real>(k % columns); }
real centre_y(int k) { return 26.0f - pitch_cm * static_cast<real>(k / columns); }

void draw_page() {
  int s = 1;
  ssubplot(s, setup::passed);
  real x0 = 0, y0 = 0, xx = 1, xy = 0, yx = 0, yy = 1;
  sus2cm1(x0, y0, xx, xy, yx, yy, setup::passed);
  intslinewidth(line_points);
  real size = symbol_cm;
  ssymbolsize(size, setup::passed);
  for (int k = 0; k < static_cast<int>(std::size(codes)); ++k) {
    int code = codes[k];
    ssymboltype(code, setup::passed);
    const real x[] = {centre_x(k)}, y[] = {centre_y(k)};
    ussymbol(x, y, 1);
  }
  // Circles, arcs and arrows below the symbols.
  uscircle(3, 9, 1.5f, 72);
  usacircle(8, 9, 1.5f, 0, std::numbers::pi_v<real>, 40);
  usacircle(8, 9, 1.0f, anglerad.three_half_pi(), anglerad.pi(), 30);
  const real tx[] = {11, 13}, ty[] = {8, 10}, hx[] = {15, 17}, hy[] = {10, 8};
  usarrow1(tx, ty, hx, hy, 2);
  // Texts of every justification, at user and paper points.
  for (int j = -11; j <= 11; j += 2) {
    plt2blk.justif = j;
    ustext2(2.0f + 0.7f * static_cast<real>(j + 11), 5, "(J" + std::to_string(j) + ")");
  }
  plt2blk.justif = 6;
  plt2blk.txtangle = 30;
  cmtext2(10, 2, "centred at 30 degrees \\ done");
}

TEST_F(DrawPage, EveryDialectRenders) {
  for (int dialect = 1; dialect <= 3; ++dialect) {
    open_plot(dialect, "P  ", 1, "page" + std::to_string(dialect) + ".ps");
    draw_page();
    close_plot();
  }
  EXPECT_EQ(screen(), "");  // the checks of TearDown render each file
}

TEST_F(DrawPage, InkWhereEachSymbolIsFilledOrHollowAsItsCodeSays) {
  DORVIX_REQUIRE_TOOL("gs");
  default_colour_table();
  open_plot(2, "P  ", 1, "symbols.ps");
  draw_page();
  close_plot();
  const Raster r = render(path("symbols.ps"));
  ASSERT_GT(r.width, 0);
  const double radius = symbol_cm / 2;
  for (int k = 0; k < static_cast<int>(std::size(codes)); ++k) {
    const int code = codes[k];
    const double x = centre_x(k), y = centre_y(k);
    EXPECT_GT(ink_around(r, x, y, radius + 0.1), 20) << "code " << code;
    // Nothing far outside the symbol, halfway to the next one.
    EXPECT_EQ(ink_around(r, x + pitch_cm / 2, y + pitch_cm / 2, 0.2), 0) << "code " << code;
    // The centre: filled shapes and every stroke through or from it have
    // ink there; hollow circles, polygons and squares have none.
    const int a = std::abs(code);
    const bool strokes_at_centre = (a >= 10 && a <= 17) || (a >= 20 && a <= 23);
    EXPECT_EQ(ink_around(r, x, y, 0.02) > 0, code < 0 || strokes_at_centre) << "code " << code;
  }
  // The full circle and the arcs: ink on the circle, none at its centre.
  EXPECT_GT(ink_around(r, 3 + 1.5, 9, 0.1), 0);
  EXPECT_GT(ink_around(r, 3, 9 - 1.5, 0.1), 0);
  EXPECT_EQ(ink_around(r, 3, 9, 0.5), 0);
  EXPECT_GT(ink_around(r, 8, 9 + 1.5, 0.1), 0) << "top of the half circle";
  EXPECT_EQ(ink_around(r, 8 + 0.3, 9 - 1.5, 0.1), 0) << "the half circle has no lower half";
  EXPECT_GT(ink_around(r, 8, 9 - 1.0, 0.1), 0) << "the arc from 3 pi / 2 back to pi";
  // The arrow heads at their tips.
  EXPECT_GT(ink_around(r, 15, 10, 0.1), 0);
  EXPECT_GT(ink_around(r, 17, 8, 0.1), 0);
}

}  // namespace
}  // namespace dorvix::testing
