// Directions on the map from short steps along the globe.

#include "map/map_directions.hpp"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "geometry/angles.hpp"
#include "projection/codes.hpp"
#include "projection/contract.hpp"
#include "projection/dispatcher.hpp"
#include "projection/ellipsoid.hpp"
#include "projection/oblique.hpp"
#include "projection/polyconic.hpp"
#include "projection/singular_places.hpp"
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

// The cell: its half-width far from any singular place, radians (of
// latitude, and of longitude); the share of the room left to a singular
// place that it reaches; and the least step it is centred with, below
// which it is one-sided.
constexpr double cell_step = 1.0e-6;
constexpr double room_share = 0.01;
constexpr double least_step = 1.0e-10;

// The samples along one axis from which a rate of the map is measured:
// the rate is the sum of the map's values at `at` times `weight`.
struct Stencil {
  std::array<double, 6> at{}, weight{};
  std::size_t n = 0;
  // The shift of the samples, for a rate measured in differences from a
  // meridian.
  Stencil shifted(double by) const {
    Stencil s = *this;
    for (std::size_t k = 0; k < n; ++k) s.at[k] += by;
    return s;
  }
};

// Centred on p, p +- h and p +- 2h: fourth order, so that the rates keep
// their precision where the map stretches ten thousand times more one way
// than the other (near the antipode of an equal-area map's centre).
Stencil centred(double p, double h) {
  const double w = 1.0 / (12.0 * h);
  return {{p - 2.0 * h, p - h, p + h, p + 2.0 * h}, {w, -8.0 * w, 8.0 * w, -w}, 4};
}

// One-sided from p, towards p + 2h (h negative: backwards): second order.
Stencil one_sided(double p, double h) {
  const double w = 1.0 / (2.0 * h);
  return {{p, p + h, p + 2.0 * h}, {-3.0 * w, 4.0 * w, -w}, 3};
}

// The chord from a to b.
Stencil chord(double a, double b) { return {{a, b}, {-1.0 / (b - a), 1.0 / (b - a)}, 2}; }

// (1 - w) times the rate of a plus w times the rate of b.
Stencil blend(const Stencil& a, const Stencil& b, double w) {
  Stencil s = a;
  for (std::size_t k = 0; k < a.n; ++k) s.weight[k] *= 1.0 - w;
  for (std::size_t k = 0; k < b.n; ++k) {
    s.at[s.n] = b.at[k];
    s.weight[s.n++] = w * b.weight[k];
  }
  return s;
}

// Around p, where the map is smooth from lo to hi (lo <= p <= hi): centred
// on p, reaching `step` either side at most and a share of the room on
// either side; one-sided into the larger room when p is at an end (or
// nearly).
Stencil around(double p, double lo, double hi, double step) {
  const double h = 0.5 * std::fmin(step, room_share * std::fmin(p - lo, hi - p));
  if (h >= least_step) return centred(p, h);
  if (hi - p >= p - lo) return one_sided(p, 0.5 * std::fmin(step, room_share * (hi - p)));
  return one_sided(p, -0.5 * std::fmin(step, room_share * (p - lo)));
}

// The longitude stencil, as differences d from the central meridian, of a
// point at d on a folded map with `band`.
Stencil across_longitude(double d, const LongitudeBand& band, double step, double pi) {
  const double ad = std::fabs(d), side = d < 0.0 ? -1.0 : 1.0;
  if (band.any() && ad >= band.from && ad <= band.to) {
    if (band.across) return chord(-band.to - step, band.to + step);
    // The rates at the band's edges, just outside it: the near one alone,
    // or the two weighed by where the point lies between them.
    const Stencil near = one_sided(side * (band.from - least_step), -side * 0.5 * step);
    if (band.near_side_only) return near;
    const Stencil far = one_sided(side * (band.to + least_step), side * 0.5 * step);
    return blend(near, far, (ad - band.from) / (band.to - band.from));
  }
  // The smooth stretch of the parallel that holds the point.
  double lo = -pi, hi = pi;
  if (band.any()) {
    if (band.from > 0.0 && ad < band.from) {
      lo = -band.from;
      hi = band.from;
    } else if (d > 0.0) {
      lo = band.to;
    } else {
      hi = -band.to;
    }
  }
  return around(d, lo, hi, step);
}

// The angular distance from the point u to the nearest singular point or
// circle; infinite when there is none.
double room_to_circles(const SingularPlaces& places, const std::array<double, 3>& u) {
  double room = std::numeric_limits<double>::infinity();
  for (std::size_t k = 0; k < places.circle_count; ++k) {
    const SingularCircle& c = places.circles[k];
    const double cx = u[1] * c.centre[2] - u[2] * c.centre[1], cy = u[2] * c.centre[0] - u[0] * c.centre[2],
                 cz = u[0] * c.centre[1] - u[1] * c.centre[0];
    const double dot = u[0] * c.centre[0] + u[1] * c.centre[1] + u[2] * c.centre[2];
    room = std::fmin(room, std::fabs(std::atan2(std::hypot(cx, cy, cz), dot) - c.radius));
  }
  return room;
}

// The map's rates at a point: the images of a unit step north and of a
// unit step east (per radian of arc on the sphere; on the ellipsoid the
// northern one weighed by N / rho against the eastern, N and rho the radii
// of curvature along the parallel and the meridian); `valid` false when
// the cell gives none.
struct Rates {
  bool valid = false;
  double nx = 0, ny = 0, ex = 0, ey = 0;
};

