#pragma once
// The second (auxiliary) nodal plane of a double couple: its normal is the
// slip vector of the given plane and its slip vector the given normal.
//
// Conventions (Aki & Richards): frame north, east, down; strike measured
// from north towards east, the plane dipping to the right of the strike;
// rake measured in the plane from the strike direction to the slip of the
// hanging wall, positive for reverse and negative for normal faulting.
// Results: strike in [-180, 180] (not brought into 0..360), dip in [0, 90],
// rake in [-180, 180]; the inputs are taken as they are.

#include "numbers/real.hpp"

namespace dorvix {

// Second plane (strike2, dip2, rake2) of the plane (strike1, dip1, rake1),
// all in degrees.
void nodalpladrdeg(real& strike2, real& dip2, real& rake2, real strike1, real dip1, real rake1);
// The same in radians.
void nodalpladrrad(real& strike2, real& dip2, real& rake2, real strike1, real dip1, real rake1);

}  // namespace dorvix
