#pragma once
// The parameters of the map projections, each with its setter: the central
// and second longitudes, the first and second latitudes, the central angle
// and the centre of the oblique aspects, plus the perspective's two
// constants. Values are given and returned in degrees and stored in
// radians (projection/state.hpp; the oblique centre also as the rotation
// `ab` of projection/oblique.hpp).
//
// The mode `inter` of each setter: dialogue/setup_mode.hpp; the default is
// announced in an initialising box. Every mode stores the value in force at
// the end (so setup::stored stores the same value again).

#include "dialogue/setup_mode.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// `longp1`, default 0: the central meridian.
void slong1(real& val, SetupMode inter);
// `longp2`, default 0: the true-scale meridian of code 14.
void slong2(real& val, SetupMode inter);
// `latp1`, default 30; asked within -90 and 90 degrees.
void slat1(real& val, SetupMode inter);
// `latp2`, default 60; asked within -90 and 90 degrees.
void slat2(real& val, SetupMode inter);
// `anglep1`, default 180: the largest angle from the centre drawn (codes 5
// to 9), or the angle of view (codes 11 and 12).
void sangle1(real& val, SetupMode inter);

// The centre of the oblique aspects, radians, kept between calls (zero
// before the first initialisation).
struct ObliqueCentre {
  real lon = 0;
  real lat = 0;
};
inline ObliqueCentre oblique_centre;

// The oblique centre, default (0, 45); its latitude asked within -90 and
// 90 degrees. Every call builds the rotation of the centre and stores it
// as `ab`.
void soblique(real& lon, real& lat, SetupMode inter);

// The perspective's constants from the angle of view A = anglep1:
// pconst1 = sin(A/2), pconst2 = cos(A/2).
void spers2();

}  // namespace dorvix
