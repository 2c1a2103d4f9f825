#pragma once
// Angle constants and degree-radian conversions. Angles are stored, asked
// for and written in degrees and computed in radians; pi and its fractions
// are computed here once, in single precision, by trigoset at start-up.

#include <array>
#include <cstddef>
#include <span>

#include "console/real.hpp"

namespace dorvix {

struct Trig {
  real pi = 0, pi2 = 0, pi4 = 0, dr = 0;
  real pi2i = 0, pi2s = 0;  // pi/2 less and more 1.0E-5
};

// The names of the first seven angles of a table: pi/4, pi/3, pi/2,
// 3pi/4, pi, 3pi/2 and 2pi, read from the table's array by position.
template <class Table>
struct SevenAngles {
  real quarter_pi() const { return angle(0); }
  real third_pi() const { return angle(1); }
  real half_pi() const { return angle(2); }
  real three_quarter_pi() const { return angle(3); }
  real pi() const { return angle(4); }
  real three_half_pi() const { return angle(5); }
  real two_pi() const { return angle(6); }

 private:
  real angle(std::size_t k) const { return static_cast<const Table&>(*this).values()[k]; }
};

// angr: the seven angles, then radians per degree and degrees per radian
// (elements 1 to 9, stored from index 0).
struct AngleRad : SevenAngles<AngleRad> {
  std::array<real, 9> angr{};
  const std::array<real, 9>& values() const { return angr; }
  real rad_per_deg() const { return angr[7]; }
  real deg_per_rad() const { return angr[8]; }
};
// The seven angles less (angri) or more (angrs) 1.0E-5: the bounds of an
// angle compared with them within that tolerance.
struct AngleRadI : SevenAngles<AngleRadI> {
  std::array<real, 7> angri{};
  const std::array<real, 7>& values() const { return angri; }
};
struct AngleRadS : SevenAngles<AngleRadS> {
  std::array<real, 7> angrs{};
  const std::array<real, 7>& values() const { return angrs; }
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
