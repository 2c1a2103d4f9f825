#include "projection/map_pen.hpp"

#include <algorithm>
#include <cmath>

#include "catalogue/angles.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "projection/codes.hpp"
#include "projection/contract.hpp"
#include "projection/dispatcher.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

// True when a point of map coordinates (user units of the current subplot)
// lands within the range the plot library writes without clipping.
bool within_page_range(real x, real y) {
  us2de(std::span(&x, 1), std::span(&y, 1), std::span<const real>(&x, 1), std::span<const real>(&y, 1), 1);
  return std::fabs(x) <= max_ps_coordinate && std::fabs(y) <= max_ps_coordinate;
}

MapCut current_cut() {
  const ProjectionCode* c = find_projection_code(projtype.iproj);
  return c != nullptr ? c->cut : MapCut::none;
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
    return;
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
  Crossing c;
  bool broken = false;
  switch (joins_ == Joins::straight_on_the_map ? MapCut::none : current_cut()) {
    case MapCut::opposite_central_meridian:
      c = across_opposite_meridian(lon_, s, lon);
      break;
    case MapCut::longitude_step:
      if (!as_given && std::fabs(raw) > anglerad.pi()) {
        c = across_antimeridian(lon_, s, raw);
        broken = !c.found;  // a whole turn or more: nothing to join
      }
      break;
    case MapCut::none:
      break;
  }
  if (c.found) {
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
