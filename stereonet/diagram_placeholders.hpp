#pragma once
// Stand-ins for the focal-mechanism diagram drivers and the stereonet
// projection set-up, until the stereonet subsystem provides them: the
// initialise modes (4, 5) set what there is to set and return; any other
// mode, a menu call, reports "not available" in a warning box and draws
// nothing.

#include <span>

#include "catalogue/store.hpp"
#include "console/real.hpp"

namespace dorvix {

// All `ndata` mechanisms on one page: strike, dip and rake in degrees of
// nodal planes 1 and 2, a label each; subplot `isub`.
void fpsseis3(std::span<const real> azd1, std::span<const real> dipd1, std::span<const real> rakd1,
              std::span<const real> azd2, std::span<const real> dipd2, std::span<const real> rakd2,
              std::span<const FixedText<16>> label0, int ndatmax, int ndata, int isub, int inter);

// The same, twenty nets to a page; iangunit 1: the angles are in degrees.
void fpsbchbll(std::span<const real> azd1, std::span<const real> dipd1, std::span<const real> rakd1,
               std::span<const real> azd2, std::span<const real> dipd2, std::span<const real> rakd2,
               std::span<const FixedText<16>> label0, int ndatmax, int ndata, int isub, int iangunit, int inter);

// The stereonet projection type (1 to 4): the initialise modes (4 to 7)
// set type 4, Schmidt, and announce it.
void sspro(int& iproj, int inter);

}  // namespace dorvix
