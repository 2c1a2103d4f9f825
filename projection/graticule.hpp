#pragma once
// The latitude-longitude graticule of the map: meridians and parallels over
// a window of longitude and latitude (or only the window's frame), with
// ticks and labels along its four edges, drawn through the current
// projection with the map's pen (projection/map_pen.hpp).

#include <optional>

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

// Draws the graticule of `gridll` into the current subplot with the current
// line and text attributes, and reports it on the console: the number of
// meridians and parallels, and, for a family whose lines are spread over
// the window at another spacing than the one asked (a window that is not a
// whole number of spacings), the spacing drawn. The text justification is
// left as the last edge set it. On a map that joins the window's western
// and eastern edges (a window of a whole turn on an azimuthal map), the
// ticks and labels of that one meridian are drawn once, as the eastern
// edge's. Nothing is drawn for a window beyond the gnomonic's reach
// (window_beyond_reach). A line breaks where its
// samples have no image; between two samples where it breaks it still
// goes through the nodes where the lines of the other family cross it,
// and, on a map with a horizon (the orthographic's far side, the part of
// the globe the perspective hides), to the horizon. On such a map it is
// also drawn to the horizon, and broken, where it passes the horizon twice
// between two samples: into the part shown between two hidden samples, or
// behind it between two shown.
void drawllgrid();

// The extent, in map coordinates, of every point drawllgrid hands on for
// its meridians and parallels (for grid type 0, those of the window's
// frame); four zeros when there is none (a window beyond the gnomonic's
// reach).
void extrllgrid(real& xmin, real& ymin, real& xmax, real& ymax);

// How far from its centre the graticule of a map whose horizon lies at
// infinity (the gnomonic) reaches, degrees. Its lines end on the circle at
// this angle, as the orthographic's end on its rim, its ticks are cut
// there and its labels beyond it left out, so that the fit takes the map
// to that circle. The gnomonic stretches the globe radially by 1/cos^2 of
// the angle from the centre: 33 times the centre's scale at 80 degrees,
// without bound towards the horizon, where a window's nodes, however
// close to it, would otherwise set the fit and shrink the rest to a point.
inline constexpr real gnomonic_reach_degrees = 80.0f;
// The graticule reaches at least this far past the window's nearest
// point, so that a window far from the centre is shown (the gnomonic
// shows it up to its horizon), and never past gnomonic_reach_limit_degrees.
inline constexpr real gnomonic_reach_past_window_degrees = 5.0f;
inline constexpr real gnomonic_reach_limit_degrees = 89.0f;
// A window whose nearest point lies within this of the limit, or beyond
// it, lies beyond the gnomonic's reach: no part of it lies within the cap
// that its graticule reaches, or only a sliver that the rounding of the
// angles would decide, and its map has nothing to be fitted to.
inline constexpr real gnomonic_reach_margin_degrees = 0.001f;

// Under a code whose horizon lies at infinity (the gnomonic), the angle,
// degrees, from the map's centre to the nearest point of the graticule's
// window (0 when the window holds the centre); nothing under the other
// codes, or before the first settings.
std::optional<double> window_distance_degrees();

// True when the graticule's window lies beyond the gnomonic's reach: its
// nearest point at least gnomonic_reach_limit_degrees less
// gnomonic_reach_margin_degrees from the centre. A map run refuses such a
// window before it draws anything.
bool window_beyond_reach();

// Added to the quotient of a span by its spacing before the truncation
// that counts the spacings, so that the rounding of the angles (in
// radians, or in single precision) loses no interval.
inline constexpr real grid_interval_margin = 0.0005f;

// The number of spacings in a span of the window, as the graticule counts
// them: the quotient plus grid_interval_margin, truncated. At most
// max_grid_intervals.
int grid_intervals(real span, real spacing);

}  // namespace dorvix
