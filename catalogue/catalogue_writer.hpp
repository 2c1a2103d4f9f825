#pragma once
// The catalogue writer: writes the mechanism store into an output file of
// the data-file table, in the line layout it was read from (FPFIT or HASH)
// or as a tab-separated table of the same fields under a line of quoted
// column titles; also lists the store on the console.
//
// A layout is written only when it matches the data type of the store, and
// this is checked before any file is opened: a refused write touches no
// file. A value too wide for its field is written as asterisks, and the
// number of such lines, which do not read back, is reported.

#include "dialogue/setup_mode.hpp"

namespace dorvix {

// iunit: index of the output file in the data-file table (1 or 2), opened,
// written and closed here. inter is not read: the menu always runs, until
// its exit, which closes the output file when it is open.
void fpswrite1(int iunit, SetupMode inter);

}  // namespace dorvix
