#include "projection/map_pen.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "geometry/angles.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "projection/codes.hpp"
#include "projection/contract.hpp"
#include "projection/dispatcher.hpp"
#include "projection/state.hpp"
#include "projection/transverse_mercator.hpp"

namespace dorvix {

namespace {

// True when a point of map coordinates (user units of the current subplot)
// lands within the range the plot library writes without clipping.
bool within_page_range(real x, real y) {
  us2de(std::span(&x, 1), std::span(&y, 1), std::span<const real>(&x, 1), std::span<const real>(&y, 1), 1);
  return std::fabs(x) <= max_ps_coordinate && std::fabs(y) <= max_ps_coordinate;
}

// Where a segment from longitude lon0 by the step s (|s| <= pi) meets the
// cut: the fraction f of the segment, the longitude `before` of the cut on
// the side of lon0, and `after` on the other side.
struct Crossing {
  bool found = false;
  real f = 0, before = 0, after = 0;
};

// The meridian opposite the central one: in longitude differences from
// longp1, folded into -pi..pi as the projections fold them, the segment
// leaves that range.
Crossing across_opposite_meridian(real lon0, real s, real lon1) {
  const real pi = anglerad.pi(), two_pi = anglerad.two_pi(), lp = llpparam.longp1;
  const real d0 = wrapped_difference(lon0, lp, pi, two_pi);
  const real e = d0 + s;
  // The end as the projection folds it: on the other edge although the
  // step stays within the cut's tolerance, the segment crosses all the same.
  const real d1 = wrapped_difference(lon1, lp, pi, two_pi);
  if (!(std::fabs(e) > pi + cut_tolerance) && std::fabs(d1 - e) < pi) return {};
  const real side = e > 0.0f ? 1.0f : -1.0f;
  return {true, (side * pi - d0) / s, lp + side * pi, lp - side * pi};
}

// The antimeridian: the odd multiple of pi that the short step s from lon0
// passes; `raw` is the step as given, s plus whole turns.
Crossing across_antimeridian(real lon0, real s, real raw) {
  const real pi = anglerad.pi(), two_pi = anglerad.two_pi();
  const real c = s > 0.0f ? two_pi * std::floor((lon0 + pi) / two_pi) + pi : two_pi * std::ceil((lon0 - pi) / two_pi) - pi;
  const real f = (c - lon0) / s;
  if (!(f >= 0.0f && f <= 1.0f)) return {};
  return {true, f, c, c + (raw - s)};
}

// Transverse Mercator's far-side cut: where a segment from longitude lon0
// by the step s (|s| up to a whole turn) passes between the near side and
// the far side of a meridian 90 degrees from the central one south of the
// equator (the equator itself is at infinity there). The far side starts
// beyond far_side_edge(); the line is broken on the meridian: the near
// side's point is on it, the far side's a tolerance beyond the edge. The
// crossings are written to `found` in the order of the segment; returns
// their number.
int across_far_side(real lon0, real lat0, real s, real lat1, std::span<Crossing, 2> found) {
  const real two_pi = anglerad.two_pi(), half_pi = anglerad.half_pi(), edge = far_side_edge();
  const real d0 = wrapped_difference(lon0, llpparam.longp1, anglerad.pi(), two_pi), d1 = d0 + s;
  const int first = static_cast<int>(std::floor((std::fmin(d0, d1) - edge) / two_pi));
  const int last = static_cast<int>(std::ceil((std::fmax(d0, d1) + edge) / two_pi));
  int count = 0;
  for (int k = first; k <= last && s != 0.0f; ++k) {
    for (const real side : {-1.0f, 1.0f}) {
      // The edge, with the far side beyond it: east of +edge, west of -edge.
      const real turn = static_cast<real>(k) * two_pi, b = side * edge + turn;
      const bool east = side > 0.0f;
      const bool crosses =
          s > 0.0f ? (east ? d0 <= b && b < d1 : d0 < b && b <= d1) : (east ? d1 <= b && b < d0 : d1 < b && b <= d0);
      if (!crosses || count == 2) continue;
      const real f = (b - d0) / s;
      if (lat0 + std::clamp(f, 0.0f, 1.0f) * (lat1 - lat0) > 0.0f) continue;  // north of the equator: no cut
      const real near = lon0 + (side * half_pi + turn - d0);
      const real far = lon0 + (side * (edge + cut_tolerance) + turn - d0);
      const bool outwards = (s > 0.0f) == east;  // from the near side to the far side
      found[static_cast<std::size_t>(count++)] = outwards ? Crossing{true, f, near, far} : Crossing{true, f, far, near};
    }
  }
  if (count == 2 && found[1].f < found[0].f) std::swap(found[0], found[1]);
  return count;
}

}  // namespace

bool MapPen::on_page(real x, real y) const {
  return output_ == Output::measure ? !at_infinity(x, y) : on_map_page(x, y);
}

void MapPen::visit(real lon, real lat, bool continues) {
  real x = 0, y = 0;
  project_point(lon, lat, x, y);
  if (!on_page(x, y)) {
    pen_down_ = false;
    return;
  }
  const bool draws = continues && pen_down_;
  pen_down_ = true;
  if (output_ == Output::plot) {
    usplot(x, y, draws ? 1 : 0);
    if (!gathers_) return;
  }
  if (!extent_.any) {
    extent_ = {x, y, x, y, true};
    return;
  }
  extent_.xmin = std::min(extent_.xmin, x);
  extent_.xmax = std::max(extent_.xmax, x);
  extent_.ymin = std::min(extent_.ymin, y);
  extent_.ymax = std::max(extent_.ymax, y);
}

void MapPen::move(real lon, real lat) {
  visit(lon, lat, false);
  has_point_ = true;
  lon_ = lon;
  lat_ = lat;
}

void MapPen::draw(real lon, real lat) {
  if (!has_point_) {
    move(lon, lat);
    return;
  }
  // The step the segment makes: as given up to half a turn (exactly half
  // a turn included, so that a window's own steps are never reversed), the
  // short way round beyond. A pen that takes its steps as given never goes
  // the short way round: under the codes that take longitudes as they
  // come, its steps need no cut at all.
  const bool as_given = joins_ == Joins::along_the_globe_as_given;
  const real raw = lon - lon_;
  const real s =
      as_given || std::fabs(raw) <= anglerad.pi() + cut_tolerance ? raw : std::remainder(raw, anglerad.two_pi());
  // The cuts the segment crosses, in its order.
  std::array<Crossing, 3> cuts{};
  int count = 0;
  bool broken = false;
  const ProjectionCode* code = find_projection_code(projtype.iproj);
  const bool along_the_globe = joins_ != Joins::straight_on_the_map && code != nullptr;
  switch (along_the_globe ? code->cut : MapCut::none) {
    case MapCut::opposite_central_meridian:
      cuts[0] = across_opposite_meridian(lon_, s, lon);
      break;
    case MapCut::longitude_step:
      if (!as_given && std::fabs(raw) > anglerad.pi()) {
        cuts[0] = across_antimeridian(lon_, s, raw);
        broken = !cuts[0].found;  // a whole turn or more: nothing to join
      }
      break;
    case MapCut::none:
      break;
  }
  if (cuts[0].found) ++count;
  if (along_the_globe && code->singular.kind == SingularKind::far_side_cut) {
    count += across_far_side(lon_, lat_, s, lat, std::span<Crossing, 2>(cuts.data() + count, 2));
  }
  for (int i = 1; i < count; ++i) {  // in the order of the segment
    for (auto j = static_cast<std::size_t>(i); j > 0 && cuts[j].f < cuts[j - 1].f; --j) std::swap(cuts[j], cuts[j - 1]);
  }
  for (int k = 0; k < count; ++k) {
    const Crossing& c = cuts[static_cast<std::size_t>(k)];
    const real latc = lat_ + std::clamp(c.f, 0.0f, 1.0f) * (lat - lat_);
    visit(c.before, latc, true);
    visit(c.after, latc, false);
  }
  visit(lon, lat, !broken);
  lon_ = lon;
  lat_ = lat;
}

void MapPen::move_degrees(real lon, real lat) { move(rad(lon), rad(lat)); }
void MapPen::draw_degrees(real lon, real lat) { draw(rad(lon), rad(lat)); }

void MapPen::line(std::span<const real> lon, std::span<const real> lat, int n) {
  const auto count = std::min({static_cast<std::size_t>(std::max(n, 0)), lon.size(), lat.size()});
  for (std::size_t i = 0; i < count; ++i) {
    if (i == 0) {
      move(lon[i], lat[i]);
    } else {
      draw(lon[i], lat[i]);
    }
  }
}

void MapPen::end() {
  has_point_ = false;
  pen_down_ = false;
}

bool MapPen::text(real lon, real lat, std::string_view s) {
  real x = 0, y = 0;
  return text(lon, lat, s, x, y);
}

bool MapPen::text(real lon, real lat, std::string_view s, real& x, real& y) {
  project_point(lon, lat, x, y);
  if (output_ == Output::measure || !on_map_page(x, y)) return false;
  ustext2(x, y, s);
  return true;
}

bool on_map_page(real x, real y) { return !at_infinity(x, y) && within_page_range(x, y); }

int map_symbols(std::span<const real> x, std::span<const real> y, int n) {
  const auto count = std::min({static_cast<std::size_t>(std::max(n, 0)), x.size(), y.size()});
  int left_out = 0;
  std::size_t i = 0;
  while (i < count) {
    if (!on_map_page(x[i], y[i])) {
      ++left_out;
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < count && on_map_page(x[j], y[j])) ++j;
    ussymbol(x.subspan(i, j - i), y.subspan(i, j - i), static_cast<int>(j - i));
    i = j;
  }
  return left_out;
}

}  // namespace dorvix
