#pragma once
// Angle constants and degree-radian conversions. Angles are stored, asked
// for and written in degrees and computed in radians; pi and its fractions
// are computed here once, in single precision, by trigoset at start-up.

#include <array>
#include <span>

#include "console/real.hpp"

namespace dorvix {

struct Trig {
  real pi = 0, pi2 = 0, pi4 = 0, dr = 0;
  real pi2i = 0, pi2s = 0;  // pi/2 less and more 1.0E-5
};

// angr: pi/4, pi/3, pi/2, 3pi/4, pi, 3pi/2, 2pi, degrees-to-radians,
// radians-to-degrees (elements 1 to 9, stored from index 0).
struct AngleRad {
  std::array<real, 9> angr{};
  real operator()(int k) const { return angr.at(static_cast<std::size_t>(k - 1)); }
};
// The first seven angles less (angri) or more (angrs) 1.0E-5.
struct AngleRadI {
  std::array<real, 7> angri{};
  real operator()(int k) const { return angri.at(static_cast<std::size_t>(k - 1)); }
};
struct AngleRadS {
  std::array<real, 7> angrs{};
  real operator()(int k) const { return angrs.at(static_cast<std::size_t>(k - 1)); }
};

inline Trig trig;
inline AngleRad anglerad;
inline AngleRadI angleradi;
inline AngleRadS anglerads;

// Fills the four records and says so on the console.
void trigoset();

// Degrees to radians and back: one single-precision multiplication by the
// stored factor.
real rad(real x);
real deg(real x);
// The same over n values; out may be the very array in.
void deg2rad(std::span<real> out, std::span<const real> in, int n);
void rad2deg(std::span<real> out, std::span<const real> in, int n);

}  // namespace dorvix
