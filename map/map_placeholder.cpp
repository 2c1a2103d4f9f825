#include "map/map_placeholder.hpp"

#include "console/boxes.hpp"
#include "console/frames.hpp"
#include "console/iocom.hpp"

namespace dorvix {

namespace {
constexpr Header mapseis4_header{"mapseis4", " 4.0", "01-05-2010"};
}  // namespace

void mapseis4(std::span<real>, std::span<real>, std::span<const real>, std::span<const real>, std::span<const real>,
              std::span<const FixedText<10>>, std::span<const FixedText<5>>, std::span<const real>,
              std::span<const real>, std::span<const real>, int, int, int, bool, int, int mode) {
  if (mode == 4 || mode == 5) return;
  warninghead(mapseis4_header);
  put(iocom.iuout, " maps not available");
  put(iocom.iuout, " ===> NO ACTION");
  warningtail00();
}

}  // namespace dorvix
