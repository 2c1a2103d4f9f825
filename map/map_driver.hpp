#pragma once
// The map driver: the one routine through which the user gets a map of the
// stored mechanisms. It keeps the map's own settings (plot file name,
// drawing switches, plunge threshold, epicentre symbol), runs the map menu
// and, on RUN, draws one map of one nodal plane (map/map_run.hpp). The
// settings serve both nodal planes and last for the whole run, as do the
// graticule, projection, point and stress-symbol settings of their own
// set-ups.

#include <cstddef>

#include "dialogue/setup_mode.hpp"
#include "map/map_data.hpp"

namespace dorvix {

// Length of the map's plot file name.
inline constexpr std::size_t map_plot_name_width = 50;

// d: the mechanisms and where the map goes (map/map_data.hpp).
// mode (dialogue/setup_mode.hpp) from the defaults: the map's settings and
// the frame of subplot d.ksub (origin 10, 8 cm, 2.5 cm a unit) are set to
// their defaults, and the graticule, projection, point-menu and
// stress-symbol set-ups initialised with that mode; nothing is drawn. Any
// other mode runs the map menu until 99.
void mapseis4(const MapData& d, SetupMode mode);

}  // namespace dorvix
