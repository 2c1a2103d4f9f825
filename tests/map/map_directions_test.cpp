// Directions on the map around every kind of singular place: rings of
// points about the poles, the cut at the meridian opposite the central
// one, the bands where a projection puts points on one line, the antipode
// of an azimuthal map's centre and its horizon, for every code that has
// one. Each direction is compared with the direction of geod's points a
// few metres ahead and behind along the azimuth, projected by PROJ: within
// 0.5 degree up to 89.5 degrees of latitude, 2 degrees beyond. The
// program's Mollweide (its auxiliary angle from a table) and the points of
// Van der Grinten's central band (drawn on the central meridian) are
// measured against the program's own map.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/angles.hpp"
#include "map/map_directions.hpp"
#include "projection/contract.hpp"
#include "projection/dispatcher.hpp"
#include "projection/ellipsoid.hpp"
#include "projection/equal_area_conic.hpp"
#include "projection/lambert_conic.hpp"
#include "projection/oblique.hpp"
#include "projection/pseudocylindrical.hpp"
#include "projection/state.hpp"
#include "support/projection_fixture.hpp"
#include "support/tools.hpp"

namespace dorvix::testing {
namespace {

constexpr double degree = std::numbers::pi / 180;
// The step of the reference along the azimuth, metres: short against the
// closest ring (111 m), long against PROJ's twelve decimals.
constexpr double reference_step = 5;

// Distance between two axes (radians, mod pi), in degrees.
double axis_gap(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), std::numbers::pi);
  return std::fmin(d, std::numbers::pi - d) / degree;
}

double wrap180(double d) { return d - 360 * std::floor((d + 180) / 360); }

// One direction to check: a point (degrees) and an azimuth; the point at
// which the reference is taken, when it is not the point itself.
struct Probe {
  double lon, lat, azimuth;
  double ref_lon, ref_lat;
  bool on_edge = false;  // on the eastern edge of a folded map, where the program puts it
};

// The point at angular distance `distance` from (lon, lat) along
// `bearing` (degrees) on the sphere.
std::pair<double, double> destination(double lon, double lat, double bearing, double distance) {
  const double p = lat * degree, b = bearing * degree, d = distance * degree;
  const double s = std::sin(p) * std::cos(d) + std::cos(p) * std::sin(d) * std::cos(b);
  const double p2 = std::asin(std::clamp(s, -1.0, 1.0));
  const double l2 = lon * degree + std::atan2(std::sin(b) * std::sin(d) * std::cos(p), std::cos(d) - std::sin(p) * s);
  return {wrap180(l2 / degree), p2 / degree};
}

const std::vector<double> azimuths{0, 25, 70, 110, 150};

// Rings of points: parallels near both poles, meridians near the cut on
// both sides (and on its eastern edge), circles about a point of the globe
// at the given angular distances.
void pole_rings(std::vector<Probe>& out, double lon0, const std::vector<double>& longitudes,
                const std::vector<double>& distances = {1.0, 0.5, 0.1, 0.01, 0.001}) {
  for (const double side : {-1.0, 1.0}) {
    for (const double distance : distances) {
      for (const double dl : longitudes) {
        for (const double az : azimuths) {
          const double lon = wrap180(lon0 + dl), lat = side * (90 - distance);
          out.push_back({lon, lat, az, lon, lat});
        }
      }
    }
  }
}

void cut_rings(std::vector<Probe>& out, double lon0, const std::vector<double>& latitudes) {
  for (const double distance : {0.0, 0.001, 0.01, 0.1, 1.0}) {
    for (const double side : {-1.0, 1.0}) {
      if (distance == 0 && side < 0) continue;  // the edge is the eastern one
      for (const double lat : latitudes) {
        for (const double az : azimuths) {
          const double lon = lon0 + side * (180 - distance);
          out.push_back({lon, lat, az, lon, lat, distance == 0});
        }
      }
    }
  }
}

void circle_rings(std::vector<Probe>& out, double lon, double lat, const std::vector<double>& distances) {
  for (const double distance : distances) {
    for (const double bearing : {0.0, 65.0, 135.0, 210.0, 290.0}) {
      const auto [plon, plat] = destination(lon, lat, bearing, distance);
      for (const double az : azimuths) out.push_back({plon, plat, az, plon, plat});
    }
  }
}

// The map: its set-up after the start-up parameters, PROJ's parameters
// (empty: the program's own map), the figure of geod's steps, its probes.
struct Scan {
  std::string label;
  int code;
  std::function<void()> set_up;
  std::string proj;
  std::vector<Probe> probes;
  bool ellipsoidal = false;
};

