#pragma once
// The 25 map projection codes: for each, the routine that projects under it
// and what it is. `forward` projects n points under the code with the
// current projection state, exactly as the dispatcher does: the polar
// routines get their extra arguments from the state (`anglep1`, `pconst1`,
// `pconst2`, the origin's offsets), and codes 6, 8 and 18 rotate the points
// into the oblique frame and project them by the polar formula (the
// routines of projection/azimuthal.hpp that do both in one pass, equal to
// lla2llb followed by the polar routine).

#include <span>
#include <string_view>

#include "console/real.hpp"

namespace dorvix {

using ForwardProjection = void (*)(std::span<real> x, std::span<real> y, std::span<const real> lon,
                                   std::span<const real> lat, int n);

struct ProjectionCode {
  int code;
  std::string_view routine;  // the projection routine (the polar one for 6, 8, 18)
  std::string_view name;
  bool ellipsoidal;          // works on the reference ellipsoid
  ForwardProjection forward;
};

// Codes 1 to 25, in order.
std::span<const ProjectionCode> projection_codes();

// The entry of a code, or nullptr outside 1 to 25.
const ProjectionCode* find_projection_code(int code);

}  // namespace dorvix
