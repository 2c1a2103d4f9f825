#pragma once
// Counts of points or levels computed from a real quotient. Internal to
// the plot library.

#include <limits>

#include "numbers/real.hpp"

namespace dorvix {

// The largest count computed from a quotient: one below the largest
// integer, so that a count plus one is still an integer.
inline constexpr int max_count = std::numeric_limits<int>::max() - 1;

// Counts from an increment (the running point, the levels of curves): a
// quotient up to count_tolerance below a whole number counts as that
// number; a remainder past the last point, in increments, above
// remainder_adjusted has the increment adjusted (type 2), above
// remainder_reported also reported.
inline constexpr real count_tolerance = 0.002f;
inline constexpr real remainder_adjusted = 5.0e-5f;
inline constexpr real remainder_reported = 0.001f;

// The quotient truncated towards zero, as a count: brought into [0, cap]
// first (a negative quotient, or one that is not a number, counts 0), so
// that the conversion to an integer is always defined.
inline int clamped_count(real q, int cap) {
  if (!(q > 0)) return 0;
  if (q >= static_cast<real>(cap)) return cap;
  return static_cast<int>(q);
}

// The integer part of v towards zero; beyond the 32-bit integers the
// nearest of them, and 0 for a value that is not a number.
inline int truncated_int(real v) {
  constexpr real below_max = 2147483520.0f;  // the largest real below 2^31
  constexpr real min = -2147483648.0f;
  if (!(v == v)) return 0;
  if (v >= below_max) return static_cast<int>(below_max);
  if (v <= min) return static_cast<int>(min);
  return static_cast<int>(v);
}

}  // namespace dorvix