// The reference directions of the probes: geod's points one and two
// steps ahead and behind along each azimuth, projected by PROJ, and the
// fourth-order central difference over them; where the steps cross the
// map's cut (a point on its edge), the second-order difference over the
// point and the two steps on its side.
std::vector<double> proj_directions(const Scan& s, const std::string& proj, double lon0, bool folded) {
  const std::string figure = s.ellipsoidal ? "+a=" + std::to_string(double(ellipsoid.aell)) +
                                                 " +b=" + std::to_string(double(ellipsoid.bell))
                                           : "+a=6371000 +es=0";
  std::string lines;
  char line[200];
  for (const Probe& p : s.probes) {
    // A hundredth of the way to the pole, and to the cut of a folded map
    // (unless the point is on its edge), at most.
    const double earth = 6371000, to_pole = earth * (90 - std::fabs(p.ref_lat)) * degree;
    const double to_cut = earth * std::cos(p.ref_lat * degree) * (180 - std::fabs(wrap180(p.ref_lon - lon0))) * degree;
    double step = std::fmin(reference_step, 0.01 * to_pole);
    if (folded && to_cut > 1e-3) step = std::fmin(step, 0.01 * to_cut);
    for (const double az : {p.azimuth, p.azimuth + 180}) {
      for (const double k : {1.0, 2.0}) {
        std::snprintf(line, sizeof line, "%.15f %.15f %.12f %.12f\n", p.ref_lat, p.ref_lon, az, k * step);
        lines += line;
      }
    }
  }
  std::istringstream g(run_command("geod " + figure + " -f %.15f", lines).output);
  std::string points;
  std::vector<std::array<double, 2>> steps;  // ahead 1, 2, behind 1, 2 of each probe
  for (const Probe& p : s.probes) {
    for (int k = 0; k < 4; ++k) {
      double lat = 0, lon = 0, back = 0;
      g >> lat >> lon >> back;
      steps.push_back({p.ref_lon + wrap180(lon - p.ref_lon), lat});  // next to the point, as it is given
      std::snprintf(line, sizeof line, "%.15f %.15f\n", steps.back()[0], lat);
      points += line;
    }
    std::snprintf(line, sizeof line, "%.15f %.15f\n", p.ref_lon, p.ref_lat);
    points += line;
  }
  // The codes that take longitudes as they come: PROJ too (+over).
  std::istringstream pf(run_command("proj -f %.15g " + proj + (folded ? "" : " +over"), points).output);
  std::vector<double> out;
  std::string row;
  for (std::size_t i = 0; i < s.probes.size(); ++i) {
    std::array<std::array<double, 2>, 5> v{};  // ahead 1, 2, behind 1, 2, the point
    for (auto& xy : v) {
      std::getline(pf, row);
      std::istringstream in(row);
      if (!(in >> xy[0] >> xy[1])) xy = {std::nan(""), std::nan("")};
    }
    // A step across the cut lands beyond 180 degrees from the central
    // meridian, on the other side of the point.
    const double d = wrap180(s.probes[i].ref_lon - lon0);
    const auto same_side = [&](std::size_t k) {
      return !folded || std::fabs(d + steps[4 * i + k][0] - s.probes[i].ref_lon) <= 180;
    };
    std::array<double, 2> rate{};
    for (std::size_t c = 0; c < 2; ++c) {
      if (same_side(1) && same_side(3)) {
        rate[c] = 8 * (v[0][c] - v[2][c]) - (v[1][c] - v[3][c]);
      } else if (same_side(1)) {
        rate[c] = -3 * v[4][c] + 4 * v[0][c] - v[1][c];
      } else {
        rate[c] = 3 * v[4][c] - 4 * v[2][c] + v[3][c];
      }
    }
    out.push_back(std::atan2(rate[1], rate[0]));
  }
  return out;
}

// The program's Mollweide, from its table of the auxiliary angle theta:
// X = (2/pi) d cos theta, Y = sin theta, theta linear in the latitude
// between whole degrees.
double mollweide_direction(const Probe& p, double lon0) {
  const double a = std::fabs(p.ref_lat);
  const auto k = static_cast<std::size_t>(std::min(a, 90.0));
  const double slope = static_cast<double>(rmolle[k + 1]) - rmolle[k];
  double theta = (rmolle[k] + (a - static_cast<double>(k)) * slope) * degree;
  if (p.ref_lat < 0) theta = -theta;
  const double d = wrap180(p.ref_lon - lon0) * degree;
  const double c = 2 / std::numbers::pi;
  const double x_phi = -c * d * std::sin(theta) * slope, y_phi = std::cos(theta) * slope;
  const double x_lambda = c * std::cos(theta);
  const double north = std::cos(p.azimuth * degree), east = std::sin(p.azimuth * degree) / std::cos(p.ref_lat * degree);
  return std::atan2(north * y_phi, north * x_phi + east * x_lambda);
}

