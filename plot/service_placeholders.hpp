#pragma once
// Stand-ins for plotting services that the main program calls at start-up
// and after opening a plot file, until the plotting library provides them:
// each sets and announces its default in the silent initialise mode (5)
// and reports "not available" in a warning box, doing nothing, for any
// other mode.

#include "console/real.hpp"
#include "plot/draw.hpp"  // the symbol size, ssymbolsize

namespace dorvix {

// The colour table: mode 5 announces the default table; the entries
// themselves are left to the plotting library's colour routines.
void scolortable(int inter);
// The current polygon fill style (0 hollow, 1 filled): modes 4 and 5 set
// the default, filled, and write it back; mode 5 announces it.
void sfillstyle(int& istyle, int inter);

}  // namespace dorvix
