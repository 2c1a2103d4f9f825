#pragma once
// Shared set-up of the projection tests: the angle constants, a clean
// projection state, points given in degrees, and PROJ's `proj` command as
// the independent reference.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dialogue/setup_mode.hpp"
#include "numbers/real.hpp"
#include "support/console_fixture.hpp"

namespace dorvix::testing {

// Every projection record cleared, then the angle constants computed; the
// console is in memory, so nothing reaches the terminal.
class ProjectionTest : public ConsoleTest {
 protected:
  void SetUp() override;
};

void reset_projection_state();

// The graticule's settings (sllgrid3) in `mode`, from nothing passed: the
// modes that start from the stored or the default settings.
void set_grid(SetupMode mode);

// The projection and the graticule as the map driver's start-up leaves
// them (code 15, every default).
void initialise_projection();

// The parameters the program starts with: central and second longitude 0,
// latitudes 30 and 60 degrees, central angle 180 degrees, oblique centre
// (0, 45 degrees), GRS80.
void set_start_up_parameters();

// Longitudes and latitudes in radians (single precision, as the program
// holds them) from degrees, with their projections.
struct Points {
  std::vector<real> lon, lat, x, y;
  void add(double lon_degrees, double lat_degrees);
  int size() const { return static_cast<int>(lon.size()); }
  // Projects every point under `code` with the current state.
  void project(int code);
};

// (x, y) of one point, degrees in, under `code` with the current state.
std::pair<real, real> project_one(int code, double lon_degrees, double lat_degrees);

// One point projected by PROJ, or nothing where PROJ has no value.
using ProjPoint = std::optional<std::pair<double, double>>;

// Runs `proj` with `parameters` on the points (the exact single-precision
// radians of `points`, given to PROJ in degrees), one process for all.
std::vector<ProjPoint> proj_forward(const std::string& parameters, const Points& points);

}  // namespace dorvix::testing
