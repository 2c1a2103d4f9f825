#pragma once
// Stand-in for the map driver, until the map subsystem provides it: the
// initialise modes (4, 5) initialise the graticule and the projection with
// that mode and return; any other mode, a menu call,
// reports "not available" in a warning box, draws nothing and writes
// neither the work arrays nor the Si-Sh file.

#include <span>

#include "catalogue/store.hpp"
#include "console/real.hpp"

namespace dorvix {

// xd, yd: projected position of each epicentre (written at each drawing
// run); rlong, rlat (degrees), depth, date and time of each mechanism;
// strike, dip and rake (degrees) of the nodal plane mapped; ndat of the
// ndatmax slots in use; iouk: output file of the data-file table that
// receives the Si-Sh table when lsish is on; ksub: subplot of the map.
void mapseis4(std::span<real> xd, std::span<real> yd, std::span<const real> rlong, std::span<const real> rlat,
              std::span<const real> depth, std::span<const FixedText<10>> date1, std::span<const FixedText<5>> time1,
              std::span<const real> azd1, std::span<const real> dipd1, std::span<const real> rakd1, int ndat,
              int ndatmax, int iouk, bool lsish, int ksub, int mode);

}  // namespace dorvix
