// The reference ellipsoid: its set-up dialogue (whole transcripts), its
// derived constants, the meridian distance, and the worked examples of the
// ellipsoidal projections.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/angles.hpp"
#include "projection/ellipsoid.hpp"
#include "projection/polyconic.hpp"
#include "projection/state.hpp"
#include "support/projection_fixture.hpp"
#include "support/tools.hpp"

namespace dorvix::testing {
namespace {

using Lines = std::vector<std::string>;

const std::string at_rule = " " + std::string(43, '@');
const std::string dash_rule = " " + std::string(43, '-');

Lines head() { return {at_rule, " @ subroutine sellipsoid ", " @" + std::string(42, '=')}; }

Lines& operator+=(Lines& a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Lines summary(const std::string& title, int number, const std::string& a, const std::string& b) {
  Lines l = head();
  l += {" " + title, dash_rule, "  Ellipsoid number  =   " + std::to_string(number), "  Equatorial radius =  " + a + " m",
        "  Polar      radius =  " + b + " m", at_rule};
  return l;
}

Lines menu(int current, int setting, const std::string& answer) {
  Lines l = head();
  l += {"            ELLIPSOIDS SET UP",
        dash_rule,
        "  current ellipsoid number:   " + std::to_string(current),
        "  setting ellipsoid number:   " + std::to_string(setting),
        dash_rule,
        " GRS80    1980 .......................1",
        " IUGG     1967 .......................2",
        " Hayford  1909 .......................3",
        " Clarke   1880 .......................4",
        " Clarke   1866 .......................5",
        " Bessel   1841 .......................6",
        " Everest  1830 .......................7",
        " Plessis  1810 .......................8",
        " Delambre 1810 .......................9",
        dash_rule,
        " SET AND EXIT .......................99",
        at_rule,
        " ..........................................",
        " Enter Ellipsoid number or 99",
        " or return for default value",
        " Default =           99",
        " New value =  " + std::string(12 - answer.size(), ' ') + answer,
        " .........................................."};
  return l;
}

Lines box(char c, const std::string& title, const Lines& message) {
  const std::string rule = " " + std::string(43, c), ends(3, c);
  Lines l;
  if (c == '*') {
    l = {rule, rule, " " + ends + std::string(37, ' ') + ends, " " + ends + "        subroutine sellipsoid        " + ends,
         " " + ends + std::string(37, ' ') + ends, " " + ends + title + ends, " " + ends + std::string(37, ' ') + ends,
         rule, rule};
  } else {
    l = {rule, " " + ends + "        subroutine sellipsoid        " + ends, " " + ends + title + ends, rule};
  }
  l += message;
  l += {" ===> HIT RETURN TO CONTINUE", rule};
  return l;
}

const std::string error_title = "                ERROR                ";
const std::string warning_title = "               WARNING               ";

TEST_F(ProjectionTest, EllipsoidInitialisesToGrs80) {
  int iell = 7;
  sellipsoid(iell, setup::initialise);
  Lines want = head();
  want += {" INITIALIZING ELLIPSOID", " Default ellipsoid = GRS80", " ellipsoid number  =   1"};
  want += summary("GRS80 1980 ELLIPSOID", 1, "6378137.0", "6356752.5");
  EXPECT_EQ(screen_lines(), want);
  EXPECT_EQ(iell, 1);
  EXPECT_EQ(ellipsoid_number, 1);
  EXPECT_EQ(ellipsoid.aell, 6378137.0f);
  EXPECT_EQ(ellipsoid.bell, 6356752.5f);
  EXPECT_NEAR(ellipsoid.ecc2, 0.0066943, 1e-7);
  EXPECT_NEAR(ellipsoid.am0, 0.998324, 1e-6);
  // Every constant against its definition, in double precision from the
  // table's radii (b rounded to 0.5 m makes e^2 0.00669432, not GRS80's
  // 0.00669438).
  const double a = 6378137.0, b = 6356752.5;
  const double e2 = 1 - b * b / (a * a), e4 = e2 * e2, e6 = e4 * e2;
  EXPECT_NEAR(ellipsoid.ecc2, e2, 1e-9);
  EXPECT_NEAR(ellipsoid.ecc, std::sqrt(e2), 1e-8);
  EXPECT_NEAR(ellipsoid.ecc4, e4, 1e-10);
  EXPECT_NEAR(ellipsoid.ecc6, e6, 1e-12);
  EXPECT_NEAR(ellipsoid.am0, 1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256, 1e-7);
  EXPECT_NEAR(ellipsoid.eccp2, e2 / (1 - e2), 1e-8);
  EXPECT_NEAR(ellipsoid.am2, -(3 * e2 / 8 + 3 * e4 / 32 + 45 * e6 / 1024), 1e-8);
  EXPECT_NEAR(ellipsoid.am4, 15 * e4 / 256 + 45 * e6 / 1024, 1e-9);
  EXPECT_NEAR(ellipsoid.am6, -35 * e6 / 3072, 1e-10);
}

TEST_F(ProjectionTest, EllipsoidNumberOutsideTheTableIsResetToOne) {
  type({""});  // the pause of the error box
  int iell = 0;
  sellipsoid(iell, setup::passed);
  Lines want = box('*', error_title,
                   {"  ellipsoid nb =   0", " ==> NO SUCH ELLIPSOID NB", " ==> RESETTING TO:", "  ellipsoid nb =   1"});
  want += summary("GRS80 1980 ELLIPSOID", 1, "6378137.0", "6356752.5");
  EXPECT_EQ(screen_lines(), want);
  EXPECT_EQ(iell, 1);
}

TEST_F(ProjectionTest, EllipsoidChosenSilentlyStillShowsItsSummary) {
  int iell = 3;
  sellipsoid(iell, setup::passed);
  EXPECT_EQ(screen_lines(), summary("HAYFORD 1909 ELLIPSOID", 3, "6378388.0", "6356912.0"));
  EXPECT_EQ(ellipsoid_number, 3);
  EXPECT_EQ(ellipsoid.aell, 6378388.0f);
  // Hayford's flattening is 1/297 (the table's b, rounded to the metre,
  // moves e^2 by 2.0E-8).
  EXPECT_NEAR(ellipsoid.ecc2, 2.0 / 297 - 1.0 / (297.0 * 297.0), 3e-8);
}

TEST_F(ProjectionTest, EllipsoidMenuChoosesAndRefusesAnswers) {
  int iell = 1;
  sellipsoid(iell, setup::initialise);
  screen();
  type({"3", "12", "", "99"});
  sellipsoid(iell, setup::menu_from_stored);
  Lines want = menu(1, 1, "3");
  want += menu(1, 3, "12");
  want += box('/', warning_title, {" ANSWER =  12", " NEITHER IN [1,9] NOR = 99", " ==> BACK TO MENU WITHOUT ACTION"});
  want += menu(1, 3, "99");
  want += summary("HAYFORD 1909 ELLIPSOID", 3, "6378388.0", "6356912.0");
  EXPECT_EQ(screen_lines(), want);
  EXPECT_EQ(iell, 3);
  EXPECT_EQ(ellipsoid_number, 3);
}

TEST_F(ProjectionTest, EllipsoidKeptNumberBeforeInitialisationForcesTheMenu) {
  // Mode 3 takes the kept number, still 0: the error box, then the menu
  // although the mode is odd, until a number of the table is chosen.
  type({"", "99", "", "6", "99"});
  int iell = 4;
  sellipsoid(iell, setup::stored);
  const Lines refused = box('*', error_title, {" ellipsoid number =   0", " NO SUCH ELLIPSOID AVALAIBLE"});
  Lines want = refused;
  want += menu(0, 0, "99");
  want += refused;
  want += menu(0, 0, "6");
  want += menu(0, 6, "99");
  want += summary("BESSEL 1841 ELLIPSOID", 6, "6377397.0", "6356079.0");
  EXPECT_EQ(screen_lines(), want);
  EXPECT_EQ(iell, 6);
}

// PROJ's named ellipsoids (`proj -le`): name, then a= and b= or rf=.
std::map<std::string, std::pair<double, double>> proj_ellipsoids() {
  std::map<std::string, std::pair<double, double>> radii;
  std::istringstream in(run_command("proj -le").output);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string name, a, second;
    if (!(fields >> name >> a >> second) || a.rfind("a=", 0) != 0) continue;
    const double major = std::stod(a.substr(2));
    if (second.rfind("b=", 0) == 0) radii[name] = {major, std::stod(second.substr(2))};
    if (second.rfind("rf=", 0) == 0) radii[name] = {major, major * (1 - 1 / std::stod(second.substr(3)))};
  }
  return radii;
}

// The table against independent values: PROJ's list of ellipsoids, and
// for Delambre 1810, which PROJ lists only in its Belgian form, the French
// values of the historical tables (a = 6376985 m, 1/f = 308.6465). The
// table keeps its radii to the half metre.
TEST_F(ProjectionTest, EveryEllipsoidOfTheTableAgreesWithPublishedRadii) {
  DORVIX_REQUIRE_TOOL("proj");
  auto radii = proj_ellipsoids();
  radii["Delambre 1810"] = {6376985.0, 6376985.0 * (1 - 1 / 308.6465)};
  const std::pair<const char*, const char*> rows[] = {
      {"GRS80 1980 ELLIPSOID", "GRS80"},      {"IUGG 1967 ELLIPSOID", "GRS67"},
      {"HAYFORD 1909 ELLIPSOID", "intl"},     {"CLARKE 1880 ELLIPSOID", "clrk80ign"},
      {"CLARKE 1866 ELLIPSOID", "clrk66"},    {"BESSEL 1841 ELLIPSOID", "bessel"},
      {"EVEREST 1830 ELLIPSOID", "evrst30"},  {"PLESSIS 1810 ELLIPSOID", "plessis"},
      {"DELAMBRE 1810 ELLIPSOID", "Delambre 1810"},
  };
  constexpr double half_metre = 0.5;
  for (int k = 1; k <= 9; ++k) {
    const auto& [title, source] = rows[k - 1];
    SCOPED_TRACE(title);
    ASSERT_EQ(radii.count(source), 1u) << source;
    const auto [a, b] = radii[source];
    int iell = k;
    sellipsoid(iell, setup::passed);
    const Lines lines = screen_lines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[3], std::string(" ") + title);
    EXPECT_NEAR(ellipsoid.aell, a, half_metre);
    EXPECT_NEAR(ellipsoid.bell, b, half_metre);
    // The eccentricity follows from the radii kept.
    const double ka = ellipsoid.aell, kb = ellipsoid.bell;
    EXPECT_NEAR(ellipsoid.ecc2, 1 - kb * kb / (ka * ka), 2e-9);
  }
}

TEST_F(ProjectionTest, MeridianDistance) {
  set_start_up_parameters();  // GRS80
  const real pi = anglerad.pi();
  std::vector<real> lat{0.0f, pi / 2, -pi / 2, rad(45.0f)}, dist(4);
  lat2disel(dist, lat, 4);
  EXPECT_EQ(dist[0], 0.0f);
  EXPECT_NEAR(dist[1], ellipsoid.am0 * pi / 2, 1e-6);
  EXPECT_NEAR(dist[1], 1.5682, 1e-4);
  EXPECT_NEAR(dist[2], -dist[1], 1e-6);
  // GRS80: 4984944.378 m from the equator to 45 degrees (a = 6378137 m).
  EXPECT_NEAR(dist[3], 4984944.378 / 6378137.0, 2e-7);
}

TEST_F(ProjectionTest, EllipsoidalWorkedExamples) {
  set_start_up_parameters();
  // Transverse Mercator: the central meridian maps to X = 0 and Y = the
  // meridian distance.
  llpparam.longp1 = rad(12.0f);
  for (const double lat : {-60.0, 10.0, 45.0, 80.0}) {
    const auto [x, y] = project_one(2, 12.0, lat);
    EXPECT_EQ(x, 0.0f);
    EXPECT_NEAR(y, meridian_distance(rad(static_cast<real>(lat))), 1e-7) << lat;
  }
  // Mercator on GRS80 at 45 degrees: the isometric latitude 0.8766, below
  // the sphere's 0.8814.
  EXPECT_NEAR(project_one(16, 0, 45).second, 0.8766, 1e-4);
}

TEST_F(ProjectionTest, InternationalMapOfTheWorldWorkedExamples) {
  set_start_up_parameters();
  llpparam.longp1 = rad(10.0f);
  llpparam.longp2 = rad(12.0f);
  simwpoly2();
  EXPECT_EQ(forimwpoly.lat00[0], rad(30.0f));
  EXPECT_EQ(forimwpoly.lat00[1], rad(60.0f));
  // On the equator: Y = 0, X = lambda - longp1.
  for (const double lon : {-20.0, 10.0, 33.0}) {
    const auto [x, y] = project_one(14, lon, 0);
    EXPECT_EQ(y, 0.0f);
    EXPECT_NEAR(x, rad(static_cast<real>(lon - 10.0)), 1e-6);
  }
  // The first limiting parallel crosses the central meridian at Y = 0, and
  // the true-scale meridian crosses it at (x1, y1): the radius of the
  // parallel is r = N cot(30 degrees), the angle L sin(30 degrees).
  EXPECT_NEAR(project_one(14, 10, 30).second, 0.0, 1e-7);
  const double e2 = ellipsoid.ecc2, p = 30 * 3.14159265358979323846 / 180;
  const double r = 1 / (std::tan(p) * std::sqrt(1 - e2 * std::sin(p) * std::sin(p)));
  const double f = 2 * 3.14159265358979323846 / 180 * std::sin(p);
  const auto [x1, y1] = project_one(14, 12, 30);
  EXPECT_NEAR(x1, r * std::sin(f), 2e-7);
  EXPECT_NEAR(y1, r * (1 - std::cos(f)), 2e-7);
  // The true-scale meridian is true to scale between the limiting
  // parallels: its length there is the difference of meridian distances.
  const auto [x2, y2] = project_one(14, 12, 60);
  const double length = std::hypot(x2 - x1, y2 - y1);
  EXPECT_NEAR(length, meridian_distance(rad(60.0f)) - meridian_distance(rad(30.0f)), 2e-6);
  // North is up with the first parallel to the south ...
  EXPECT_GT(y2, y1);
  // ... and the map is mirrored top to bottom with the parallels swapped.
  llpparam.latp1 = rad(60.0f);
  llpparam.latp2 = rad(30.0f);
  simwpoly2();
  EXPECT_GT(project_one(14, 12, 30).second, project_one(14, 12, 60).second + 0.5);
}

}  // namespace
}  // namespace dorvix::testing
