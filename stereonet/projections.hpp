#pragma once
// Stereonet projections: directions (azimuth, plunge) onto the plane of a
// net of radius 1 user unit, by the Wulff (equal-angle, stereographic) or
// the Schmidt (equal-area, Lambert azimuthal) projection, each with two
// orientations of the axes. Every position drawn on a net comes from
// spron.
//
// Directions are single-precision radians: azimuth from north towards
// east, plunge positive downwards. The angular distance from the net
// centre (the downward vertical) is t = pi/2 - plunge: 0 at the centre,
// pi/2 on the primitive circle, beyond it for upward directions.

#include <span>

#include "dialogue/setup_mode.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// Projection types.
inline constexpr int wulff_direct = 1;       // azimuth 0 along +x, 90 degrees along +y
inline constexpr int wulff_retrograde = 2;   // azimuth 0 along +y (north up, east right)
inline constexpr int schmidt_direct = 3;
inline constexpr int schmidt_retrograde = 4;  // the default

// The projection type, 0 until the first set-up.
struct SProjType {
  int iproj = 0;
};
// Clipping distance from the centre (radians) and radius factor of the
// Schmidt projection.
struct SchmidtParams {
  real tmaxs = 0;
  real rfacs = 0;
};
// Clipping distance of the Wulff projection; its second word is not used.
struct WulfParams {
  real tmaxw = 0;
  real unused = 0;
};

inline SProjType sprojtype;
inline SchmidtParams schmidtparams;
inline WulfParams wulfparams;

// Projects n directions with the current type into (x, y). The outputs may
// be the very arrays of the inputs: each direction is read before its
// point is written. An unknown type is reported, the projection menu asks
// for one, and the projection goes on with it.
void spron(std::span<real> x, std::span<real> y, std::span<const real> az, std::span<const real> pl, int n);
// The formulas, direct orientation: x = r cos az, y = r sin az, with
// r = tan(t/2) (Wulff) or sqrt(2) sin(t/2) (Schmidt), t clipped to the
// projection's clipping distance. Same aliasing rule as spron.
void wulfn(std::span<real> x, std::span<real> y, std::span<const real> az, std::span<const real> pl, int n);
void schmidtn(std::span<real> x, std::span<real> y, std::span<const real> az, std::span<const real> pl, int n);

// The projection type and its menu, under the mode `inter`
// (dialogue/setup_mode.hpp), setup::net_defaults starting from the default
// as the defaults do (announced). The type is stored and the parameters of
// its projection reset to their defaults; a type that is not 1 to 4 is
// reported and the menu asked until one is chosen.
void sspro(int& iproj, SetupMode inter);
// The parameters of each projection: the defaults and setup::net_defaults
// set amax (degrees, the clipping distance) to 180 with an announcement,
// even modes show what the projection is; then the parameters are stored.
void sschmidt(real& amax, SetupMode inter);
void swulf(real& amax, SetupMode inter);

}  // namespace dorvix
