#pragma once
// Drawing tests on one stereonet: a plot in the Compressed dialect whose
// subplot 1 maps a user unit to `unit` PostScript points around the origin
// (300, 400) points, and the net's positions computed independently.

#include <cmath>
#include <numbers>
#include <utility>

#include "plot/draw.hpp"
#include "stereonet/projections.hpp"
#include "support/draw_fixture.hpp"

namespace dorvix::testing {

class NetTest : public DrawTest {
 protected:
  static constexpr double origin_x = 300, origin_y = 400;

  void open(double unit, const std::string& orient = "P  ") {
    unit_ = unit;
    open_plot(1, orient);
    int s = 1;
    ssubplot(s, setup::passed);
    real x0 = origin_x / 28.35f, y0 = origin_y / 28.35f, xx = real(unit / 28.35), xy = 0, yx = 0, yy = xx;
    sus2cm1(x0, y0, xx, xy, yx, yy, setup::passed);
    drawn();
  }
  void use_projection(int type) {
    sspro(type, setup::passed);
    screen();
  }
  // A drawn point (points) in user units.
  Point user(const Point& p) const { return {(p.first - origin_x) / unit_, (p.second - origin_y) / unit_}; }

  double unit_ = 1;
};

// Where a direction (radians) lies on the net of projection `type`: r =
// tan(t/2) (Wulff, 1 and 2) or sqrt 2 sin(t/2) (Schmidt, 3 and 4) at the
// distance t = pi/2 - plunge from the centre; azimuth 0 along x for the
// direct types 1 and 3, along y for the others.
inline Point net_point(int type, double az, double pl) {
  const double t = std::numbers::pi / 2 - pl;
  const double r = type <= 2 ? std::tan(t / 2) : std::sqrt(2.0) * std::sin(t / 2);
  const double a = r * std::cos(az), b = r * std::sin(az);
  return type % 2 == 1 ? Point{a, b} : Point{b, a};
}

inline double distance(const Point& p, const Point& q) { return std::hypot(p.first - q.first, p.second - q.second); }

}  // namespace dorvix::testing
