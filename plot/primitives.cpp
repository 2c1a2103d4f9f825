// Drawing in user units of the current subplot: polylines and polygons
// streamed through the 501-point device buffer, pen moves, texts, arrows,
// circles and arcs. Points are converted in place in the device buffer by
// the user-to-device map and handed to the device level; nothing is
// clipped here.

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cmath>
#include <span>
#include <string>

#include "dialogue/boxes.hpp"
#include "dialogue/item_lines.hpp"
#include "geometry/angles.hpp"
#include "numbers/edit.hpp"
#include "plot/buffers.hpp"
#include "plot/draw.hpp"
#include "plot/point_counts.hpp"
#include "plot/running_point_values.hpp"
#include "plot/subplot_maps.hpp"

namespace dorvix {

namespace {

constexpr Header buffer2_header{"buffer2", " 2.3", "16-03-2009"};
constexpr Header uspolygon_header{"uspolygon", " 3.1", "16-03-2009"};

// Arrow proportions: the shaft ends at 0.6 of the way from tail to tip; the
// head's half-width is 0.25 of that 0.6 vector (0.15 of the length).
constexpr real shaft_share = 0.6f;
constexpr real head_half_width = 0.25f;

// Calculation type of an arc's running point: the increment from the
// count, description texts kept.
constexpr int arc_sampling = 101;

// The number of points of x and y a drawing may read: n, within the arrays.
int within(std::span<const real> x, std::span<const real> y, int n) {
  return std::min<int>(n, static_cast<int>(std::min(x.size(), y.size())));
}

// One chunk of a polyline or polygon, converted to device points in place.
int next_device_chunk(std::span<const real> x, std::span<const real> y, int n, int& is) {
  int nb = 0;
  std::span<real> xb(pltbuff1.xdevbuff), yb(pltbuff1.ydevbuff);
  buffer2(xb, yb, device_buffer_points, nb, x, y, n, is);
  us2de(xb, yb, xb, yb, nb);
  return nb;
}

// The cosines and sines of an arc's running point, kept for the next arc:
// the primitive circle of a stereonet is drawn with the same points for
// every net, so they are computed once and taken again while the first
// value, the increment and the count are the same (bit for bit: the same
// values as computed anew).
struct ArcTurns {
  std::uint32_t first = 0, increment = 0;
  int count = -1;
  real last = 0;  // the running point at the last point
  std::array<real, curve_buffer_points> cosines{}, sines{};
};

const ArcTurns& arc_turns(const PtBlock& p) {
  static ArcTurns t;
  const auto first = std::bit_cast<std::uint32_t>(p.pti);
  const auto increment = std::bit_cast<std::uint32_t>(p.ptd);
  const int count = std::clamp(p.np, 0, curve_buffer_points);
  if (count == t.count && first == t.first && increment == t.increment) return t;
  real pt = p.pti - p.ptd;
  for (int k = 0; k < count; ++k) {
    pt = pt + p.ptd;
    t.cosines[static_cast<std::size_t>(k)] = std::cos(pt);
    t.sines[static_cast<std::size_t>(k)] = std::sin(pt);
  }
  t.first = first;
  t.increment = increment;
  t.count = count;
  t.last = pt;
  return t;
}

std::span<real> devx() { return pltbuff1.xdevbuff; }
std::span<real> devy() { return pltbuff1.ydevbuff; }

}  // namespace

void buffer2(std::span<real> xb, std::span<real> yb, int nbmax, int& nb, std::span<const real> x,
             std::span<const real> y, int nx, int& is) {
  // Never read or write past the arrays given.
  nx = std::min<int>(nx, static_cast<int>(std::min(x.size(), y.size())));
  nbmax = std::min<int>(nbmax, static_cast<int>(std::min(xb.size(), yb.size())));
  if (is > nx) {
    errorhead(buffer2_header);
    ItemLine().text("is = ").integer(is, 0).text(" > nx =").integer(nx, 0).write();
    ItemLine().text("attempt to read past array").write();
    errortail00();
    return;
  }
  if (is < 1 || nbmax < 1) {
    nb = 0;
    return;
  }
  nb = nbmax;
  int last = is + nbmax - 1;
  if (last > nx) {
    nb = std::max(nx - is + 1, 0);
    last = nx;
  }
  std::copy_n(x.begin() + (is - 1), nb, xb.begin());
  std::copy_n(y.begin() + (is - 1), nb, yb.begin());
  is = last;
}

void usline(std::span<const real> x, std::span<const real> y, int n) {
  n = within(x, y, n);
  int is = 1;
  do {
    const int nb = next_device_chunk(x, y, n, is);
    if (nb < 1) return;
    deline(devx(), devy(), nb);
  } while (is < n);
}

void uspolygon(std::span<const real> x, std::span<const real> y, int n) {
  n = within(x, y, n);
  int is = 1;
  for (;;) {
    const int nb = next_device_chunk(x, y, n, is);
    if (nb < 1) return;
    depolygon(devx(), devy(), nb);
    if (is >= n) return;
    warninghead(uspolygon_header);
    ItemLine().text("Polygone vertices =").integer(n, 0).write();
    ItemLine().text("Plot buffer size  =").integer(device_buffer_points, 0).write();
    ItemLine().text("==> Decomposing in smaller polygons").write();
    warningtail00();
  }
}

void usplot(real x, real y, int ipen) {
  point_to_device(x, y);
  deplot(x, y, ipen);
}

void ustext2(real x, real y, std::string_view text) {
  point_to_device(x, y);
  detext2(x, y, text);
}

void cmtext2(real x, real y, std::string_view text) {
  cm2de(std::span(&x, 1), std::span(&y, 1), std::span<const real>(&x, 1), std::span<const real>(&y, 1), 1);
  detext2(x, y, text);
}

void usarrow1(std::span<const real> x1, std::span<const real> y1, std::span<const real> x2,
              std::span<const real> y2, int n) {
  const auto count = std::min({static_cast<std::size_t>(std::max(n, 0)), x1.size(), y1.size(), x2.size(), y2.size()});
  for (std::size_t i = 0; i < count; ++i) {
    const real dx = shaft_share * (x2[i] - x1[i]);
    const real dy = shaft_share * (y2[i] - y1[i]);
    const real bx = x1[i] + dx, by = y1[i] + dy;  // base of the head
    // Perpendicular to the left of the direction.
    const real wx = -head_half_width * dy, wy = head_half_width * dx;
    const real shaft_x[] = {x1[i], bx}, shaft_y[] = {y1[i], by};
    usline(shaft_x, shaft_y, 2);
    const real head_x[] = {bx + wx, bx - wx, x2[i], bx + wx};
    const real head_y[] = {by + wy, by - wy, y2[i], by + wy};
    usline(head_x, head_y, 4);
  }
}

void uscircle(real xc, real yc, real r, int n) { usacircle(xc, yc, r, 0.0f, anglerad.two_pi(), n); }

void usacircle(real xc, real yc, real r, real a0, real a1, int n) {
  // Points of the arc: its share of a full turn of n points, in single
  // precision (multiply, then divide by 2 pi) and truncated; the running
  // point then reduces a count beyond the curve buffer with its warning.
  const real share = static_cast<real>(n) * std::fabs(a1 - a0) / anglerad.two_pi();
  int np = clamped_count(share, max_count);
  scptnp(np, setup::passed);
  real pti = a0, ptf = a1;
  scptif(pti, ptf, setup::passed);
  scptend(arc_sampling, setup::passed);
  PtBlock& p = ptblock;
  const ArcTurns& t = arc_turns(p);
  const int count = std::clamp(p.np, 0, curve_buffer_points);
  for (int k = 0; k < count; ++k) {
    const auto i = static_cast<std::size_t>(k);
    cc2dbuff.xp[i] = xc + r * t.cosines[i];
    cc2dbuff.yp[i] = yc + r * t.sines[i];
  }
  // The running point as the sampling leaves it: past the last point.
  p.pt = count > 0 ? t.last : p.pti - p.ptd;
  p.ipt = count + 1;
  usline(cc2dbuff.xp, cc2dbuff.yp, p.np);
}

}  // namespace dorvix
