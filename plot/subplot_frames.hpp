#pragma once
// The subplot frames: for each of the 35 subplots the affine maps from user
// units to centimetres on the paper, to device points and back, the window
// set-up it was made from, and the current subplot. The drawing state
// (plot/drawing_state.hpp) names every field.
//
// An affine map is an origin o(2) and a 2 by 2 matrix m stored by columns,
// m(1,1), m(2,1), m(1,2), m(2,2); (x, y) goes to
//   (o(1) + m(1,1) x + m(1,2) y,  o(2) + m(2,1) x + m(2,2) y).
// Per-subplot entries of subplot s (1..35) are at index s - 1.

#include <array>

#include "numbers/real.hpp"

namespace dorvix {

inline constexpr int nsubplots = 35;
// Device points (1/72 inch) per centimetre, as the plot library rounds it.
inline constexpr real points_per_cm = 28.35f;

using Vec2 = std::array<real, 2>;   // o(1), o(2)
using Mat22 = std::array<real, 4>;  // m(1,1), m(2,1), m(1,2), m(2,2)

struct Plt1Blk {
  std::array<Vec2, nsubplots> cm0tode{};   // centimetre-to-device origins (points); always 0
  Mat22 cmtode{};                          // centimetre-to-device matrix: cm2pt times the identity
  real cm2pt = 0;                          // points per centimetre, 28.35 once set
  std::array<Vec2, nsubplots> us0tode{};   // user-to-device origins (points)
  std::array<Mat22, nsubplots> ustode{};   // user-to-device matrices
  std::array<Vec2, nsubplots> us0tocm{};   // user-to-centimetre origins (cm): the frames
  std::array<Mat22, nsubplots> ustocm{};   // user-to-centimetre matrices
  std::array<Vec2, nsubplots> cm0tous{};   // centimetre-to-user origins
  std::array<Mat22, nsubplots> cmtous{};   // centimetre-to-user matrices
  // Window set-up of each subplot: paper position of the window's
  // lower-left corner xcm0, ycm0 (cm); user extremes xumin, xumax, yumin,
  // yumax; paper size xlcm, ylcm (cm); equal-scale flag (1 equal scales).
  std::array<Vec2, nsubplots> usmintocm{};
  std::array<std::array<real, 4>, nsubplots> usextr{};
  std::array<Vec2, nsubplots> cmaxlength{};
  std::array<int, nsubplots> isoxy{};
  int isub = 0;  // current subplot, 1 to 35 (0 until one is selected)
};

inline Plt1Blk plt1blk;

}  // namespace dorvix