class MapDirectionsTest : public ProjectionTest {};

TEST_F(MapDirectionsTest, RingsAroundEverySingularPlaceAgreeWithProjAndGeod) {
  DORVIX_REQUIRE_TOOL("proj");
  DORVIX_REQUIRE_TOOL("geod");
  set_start_up_parameters();
  const auto centre = [](double lon, double lat) {
    return [lon, lat] { a2b.ab = oblique_matrix(rad(static_cast<real>(lon)), rad(static_cast<real>(lat))); };
  };
  const auto meridian = [](double lon0) { return [lon0] { llpparam.longp1 = rad(static_cast<real>(lon0)); }; };
  const auto view = [](double degrees) {
    return [degrees] {
      llpparam.anglep1 = rad(static_cast<real>(degrees));
      llpparam.pconst1 = std::sin(llpparam.anglep1 / 2);
      llpparam.pconst2 = std::cos(llpparam.anglep1 / 2);
    };
  };
  const std::string ell = " +a=1 +b=" + std::to_string(double(ellipsoid.bell) / double(ellipsoid.aell));
  const std::vector<double> around{-150, -60, 15, 100, 179};
  const std::vector<double> lats{-60, -20, 10, 45, 75};
  std::vector<Scan> scans;
  // Transverse Mercator: the far-side cut south of the equator and its
  // band north of it, the two points at infinity, the poles.
  {
    Scan s{"tmerc", 1, meridian(20), "+proj=tmerc +R=1", {}};
    for (const double side : {-1.0, 1.0}) {
      for (const double distance : {-2.0, -0.5, -0.01, -0.0001, 0.0, 0.0001, 0.01, 0.5, 2.0}) {
        for (const double lat : {-60.0, -30.0, -5.0, 20.0, 50.0}) {
          for (const double az : azimuths) {
            const double lon = 20 + side * (90 + distance);
            s.probes.push_back({lon, lat, az, lon, lat});
          }
        }
      }
      circle_rings(s.probes, 20 + side * 90, 0, {0.01, 0.1, 1, 5});
    }
    pole_rings(s.probes, 20, around);
    scans.push_back(s);
  }
  // On the near side, half a degree from the cut.
  scans.push_back({"tmerc 0", 1, meridian(0), "+proj=tmerc +R=1", {{89.5, -30, 30, 89.5, -30}}});
  // The ellipsoid's series near its central meridian: the poles.
  {
    Scan s{"tmerc ellipsoid", 2, meridian(20), "+proj=tmerc" + ell, {}, true};
    pole_rings(s.probes, 20, {-25, 0, 15});
    scans.push_back(s);
  }
  // The conformal conics: the apex and the opposite pole, the cut.
  for (const int code : {3, 4}) {
    const bool e = code == 4;
    Scan s{e ? "lcc ellipsoid" : "lcc", code,
           [e] {
             llpparam.longp1 = rad(20.0f);
             e ? slcce2() : slcc2();
           },
           "+proj=lcc +lat_1=30 +lat_2=60" + (e ? ell : std::string(" +R=1")), {}, e};
    pole_rings(s.probes, 20, around);
    cut_rings(s.probes, 20, lats);
    scans.push_back(s);
  }
  // The azimuthal maps: the antipode (the south pole of the polar
  // aspects), the horizon, the poles.
  scans.push_back({"laea polar", 5, [] {}, "+proj=laea +R=1 +lat_0=90", {}});
  scans.push_back({"stere polar", 7, [] {}, "+proj=stere +R=1 +lat_0=90", {}});
  for (Scan* s : {&scans[scans.size() - 2], &scans.back()}) pole_rings(s->probes, 0, around);
  // Within 0.1 degree of the equal-area map's antipode, where the map
  // stretches 10^7 times more across than along, PROJ's oblique formula
  // (1 + sin phi0 sin phi + cos phi0 cos phi cos lambda, which cancels to
  // 1.0E-8 there) no longer gives a reference.
  for (const auto& [code, proj] : {std::pair{6, std::string("laea")}, {8, "stere"}}) {
    Scan s{proj + " oblique", code, centre(170, -30), "+proj=" + proj + " +R=1", {}};
    circle_rings(s.probes, -10, 30,
                 code == 6 ? std::vector<double>{0.1, 0.3, 1, 10} : std::vector<double>{0.01, 0.1, 1, 10});
    s.probes.push_back({-9, 30, 60, -9, 30});
    pole_rings(s.probes, 0, around);
    scans.push_back(s);
  }
  const std::vector<double> inside{0.01, 0.1, 1, 5};
  for (const int code : {9, 17}) {
    Scan s{code == 9 ? "ortho polar" : "gnom polar", code, [] {},
           std::string(code == 9 ? "+proj=ortho" : "+proj=gnom") + " +R=1 +lat_0=90", {}};
    for (const double distance : inside) {
      for (const double lon : around) {
        for (const double az : azimuths) s.probes.push_back({lon, distance, az, lon, distance});
      }
    }
    pole_rings(s.probes, 0, {-150, 15});
    s.probes.erase(std::remove_if(s.probes.begin(), s.probes.end(), [](const Probe& p) { return p.lat < 0; }),
                   s.probes.end());
    scans.push_back(s);
  }
  for (const int code : {10, 18}) {
    Scan s{code == 10 ? "ortho oblique" : "gnom oblique", code, centre(137.5, -30),
           std::string(code == 10 ? "+proj=ortho" : "+proj=gnom") + " +R=1", {}};
    std::vector<double> from_centre;
    for (const double distance : inside) from_centre.push_back(90 - distance);
    circle_rings(s.probes, 137.5, -30, from_centre);
    scans.push_back(s);
  }
  // The perspective seen under 90 degrees: the horizon 45 degrees from the
  // centre.
  const std::string nsper = " +R=1 +h=" + std::to_string(1 / std::sin(45 * degree) - 1);
  {
    Scan s{"nsper polar", 11, view(90), "+proj=nsper +lat_0=90" + nsper, {}};
    for (const double distance : inside) {
      for (const double lon : around) {
        for (const double az : azimuths) s.probes.push_back({lon, 45 + distance, az, lon, 45 + distance});
      }
    }
    scans.push_back(s);
    Scan o{"nsper oblique", 12,
           [view, centre] {
             view(90)();
             centre(137.5, -30)();
           },
           "+proj=nsper" + nsper, {}};
    std::vector<double> from_centre;
    for (const double distance : inside) from_centre.push_back(45 - distance);
    circle_rings(o.probes, 137.5, -30, from_centre);
    scans.push_back(o);
  }
  // The polyconic: poles and cut.
  {
    Scan s{"poly", 13, meridian(20), "+proj=poly +R=1", {}};
    pole_rings(s.probes, 20, around);
    cut_rings(s.probes, 20, lats);
    scans.push_back(s);
  }
  // The codes that take longitudes as they come: their poles.
  scans.push_back({"merc", 15, [] {}, "+proj=merc +R=1", {}});
  scans.push_back({"merc ellipsoid", 16, [] {}, "+proj=merc" + ell, {}, true});
  scans.push_back({"aea", 19,
                   [] {
                     llpparam.latp1 = rad(30.0f);
                     salbesph2();
                   },
                   "+proj=aea +R=1 +lat_1=30 +lat_2=30", {}});
  scans.push_back({"bonne", 20,
                   [] {
                     llpparam.latp1 = rad(30.0f);
                     sbonnesph2();
                   },
                   "+proj=bonne +R=1 +lat_1=30", {}});
  scans.push_back({"werner", 21, [] {}, "+proj=bonne +R=1 +lat_1=90", {}});
  scans.push_back({"sinu", 22, [] {}, "+proj=sinu +R=1", {}});
  scans.push_back({"cea", 23, [] {}, "+proj=cea +R=1", {}});
  for (std::size_t k = scans.size() - 7; k < scans.size(); ++k) pole_rings(scans[k].probes, 0, around);
  // Mollweide, against the program's own map: poles and cut, away from
  // the whole degrees of latitude, where the map has corners.
  {
    Scan s{"moll", 24, meridian(20), "", {}};
    pole_rings(s.probes, 20, around, {0.5, 0.1, 0.01, 0.001});
    cut_rings(s.probes, 20, {-60.5, -20.5, 10.5, 45.5, 75.5});
    scans.push_back(s);
  }
  // Van der Grinten: its band (points within it drawn on the central
  // meridian, and measured there), the poles, the cut.
  {
    Scan s{"vandg", 25, meridian(12), "+proj=vandg +R=1", {}};
    for (const double d : {0.0, 0.2, 0.45, 0.501, 0.51, 0.6, 0.75, 1.0, 1.25, 1.75, 3.0}) {
      for (const double side : {-1.0, 1.0}) {
        for (const double lat : {-70.0, -20.0, 12.8, 30.0, 60.0, 89.5}) {
          for (const double az : azimuths) {
            const double lon = 12 + side * d;
            s.probes.push_back({lon, lat, az, d < 0.5 ? 12.0 : lon, lat});
          }
        }
      }
    }
    s.probes.push_back({12.8, 32, 65.9, 12.8, 32});
    pole_rings(s.probes, 12, around);
    cut_rings(s.probes, 12, lats);
    scans.push_back(s);
  }
  // Van der Grinten about 150 degrees: events at 30.1W near the cut, up to
  // the pole.
  {
    Scan s{"vandg 150", 25, meridian(150), "+proj=vandg +R=1", {}};
    for (const double lat : {60.0, 85.0, 89.5, 89.9}) {
      for (const double az : azimuths) s.probes.push_back({-30.1, lat, az, -30.1, lat});
    }
    scans.push_back(s);
  }

  for (const Scan& s : scans) {
    SCOPED_TRACE(s.label);
    reset_projection_state();
    set_start_up_parameters();
    projtype.iproj = s.code;
    s.set_up();
    // The reference at the point as the program holds it (single
    // precision radians), and PROJ's map about the program's centre: near
    // the antipode of an azimuthal map's centre, a fraction of a metre
    // turns a direction by degrees. A point on the map's eastern edge is
    // taken by PROJ on the western one: its reference is a hair inside.
    const auto held = [](double degrees) { return double(rad(static_cast<real>(degrees))) / degree; };
    const double central = double(llpparam.longp1) / degree;
    Scan at = s;
    for (Probe& p : at.probes) {
      p.ref_lon = p.ref_lon == p.lon ? held(p.lon) : central;
      p.ref_lat = held(p.ref_lat);
      if (p.on_edge) p.ref_lon = central + 180 - 1e-5;
    }
    std::string proj = s.proj;
    char centre[100];
    if (s.code == 6 || s.code == 8 || s.code == 10 || s.code == 12 || s.code == 18) {
      // The centre: the third row of `ab`.
      const double x = element(a2b.ab, 3, 1), y = element(a2b.ab, 3, 2), z = element(a2b.ab, 3, 3);
      std::snprintf(centre, sizeof centre, " +lat_0=%.15g +lon_0=%.15g", std::atan2(z, std::hypot(x, y)) / degree,
                    std::atan2(y, x) / degree);
      proj += centre;
    } else if (s.code <= 4 || s.code == 13 || s.code == 25) {
      std::snprintf(centre, sizeof centre, " +lon_0=%.15g", central);
      proj += centre;
    }
    const bool folded = s.code <= 4 || s.code == 13 || s.code == 24 || s.code == 25;
    const std::vector<double> want = s.proj.empty() ? std::vector<double>{} : proj_directions(at, proj, central, folded);
    std::array<double, 2> worst{};  // up to 89.5 degrees of latitude, beyond
    std::size_t checked = 0;
    for (std::size_t i = 0; i < s.probes.size(); ++i) {
      const Probe& p = s.probes[i];
      const real lon = rad(static_cast<real>(p.lon)), lat = rad(static_cast<real>(p.lat));
      real x = 0, y = 0;
      project_point(lon, lat, x, y);
      if (at_infinity(x, y)) continue;
      const double got = map_direction(lon, lat, x, y, static_cast<real>(p.azimuth * degree));
      const double expected = s.proj.empty() ? mollweide_direction(at.probes[i], central) : want[i];
      const double gap = axis_gap(got, expected);
      const double tolerance = std::fabs(p.lat) <= 89.5 ? 0.5 : 2.0;
      EXPECT_LT(gap, tolerance) << "at " << p.lon << " " << p.lat << " azimuth " << p.azimuth << ": " << got / degree
                                << " against " << expected / degree;
      double& w = worst[std::fabs(p.lat) <= 89.5 ? 0 : 1];
      w = std::max(w, gap);
      ++checked;
    }
    EXPECT_GT(checked, s.probes.size() / 2);
    std::printf("%-16s code %2d: %4zu directions, worst %.3f degree up to 89.5N/S, %.3f beyond\n", s.label.c_str(),
                s.code, checked, worst[0], worst[1]);
  }
}

}  // namespace
}  // namespace dorvix::testing
