#include "support/projection_fixture.hpp"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "geometry/angles.hpp"
#include "projection/codes.hpp"
#include "projection/ellipsoid.hpp"
#include "projection/graticule.hpp"
#include "projection/line_file_settings.hpp"
#include "projection/oblique.hpp"
#include "projection/parameter_setters.hpp"
#include "projection/polyconic.hpp"
#include "projection/projection_menu.hpp"
#include "projection/state.hpp"
#include "support/tools.hpp"

namespace dorvix::testing {

void ProjectionTest::SetUp() {
  ConsoleTest::SetUp();
  reset_projection_state();
}

void reset_projection_state() {
  projtype = {};
  llorig = {};
  llpparam = {};
  a2b = {};
  ellipsoid = {};
  ellipsoid_number = 0;
  forimwpoly = {};
  oblique_centre = {};
  gridll = {};
  contours_settings = {};
}

void set_grid(SetupMode mode) {
  GridValues v;
  sllgrid3(v, mode);
}

void initialise_projection() {
  set_grid(setup::initialise);
  int iproj = 0;
  sprojll2(iproj, setup::initialise);
}

void set_start_up_parameters() {
  llpparam.longp1 = 0.0f;
  llpparam.longp2 = 0.0f;
  llpparam.latp1 = rad(30.0f);
  llpparam.latp2 = rad(60.0f);
  llpparam.anglep1 = rad(180.0f);
  a2b.ab = oblique_matrix(0.0f, rad(45.0f));
  int iell = 1;
  sellipsoid(iell, setup::passed);
}

void Points::add(double lon_degrees, double lat_degrees) {
  lon.push_back(rad(static_cast<real>(lon_degrees)));
  lat.push_back(rad(static_cast<real>(lat_degrees)));
}

void Points::project(int code) {
  x.assign(lon.size(), 0.0f);
  y.assign(lon.size(), 0.0f);
  find_projection_code(code)->forward(x, y, lon, lat, size());
}

std::pair<real, real> project_one(int code, double lon_degrees, double lat_degrees) {
  Points p;
  p.add(lon_degrees, lat_degrees);
  p.project(code);
  return {p.x[0], p.y[0]};
}

std::vector<ProjPoint> proj_forward(const std::string& parameters, const Points& points) {
  constexpr double to_degrees = 180.0 / 3.14159265358979323846;
  std::string input;
  char buffer[80];
  for (int i = 0; i < points.size(); ++i) {
    // rad(90) in single precision lies a little beyond the pole, where
    // PROJ refuses the point: latitudes are held to +-90 degrees.
    const double lat = std::fmax(-90.0, std::fmin(90.0, points.lat[static_cast<std::size_t>(i)] * to_degrees));
    std::snprintf(buffer, sizeof buffer, "%.17g %.17g\n", points.lon[static_cast<std::size_t>(i)] * to_degrees, lat);
    input += buffer;
  }
  const CommandResult r = run_command("proj -f %.12f " + parameters + " 2>/dev/null", input);
  std::vector<ProjPoint> out;
  std::istringstream lines(r.output);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string xs, ys;
    fields >> xs >> ys;
    if (xs == "*" || ys == "*" || xs.empty()) {
      out.emplace_back();
      continue;
    }
    const double x = std::stod(xs), y = std::stod(ys);
    if (std::isfinite(x) && std::isfinite(y) && std::fabs(x) < 1e15 && std::fabs(y) < 1e15) {
      out.emplace_back(std::pair{x, y});
    } else {
      out.emplace_back();
    }
  }
  return out;
}

}  // namespace dorvix::testing
