#pragma once
// The reference ellipsoid of the ellipsoidal projections (codes 2, 4, 14
// and 16): a table of nine, the set-up menu, and the meridian distance.
// Every ellipsoidal formula works on an ellipsoid of equatorial radius 1;
// the radii in metres only fix its shape.

#include <array>
#include <cmath>
#include <span>
#include <string_view>

#include "dialogue/setup_mode.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// The current ellipsoid and its derived constants.
struct Ellipsoid {
  real aell = 0;   // equatorial radius a, metres
  real bell = 0;   // polar radius b, metres
  real ecc = 0;    // eccentricity e
  real ecc2 = 0;   // e^2 = 1 - b^2/a^2
  real ecc4 = 0;   // e^4
  real ecc6 = 0;   // e^6
  real eccp2 = 0;  // second eccentricity squared, e^2 / (1 - e^2)
  // Meridian distance series (Snyder, Map Projections: A Working Manual,
  // eq. 3-21): M = am0 phi + am2 sin 2phi + am4 sin 4phi + am6 sin 6phi.
  real am0 = 0;  // 1 - e^2/4 - 3e^4/64 - 5e^6/256
  real am2 = 0;  // -(3e^2/8 + 3e^4/32 + 45e^6/1024)
  real am4 = 0;  // 15e^4/256 + 45e^6/1024
  real am6 = 0;  // -35e^6/3072
};
inline Ellipsoid ellipsoid;

// The number of the current ellipsoid, kept by sellipsoid between calls
// (0 before the first call).
inline int ellipsoid_number = 0;

struct ReferenceEllipsoid {
  std::string_view name;  // its line in the menu, before its number
  std::string_view title;
  real a;  // metres
  real b;
};

// The table, numbers 1 to 9 at indices 0 to 8.
inline constexpr std::array<ReferenceEllipsoid, 9> reference_ellipsoids{{
    {"GRS80    1980 ", "GRS80 1980 ELLIPSOID", 6378137.0f, 6356752.5f},
    {"IUGG     1967 ", "IUGG 1967 ELLIPSOID", 6378160.0f, 6356775.0f},
    {"Hayford  1909 ", "HAYFORD 1909 ELLIPSOID", 6378388.0f, 6356912.0f},
    {"Clarke   1880 ", "CLARKE 1880 ELLIPSOID", 6378249.0f, 6356515.0f},
    {"Clarke   1866 ", "CLARKE 1866 ELLIPSOID", 6378206.5f, 6356584.0f},
    {"Bessel   1841 ", "BESSEL 1841 ELLIPSOID", 6377397.0f, 6356079.0f},
    {"Everest  1830 ", "EVEREST 1830 ELLIPSOID", 6377276.5f, 6356075.5f},
    {"Plessis  1810 ", "PLESSIS 1810 ELLIPSOID", 6376523.0f, 6355863.0f},
    {"Delambre 1810 ", "DELAMBRE 1810 ELLIPSOID", 6376985.0f, 6356323.5f},
}};

// Chooses the ellipsoid under the mode `inter` (dialogue/setup_mode.hpp):
// the default GRS80 with an initialising box; a number `iell` passed
// outside 1 to 9 is reported and reset to 1; an even mode runs the menu.
// Prints the summary box of the ellipsoid in force, stores it and its
// constants in `ellipsoid`, and returns its number in `iell`.
void sellipsoid(int& iell, SetupMode inter);

// Meridian distance from the equator to latitude phi (radians), in units
// of the equatorial radius; negative in the south. s and c are sin phi and
// cos phi: sin 2phi, sin 4phi and sin 6phi follow from them by the
// double- and sum-angle formulas.
template <typename T>
T meridian_distance(T phi, T s, T c) {
  const Ellipsoid& e = ellipsoid;
  const T s2 = T(2) * s * c, c2 = (c - s) * (c + s);
  const T s4 = T(2) * s2 * c2, c4 = (c2 - s2) * (c2 + s2);
  const T s6 = s4 * c2 + c4 * s2;
  return T(e.am0) * phi + T(e.am2) * s2 + T(e.am4) * s4 + T(e.am6) * s6;
}

template <typename T>
T meridian_distance(T phi) {
  return meridian_distance(phi, std::sin(phi), std::cos(phi));
}

// The same over n latitudes.
void lat2disel(std::span<real> dist, std::span<const real> lat, int n);

}  // namespace dorvix
