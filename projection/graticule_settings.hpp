#pragma once
// The graticule's settings: its window of longitude and latitude, the
// spacings of its lines, its ticks, labels and grid type, and their
// set-up with its menu (map option 320).

#include "dialogue/setup_mode.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// The graticule's settings, angles in radians. Zero until the start-up
// call of sllgrid3, which stores the defaults; only sllgrid3 writes it, and
// only settings that pass its checks.
struct GridLl {
  real glatmin = 0;   // southern limit of the window (-80 degrees)
  real glatmax = 0;   // northern limit (80)
  real glonmin = 0;   // western limit (-80)
  real glonmax = 0;   // eastern limit (80)
  real glatinc = 0;   // spacing of the parallels (10)
  real gloninc = 0;   // spacing of the meridians (10)
  real gticsize = 0;  // length of a tick, as an angle on the sphere (1)
  int npgrid = 0;     // straight segments per grid line (3)
  int nptick = 0;     // straight segments per tick (2)
  int igridtype = 0;  // 0 none; 1 all meridians and parallels; 2 frame, ticks out; 3 frame, ticks in (1)
  int ndecgrid = 0;   // decimals of the labels (1)
};
inline GridLl gridll;

// Limits of the settings.
inline constexpr int max_grid_intervals = 1000;  // between meridians, or parallels
inline constexpr int max_grid_segments = 1000;   // per grid line, or tick

// The graticule's settings as its set-up takes them, angles in degrees;
// a record starts from the defaults.
struct GridValues {
  real latmin = -80.0f;  // southern limit of the window
  real latmax = 80.0f;   // northern limit
  real lonmin = -80.0f;  // western limit
  real lonmax = 80.0f;   // eastern limit
  real latinc = 10.0f;   // spacing of the parallels
  real loninc = 10.0f;   // spacing of the meridians
  int npgrid = 3;        // straight segments per grid line
  real ticsize = 1.0f;   // length of a tick, as an angle on the sphere
  int nptick = 2;        // straight segments per tick
  int igrid = 1;         // grid type, as `igridtype`
  int ndec = 1;          // decimals of the labels
};

// Sets the graticule under the mode `inter` (dialogue/setup_mode.hpp): the
// settings `v` are filled from the stored ones or the defaults as the mode
// starts; an even mode runs the menu, which is left (99) only with settings
// that pass the checks; `v` receives the settings, and every mode but
// setup::stored stores them in `gridll`.
// The checks: spacings above 0 giving at most 1000 intervals, 1 to 1000
// segments per grid line and per tick, each minimum below its maximum,
// latitudes within -90 and 90, grid type 0 to 3 and 0 to 4 decimals.
// Settings passed without menu that fail them are refused in an error box
// and the stored ones stay.
void sllgrid3(GridValues& v, SetupMode inter);

// True when g holds a window: stored settings always do; before the
// first they are zero.
inline bool has_window(const GridLl& g) { return g.glatmin < g.glatmax && g.glonmin < g.glonmax; }

// Added to the quotient of a span by its spacing before the truncation
// that counts the spacings, so that the rounding of the angles (in
// radians, or in single precision) loses no interval.
inline constexpr real grid_interval_margin = 0.0005f;

// The number of spacings in a span of the window, as the graticule counts
// them: the quotient plus grid_interval_margin, truncated. At most
// max_grid_intervals.
int grid_intervals(real span, real spacing);

}  // namespace dorvix
