#pragma once
// The two focal-mechanism diagram drivers of the top menu: every stored
// mechanism on a lower-hemisphere stereonet (frame, label, both nodal
// planes as great circles, P, B and T of each plane), twenty nets to a
// page or all on one page. Each keeps its own plot file name and symbols
// and runs its own menu; nothing is drawn before its choice 1000.
//
// The mode `inter`
// (dialogue/setup_mode.hpp) from the defaults sets the driver's defaults and
// returns; any other mode runs its menu.

#include <span>

#include "catalogue/store.hpp"
#include "dialogue/setup_mode.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// The mechanisms a driver draws: six arrays (strike, dip and rake of nodal
// planes 1 and 2) and a label per mechanism, all of the declared size
// ndatdim (the store's ndatmax); entries 1 to ndata are drawn.
struct DiagramMechanisms {
  std::span<const real> azd1{}, dipd1{}, rakd1{}, azd2{}, dipd2{}, rakd2{};
  std::span<const FixedText<16>> label0{};
  int ndatdim = 0;
  int ndata = 0;
};

// All mechanisms on one page from the lower-left net of subplot isub, five
// nets a column, columns to the right; angles in degrees. Its start-up also
// sets up the stereonet projection and frame, and the subplot's map.
void fpsseis3(const DiagramMechanisms& m, int isub, SetupMode inter);

// Twenty nets a page in four columns of five, each page with a run
// caption and two caption lines, into subplot isub; iangunit 1: the angles
// are in degrees, other values radians. The frame is reset to its defaults
// at every entry to the menu.
void fpsbchbll(const DiagramMechanisms& m, int isub, int iangunit, SetupMode inter);

}  // namespace dorvix
