#pragma once
// Principal axes drawn on the current stereonet, as point symbols or as
// short radial lines or arrows, and the pair of codes that says how.

#include <span>

#include "dialogue/setup_mode.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// Codes of the axis symbols, in [-99, 101]: -99..99 a symbol type of the
// plot library (negative filled), 100 a radial line, 101 a radial arrow.
inline constexpr int axis_line = 100;
inline constexpr int axis_arrow = 101;
inline constexpr int min_axis_code = -99;
inline constexpr int max_axis_code = 101;

// A plunge within this of 0 (radians) is horizontal: a horizontal axis as
// computed in single precision may plunge a few 1.0E-8 either way (cos 90
// degrees is -4.4E-8), and its end on the net stays the one its azimuth
// gives.
inline constexpr real horizontal_plunge = 1.0e-4f;

// The codes in use: isymstd for axes of the lower hemisphere (plunge 0 or
// more, or horizontal within horizontal_plunge), isymalt (a symbol type)
// for axes of negative plunge, drawn at their opposite end. Zero until
// first stored.
struct DspAxBk {
  int isymstd = 0;
  int isymalt = 0;
};
inline DspAxBk dspaxbk;

// Draws n axes (radians) in the current subplot with the stored codes. A
// symbol is drawn at the projected axis with the current symbol size (the
// symbol type of the plot attributes is set back afterwards); a line or
// arrow runs 0.2 user units along the radius, outwards for a lower-
// hemisphere axis and inwards for a turned one. Other codes draw nothing.
void dspaxfapn2(std::span<const real> az, std::span<const real> pl, int n);

// The pair of codes and its menu, under the mode `inter`
// (dialogue/setup_mode.hpp): the defaults are (1, -1), announced.
// setup::menu_from_passed and setup::answer_only reset a code outside
// [-99, 101] with a warning; setup::passed and the codes that name no
// start take the pair unchecked. Every mode but setup::answer_only stores
// the pair; that one only hands the edited pair back.
void sdspaxsymb(int& istd, int& ialt, SetupMode inter);

}  // namespace dorvix
