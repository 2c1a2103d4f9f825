#pragma once
// One map of the stored mechanisms (the map menu's RUN): caption, fit of
// the graticule window to the page, graticule, points, epicentres, stress
// directions with their listing and Si-Sh rows, line files.

#include "dialogue/routine_header.hpp"
#include "map/map_data.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// The map driver's header record, in its menus, boxes and captions.
inline constexpr Header mapseis_header{"mapseis", " 7.0", "01-06-2010"};

// What a run draws.
struct MapSwitches {
  bool lscalegrid = true;  // fit the graticule window to the 17 x 26 cm box
  bool lcontours = true;   // the line-file menu, last
  bool lepicenter = true;  // a symbol at each epicentre
  bool lshdir = true;      // stress directions (and Si-Sh rows)
  bool lsymbll = true;     // the point menu
  int iepisymb = -4;       // symbol type of the epicentres
  real threshold = 0.0f;   // plunge threshold of the vertical axis, radians
};

// True when no map can be drawn of the graticule's window: it lies beyond
// the gnomonic's reach (projection/gnomonic_reach.hpp), or, with the fit
// to the page on, the fit finds no width or height in it under the
// projection in use (projection/graticule.hpp, grid_extent). An error box
// says so, stopping a command file, and the run is to draw nothing, not
// even start a page. With the fit off, a window is drawn at the subplot's
// scale wherever the projection puts it, however flat.
bool map_window_refused(const MapSwitches& s);

// Draws the map into subplot d.ksub of the open plot file, announcing each
// step on the console. Epicentres and their stress symbols are drawn in
// the turn of longitude around the middle of the graticule's window, as
// the line files are (map/line_file_window.hpp); the Si-Sh rows keep each
// longitude as read. Epicentres without an image on the page (at
// infinity, hidden, or beyond the page's range) get no symbol; they are
// counted in one warning box and keep their listing and Si-Sh row. When
// the graticule's ticks or labels reach beyond the sheet while its lines
// lie on it, a line after its report names the setting that shortens them.
void map_run(const MapData& d, const MapSwitches& s);

}  // namespace dorvix
