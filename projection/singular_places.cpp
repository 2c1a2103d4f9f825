#include "projection/singular_places.hpp"

#include <cmath>

#include "catalogue/angles.hpp"
#include "projection/codes.hpp"
#include "projection/oblique.hpp"
#include "projection/state.hpp"
#include "projection/transverse_mercator.hpp"
#include "projection/van_der_grinten.hpp"

namespace dorvix {

namespace {

void add(SingularPlaces& p, const std::array<double, 3>& centre, double radius) {
  if (p.circle_count < p.circles.size()) p.circles[p.circle_count++] = {centre, radius};
}

// The centre of the oblique aspects: the third axis of the frame of `ab`.
std::array<double, 3> centre_of_ab() {
  const Matrix33& ab = a2b.ab;
  std::array<double, 3> c{element(ab, 3, 1), element(ab, 3, 2), element(ab, 3, 3)};
  const double n = std::hypot(c[0], c[1], c[2]);
  if (n > 0.0) {
    for (double& v : c) v /= n;
  }
  return c;
}

// An azimuthal map about `centre`: the circle at `edge` from it (the
// antipode, pi, or the horizon), and the circle beyond which the map puts
// every point on it, when the largest angle drawn is below pi.
void azimuthal(SingularPlaces& p, const std::array<double, 3>& centre, double edge, bool limited) {
  add(p, centre, edge);
  const double limit = llpparam.anglep1;
  if (limited && limit < double(anglerad.pi())) add(p, centre, limit);
}

}  // namespace

SingularPlaces singular_places(double phi) {
  SingularPlaces p;
  p.pole_cap = angleradi.half_pi();
  const ProjectionCode* code = find_projection_code(projtype.iproj);
  if (code == nullptr) return p;
  p.folded = code->cut == MapCut::opposite_central_meridian;
  constexpr std::array<double, 3> north_pole{0.0, 0.0, 1.0};
  const double pi = anglerad.pi(), half_pi = anglerad.half_pi();
  switch (code->code) {
    case 1: {
      p.band = {.from = angleradi.half_pi(), .to = far_side_edge(), .near_side_only = phi <= 0.0};
      const double lon0 = llpparam.longp1;
      for (const double side : {-1.0, 1.0}) {
        add(p, {std::cos(lon0 + side * half_pi), std::sin(lon0 + side * half_pi), 0.0}, 0.0);
      }
      break;
    }
    case 25:
      p.band = {.from = 0.0, .to = central_meridian_band_degrees * anglerad.rad_per_deg(), .across = true};
      break;
    case 5:
    case 7:
      azimuthal(p, north_pole, pi, true);
      break;
    case 6:
    case 8:
      azimuthal(p, centre_of_ab(), pi, true);
      break;
    case 9:
      azimuthal(p, north_pole, half_pi, true);
      break;
    case 10:
      azimuthal(p, centre_of_ab(), half_pi, false);
      break;
    case 11:
    case 12: {
      // The horizon seen from the viewpoint: cos c = sin(A/2).
      const double horizon = std::acos(std::fmax(-1.0, std::fmin(1.0, double(llpparam.pconst1))));
      azimuthal(p, code->code == 11 ? north_pole : centre_of_ab(), horizon, false);
      break;
    }
    case 17:
      azimuthal(p, north_pole, half_pi, false);
      break;
    case 18:
      azimuthal(p, centre_of_ab(), half_pi, false);
      break;
    default:
      break;
  }
  return p;
}

}  // namespace dorvix
