#pragma once
// The menu of the extraction criteria (catalogue/extraction_tests.hpp),
// which edits the tests and their bounds and reads the selection polygon
// from a file, and the turn of longitude a selection places its
// epicentres in.

#include <optional>

#include "dialogue/setup_mode.hpp"
#include "geometry/longitude_turn.hpp"

namespace dorvix {

// Set-up of the criteria under the mode `inter` (dialogue/setup_mode.hpp):
// the defaults are announced. An even mode then shows the menu until the
// user leaves it; an odd one returns at once. Leaving with the polygon
// test on prepares the polygon, checks it and says what it found of its
// shape.
void setseistest6(SetupMode inter);

// The turn of longitude a selection across 180 degrees places its
// epicentres in, while the tests are on: while the longitude test is on,
// that of its bounds when they reach past 180 or -180 and none when they
// lie within -180..180, whatever the polygon; else that of the polygon
// when its test is on and its corners reach past 180 or -180
// (selection_polygon.hpp). None when the selection lies within -180..180.
// The read report gives the longitudes in it.
std::optional<LongitudeTurn> selection_turn();

}  // namespace dorvix
