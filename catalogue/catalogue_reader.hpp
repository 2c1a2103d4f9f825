#pragma once
// The catalogue reader: fills the mechanism store from an FPFIT or HASH
// catalogue file, applying the extraction tests to every record while it
// is read.
//
// Each line is read straight into the next free slot of the store, its
// FPFIT position and dip direction turned into signed decimal degrees and
// the strike, tested against the location criteria (latitude, longitude,
// depth, polygon), given its second nodal plane, tested against the rake
// intervals and, when it passes, kept by moving on to the next slot; a
// rejected line is overwritten by the next one. Lines of blanks only (a
// trailing empty line, for instance) are no records and are passed over.
// A line that cannot be read stops the read and empties the store.

#include "dialogue/setup_mode.hpp"

namespace dorvix {

// iunit: index of the input file in the data-file table (1).
// inter (dialogue/setup_mode.hpp) from the defaults: empties the store,
// resets the echo switches and sets the default extraction criteria. Any
// other mode: the reader's menu, until its exit or one complete read.
void fpsreadex1(int iunit, SetupMode inter);

}  // namespace dorvix
