#pragma once
// The origin of the map: the point every projection maps to (0, 0), and
// its menu.

#include "dialogue/setup_mode.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// The origin of the map, degrees, which every projection maps to (0, 0),
// under the mode `inter` (dialogue/setup_mode.hpp): the default (0, 45)
// with an initialising box; an even mode shows the origin menu, with the
// offsets under the current code as they follow each change. The origin
// is projected under the current code and its image stored as the offsets
// `xorigll`, `yorigll`, with the origin itself, in `llorig`. An origin without a finite image (hidden, or at infinity)
// cannot be the origin: the menu is not left with it (an error box, and
// the menu again); a call without menu keeps offsets 0 and says so in a
// warning box.
void sllorig(real& lon, real& lat, SetupMode inter);

}  // namespace dorvix
