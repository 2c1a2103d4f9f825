// Oblique rotation: the matrix of a centre, the rotation of points, the
// transpose, and the matrix set-up dialogue.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "geometry/angles.hpp"
#include "projection/oblique.hpp"
#include "support/projection_fixture.hpp"

namespace dorvix::testing {
namespace {

const Matrix33 identity{1, 0, 0, 0, 1, 0, 0, 0, 1};

TEST_F(ProjectionTest, ObliqueMatrixRowsAreTheFrameOfTheCentre) {
  // Centre at the north pole: the identity, the oblique frame is the
  // geographic one.
  const Matrix33 pole = oblique_matrix(0.0f, rad(90.0f));
  for (std::size_t k = 0; k < 9; ++k) EXPECT_NEAR(pole[k], identity[k], 1e-7) << k;
  // Any centre: the rows e1 (south along the centre's meridian), e2 (east)
  // and e3 (the centre) are orthonormal and right-handed.
  const double lc = 137.5 * 3.14159265358979323846 / 180, pc = -30 * 3.14159265358979323846 / 180;
  const Matrix33 m = oblique_matrix(static_cast<real>(lc), static_cast<real>(pc));
  const double e3[3] = {std::cos(pc) * std::cos(lc), std::cos(pc) * std::sin(lc), std::sin(pc)};
  const double e2[3] = {-std::sin(lc), std::cos(lc), 0};
  const double e1[3] = {std::sin(pc) * std::cos(lc), std::sin(pc) * std::sin(lc), -std::cos(pc)};
  for (int j = 1; j <= 3; ++j) {
    EXPECT_NEAR(element(m, 1, j), e1[j - 1], 2e-7);
    EXPECT_NEAR(element(m, 2, j), e2[j - 1], 2e-7);
    EXPECT_NEAR(element(m, 3, j), e3[j - 1], 2e-7);
  }
}

TEST_F(ProjectionTest, RotationIntoTheObliqueFrame) {
  // With the identity every point comes back unchanged.
  a2b.ab = identity;
  std::vector<real> lon{0.3f, -2.0f, 3.0f}, lat{0.1f, -1.2f, 1.5f}, lonb(3), latb(3);
  lla2llb(lonb, latb, lon, lat, 3);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_NEAR(lonb[i], lon[i], 3e-7);
    EXPECT_NEAR(latb[i], lat[i], 3e-7);
  }
  // The centre (0, 45 degrees) becomes the pole; the point 90 degrees south
  // of it on its meridian lies at longitude 0 of the frame, the point 90
  // degrees east at longitude 90, both on its equator. In place. (The
  // latitude comes back as asin of the rotated z component, which rounds
  // to 1 - 6.0E-8 here: asin is that far from pi/2 at sqrt(1.2E-7), 3.5E-4.)
  a2b.ab = oblique_matrix(0.0f, rad(45.0f));
  std::vector<real> plon{0.0f, 0.0f, rad(90.0f)}, plat{rad(45.0f), rad(-45.0f), 0.0f};
  lla2llb(plon, plat, plon, plat, 3);
  EXPECT_NEAR(plat[0], anglerad.half_pi(), 3.5e-4);
  EXPECT_NEAR(plon[1], 0.0f, 2e-7);
  EXPECT_NEAR(plat[1], 0.0f, 2e-7);
  EXPECT_NEAR(plon[2], rad(90.0f), 2e-7);
  EXPECT_NEAR(plat[2], 0.0f, 2e-7);
  EXPECT_TRUE(screen().empty());  // unit vectors: no warning
}

TEST_F(ProjectionTest, MatrixProductAndTransposeInPlace) {
  a2b.ab = {1, 4, 7, 2, 5, 8, 3, 6, 9};  // rows (1 2 3), (4 5 6), (7 8 9)
  std::array<real, 3> v{1, 10, 100};
  cca2ccb(v, v);
  EXPECT_EQ(v, (std::array<real, 3>{321, 654, 987}));
  Matrix33 m = a2b.ab;
  mtrans(m, m);
  EXPECT_EQ(m, (Matrix33{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(element(m, 1, 2), 4);
}

using Lines = std::vector<std::string>;

const std::string at_rule = " " + std::string(43, '@');
const std::string dash_rule = " " + std::string(43, '-');
const Lines head{at_rule, " @ subroutine smatab33   ", " @" + std::string(42, '=')};

Lines menu(const std::vector<std::string>& values) {
  Lines l = head;
  l.insert(l.end(), {dash_rule, " Ab MATRIX SET UP", dash_rule});
  const char* labels[] = {"Ab(1,1).....1", "Ab(1,2).....2", "Ab(1,3).....3", "Ab(2,1).....4", "Ab(2,2).....5",
                          "Ab(2,3).....6", "Ab(3,1).....7", "Ab(3,2).....8", "Ab(3,3).....9"};
  for (int k = 0; k < 9; ++k) l.push_back(std::string(" ") + labels[k] + " " + values[static_cast<std::size_t>(k)]);
  l.insert(l.end(), {dash_rule, " UPDATE & EXIT ........99", at_rule});
  return l;
}

// A prompt with its default and its echo, each in a field of 12 (I12 for
// integers, G12.6 for reals).
Lines prompt(const std::string& question, const std::string& default_field, const std::string& answer_field) {
  return {" ..........................................",
          " Enter " + question,
          " or return for default value",
          " Default = " + default_field,
          " New value =  " + answer_field,
          " .........................................."};
}

Lines& operator+=(Lines& a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(ProjectionTest, MatrixSetUpModes) {
  // Mode 3 returns ab and leaves it, printing nothing.
  a2b.ab = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  Matrix33 m{};
  smatab33(m, setup::stored);
  EXPECT_EQ(m, (Matrix33{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(a2b.ab, m);
  EXPECT_TRUE(screen().empty());
  // Mode 1 stores the matrix passed, silently.
  m = identity;
  smatab33(m, setup::passed);
  EXPECT_EQ(a2b.ab, identity);
  EXPECT_TRUE(screen().empty());
  // Mode 5: the identity and the initialising line.
  a2b.ab = {};
  m = {9, 9, 9, 9, 9, 9, 9, 9, 9};
  smatab33(m, setup::initialise);
  EXPECT_EQ(a2b.ab, identity);
  EXPECT_EQ(m, identity);
  Lines want = head;
  want.push_back(" INITIALIZING Ab matrix: Ab = Identity");
  EXPECT_EQ(screen_lines(), want);
}

TEST_F(ProjectionTest, MatrixSetUpMenuEditsElements) {
  // Mode 4: identity, then the menu: element 6 (row 2, column 3) set to
  // 2.5, an unknown answer, then leave.
  type({"6", "2.5", "12", "", "99"});
  Matrix33 m{};
  smatab33(m, setup::menu_from_defaults);
  Matrix33 want_matrix = identity;
  element(want_matrix, 2, 3) = 2.5f;
  EXPECT_EQ(a2b.ab, want_matrix);
  EXPECT_EQ(m, want_matrix);
  const std::string one = "   1.000", zero = "   0.000";
  Lines want = head;
  want.push_back(" INITIALIZING Ab matrix: Ab = Identity");
  want += menu({one, zero, zero, zero, one, zero, zero, zero, one});
  want += prompt("your choice", "          99", "           6");
  want += prompt("aba(2,3)", " 0.00000    ", " 2.50000    ");
  const Lines edited = menu({one, zero, zero, zero, one, "   2.500", zero, zero, one});
  want += edited;
  want += prompt("your choice", "          99", "          12");
  want += {" ///////////////////////////////////////////", " ///        subroutine smatab33          ///",
           " ///               WARNING               ///", " ///////////////////////////////////////////",
           " UNKNOWN ANSWER !", " ==> BACK TO MENU WITHOUT ACTION", " ===> HIT RETURN TO CONTINUE",
           " ///////////////////////////////////////////"};
  want += edited;
  want += prompt("your choice", "          99", "          99");
  EXPECT_EQ(screen_lines(), want);
}

}  // namespace
}  // namespace dorvix::testing
