#pragma once
// The 25 map projection codes: for each, the routine that projects under it
// and what it is. `forward` projects n points under the code with the
// current projection state, exactly as the dispatcher does (`precise` does
// the same in double precision, for measuring the map): the polar
// routines get their extra arguments from the state (`anglep1`, `pconst1`,
// `pconst2`, the origin's offsets), and codes 6, 8 and 18 rotate the points
// into the oblique frame and project them by the polar formula (the
// routines of projection/azimuthal.hpp that do both in one pass, equal to
// lla2llb followed by the polar routine).

#include <span>
#include <string_view>

#include "numbers/real.hpp"

namespace dorvix {

using ForwardProjection = void (*)(std::span<real> x, std::span<real> y, std::span<const real> lon,
                                   std::span<const real> lat, int n);
using PreciseProjection = void (*)(std::span<double> x, std::span<double> y, std::span<const double> lon,
                                   std::span<const double> lat, int n);

// Where the map of a code is cut, so that a line crossing there is broken
// instead of drawn across the map.
enum class MapCut {
  // The meridian opposite the central meridian, longp1 + 180 degrees: the
  // code takes its longitudes relative to longp1 and folds them into
  // -180..180 degrees, so the two sides of that meridian are the map's
  // western and eastern edges.
  opposite_central_meridian,
  // The antimeridian: the code takes longitudes as they come (central
  // meridian 0), so only a step of more than 180 degrees between two
  // points, a line going the short way across 180 degrees, is cut.
  longitude_step,
  // No cut: the azimuthal maps show the globe around their centre.
  none,
};

// Where the map of a code is not smooth besides the poles, which every
// code has (projection/singular_places.hpp).
enum class SingularKind {
  // The poles alone.
  poles,
  // An azimuthal map of the whole globe: its centre's antipode, a point at
  // infinity or spread over the map's rim.
  antipode,
  // An azimuthal map of part of the globe: the rim of the part it shows,
  // 90 degrees from the centre (orthographic, gnomonic) or, seen from the
  // perspective's viewpoint, the small circle where the lines of sight
  // touch the globe.
  horizon,
  // A band of longitude that the map draws as one line: Van der Grinten's
  // central meridian.
  band,
  // Transverse Mercator of the sphere lays the far side's southern quarter
  // above the north pole, 2 pi higher than the near side's: its map is cut
  // as well along the southern halves of the two meridians 90 degrees from
  // the central one (transverse_mercator.hpp), each within a narrow band
  // of longitude, and it has two points at infinity on the equator.
  far_side_cut,
};

struct SingularPlace {
  SingularKind kind = SingularKind::poles;
  // An antipode or horizon about the oblique centre (the frame of `ab`),
  // else about the north pole.
  bool oblique = false;
  // A horizon seen from the perspective's viewpoint: cos c = sin(A/2) for
  // the angle of view A (`pconst1`), else 90 degrees from the centre.
  bool from_viewpoint = false;
  // A horizon whose points have no image (the gnomonic's): lines run off
  // to infinity there instead of reaching the map's rim.
  bool at_infinity = false;
  // The map puts every point beyond the largest angle drawn (`anglep1`)
  // on the circle at that angle.
  bool limited = false;
};

struct ProjectionCode {
  int code;
  std::string_view routine;  // the projection routine (the polar one for 6, 8, 18)
  std::string_view name;
  bool ellipsoidal;  // works on the reference ellipsoid
  MapCut cut;
  SingularPlace singular;
  ForwardProjection forward;
  PreciseProjection precise;
};

// The number of codes: they run from 1 to projection_code_count.
inline constexpr int projection_code_count = 25;

// True when a table of the codes' facts (rows with a `code`) holds every
// code once, in order, row i for code i + 1: each such table, read by
// code - 1, checks it at compile time.
template <class Rows>
constexpr bool in_code_order(const Rows& rows) {
  int expected = 1;
  for (const auto& row : rows) {
    if (row.code != expected++) return false;
  }
  return expected == projection_code_count + 1;
}

// Codes 1 to 25, in order.
std::span<const ProjectionCode> projection_codes();

// The entry of a code, or nullptr outside 1 to 25.
const ProjectionCode* find_projection_code(int code);

}  // namespace dorvix
