#pragma once
// Stress directions of a mechanism from its three principal axes: which
// axis is the vertical stress axis (the steepest), and the azimuth of the
// maximum horizontal stress SHmax. The map hands the P, B and T axes of a
// nodal plane as axes 1, 2 and 3 (S1, S2, S3 in the listing).
//
// Angles are single-precision radians: azimuths from north towards east,
// plunges positive downwards. A plunge counts by its absolute value (an axis
// pointing upwards is the same axis); azimuths are used as passed.

#include <span>

#include "numbers/real.hpp"

namespace dorvix {

// Two plunges within this angle of each other are taken as equal: an axis
// is steeper (flatter) than another only by more than it. P and T of a
// vertical or horizontal nodal plane with an oblique rake plunge equally,
// and their computed plunges differ by rounding only, by a different
// amount from each of the two nodal planes; with the margin both planes of
// a mechanism give the same vertical axis and SHmax.
inline constexpr real plunge_tie = 1.0e-5f;

// For each of the n data: isv, the index (1 to 3) of the steepest axis, the
// first of equally steep ones; 0 when all three plunges are zero; negated
// when the steepest plunge is below `thresh`. azsh, the SHmax azimuth in
// [0, 2 pi), from the flattest axis ihmin (the first of equally flat
// ones): az1 when ihmin is 1; az2 when ihmin is 2 and isv 1; az2 + pi/2
// when ihmin is 2 and isv 3; az3 + pi/2 when ihmin is 3.
// An absolute plunge beyond pi/2 + 1.0E-5 is reported in two error boxes
// and taken as that bound; a combination outside the table (valid plunges
// never give one) is reported and leaves azsh(i) as it was, reduced.
void siap2sv(std::span<real> azsh, std::span<int> isv, std::span<const real> az1, std::span<const real> pl1,
             std::span<const real> az2, std::span<const real> pl2, std::span<const real> az3, std::span<const real> pl3,
             real thresh, int n);

// n angles reduced into [0, 2 pi); angles already in it are kept as they
// are. out may be in.
void na2pin(std::span<real> out, std::span<const real> in, int n);

// n values reduced into [0, period) by the remainder of truncated
// division; out may be in. period is positive.
void modulr(std::span<real> out, std::span<const real> in, real period, int n);

// Lists, on unit `iunit`, the data whose isv lies outside 1 to 3 (the
// vertical axis is not clear): a header, then one row per such datum with
// its index, isv, and SHmax and the three axes in degrees. On the screen
// (unit 6) the columns are separated by "|" and the header framed by rules
// of 74 "-"; on any other unit by tabs. The header is written on every
// call, with or without rows.
void writepbsv(std::span<const real> azsh, std::span<const int> isv, std::span<const real> az1,
               std::span<const real> pl1, std::span<const real> az2, std::span<const real> pl2,
               std::span<const real> az3, std::span<const real> pl3, int n, int iunit);

}  // namespace dorvix
