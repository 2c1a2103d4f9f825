// Stress directions from principal axes: the regime table on chosen
// plunges, the reduction of angles, the listing of unclear cases, pure
// mechanisms against the World Stress Map convention (Zoback 1992), and
// the published axes of the Global CMT catalogue classified by its rules.

#include "map/stress_directions.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "catalogue/real_data.hpp"
#include "files/units.hpp"
#include "geometry/angles.hpp"
#include "stereonet/principal_axes.hpp"
#include "support/console_fixture.hpp"

namespace dorvix::testing {
namespace {

constexpr double degree = std::numbers::pi / 180;
using Lines = std::vector<std::string>;

// Distance between two axis azimuths in degrees, as lines (mod 180).
double axis_gap(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 180.0);
  return std::min(d, 180.0 - d);
}

struct Result {
  int isv = 0;
  double azsh = 0;  // degrees
};

// The regime of three axes given in degrees.
Result regime(const std::array<double, 3>& az, const std::array<double, 3>& pl, double thresh = 0) {
  std::array<real, 3> a{}, p{};
  for (std::size_t k = 0; k < 3; ++k) {
    a[k] = static_cast<real>(az[k] * degree);
    p[k] = static_cast<real>(pl[k] * degree);
  }
  real azsh = -1;
  int isv = -9;
  const auto one = [](real& v) { return std::span<real>(&v, 1); };
  siap2sv(one(azsh), std::span(&isv, 1), one(a[0]), one(p[0]), one(a[1]), one(p[1]), one(a[2]), one(p[2]),
          static_cast<real>(thresh * degree), 1);
  return {isv, azsh / degree};
}

// The regime of a nodal plane (degrees) through its principal axes.
Result plane_regime(double strike, double dip, double rake) {
  AxisAngles az{}, pl{};
  fsadr2steff(az, pl, rad(real(strike)), rad(real(dip)), rad(real(rake)), 0.0f);
  std::array<double, 3> a{}, p{};
  for (std::size_t k = 0; k < 3; ++k) {
    a[k] = az[k] / degree;
    p[k] = pl[k] / degree;
  }
  return regime(a, p);
}

class StressDirectionsTest : public ConsoleTest {};

TEST_F(StressDirectionsTest, VerticalAxisAndShmaxFromTheFlattestAxis) {
  // Azimuths 10, 20, 30 tell which axis SHmax came from.
  const std::array<double, 3> az{10, 20, 30};
  struct Case {
    std::array<double, 3> pl;
    int isv;
    double azsh;
    double thresh = 0;
  } cases[] = {
      {{0, 0, 0}, 0, 10},           // nothing steeper than zero: azsh from axis 1
      {{30, 30, 10}, 1, 120},       // first of a tie is steepest; flattest axis 3: az3 + 90
      {{10, 80, 10}, 2, 10},        // flattest tie keeps axis 1
      {{60, 10, 20}, 1, 20},        // flattest 2 under vertical 1: az2
      {{20, 10, 60}, 3, 110},       // flattest 2 under vertical 3: az2 + 90
      {{-80, 5, 10}, 1, 20},        // a plunge counts by its absolute value
      {{30, 30.0003, 10}, 1, 120},  // steeper by 5E-6 rad only: still a tie
      {{40, 10, 20}, -1, 20, 45},   // below the threshold the index is negated ...
      {{10, 20, 44.99}, -3, 10, 45},
      {{45, 10, 20}, 1, 20, 45},  // ... at it, kept
  };
  for (const Case& c : cases) {
    const Result r = regime(az, c.pl, c.thresh);
    EXPECT_EQ(r.isv, c.isv) << c.pl[0] << " " << c.pl[1] << " " << c.pl[2];
    EXPECT_NEAR(r.azsh, c.azsh, 1e-4) << c.pl[0] << " " << c.pl[1] << " " << c.pl[2];
  }
  EXPECT_TRUE(screen().empty());
  // A plunge beyond the vertical: two error boxes, then the vertical bound.
  type({"", ""});
  EXPECT_EQ(regime(az, {100, 10, 20}).isv, 1);
  const Lines boxes = screen_lines();
  EXPECT_EQ(std::count(boxes.begin(), boxes.end(), " Out of range plunge for"), 1);
  EXPECT_NE(std::find(boxes.begin(), boxes.end(), " iSi     =          1"), boxes.end());
}

TEST_F(StressDirectionsTest, AnglesReduceIntoTheirPeriodAndUnclearCasesAreListed) {
  const real two_pi = anglerad.two_pi(), pi = anglerad.pi();
  for (const auto& [in, want] : std::vector<std::pair<real, real>>{
           {two_pi, 0.0f}, {-anglerad.half_pi(), 3 * anglerad.half_pi()}, {-two_pi, 0.0f}, {1.0f, 1.0f}, {-pi, pi}}) {
    real out = 99.0f;
    na2pin(std::span(&out, 1), std::span(&in, 1), 1);
    EXPECT_NEAR(out, want, 2e-6f) << in;
  }
  // On the screen only the second, third and fourth data, whose vertical
  // axis is unclear (below the threshold, or no axis plunging at all); the
  // fourth's azimuths round to the excluded ends of their ranges, and are
  // written at the included ones.
  const std::array<real, 4> azsh{0.5f, 1.0f, 0.0f, rad(359.96f)}, az1{-1.0f, 0.1f, 0.0f, -pi},
      pl1{0.2f, -0.3f, 0.0f, 0.0f}, az2{0.4f, 0.5f, 0.0f, rad(-179.97f)}, pl2{0.6f, 0.7f, 0.0f, 0.0f},
      az3{0.8f, 0.9f, 0.0f, pi}, pl3{-0.1f, 0.2f, 0.0f, 0.0f};
  writepbsv(azsh, std::array<int, 4>{2, -3, 0, 0}, az1, pl1, az2, pl2, az3, pl3, 4, unit_screen);
  const std::string rule = " " + std::string(74, '-');
  EXPECT_EQ(screen_lines(),
            (Lines{rule, " data nb|isv| azshmax| azim.S1|plung.S1| azim.S2|plung.S2| azim.S3|plung.S3", rule,
                   "       2| -3|    57.3|     5.7|   -17.2|    28.6|    40.1|    51.6|    11.5",
                   "       3|  0|     0.0|     0.0|     0.0|     0.0|     0.0|     0.0|     0.0",
                   "       4|  0|     0.0|   180.0|     0.0|   180.0|     0.0|   180.0|     0.0"}));
}

// Zoback (1992): a pure thrust has T vertical and SHmax across its strike,
// a pure normal fault P vertical and SHmax along its strike, a vertical
// strike-slip fault B vertical and SHmax 45 degrees from its strike.
TEST_F(StressDirectionsTest, PureMechanismsFollowTheWorldStressMapConvention) {
  double worst = 0;
  for (int strike = 0; strike < 360; ++strike) {
    const auto check = [&](double dip, double rake, int isv, double shmax) {
      const Result r = plane_regime(strike, dip, rake);
      EXPECT_EQ(r.isv, isv) << strike << " " << dip << " " << rake;
      worst = std::max(worst, axis_gap(r.azsh, shmax));
    };
    for (int dip = 5; dip <= 85; dip += 5) {
      check(dip, 90, 3, strike + 90);
      check(dip, -90, 1, strike);
    }
    check(90, 0, 2, strike - 45);
    check(90, 180, 2, strike + 45);
  }
  EXPECT_LT(worst, 2e-4);
}

// The World Stress Map regimes of a mechanism from its plunges (Zoback
// 1992), with the axis its SHmax is read from and the angle added.
struct WsmRegime {
  const char* name;
  int vertical;   // 1 P, 2 B, 3 T; 0 for the oblique classes
  int reference;  // axis SHmax is read from
  double offset;  // degrees added to its azimuth
};
const WsmRegime* classify(double p, double b, double t) {
  static const WsmRegime nf{"NF", 1, 2, 0}, ns{"NS", 0, 3, 90}, ss_t{"SS", 2, 3, 90}, ss_p{"SS", 2, 1, 0},
      ts{"TS", 0, 1, 0}, tf{"TF", 3, 1, 0};
  if (p >= 52 && t <= 35) return &nf;
  if (p >= 40 && p < 52 && t <= 20) return &ns;
  if (p < 40 && b >= 45 && t <= 20) return &ss_t;
  if (p <= 20 && b >= 45 && t < 40) return &ss_p;
  if (p <= 20 && t >= 40 && t < 52) return &ts;
  if (p <= 35 && t >= 52) return &tf;
  return nullptr;
}

// Plane 1 of every Global CMT event against the rules applied to the
// published axes. They agree where the flattest published axis is the
// rule's reference axis; elsewhere (mostly thrusts whose B is flatter than
// P: B + 90 here, P by the rule) they differ by the axes' obliquity.
TEST_F(StressDirectionsTest, GlobalCmtEventsAgainstTheWorldStressMapRules) {
  int vertical_checked = 0, same_reference = 0;
  std::vector<double> gaps;
  for (const CsvRow& row : real_data_table("gcmt_m7plus_fm.csv")) {
    const Result r = plane_regime(row.number(7), row.number(8), row.number(9));
    // Published axes: P 13-14, T 15-16, B 17-18.
    const std::array<double, 3> az{row.number(13), row.number(17), row.number(15)};
    const std::array<double, 3> pl{row.number(14), row.number(18), row.number(16)};
    const WsmRegime* w = classify(pl[0], pl[1], pl[2]);
    if (w == nullptr) continue;
    if (w->vertical != 0) {
      ++vertical_checked;
      EXPECT_EQ(r.isv, w->vertical) << row[0] << " " << w->name;
    }
    const double gap = axis_gap(r.azsh, az[static_cast<std::size_t>(w->reference - 1)] + w->offset);
    gaps.push_back(gap);
    EXPECT_LT(gap, 15.0) << row[0] << " " << w->name;
    if (std::min_element(pl.begin(), pl.end()) - pl.begin() + 1 == w->reference) {
      ++same_reference;
      EXPECT_LT(gap, 2.0) << row[0] << " " << w->name;
    }
  }
  EXPECT_EQ(gaps.size(), 398u);
  EXPECT_EQ(vertical_checked, 385);
  EXPECT_EQ(same_reference, 158);
  std::nth_element(gaps.begin(), gaps.begin() + static_cast<long>(gaps.size() / 2), gaps.end());
  EXPECT_LT(gaps[gaps.size() / 2], 1.5);
}

}  // namespace
}  // namespace dorvix::testing
