#pragma once
// One map of the stored mechanisms (the map menu's RUN): caption, fit of
// the graticule window to the page, graticule, points, epicentres, stress
// directions with their listing and Si-Sh rows, line files.

#include <span>

#include "catalogue/store.hpp"
#include "console/iocom.hpp"
#include "console/real.hpp"
#include "console/setup_mode.hpp"

namespace dorvix {

// The map driver's header record, in its menus, boxes and captions.
inline constexpr Header mapseis_header{"mapseis", " 7.0", "01-06-2010"};

// The mechanisms mapped and where the map goes.
struct MapData {
  std::span<real> xd, yd;  // receive the projected epicentres
  std::span<const real> rlong, rlat, depth;
  std::span<const FixedText<10>> date1;
  std::span<const FixedText<5>> time1;
  std::span<const real> azd1, dipd1, rakd1;  // the nodal plane mapped, degrees
  int ndat = 0;
  int iouk = 2;        // output file of the data-file table for the Si-Sh rows
  bool lsish = false;  // write the Si-Sh rows
  int ksub = 1;        // subplot of the map
};

// The graticule's settings as its set-up takes them (angles in degrees):
// handed to sllgrid3 with a mode, they come back filled (the stored modes)
// or are stored (all but setup::stored).
struct GraticuleSettings {
  real latmin = 0, latmax = 0, lonmin = 0, lonmax = 0, latinc = 0, loninc = 0, ticsize = 0;
  int npgrid = 0, nptick = 0, igrid = 0, ndec = 0;
  void set_up(SetupMode mode);
};

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

// Draws the map into subplot d.ksub of the open plot file, announcing each
// step on the console. Epicentres without an image on the page (at
// infinity, hidden, or beyond the page's range) get no symbol; they are
// counted in one warning box and keep their listing and Si-Sh row.
void map_run(const MapData& d, const MapSwitches& s);

}  // namespace dorvix
