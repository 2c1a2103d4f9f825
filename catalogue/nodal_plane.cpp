#include "catalogue/nodal_plane.hpp"

#include <array>

#include "geometry/angles.hpp"
#include "geometry/euler.hpp"

namespace dorvix {

void nodalpladrdeg(real& strike2, real& dip2, real& rake2, real strike1, real dip1, real rake1) {
  real s = rad(strike1), d = rad(dip1), r = rad(rake1);
  nodalpladrrad(s, d, r, s, d, r);
  strike2 = deg(s);
  dip2 = deg(d);
  rake2 = deg(r);
}

void nodalpladrrad(real& strike2, real& dip2, real& rake2, real strike1, real dip1, real rake1) {
  // Fault frame of the given plane: Euler angles (strike, dip, -rake);
  // column 1 is the slip vector, column 3 the normal pointing down into
  // the footwall, column 2 completes a right-handed frame.
  std::array<real, 9> eg1{}, eg2{};
  const std::array<real, 1> phi{strike1}, theta{dip1}, psi{-rake1};
  eu2se123(eg1, phi, theta, psi, 1, 1);

  // The second plane takes the given slip vector as its normal, turned to
  // point down (a = sign of the slip's down component, +1 for a zero of
  // either sign), and the given normal, with the same sign, as its slip;
  // the middle axis is reversed so the frame stays right-handed.
  const real a = eg1[2] >= 0.0f ? 1.0f : -1.0f;
  for (std::size_t i = 0; i < 3; ++i) {
    eg2[i] = a * eg1[6 + i];
    eg2[3 + i] = -eg1[3 + i];
    eg2[6 + i] = a * eg1[i];
  }

  std::array<real, 1> phi2{}, theta2{}, psi2{};
  se1232eu(phi2, theta2, psi2, eg2, 1, 1);
  strike2 = phi2[0];
  dip2 = theta2[0];
  rake2 = -psi2[0];
}

}  // namespace dorvix
