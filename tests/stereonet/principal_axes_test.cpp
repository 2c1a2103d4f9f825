// Principal axes of a fault plane: worked examples, the matrix and polar
// angle helpers, and the published axes of two real catalogues.

#include "stereonet/principal_axes.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>

#include "catalogue/real_data.hpp"
#include "geometry/angles.hpp"

namespace dorvix::testing {
namespace {

constexpr double degree = std::numbers::pi / 180;

using Vec = std::array<double, 3>;
Vec direction(double az_deg, double pl_deg) {
  const double a = az_deg * degree, p = pl_deg * degree;
  return {std::cos(p) * std::cos(a), std::cos(p) * std::sin(a), std::sin(p)};
}
// Angle in degrees between two directions, or between two undirected lines.
double angle(const Vec& u, const Vec& v, bool lines) {
  double d = u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
  if (lines) d = std::fabs(d);
  return std::acos(std::clamp(d, -1.0, 1.0)) / degree;
}

struct Axes {
  AxisAngles az{}, pl{};
  Vec axis(int j) const { return direction(az[j] / degree, pl[j] / degree); }
};
Axes axes_of(double strike, double dip, double rake, double phi = 0) {
  Axes a;
  fsadr2steff(a.az, a.pl, rad(real(strike)), rad(real(dip)), rad(real(rake)), rad(real(phi)));
  return a;
}

TEST(PrincipalAxes, WorkedExamples) {
  struct Case {
    double strike, dip, rake, phi;
    std::array<std::array<double, 2>, 3> pbt;  // azimuth, plunge of P, B, T
  } cases[] = {
      {0, 45, 90, 0, {{{-90, 0}, {0, 0}, {0, 90}}}},
      {0, 90, 0, 0, {{{-45, 0}, {0, 90}, {-135, 0}}}},
      {30, 60, 45, 0, {{{-29.895, -4.557}, {56.565, 37.761}, {-114.067, 51.866}}}},
      {90, 30, 90, 0, {{{0, 15}, {90, 0}, {180, 75}}}},
      {0, 45, 90, 30, {{{-90, -15}, {0, 0}, {-90, 75}}}},
  };
  for (const Case& c : cases) {
    const Axes a = axes_of(c.strike, c.dip, c.rake, c.phi);
    for (int j = 0; j < 3; ++j) {
      // Directed, so the sign of the plunge counts too.
      EXPECT_LT(angle(a.axis(j), direction(c.pbt[j][0], c.pbt[j][1]), false), 0.05)
          << c.strike << " " << c.dip << " " << c.rake << " axis " << j;
    }
  }
}

TEST(PrincipalAxes, MatrixProductInPlaceAndPolarAngles) {
  Mat33 x, z, product;
  xrot(x, 0.3f);
  zrot(z, -1.1f);
  m33x33(product, x, z);
  Mat33 in_place = x;
  m33x33(in_place, in_place, z);
  EXPECT_EQ(in_place, product);
  in_place = z;
  m33x33(in_place, x, in_place);
  EXPECT_EQ(in_place, product);
  // Row 1 of x times column 1 of z, stored column by column.
  EXPECT_FLOAT_EQ(product[0], std::cos(-1.1f));
  EXPECT_FLOAT_EQ(product[1], std::cos(0.3f) * std::sin(-1.1f));

  std::array<real, 4> x4{0, 0, -1, -1}, y4{0, -1, 0, -0.0001f}, t{};
  xy2t(t, x4, y4, 4);
  EXPECT_FLOAT_EQ(t[0], anglerad.half_pi());
  EXPECT_FLOAT_EQ(t[1], -anglerad.half_pi());
  EXPECT_FLOAT_EQ(t[2], anglerad.pi());
  EXPECT_GT(t[3], -anglerad.pi());
  EXPECT_LT(t[3], -anglerad.pi() + 0.001f);
}

// From each published plane every axis lies within 1.5 degrees of the
// published one, as an undirected line (the catalogues round to degrees).
// A vertical plane also in its other form (strike + 180, 90, -rake).
void expect_published_axes(const std::string& file, bool with_b) {
  const auto rows = real_data_table(file);
  ASSERT_GT(rows.size(), 400u);
  double worst = 0;
  for (const CsvRow& r : rows) {
    const Vec p = direction(r.number(13), r.number(14)), t = direction(r.number(15), r.number(16));
    std::vector<std::array<double, 3>> planes{{r.number(7), r.number(8), r.number(9)},
                                              {r.number(10), r.number(11), r.number(12)}};
    for (std::size_t k = 0; k < 2; ++k) {
      if (planes[k][1] == 90) planes.push_back({planes[k][0] + 180, 90, -planes[k][2]});
    }
    for (const auto& s : planes) {
      const Axes a = axes_of(s[0], s[1], s[2]);
      double worst_here = std::max(angle(a.axis(0), p, true), angle(a.axis(2), t, true));
      if (with_b) worst_here = std::max(worst_here, angle(a.axis(1), direction(r.number(17), r.number(18)), true));
      EXPECT_LT(worst_here, 1.5) << r[0] << " plane " << s[0] << " " << s[1] << " " << s[2];
      worst = std::max(worst, worst_here);
    }
  }
  EXPECT_GT(worst, 0.5);  // the comparison is not vacuous
}

TEST(PrincipalAxes, GlobalCmtAxes) { expect_published_axes("gcmt_m7plus_fm.csv", true); }
TEST(PrincipalAxes, SwissSeismologicalServiceAxes) { expect_published_axes("sed_switzerland_fm.csv", false); }

}  // namespace
}  // namespace dorvix::testing
