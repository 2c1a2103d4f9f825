#include "geometry/longitude_turn.hpp"

#include <cmath>

namespace dorvix {

// The remainder of a single-precision longitude by a turn is exact in
// double precision (fmod is exact in any precision), and the sums of
// numbers under two turns that follow it are exact too: only the last
// rounding, to single precision, is made.
real LongitudeTurn::moved(real lon) const {
  constexpr double whole = turn;
  double east_of_west = std::fmod(std::fmod(static_cast<double>(lon), whole) - west_, whole);
  if (east_of_west < 0.0) east_of_west += whole;
  return static_cast<real>(west_ + east_of_west);
}

}  // namespace dorvix
