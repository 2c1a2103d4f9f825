#pragma once
// Affine maps of the plane in single precision, as the subplot frames keep
// them: an origin o and a 2 by 2 matrix m by columns (m(1,1), m(2,1),
// m(1,2), m(2,2)); (x, y) goes to (o1 + m11 x + m12 y, o2 + m21 x + m22 y).
// Internal to the plot library.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <span>

#include "plot/subplot_frames.hpp"

namespace dorvix::affine {

// The inverse of m by the adjugate over the determinant, when m has one
// that is made of numbers: a zero determinant, one that overflows, or one
// so small that the inverse overflows, gives none.
inline bool inverse(const Mat22& m, Mat22& inv) {
  const real det = m[0] * m[3] - m[2] * m[1];
  if (det == 0 || !std::isfinite(det)) return false;
  const Mat22 t = {m[3] / det, -m[1] / det, -m[2] / det, m[0] / det};
  if (!std::all_of(t.begin(), t.end(), [](real v) { return std::isfinite(v); })) return false;
  inv = t;
  return true;
}

// Applies the map to n points; each point is read whole before it is
// written, so the output arrays may be the input arrays.
inline void apply(const Vec2& o, const Mat22& m, std::span<real> xo, std::span<real> yo, std::span<const real> xi,
                  std::span<const real> yi, int n) {
  if (n < 1) return;
  const std::size_t count =
      std::min({static_cast<std::size_t>(n), xo.size(), yo.size(), xi.size(), yi.size()});
  // The map taken once: the points written cannot change it.
  const real o1 = o[0], o2 = o[1], m11 = m[0], m21 = m[1], m12 = m[2], m22 = m[3];
  for (std::size_t k = 0; k < count; ++k) {
    const real x = xi[k], y = yi[k];
    xo[k] = o1 + m11 * x + m12 * y;
    yo[k] = o2 + m21 * x + m22 * y;
  }
}

}  // namespace dorvix::affine
