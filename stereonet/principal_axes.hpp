#pragma once
// Principal axes of a fault plane: the P, B and T axes of a nodal plane
// given by strike, dip and rake, each as an azimuth and a plunge, from a
// product of elementary rotations; and the small 3 by 3 matrix routines
// behind it. The diagrams draw the axes on their nets; the map derives the
// stress directions from them.
//
// Frame: right-handed, x north, y east, z down. Angles are single-precision
// radians; azimuth from north towards east, plunge positive downwards.
// With st, d, r the strike, dip and rake:
//   strike direction u = (cos st, sin st, 0),
//   down-dip direction v = (-sin st cos d, cos st cos d, sin d),
//   normal n = (sin st sin d, -cos st sin d, cos d),
//   hanging-wall motion s = cos r u - sin r v, null axis b = sin r u + cos r v,
// and with theta = phi/2 - pi/4:
//   P = cos theta s - sin theta n,  B = b,  T = sin theta s + cos theta n,
// so that phi = 0 gives P = (s + n)/sqrt 2 and T = (n - s)/sqrt 2.

#include <array>
#include <span>

#include "numbers/real.hpp"

namespace dorvix {

// A 3 by 3 matrix stored column by column: element (i, j), 1-based, at
// index (i - 1) + 3 (j - 1).
using Mat33 = std::array<real, 9>;

// Azimuths and plunges of P (element 0), B (1) and T (2).
using AxisAngles = std::array<real, 3>;

// Rotations by a radians (right-handed) about x, y and z.
void xrot(Mat33& r, real a);
void yrot(Mat33& r, real a);
void zrot(Mat33& r, real a);
// a = b c; a may be b or c.
void m33x33(Mat33& a, const Mat33& b, const Mat33& c);
// Polar angle of each point (x(i), y(i)) in (-pi, pi]: the origin gives
// pi/2. t may be x or y.
void xy2t(std::span<real> t, std::span<const real> x, std::span<const real> y, int n);

// The axes of the plane (strike, dip, rake) as the columns of
// Rz(strike) Rx(dip) Rz(-rake) Ry(phi/2 - pi/4). Each axis is the column
// itself: a plunge may be negative (the axis points upwards) and azimuths
// are not brought into [0, 2 pi). phi turns P and T within the plane of
// the motion and the normal; every caller passes 0.
void fsadr2steff(AxisAngles& azsr, AxisAngles& plsr, real strike, real dip, real rake, real phi);
// The same axes under the name the one-page diagrams use.
void seffapfadrrad(AxisAngles& azsr, AxisAngles& plsr, real strike, real dip, real rake, real phi);

}  // namespace dorvix
