#include "projection/dispatcher.hpp"

#include "dialogue/boxes.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "projection/codes.hpp"
#include "projection/projection_menu.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

constexpr Header projlln_header{"projlln", " 3.5", "01-10-2009"};

}  // namespace

void projlln(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n) {
  for (;;) {
    if (const ProjectionCode* c = find_projection_code(projtype.iproj)) {
      c->forward(x, y, lon, lat, n);
      return;
    }
    errorhead(projlln_header);
    ItemLine().text("iproj = ").integer(projtype.iproj, 4).write();
    say("NO SUCH PROJECTION AVALAIBLE");
    say("==> RESET PROJECTION");
    errortail00();
    int iproj = 0;
    sprojll2(iproj, setup::menu_from_defaults);
  }
}

}  // namespace dorvix
