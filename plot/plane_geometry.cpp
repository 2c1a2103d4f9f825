// Plane geometry in single precision: 2 by 2 matrices and vectors for the
// subplot maps, and outline templates and point transforms for the symbols
// drawn from them.
//
// Matrices are stored by columns: m(1,1), m(2,1), m(1,2), m(2,2) at
// indices 0, 1, 2, 3. Angles are in radians, positive anticlockwise.

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "dialogue/boxes.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/range_checks.hpp"
#include "numbers/edit.hpp"
#include "plot/affine.hpp"
#include "plot/draw.hpp"

namespace dorvix {

namespace {

constexpr Header minv2d_header{"minv2d", " 1.2", "05-12-2005"};

// Number of points a routine may touch: n, within the arrays given.
template <class... Spans>
int points_within(int n, const Spans&... s) {
  std::size_t room = std::min({s.size()...});
  return n < 1 ? 0 : static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(n), room));
}

// Writes the vertices of a symmetric template: the first half as given,
// vertex k of the second half (1-based) the copy of vertex mirror + 1 - k
// with y negated.
template <std::size_t H>
void symmetric_template(std::span<real> x, std::span<real> y, const real (&hx)[H], const real (&hy)[H], int np,
                        int mirror) {
  for (std::size_t k = 0; k < H; ++k) {
    x[k] = hx[k];
    y[k] = hy[k];
  }
  for (int k = static_cast<int>(H) + 1; k <= np; ++k) {
    const auto from = static_cast<std::size_t>(mirror + 1 - k - 1);
    x[static_cast<std::size_t>(k - 1)] = x[from];
    y[static_cast<std::size_t>(k - 1)] = -y[from];
  }
}

// Room check of a template: np vertices into arrays of ndim.
bool template_fits(int np, int ndim, std::span<real> x, std::span<real> y, std::string_view routine) {
  const int room = std::min({ndim, static_cast<int>(std::min(x.size(), y.size()))});
  int istat = 0;
  cinmax(np, room, routine, "plot array dimension", istat);
  return istat == 0 && np <= room;
}

}  // namespace

void m22x21(Vec2& c, const Mat22& a, const Vec2& b) {
  Vec2 t;
  t[0] = real(0) + a[0] * b[0] + a[2] * b[1];
  t[1] = real(0) + a[1] * b[0] + a[3] * b[1];
  c = t;
}

void m22x22(Mat22& c, const Mat22& a, const Mat22& b) {
  // c(i,j) = 0 + a(i,1) b(1,j) + a(i,2) b(2,j); (i,j) at index i-1 + 2(j-1).
  Mat22 t;
  for (int j = 0; j < 2; ++j) {
    for (int i = 0; i < 2; ++i) {
      const auto at = [](int r, int col) { return static_cast<std::size_t>(r + 2 * col); };
      t[at(i, j)] = real(0) + a[at(i, 0)] * b[at(0, j)] + a[at(i, 1)] * b[at(1, j)];
    }
  }
  c = t;
}

void vsum(std::span<real> a, std::span<const real> b, std::span<const real> c, int n) {
  const int m = points_within(n, a, b, c);
  for (int i = 0; i < m; ++i) {
    const auto k = static_cast<std::size_t>(i);
    a[k] = b[k] + c[k];
  }
}

bool minv2d(Mat22& a, const Mat22& b) {
  if (affine::inverse(b, a)) return true;
  // No inverse to give: the caller keeps what it had.
  const real det = b[0] * b[3] - b[2] * b[1];
  errorhead(minv2d_header);
  ItemLine().text("det(B) =").text(edit::g(det, 15, 3)).write();
  ItemLine().text("b(1,1) =").text(edit::g(b[0], 15, 3)).text("b(1,2) =").text(edit::g(b[2], 15, 3)).write();
  ItemLine().text("b(2,1) =").text(edit::g(b[1], 15, 3)).text("b(2,2) =").text(edit::g(b[3], 15, 3)).write();
  ItemLine().text("=> Cannot Invert B").write();
  errortail00();
  return false;
}

void matrot2drad(Mat22& r, real a) {
  const real c = std::cos(a);
  const real s = std::sin(a);
  r = {c, s, -s, c};
}

void arrow2d(std::span<real> x, std::span<real> y, int& np, int ndim) {
  np = 7;
  if (!template_fits(np, ndim, x, y, "arrow2d")) return;
  // Tip at the origin, barbs at x = 3/7 (half-width 3/14), notch at 5/14
  // (1/14), the shaft widening to 3/28 at the tail end x = 1.
  static const real hx[] = {0.0f, 3.0f / 7.0f, 5.0f / 14.0f, 1.0f};
  static const real hy[] = {0.0f, 3.0f / 14.0f, 1.0f / 14.0f, 3.0f / 28.0f};
  symmetric_template(x, y, hx, hy, np, np + 1);
}

void rectangle1(std::span<real> x, std::span<real> y, int& np, int ndim) {
  np = 4;
  if (!template_fits(np, ndim, x, y, "rectangle1")) return;
  // A unit bar along +x of half-width 3/28.
  static const real hx[] = {0.0f, 1.0f};
  static const real hy[] = {-3.0f / 28.0f, -3.0f / 28.0f};
  symmetric_template(x, y, hx, hy, np, np);
}

void homot02d1(std::span<real> xo, std::span<real> yo, std::span<const real> xi, std::span<const real> yi, int n,
               real k) {
  const int m = points_within(n, xo, yo, xi, yi);
  for (int i = 0; i < m; ++i) {
    const auto j = static_cast<std::size_t>(i);
    const real x = xi[j], y = yi[j];
    xo[j] = x * k;
    yo[j] = y * k;
  }
}

void transl2d1(std::span<real> xo, std::span<real> yo, std::span<const real> xi, std::span<const real> yi, int n,
               real dx, real dy) {
  const int m = points_within(n, xo, yo, xi, yi);
  for (int i = 0; i < m; ++i) {
    const auto j = static_cast<std::size_t>(i);
    const real x = xi[j], y = yi[j];
    xo[j] = x + dx;
    yo[j] = y + dy;
  }
}

void rot2daff(std::span<real> xo, std::span<real> yo, std::span<const real> xi, std::span<const real> yi, int n,
              real xc, real yc, real a) {
  Mat22 r;
  matrot2drad(r, a);
  // The offset t = c - r c keeps the centre c = (xc, yc) in place.
  const real t1 = xc - r[0] * xc - r[2] * yc;
  const real t2 = yc - r[1] * xc - r[3] * yc;
  const int m = points_within(n, xo, yo, xi, yi);
  for (int i = 0; i < m; ++i) {
    const auto j = static_cast<std::size_t>(i);
    const real x = xi[j], y = yi[j];
    const real v1 = r[0] * x + r[2] * y;
    const real v2 = r[1] * x + r[3] * y;
    xo[j] = v1 + t1;
    yo[j] = v2 + t2;
  }
}

}  // namespace dorvix
