#pragma once
// Angle constants and degree-radian conversions. Angles are stored, asked
// for and written in degrees and computed in radians. pi and its fractions
// have one name each, read through the records anglerad, angleradi and
// anglerads; they are constants known at compile time, each the value that
// single-precision arithmetic gives from h = acos(0), the float nearest pi/2.

#include <array>
#include <cstddef>
#include <numbers>
#include <span>

#include "numbers/real.hpp"

namespace dorvix {

// The names of the first seven angles of a table: pi/4, pi/3, pi/2,
// 3pi/4, pi, 3pi/2 and 2pi, read from the table's array by position.
template <class Table>
struct SevenAngles {
  constexpr real quarter_pi() const { return angle(0); }
  constexpr real third_pi() const { return angle(1); }
  constexpr real half_pi() const { return angle(2); }
  constexpr real three_quarter_pi() const { return angle(3); }
  constexpr real pi() const { return angle(4); }
  constexpr real three_half_pi() const { return angle(5); }
  constexpr real two_pi() const { return angle(6); }

 private:
  constexpr real angle(std::size_t k) const { return static_cast<const Table&>(*this).values()[k]; }
};

// angr: the seven angles, then radians per degree and degrees per radian
// (elements 1 to 9, stored from index 0).
struct AngleRad : SevenAngles<AngleRad> {
  std::array<real, 9> angr{};
  constexpr const std::array<real, 9>& values() const { return angr; }
  constexpr real rad_per_deg() const { return angr[7]; }
  constexpr real deg_per_rad() const { return angr[8]; }
};
// The seven angles less (angri) or more (angrs) 1.0E-5: the bounds of an
// angle compared with them within that tolerance.
struct AngleRadI : SevenAngles<AngleRadI> {
  std::array<real, 7> angri{};
  constexpr const std::array<real, 7>& values() const { return angri; }
};
struct AngleRadS : SevenAngles<AngleRadS> {
  std::array<real, 7> angrs{};
  constexpr const std::array<real, 7>& values() const { return angrs; }
};

namespace angle_constants {
// acos(0) in single precision: pi/2 rounded to a float, and half the float
// nearest pi (halving is exact).
inline constexpr real h = std::numbers::pi_v<real> / 2.0f;
inline constexpr real tolerance = 1.0e-5f;
}  // namespace angle_constants

// The seven angles and the two degree factors, each one single-precision
// operation on pi = 2h.
inline constexpr AngleRad anglerad = [] {
  constexpr real pi = 2.0f * angle_constants::h;
  AngleRad r;
  r.angr = {pi / 4.0f,   pi / 3.0f,  pi / 2.0f, (pi * 3.0f) / 4.0f, pi, (pi * 3.0f) / 2.0f, pi * 2.0f,
            pi / 180.0f, 180.0f / pi};
  return r;
}();
inline constexpr AngleRadI angleradi = [] {
  AngleRadI r;
  for (std::size_t k = 0; k < r.angri.size(); ++k) r.angri[k] = anglerad.angr[k] - angle_constants::tolerance;
  return r;
}();
inline constexpr AngleRadS anglerads = [] {
  AngleRadS r;
  for (std::size_t k = 0; k < r.angrs.size(); ++k) r.angrs[k] = anglerad.angr[k] + angle_constants::tolerance;
  return r;
}();

// Degrees to radians and back: one single-precision multiplication by the
// constant factor.
constexpr real rad(real x) { return x * anglerad.rad_per_deg(); }
constexpr real deg(real x) { return x * anglerad.deg_per_rad(); }
// The same over n values; out may be the very array in.
void deg2rad(std::span<real> out, std::span<const real> in, int n);
void rad2deg(std::span<real> out, std::span<const real> in, int n);

}  // namespace dorvix
