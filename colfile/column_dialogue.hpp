#pragma once
// Which file column feeds which variable, and which column of the caller's
// array receives it. Shown side by side as VARIABLE <--> ARRAY COLUMN <-->
// FILE COLUMN, with the names read from the file's name line.

#include <span>
#include <string>
#include <string_view>

#include "console/setup_mode.hpp"

namespace dorvix {

// The caller's variables, changed in place: jcola (array column of each),
// jfcola (file column of each), namvara (names, of the caller's length)
// and nvar. Their common size is the caller's bound of variables.
// namrcol receives a name for each array column (the caller's length) and
// its size is the number of array columns; ncolused the highest used.
// imodlev: what the user may change: 1 the file column of a variable,
// 2 also its array column, 3 also its name, 4 also the number of variables;
// other values nothing.
// mode (inter, console/setup_mode.hpp): the values passed are the caller's
// and the stored ones the set-up record's; the defaults read file column v
// as variable v into array column v; even modes show the menu until its
// 99; a code outside the common six is reported in an error box, where the
// user stops or goes on from the caller's values. Columns out of range are
// corrected.
// The result goes into the set-up record, with the numbers read per record.
// ierr: 1 when the title or the names of the open file could not be read.
void scol2var2(int& ierr, std::span<int> jcola, std::span<int> jfcola, std::span<std::string> namvara, int& nvar,
               std::span<std::string> namrcol, int& ncolused, std::string_view fname, int iunit, int imodlev,
               SetupMode mode);

}  // namespace dorvix
