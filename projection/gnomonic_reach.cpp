#include "projection/gnomonic_reach.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "projection/codes.hpp"
#include "projection/oblique.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

// The least angle, radians, from the point c (a unit vector) to the
// window of g (0 when c lies within it). The nearest point of a parallel
// edge lies at the longitude nearest c's; that of a meridian edge where
// sin(lat) sin(lat_c) + cos(lat) cos(lat_c) cos(dlon) peaks, at
// atan2(sin lat_c, cos lat_c cos dlon), held within the edge.
double angle_to_window(const GridLl& g, const std::array<double, 3>& c) {
  const double two_pi = 2.0 * std::numbers::pi;
  const double lat_c = std::asin(std::clamp(c[2], -1.0, 1.0)), lon_c = std::atan2(c[1], c[0]);
  const double west = g.glonmin, east = g.glonmax, south = g.glatmin, north = g.glatmax;
  // How far east of the western edge c's meridian lies, in [0, 2 pi).
  double east_of_west = std::fmod(lon_c - west, two_pi);
  if (east_of_west < 0.0) east_of_west += two_pi;
  const double span = east - west;
  const bool over_pole = std::fabs(lat_c) >= std::numbers::pi / 2.0;
  if ((east_of_west <= span || over_pole) && south <= lat_c && lat_c <= north) return 0.0;
  // cos of the angle from c to (lon, lat), with lon - lon_c = dlon.
  const auto cos_angle = [&](double dlon, double lat) {
    return std::sin(lat_c) * std::sin(lat) + std::cos(lat_c) * std::cos(lat) * std::cos(dlon);
  };
  // The longitude offset of the point of a parallel edge nearest c.
  const double dlon_parallel = east_of_west <= span ? 0.0 : std::min(east_of_west - span, two_pi - east_of_west);
  double best = std::max(cos_angle(dlon_parallel, south), cos_angle(dlon_parallel, north));
  for (const double edge : {west, east}) {
    const double dlon = edge - lon_c;
    const double peak = std::atan2(std::sin(lat_c), std::cos(lat_c) * std::cos(dlon));
    best = std::max(best, cos_angle(dlon, std::clamp(peak, south, north)));
  }
  return std::acos(std::clamp(best, -1.0, 1.0));
}

}  // namespace

// How far within the circle h the point (lon, lat) lies, in cos c.
double within_circle(real lon, real lat, const SingularCircle& h) {
  const std::array<double, 3> u = unit_vector<double>(lon, lat);
  return u[0] * h.centre[0] + u[1] * h.centre[1] + u[2] * h.centre[2] - std::cos(h.radius);
}

// The cap of the globe the graticule shows when the map's horizon lies at
// infinity: the circle gnomonic_reach_degrees about the map's centre, or
// gnomonic_reach_past_window_degrees past the window's nearest point where
// that is farther, short of gnomonic_reach_limit_degrees (the cap grows
// with the window, so that a window moved a little gives a map changed a
// little); nothing under the other codes, whose graticule goes as far as
// their points have images.
std::optional<SingularCircle> reach_circle(const GridLl& g) {
  const ProjectionCode* code = find_projection_code(projtype.iproj);
  if (code == nullptr || !code->singular.at_infinity) return std::nullopt;
  std::optional<SingularCircle> cap = horizon_circle();
  if (!cap) return cap;
  const double degree = std::numbers::pi / 180.0;
  const double past_window = angle_to_window(g, cap->centre) + gnomonic_reach_past_window_degrees * degree;
  cap->radius = std::max(static_cast<double>(gnomonic_reach_degrees) * degree,
                         std::min(past_window, static_cast<double>(gnomonic_reach_limit_degrees) * degree));
  return cap;
}

// True when the point (lon, lat) lies within the cap, if there is one.
bool within_reach(const std::optional<SingularCircle>& reach, real lon, real lat) {
  return !reach || within_circle(lon, lat, *reach) >= 0.0;
}

std::optional<double> window_distance_degrees() {
  const GridLl& g = gridll;
  const ProjectionCode* code = find_projection_code(projtype.iproj);
  if (!has_window(g) || code == nullptr || !code->singular.at_infinity) return std::nullopt;
  const std::optional<SingularCircle> cap = horizon_circle();
  if (!cap) return std::nullopt;
  return angle_to_window(g, cap->centre) * 180.0 / std::numbers::pi;
}

bool window_beyond_reach() {
  const std::optional<double> d = window_distance_degrees();
  return d && *d >= static_cast<double>(gnomonic_reach_limit_degrees) - gnomonic_reach_margin_degrees;
}

}  // namespace dorvix
