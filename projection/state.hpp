#pragma once
// The state of the map projection: the current code, the origin with its
// projected offsets, and the parameters. All angles in radians. Every
// record is zero until the projection menu first initialises it.

#include "numbers/real.hpp"

namespace dorvix {

// The current map projection code, 1 to 25 (see projection/codes.hpp).
struct ProjType {
  int iproj = 0;
};
inline ProjType projtype;

// The projection origin. Every projection subtracts the projected origin
// from its results, so that the origin maps to (0, 0); the offsets belong
// to the code that was current when the origin was last set.
struct LlOrig {
  real xorigll = 0;    // projected x of the origin, plane units
  real yorigll = 0;    // projected y of the origin
  real lonorigll = 0;  // origin longitude
  real latorigll = 0;  // origin latitude
};
inline LlOrig llorig;

// The projection parameters. The three derived constants belong to the
// code whose set-up routine ran last (slcc2, slcce2, salbesph2, sbonnesph2
// or the perspective set-up) and are valid only while that code is current.
struct LlpParam {
  real longp1 = 0;   // central meridian (codes 1 to 4, 13, 14, 24, 25)
  real longp2 = 0;   // second longitude: the true-scale meridian of code 14
  real latp1 = 0;    // first standard / limiting parallel (3, 4, 14, 19, 20)
  real latp2 = 0;    // second standard / limiting parallel (3, 4, 14)
  real pconst1 = 0;  // first derived constant
  real pconst2 = 0;  // second derived constant
  real pconst3 = 0;  // third derived constant (Albers only)
  real anglep1 = 0;  // largest angle from the centre (5 to 9), angle of view (11, 12)
};
inline LlpParam llpparam;

}  // namespace dorvix
