#pragma once
// Oblique rotation of geographic coordinates. The oblique aspects of the
// azimuthal projections turn the sphere so that the chosen map centre
// becomes the north pole, then apply the polar formula.
//
// Frames: a geographic unit vector has x towards longitude 0 on the
// equator, y towards longitude 90 degrees east, z towards the north pole.
// The oblique frame has e1 towards the point 90 degrees south of the centre
// on its meridian, e2 towards the equator point 90 degrees east of the
// centre's meridian, e3 towards the centre. The matrix `ab`, whose rows are
// e1, e2 and e3, takes a geographic unit vector to its oblique coordinates.

#include <array>
#include <cmath>
#include <span>

#include "dialogue/setup_mode.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// A 3 by 3 matrix stored column by column: element (i, j), 1-based, is at
// index (i - 1) + 3 (j - 1).
using Matrix33 = std::array<real, 9>;

inline real& element(Matrix33& m, int i, int j) { return m[static_cast<std::size_t>((i - 1) + 3 * (j - 1))]; }
inline real element(const Matrix33& m, int i, int j) { return m[static_cast<std::size_t>((i - 1) + 3 * (j - 1))]; }

struct A2b {
  Matrix33 ab{};
};
inline A2b a2b;

// The unit vector of one point, as ll2ccn gives it: (cos lat cos lon,
// cos lat sin lon, sin lat). Inline, for the loops of the projections (in
// the program's real, or in double for measuring directions).
template <typename T>
std::array<T, 3> unit_vector(T lon, T lat) {
  const T c = std::cos(lat);
  return {c * std::cos(lon), c * std::sin(lon), std::sin(lat)};
}

// m v, for the loops of the projections; cca2ccb is this with m = ab.
template <typename M, typename T>
std::array<T, 3> rotated(const std::array<M, 9>& m, const std::array<T, 3>& v) {
  std::array<T, 3> t{};
  for (std::size_t i = 0; i < 3; ++i) {
    T sum = 0;
    for (std::size_t j = 0; j < 3; ++j) sum = sum + T(m[i + 3 * j]) * v[j];
    t[i] = sum;
  }
  return t;
}

// The matrix m, a rotation up to its rounding, made orthonormal in double
// precision: its third row (the centre) normalised, the second made
// orthogonal to it and normalised, the first made orthogonal to both and
// normalised. Single precision holds a rotation to some 1.0E-7; near the
// antipode of the centre, where an azimuthal map stretches across ten
// thousand times more than along, that much shear turns the map's local
// directions by degrees.
std::array<double, 9> orthonormal(const Matrix33& m);

// The rotation into the oblique frame of the centre (lc, pc), radians: e1,
// e2 and e3 as unit vectors of (lc, pc - pi/2), (lc + pi/2, 0) and (lc, pc),
// written as columns and transposed into rows.
Matrix33 oblique_matrix(real lc, real pc);

// n points rotated into the oblique frame of `ab`: each point's unit
// vector, its image by `ab`, back to longitude and latitude. The outputs
// may be the inputs.
void lla2llb(std::span<real> lonb, std::span<real> latb, std::span<const real> lona, std::span<const real> lata,
             int n);

// xb = ab xa; xb may be xa.
void cca2ccb(std::span<real, 3> xb, std::span<const real, 3> xa);

// a = transpose of b; a may be b.
void mtrans(Matrix33& a, const Matrix33& b);

// Sets `ab` from `aba` under the mode `inter` (dialogue/setup_mode.hpp): the
// default is the identity (with an initialising line); an even mode runs
// the menu that edits its nine elements. The matrix in force is returned in `aba`.
void smatab33(Matrix33& aba, SetupMode inter);

}  // namespace dorvix
