#pragma once
// What the geometry tells when its data are not what a routine expects.
// The geometry prints nothing itself: the dialogue hands in, at start-up,
// the routines that show each notice on the console, and until then
// nothing is told. A notice is given on the rare path alone (a pointer
// tested there and nowhere else), so the loops that convert many points
// pay nothing for it.

#include <cstddef>
#include <string_view>

#include "numbers/real.hpp"

namespace dorvix {

struct GeometryNotices {
  // cc2lln: vector i of the n converted (both 1-based), (vx, vy, vz) of
  // length r, was never meant to be a unit vector. It is normalised and
  // the conversion goes on after the notice.
  void (*vector_not_unit)(int n, int i, real vx, real vy, real vz, real r) = nullptr;
  // se1232eu: element (3,3) of matrix k (1-based), found at v beyond +-1,
  // was set to reset (+-1); within_rounding when v lies within 1 + 2**-20
  // of it, as rounding leaves it. The conversion goes on after the notice.
  void (*vertical_clamped)(std::size_t k, real v, real reset, bool within_rounding) = nullptr;
  // eu2se123 or se1232eu (routine): the count asked runs beyond arrays
  // that hold size entries; entry is the first that does not fit. The
  // entries that fit are done. The notice ends the run and never returns:
  // should it return, or were none set, the routine stops the process,
  // since to go on would run past the caller's arrays.
  void (*arrays_too_short)(std::string_view routine, std::size_t entry, std::size_t size) = nullptr;
};

inline GeometryNotices geometry_notices;

}  // namespace dorvix
