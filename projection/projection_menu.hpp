#pragma once
// The map-projection menu, which chooses the current code and sets up
// everything the code needs, and the entry that initialises the whole
// projection state.

#include "dialogue/setup_mode.hpp"

namespace dorvix {

// Chooses and sets up the map projection; `iproj` returns the code in
// force, under the mode `inter` (dialogue/setup_mode.hpp). The defaults
// initialise code 15, every parameter, the ellipsoid, the oblique centre,
// the origin and the line-file settings, each with its initialising box
// (setup::menu_from_defaults with every setter's menu); a code passed
// outside 1 to 25 is reported and becomes 15. An even mode shows the
// menu, whose 99 applies the code chosen. Applying a code: its title box,
// the ellipsoid menu for the ellipsoidal codes, the code's setters (each
// with its menu in an even mode), their values checked (a value that gives
// no map is refused: an error box and the setter's menu again, or a
// warning box without menus), the code's constants, and last the origin,
// so that its offsets belong to the code.
void sprojll2(int& iproj, SetupMode inter);

// The picture of a globe projected onto a plane, 14 lines.
void screenproj();

}  // namespace dorvix
