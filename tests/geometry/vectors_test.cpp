#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "geometry/vectors.hpp"
#include "geometry_fixture.hpp"

namespace dorvix {
namespace {

using testing::GeometryTest;
using testing::warning_box;

using Vectors = GeometryTest;

constexpr float tiny = 1e-6f;

TEST_F(Vectors, UnitVectorsOfGeographicPoints) {
  struct Case {
    float lon, lat, x, y, z;
  };
  const float h = anglerad.half_pi();
  const Case cases[] = {
      {0, 0, 1, 0, 0},          {h, 0, 0, 1, 0},  {0, h, 0, 0, 1},
      {anglerad.pi(), 0, -1, 0, 0}, {-h, -h, 0, 0, -1}, {anglerad.quarter_pi(), 0, std::sqrt(0.5f), std::sqrt(0.5f), 0},
  };
  for (const Case& c : cases) {
    float x = 9, y = 9, z = 9;
    ll2ccn({&x, 1}, {&y, 1}, {&z, 1}, std::vector<float>{c.lon}, std::vector<float>{c.lat}, 1);
    EXPECT_NEAR(x, c.x, tiny) << c.lon << " " << c.lat;
    EXPECT_NEAR(y, c.y, tiny) << c.lon << " " << c.lat;
    EXPECT_NEAR(z, c.z, tiny) << c.lon << " " << c.lat;
  }
}

TEST_F(Vectors, GeographicPointsOfVectorsTakeTheirQuadrant) {
  struct Case {
    float vx, vy, vz, lon, lat;
  };
  const float pi = anglerad.pi(), h = anglerad.half_pi();
  const Case cases[] = {
      {0, 0, 1, 0, h},       {-1, 0, 0, pi, 0},          {-1, -0.0f, 0, pi, 0},  // not -pi
      {0, -1, 0, -h, 0},     {0, 1, 0, h, 0},            {0, 0, -1, 0, -h},
      {-0.5f, -0.5f, std::sqrt(0.5f), -3 * pi / 4, pi / 4},
      {-0.5f, 0.5f, -std::sqrt(0.5f), 3 * pi / 4, -pi / 4},
  };
  for (const Case& c : cases) {
    float lon = 9, lat = 9;
    cc2lln({&lon, 1}, {&lat, 1}, std::vector<float>{c.vx}, std::vector<float>{c.vy}, std::vector<float>{c.vz}, 1);
    EXPECT_NEAR(lon, c.lon, 2 * tiny) << c.vx << " " << c.vy << " " << c.vz;
    EXPECT_NEAR(lat, c.lat, 2 * tiny) << c.vx << " " << c.vy << " " << c.vz;
  }
  EXPECT_TRUE(screen().empty());
}

TEST_F(Vectors, LongVectorIsNormalisedWithAWarning) {
  type({""});
  std::vector<float> lon(2, 9), lat(2, 9);
  cc2lln(lon, lat, std::vector<float>{1, 2}, std::vector<float>{0, 0}, std::vector<float>{0, 0}, 2);
  EXPECT_EQ(screen_lines(), warning_box("cc2lln", {
                                                      " Expecting unitary V = (Vx,Vy,Vz)",
                                                      " Loop final   index =      2",
                                                      " Loop current index =      2",
                                                      " Vx =   2.0000 Vy =   0.0000 Vz =   0.0000",
                                                      " ||V|| =   2.0000",
                                                      " V is not unitary",
                                                      " ==> Normalizing it to 1",
                                                  }));
  EXPECT_EQ(lon[1], 0.0f);
  EXPECT_EQ(lat[1], 0.0f);
}

TEST_F(Vectors, NearlyUnitVectorsNeedNoWarning) {
  // Squared length 1.00006: normalised silently; 1.00004: used unchanged.
  const float k6 = std::sqrt(1.00006f), k4 = std::sqrt(1.00004f);
  std::vector<float> lon(3), lat(3);
  cc2lln(lon, lat, std::vector<float>{0.6f * k6, 0.6f * k4, 0}, std::vector<float>{0, 0, 0},
         std::vector<float>{0.8f * k6, 0.8f * k4, 1.00002f}, 3);
  EXPECT_TRUE(screen().empty());
  EXPECT_NEAR(lat[0], std::asin(0.8f), 2e-6f);
  EXPECT_NEAR(lat[1], std::asin(0.8f * k4), 2e-6f);
  EXPECT_GT(lat[1] - std::asin(0.8f), 2e-5f);
  // A sine just above 1, left unchanged, is taken as 1: never NaN.
  EXPECT_EQ(lat[2], anglerad.half_pi());
}

TEST_F(Vectors, ConversionsWorkInPlace) {
  std::vector<float> lon{0.3f, -2.0f}, lat{0.5f, -1.2f}, z(2);
  const std::vector<float> lon0 = lon, lat0 = lat;
  ll2ccn(lon, lat, z, lon, lat, 2);  // lon, lat now hold x and y
  EXPECT_NEAR(lon[0], std::cos(0.5f) * std::cos(0.3f), tiny);
  EXPECT_NEAR(lat[1], std::cos(-1.2f) * std::sin(-2.0f), tiny);
  cc2lln(lon, lat, lon, lat, z, 2);
  for (std::size_t k = 0; k < 2; ++k) {
    EXPECT_NEAR(lon[k], lon0[k], 4 * tiny);
    EXPECT_NEAR(lat[k], lat0[k], 4 * tiny);
  }
}

TEST_F(Vectors, ScalarProductsNormsAndCrossProducts) {
  const std::vector<float> u{1, 2, 3, 0, 3, 4}, v{4, -5, 6, 1, 0, 0};
  std::vector<float> r(2, 9);
  scalprodn(r, u, v, 3, 2);
  EXPECT_EQ(r, (std::vector<float>{12, 0}));
  vecnorm(r, u, 3, 2);
  EXPECT_EQ(r[1], 5.0f);
  EXPECT_NEAR(r[0], std::sqrt(14.0f), tiny);
  // Two-component products of the same arrays (leading dimension 2).
  std::vector<float> r3(3);
  scalprodn(r3, u, v, 2, 3);
  EXPECT_EQ(r3, (std::vector<float>{1 * 4 + 2 * -5, 3 * 6 + 0 * 1, 3 * 0 + 4 * 0}));
  scalprodn(r, u, v, -1, 2);
  EXPECT_EQ(r, (std::vector<float>{0, 0}));

  std::vector<float> w(6, 9);
  vecprod3d(w, std::vector<float>{1, 0, 0, 1, 2, 3}, std::vector<float>{0, 1, 0, 4, 5, 6}, 2);
  EXPECT_EQ(w, (std::vector<float>{0, 0, 1, -3, 6, -3}));
  std::vector<float> a{1, 2, 3}, b{4, 5, 6};
  vecprod3d(a, a, b, 1);  // a := a x b
  EXPECT_EQ(a, (std::vector<float>{-3, 6, -3}));
  b = {0, 0, 1};
  std::vector<float> c{1, 0, 0};
  vecprod3d(b, c, b, 1);  // b := c x b
  EXPECT_EQ(b, (std::vector<float>{0, -1, 0}));
}

TEST_F(Vectors, IntegersWrapIntoOneToM) {
  const std::vector<int> in{5, 6, -3, -4, 4, 1, 0, 3, -1, 2, 7, -2147483647};
  std::vector<int> out(in.size());
  moduri(out, in, 3, static_cast<int>(in.size()));
  EXPECT_EQ(out, (std::vector<int>{2, 3, 3, 2, 1, 1, 3, 3, 2, 2, 1, 2}));
  // No modulus to wrap into: the integers stay as they are (and nothing
  // divides by zero).
  moduri(out, in, 0, 3);
  EXPECT_EQ(out[0], 5);
  EXPECT_EQ(out[2], -3);
}

TEST_F(Vectors, ZeroOrNegativeCountsWriteNothing) {
  std::vector<float> a{7}, b{7}, c{7};
  const std::vector<float> one{1};
  ll2ccn(a, b, c, one, one, 0);
  cc2lln(a, b, one, one, one, -1);
  scalprodn(a, one, one, 1, 0);
  vecnorm(a, one, 1, -2);
  std::vector<float> w3{7, 7, 7};
  vecprod3d(w3, std::vector<float>{1, 0, 0}, std::vector<float>{0, 1, 0}, 0);
  std::vector<int> iout{7};
  moduri(iout, std::vector<int>{5}, 3, 0);
  EXPECT_EQ(a[0], 7);
  EXPECT_EQ(b[0], 7);
  EXPECT_EQ(c[0], 7);
  EXPECT_EQ(w3, (std::vector<float>{7, 7, 7}));
  EXPECT_EQ(iout[0], 7);
}

}  // namespace
}  // namespace dorvix
