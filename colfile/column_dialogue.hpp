#pragma once
// Which file column feeds which variable, and which column of the caller's
// array receives it. Shown side by side as VARIABLE <--> ARRAY COLUMN <-->
// FILE COLUMN, with the names read from the file's name line.

#include <string_view>

#include "colfile/column_array.hpp"
#include "dialogue/setup_mode.hpp"

namespace dorvix {

// The caller's variables in `data`, changed in place: jcola, jfcola,
// namvara and nvar; namrcol receives a name for each array column, and
// its size is the number of array columns; ncolused the highest used. The
// array itself and nread are not touched.
// imodlev: what the user may change: 1 the file column of a variable,
// 2 also its array column, 3 also its name, 4 also the number of variables;
// other values nothing.
// mode (inter, dialogue/setup_mode.hpp): the values passed are the caller's
// and the stored ones the set-up record's; the defaults read file column v
// as variable v into array column v; even modes show the menu until its
// 99; a code outside the common six is reported in an error box, where the
// user stops or goes on from the caller's values. Columns out of range are
// corrected.
// The result goes into the set-up record, with the numbers read per record.
// ierr: 1 when the title or the names of the open file could not be read.
void scol2var2(int& ierr, ColumnArray& data, std::string_view fname, int iunit, int imodlev, SetupMode mode);

}  // namespace dorvix
