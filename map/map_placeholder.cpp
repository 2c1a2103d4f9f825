#include "map/map_placeholder.hpp"

#include "console/boxes.hpp"
#include "console/frames.hpp"
#include "console/iocom.hpp"
#include "projection/graticule.hpp"
#include "projection/projection_menu.hpp"

namespace dorvix {

namespace {
constexpr Header mapseis4_header{"mapseis4", " 4.0", "01-05-2010"};

// The map's own set-ups that exist so far, initialised with the driver's
// mode: the graticule, then the projection (which also initialises the
// line-file settings).
void initialise(int mode) {
  real latmin = 0, latmax = 0, lonmin = 0, lonmax = 0, latinc = 0, loninc = 0, ticsize = 0;
  int npgrid = 0, nptick = 0, igrid = 0, ndec = 0, iproj = 0;
  sllgrid3(latmin, latmax, lonmin, lonmax, latinc, loninc, npgrid, ticsize, nptick, igrid, ndec, mode);
  sprojll2(iproj, mode);
}
}  // namespace

void mapseis4(std::span<real>, std::span<real>, std::span<const real>, std::span<const real>, std::span<const real>,
              std::span<const FixedText<10>>, std::span<const FixedText<5>>, std::span<const real>,
              std::span<const real>, std::span<const real>, int, int, int, bool, int, int mode) {
  if (mode == 4 || mode == 5) {
    initialise(mode);
    return;
  }
  warninghead(mapseis4_header);
  put(iocom.iuout, " maps not available");
  put(iocom.iuout, " ===> NO ACTION");
  warningtail00();
}

}  // namespace dorvix