// The rates of change of the map over the cell around the point.
Rates cell_rates(real lon, real lat) {
  const ProjectionCode* code = find_projection_code(projtype.iproj);
  if (code == nullptr) return {};
  const double lambda = lon, phi = lat;
  const SingularPlaces places = singular_places(phi);
  const double cap = places.pole_cap;
  const double room = places.circle_count > 0 ? room_to_circles(places, unit_vector(lambda, phi))
                                              : std::numeric_limits<double>::infinity();
  // Along the meridian; within a pole's cap, along its meridian just
  // outside it.
  Stencil ns{};
  double phi_e = phi;  // the latitude of the steps along the parallel
  if (std::fabs(phi) >= cap) {
    const double side = phi > 0.0 ? 1.0 : -1.0;
    ns = one_sided(side * (cap - cell_step), -side * 0.5 * cell_step);
    phi_e = side * (cap - cell_step);
  } else {
    ns = around(phi, -cap, cap, std::fmin(cell_step, room_share * room));
  }
  // Along the parallel, in radians of longitude.
  const double cos_phi = std::cos(phi_e);
  if (!(cos_phi > 0.0)) return {};
  const double lon_step = std::fmin(cell_step, room_share * room / cos_phi);
  Stencil ew{};
  if (places.folded) {
    const double pi = anglerad.pi(), lon0 = llpparam.longp1;
    const double d = wrapped_difference(lambda, lon0, pi, double(anglerad.two_pi()));
    ew = across_longitude(d, places.band, lon_step, pi).shifted(lon0);
  } else {
    const double infinite = std::numeric_limits<double>::infinity();
    ew = around(lambda, -infinite, infinite, lon_step);
  }
  // The samples: along the meridian, then along the parallel.
  std::array<double, 12> slon{}, slat{}, sx{}, sy{};
  for (std::size_t k = 0; k < ns.n; ++k) {
    slon[k] = lambda;
    slat[k] = ns.at[k];
  }
  for (std::size_t k = 0; k < ew.n; ++k) {
    slon[ns.n + k] = ew.at[k];
    slat[ns.n + k] = phi_e;
  }
  const std::size_t count = ns.n + ew.n;
  code->precise(sx, sy, slon, slat, static_cast<int>(count));
  Rates r{true};
  for (std::size_t k = 0; k < count; ++k) {
    if (at_infinity(sx[k], sy[k])) return {};
    const bool north = k < ns.n;
    const double w = north ? ns.weight[k] : ew.weight[k - ns.n];
    (north ? r.nx : r.ex) += w * sx[k];
    (north ? r.ny : r.ey) += w * sy[k];
  }
  // A radian of longitude is an arc of cos phi (N cos phi on the
  // ellipsoid, whose meridian's radius of curvature rho makes a step
  // along it weigh N / rho against one along the parallel).
  double north_weight = 1.0;
  if (code->ellipsoidal) {
    const double e2 = ellipsoid.ecc2, s = std::sin(phi_e);
    north_weight = (1.0 - e2 * s * s) / (1.0 - e2);
  }
  r.nx *= north_weight;
  r.ny *= north_weight;
  r.ex /= cos_phi;
  r.ey /= cos_phi;
  return r;
}

// Everything the projection formulas read: the rates of a point hold
// while it is the same.
struct ProjectionState {
  int iproj;
  LlpParam parameters;
  Matrix33 ab;
  Ellipsoid figure;
  ForImwPoly sheet;
  static ProjectionState current() { return {projtype.iproj, llpparam, a2b.ab, ellipsoid, forimwpoly}; }
};
// Compared byte for byte: no padding between the records.
static_assert(sizeof(ProjectionState) ==
              sizeof(int) + sizeof(LlpParam) + sizeof(Matrix33) + sizeof(Ellipsoid) + sizeof(ForImwPoly));

// The rates at a point, kept for the next call at the same point under the
// same projection: the map measures two directions (SHmax and Shmin) at
// each epicentre.
const Rates& rates_at(real lon, real lat) {
  static struct {
    bool any = false;
    real lon = 0, lat = 0;
    ProjectionState state{};
    Rates rates;
  } kept;
  const ProjectionState state = ProjectionState::current();
  if (!kept.any || std::bit_cast<std::uint32_t>(kept.lon) != std::bit_cast<std::uint32_t>(lon) ||
      std::bit_cast<std::uint32_t>(kept.lat) != std::bit_cast<std::uint32_t>(lat) ||
      std::memcmp(&kept.state, &state, sizeof state) != 0) {
    kept.any = true;
    kept.lon = lon;
    kept.lat = lat;
    kept.state = state;
    kept.rates = cell_rates(lon, lat);
  }
  return kept.rates;
}

// The direction of the azimuth from the rates; false when they give none.
bool cell_direction(real lon, real lat, real azimuth, real& angle) {
  const Rates& r = rates_at(lon, lat);
  if (!r.valid) return false;
  const double north = std::cos(double(azimuth)), east = std::sin(double(azimuth));
  const double vx = north * r.nx + east * r.ex, vy = north * r.ny + east * r.ey;
  if (!std::isfinite(vx) || !std::isfinite(vy) || (vx == 0.0 && vy == 0.0)) return false;
  angle = static_cast<real>(std::atan2(vy, vx));
  return true;
}

// The direction from one step along the azimuth, ahead or behind.
real step_direction(real lon, real lat, real x, real y, real azimuth) {
  const LonLat ahead = destination(lon, lat, azimuth, direction_step);
  const LonLat behind = destination(lon, lat, azimuth + anglerad.pi(), direction_step);
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
  if (best < 0) return anglerad.half_pi() - azimuth;
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
