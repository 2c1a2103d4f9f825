#pragma once
// Stress-direction symbols on the map: at each epicentre two symbols along
// the maximum horizontal stress SHmax and two along the minimum Shmin
// (perpendicular to it), their shape telling the stress regime from the
// index of the vertical axis (1 P, 2 B, 3 T):
//   isv 3 (thrust)      inward SHmax arrows, Shmin bars;
//   isv 2 (strike-slip) inward SHmax arrows, outward Shmin arrows;
//   isv 1 (normal)      SHmax bars, outward Shmin arrows.
// Arrows point at the epicentre (SHmax), tips 0.2 M from it, or away from
// it (Shmin), tails 0.2 M from it; bars run from 0.2 M outwards. M is the
// major length on paper, m the minor one.

#include <span>

#include "dialogue/setup_mode.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// The symbols' settings: the map run and the symbol menu share them.
struct MapShPar {
  real sizmaxa = 0.4f;   // major length, a fraction of 5 cm; also the epicentre symbol's size (cm)
  real sizmina = 0.13f;  // minor length, a fraction of 5 cm
  int iepi = -1;         // symbol drawn under each stress symbol (0: none)
  int isha = 0;          // -2 Shmin only, -1 Shmin + small SHmax, 0 both, 1 SHmax + small Shmin, 2 SHmax only
};
inline MapShPar mapshpar;

// The settings with their menu, under the mode `mode`
// (dialogue/setup_mode.hpp): the defaults are announced; values passed, or
// given with a code that names no start, are checked (a size not above 0
// or an Sh type outside -2 to 2 is reset, with a warning); an even mode
// runs the menu until 99. Every mode stores the four values.
void smapsh2(real& sizmax, real& sizmin, int& iepi, int& isha, SetupMode mode);

// Draws the symbols of n data at (x, y) in user units of the current
// subplot, as on a map with north up the y axis and angles kept: the
// SHmax symbols turned pi/2 - azsh from the x axis (azimuth azsh, radians),
// the Shmin symbols turned -azsh.
// isv outside 1 to 3 draws bars in both passes, after a warning box in
// each pass. The current symbol size and type are left as found.
void dmapsh2(std::span<const real> x, std::span<const real> y, std::span<const real> azsh, std::span<const int> isv,
             int n);

// The same with the direction of each pass given as it lies on the map:
// the angle of the SHmax axis and of the Shmin axis, radians anticlockwise
// from the user x axis.
void dmapsh2(std::span<const real> x, std::span<const real> y, std::span<const real> shmax_angle,
             std::span<const real> shmin_angle, std::span<const int> isv, int n);

}  // namespace dorvix
