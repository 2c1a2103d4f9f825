// Directions on the map from short steps along the globe.

#include "map/map_directions.hpp"

#include <array>
#include <cmath>
#include <numbers>

#include "catalogue/angles.hpp"
#include "projection/codes.hpp"
#include "projection/contract.hpp"
#include "projection/dispatcher.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

// The point at angular distance d along `azimuth` from (lon, lat) on the
// unit sphere (the direct problem on the sphere), radians, in double
// precision: the step is small against the coordinates.
struct LonLat {
  double lon, lat;
};
LonLat destination(double lon, double lat, double azimuth, double d) {
  const double sin_lat2 = std::sin(lat) * std::cos(d) + std::cos(lat) * std::sin(d) * std::cos(azimuth);
  const double lat2 = std::asin(std::fmax(-1.0, std::fmin(1.0, sin_lat2)));
  const double lon2 =
      lon + std::atan2(std::sin(azimuth) * std::sin(d) * std::cos(lat), std::cos(d) - std::sin(lat) * sin_lat2);
  return {lon2, lat2};
}

// Where the meridian step stops near a pole: an eighth of the arc left to
// it, so that the map's stretch along the meridian changes little over the
// step; and the shortest step single precision still resolves there.
constexpr double pole_fraction = 0.125;
constexpr double min_meridian_step = 1.0e-6;
// True when the cell's corners east and west of the point lie on both
// sides of the map's cut: the codes that fold longitudes about their
// central meridian put the two sides of the opposite meridian at the
// map's two edges. (The others take longitudes as they come: a cell
// across 180 degrees stays whole.)
bool cell_crosses_cut(real lon) {
  const ProjectionCode* c = find_projection_code(projtype.iproj);
  if (c == nullptr || c->cut != MapCut::opposite_central_meridian) return false;
  const real pi = anglerad.pi();
  const real d = wrapped_difference(lon, llpparam.longp1, pi, anglerad.two_pi());
  return std::fabs(d) + direction_longitude_step >= pi;
}

// The direction from the rates of change of the map over the cell around
// the point; false when the cell gives none.
bool cell_direction(real lon, real lat, real azimuth, real& angle) {
  if (cell_crosses_cut(lon)) return false;
  const double phi = lat;
  const double to_pole = std::numbers::pi / 2 - std::fabs(phi);
  const double h = std::fmin(direction_step, pole_fraction * to_pole);
  if (!(h >= min_meridian_step)) return false;
  // Corners: east-north, west-north, east-south, west-south. The steps are
  // measured between the corners as single precision holds them.
  const real east = static_cast<real>(lon + direction_longitude_step);
  const real west = static_cast<real>(lon - direction_longitude_step);
  const real north = static_cast<real>(phi + h), south = static_cast<real>(phi - h);
  const std::array<real, 4> clon{east, west, east, west}, clat{north, north, south, south};
  std::array<real, 4> cx{}, cy{};
  projlln(cx, cy, clon, clat, 4);
  for (std::size_t k = 0; k < 4; ++k) {
    if (at_infinity(cx[k], cy[k])) return false;
  }
  const double dlon = double(east) - double(west), dlat = double(north) - double(south);
  // The sides of the cell on the map, each the mean of its two chords.
  const double ex = 0.5 * ((double(cx[0]) - cx[1]) + (double(cx[2]) - cx[3]));
  const double ey = 0.5 * ((double(cy[0]) - cy[1]) + (double(cy[2]) - cy[3]));
  const double nx = 0.5 * ((double(cx[0]) - cx[2]) + (double(cx[1]) - cx[3]));
  const double ny = 0.5 * ((double(cy[0]) - cy[2]) + (double(cy[1]) - cy[3]));
  // The image of a unit step along the azimuth: its northern part along
  // the meridian, its eastern part (an arc of cos(phi) per radian of
  // longitude) along the parallel.
  const double c = std::cos(phi);
  if (!(c > 0.0 && dlon > 0.0 && dlat > 0.0)) return false;
  const double north_part = std::cos(double(azimuth)) / dlat;
  const double east_part = std::sin(double(azimuth)) / (c * dlon);
  const double vx = north_part * nx + east_part * ex;
  const double vy = north_part * ny + east_part * ey;
  if (!(std::hypot(vx, vy) > 0.0)) return false;
  angle = static_cast<real>(std::atan2(vy, vx));
  return true;
}

// The direction from one step along the azimuth, ahead or behind.
real step_direction(real lon, real lat, real x, real y, real azimuth) {
  const LonLat ahead = destination(lon, lat, azimuth, direction_step);
  const LonLat behind = destination(lon, lat, azimuth + trig.pi, direction_step);
  std::array<real, 2> px{}, py{};
  const std::array<real, 2> plon{static_cast<real>(ahead.lon), static_cast<real>(behind.lon)};
  const std::array<real, 2> plat{static_cast<real>(ahead.lat), static_cast<real>(behind.lat)};
  projlln(px, py, plon, plat, 2);
  // The steps on the map, the one behind reversed.
  const std::array<double, 2> dx{double(px[0]) - x, double(x) - px[1]};
  const std::array<double, 2> dy{double(py[0]) - y, double(y) - py[1]};
  int best = -1;
  double shortest = 0.0;
  for (int k = 0; k < 2; ++k) {
    const auto j = static_cast<std::size_t>(k);
    if (at_infinity(px[j], py[j])) continue;
    const double length = std::hypot(dx[j], dy[j]);
    if (!(length > 0.0)) continue;
    if (best < 0 || length < shortest) {
      best = k;
      shortest = length;
    }
  }
  if (best < 0) return trig.pi2 - azimuth;
  const auto j = static_cast<std::size_t>(best);
  return static_cast<real>(std::atan2(dy[j], dx[j]));
}

}  // namespace

real map_direction(real lon, real lat, real x, real y, real azimuth) {
  real angle = 0;
  if (cell_direction(lon, lat, azimuth, angle)) return angle;
  return step_direction(lon, lat, x, y, azimuth);
}

}  // namespace dorvix
