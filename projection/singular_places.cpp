#include "projection/singular_places.hpp"

#include <cmath>

#include "geometry/angles.hpp"
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

// The centre of an azimuthal map: the north pole, or the oblique centre.
std::array<double, 3> centre_of(const SingularPlace& s) {
  return s.oblique ? centre_of_ab() : std::array<double, 3>{0.0, 0.0, 1.0};
}

// An azimuthal map: the circle at `edge` from its centre (the antipode,
// pi, or the horizon), and the circle beyond which the map puts every
// point on it, when the code takes a largest angle drawn below pi.
void azimuthal(SingularPlaces& p, const SingularPlace& s, double edge) {
  const std::array<double, 3> centre = centre_of(s);
  add(p, centre, edge);
  const double limit = llpparam.anglep1;
  if (s.limited && limit < double(anglerad.pi())) add(p, centre, limit);
}

// The angular distance of a horizon from its centre: 90 degrees, or seen
// from the perspective's viewpoint, cos c = sin(A/2).
double horizon_distance(const SingularPlace& s) {
  if (!s.from_viewpoint) return anglerad.half_pi();
  return std::acos(std::fmax(-1.0, std::fmin(1.0, double(llpparam.pconst1))));
}

}  // namespace

SingularPlaces singular_places(double phi) {
  SingularPlaces p;
  p.pole_cap = angleradi.half_pi();
  const ProjectionCode* code = find_projection_code(projtype.iproj);
  if (code == nullptr) return p;
  p.folded = code->cut == MapCut::opposite_central_meridian;
  const SingularPlace& s = code->singular;
  if (s.kind == SingularKind::poles) return p;  // most codes: nothing more
  switch (s.kind) {
    case SingularKind::far_side_cut: {
      p.band = {.from = angleradi.half_pi(), .to = far_side_edge(), .near_side_only = phi <= 0.0};
      const double lon0 = llpparam.longp1, half_pi = anglerad.half_pi();
      for (const double side : {-1.0, 1.0}) {
        add(p, {std::cos(lon0 + side * half_pi), std::sin(lon0 + side * half_pi), 0.0}, 0.0);
      }
      break;
    }
    case SingularKind::band:
      p.band = {.from = 0.0, .to = central_meridian_band_degrees * anglerad.rad_per_deg(), .across = true};
      break;
    case SingularKind::antipode:
      azimuthal(p, s, anglerad.pi());
      break;
    case SingularKind::horizon:
      azimuthal(p, s, horizon_distance(s));
      break;
    case SingularKind::poles:
      break;
  }
  return p;
}

std::optional<SingularCircle> horizon_circle() {
  const ProjectionCode* code = find_projection_code(projtype.iproj);
  if (code == nullptr || code->singular.kind != SingularKind::horizon) return std::nullopt;
  return SingularCircle{centre_of(code->singular), horizon_distance(code->singular)};
}

}  // namespace dorvix
