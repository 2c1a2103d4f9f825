#pragma once
// Nodal planes drawn as their great circles on the lower hemisphere of the
// current stereonet, each as one polyline of a fixed number of points, and
// that number.

#include <span>

#include "dialogue/setup_mode.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// Points per great circle (1..1000 through the menu; 40 by default); zero
// until first set.
struct DspGcBk {
  int nptgc = 0;
};
inline DspGcBk dspgcbk;

// Draws n planes (strike and dip in radians, the dip direction at strike +
// pi/2) in the current subplot with the current line attributes. Each
// curve runs from the strike direction through the dip direction to the
// opposite strike direction. Overwrites the running point and the curve
// buffers: afterwards xp, yp hold the cosine and sine table and xe, ye the
// projected points of the last plane.
void dspgcfadn(std::span<const real> strike, std::span<const real> dip, int n);

// The number of points and its menu, under the mode `inter`
// (dialogue/setup_mode.hpp): the default 40, announced; a number passed is
// not checked; every mode stores.
void sdspgc(int& npts, SetupMode inter);

}  // namespace dorvix
