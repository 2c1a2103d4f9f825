#pragma once
// Euler angles and rotation matrices, and the polar angle of a plane point.
//
// A rotation matrix R = Rz(phi) . Rx(theta) . Rz(psi): a turn by phi about
// axis 3, then by theta about the new axis 1, then by psi about the new
// axis 3. Column j of R holds the components, in the fixed frame, of axis j
// of the rotated frame. Matrices are stored 3 x 3 x ndim, the first index
// running fastest: element (i, j) of matrix k (all 1-based) is
// se[(i - 1) + 3 (j - 1) + 9 (k - 1)]. Angles are in radians; every
// operation is rounded to single precision in the order written.

#include <span>

#include "numbers/real.hpp"

namespace dorvix {

// Matrices 1..n of se from the triples 1..n of phi, theta, psi.
void eu2se123(std::span<real> se, std::span<const real> phi, std::span<const real> theta,
              std::span<const real> psi, int n, int ndim);

// Triples 1..n from matrices 1..n. theta = arccos se(3,3) in [0, pi]; when
// s3 is vertical (|se(3,3)| >= 1) the whole turn goes into psi and phi = 0.
// An element (3,3) beyond +-1 is clamped to +-1 in the caller's array and
// told (geometry/notices.hpp), with whether it lies within 1 + 2**-20: the
// dialogue shows a warning box then, an error box beyond.
void se1232eu(std::span<real> phi, std::span<real> theta, std::span<real> psi, std::span<real> se, int n,
              int ndim);

// Polar angle of (x, y) in [-pi, pi], from arctan(y/x) and the quadrant:
// the origin gives pi/2, the negative x axis +pi (for either zero y).
// A NaN argument gives 0.
real panglerad(real x, real y);

}  // namespace dorvix
