#pragma once
// The one entry that turns longitudes and latitudes into map coordinates
// under the current projection code.

#include <span>

#include "dialogue/setup_mode.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// Projects n points (radians in) under the current code `projtype.iproj`
// with the routine of its entry in the table of codes; x and y may be lon
// and lat. Coordinates are in Earth radii less the projected origin, +-1.0E20
// for a point at infinity (projection/contract.hpp). Nothing is written for
// n below 1. A code outside 1 to 25 (none chosen yet) is reported in an
// error box, the whole projection set-up is reset with its menus
// (sprojll2 with setup::menu_from_defaults), and the points are projected under the code then
// chosen.
void projlln(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// One point (radians) through projlln: its map coordinates in x and y.
inline void project_point(real lon, real lat, real& x, real& y) {
  projlln(std::span(&x, 1), std::span(&y, 1), std::span<const real>(&lon, 1), std::span<const real>(&lat, 1), 1);
}

}  // namespace dorvix
