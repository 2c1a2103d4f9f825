// Directions on the map from short steps along the globe.

#include "map/map_directions.hpp"

#include <array>
#include <cmath>

#include "catalogue/angles.hpp"
#include "projection/contract.hpp"
#include "projection/dispatcher.hpp"

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

}  // namespace

real map_direction(real lon, real lat, real x, real y, real azimuth) {
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

}  // namespace dorvix
