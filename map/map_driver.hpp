#pragma once
// The map driver: the one routine through which the user gets a map of the
// stored mechanisms. It keeps the map's own settings (plot file name,
// drawing switches, plunge threshold, epicentre symbol), runs the map menu
// and, on RUN, draws one map of one nodal plane (map/map_run.hpp). The
// settings serve both nodal planes and last for the whole run, as do the
// graticule, projection, point and stress-symbol settings of their own
// set-ups.

#include <span>

#include "catalogue/store.hpp"
#include "console/real.hpp"
#include "console/setup_mode.hpp"

namespace dorvix {

// Length of the map's plot file name.
inline constexpr std::size_t map_plot_name_width = 50;

// xd, yd: receive the projected position of each epicentre at each run;
// rlong, rlat (degrees), depth, date and time of each mechanism; strike,
// dip and rake (degrees) of the nodal plane mapped; ndat of the ndatdim
// slots in use (the arrays' declared size, the store's ndatmax); iouk: output file of the data-file table that receives
// the Si-Sh rows when lsish is on (the caller has opened it); ksub:
// subplot of the map.
// mode (console/setup_mode.hpp) from the defaults: the map's settings and
// its subplot's frame (origin 10, 8 cm, 2.5 cm a unit) are set to their
// defaults, and the graticule, projection, point-menu and stress-symbol
// set-ups initialised with that mode; nothing is drawn. Any other mode runs
// the map menu until 99.
void mapseis4(std::span<real> xd, std::span<real> yd, std::span<const real> rlong, std::span<const real> rlat,
              std::span<const real> depth, std::span<const FixedText<10>> date1, std::span<const FixedText<5>> time1,
              std::span<const real> azd1, std::span<const real> dipd1, std::span<const real> rakd1, int ndat,
              int ndatdim, int iouk, bool lsish, int ksub, SetupMode mode);

}  // namespace dorvix
