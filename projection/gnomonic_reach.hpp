#pragma once
// How far the graticule of a map whose horizon lies at infinity (the
// gnomonic, codes 17 and 18) reaches from the map's centre, and whether
// the graticule's window lies within that reach at all.

#include <optional>

#include "numbers/real.hpp"
#include "projection/graticule_settings.hpp"
#include "projection/singular_places.hpp"

namespace dorvix {

// How far from its centre the graticule of a map whose horizon lies at
// infinity (the gnomonic) reaches, degrees. Its lines end on the circle at
// this angle, as the orthographic's end on its rim, its ticks are cut
// there and its labels beyond it left out, so that the fit takes the map
// to that circle. The gnomonic stretches the globe radially by 1/cos^2 of
// the angle from the centre: 33 times the centre's scale at 80 degrees,
// without bound towards the horizon, where a window's nodes, however
// close to it, would otherwise set the fit and shrink the rest to a point.
inline constexpr real gnomonic_reach_degrees = 80.0f;
// The graticule reaches at least this far past the window's nearest
// point, so that a window far from the centre is shown (the gnomonic
// shows it up to its horizon), and never past gnomonic_reach_limit_degrees.
inline constexpr real gnomonic_reach_past_window_degrees = 5.0f;
inline constexpr real gnomonic_reach_limit_degrees = 89.0f;
// A window whose nearest point lies within this of the limit, or beyond
// it, lies beyond the gnomonic's reach: no part of it lies within the cap
// that its graticule reaches, or only a sliver that the rounding of the
// angles would decide, and its map has nothing to be fitted to.
inline constexpr real gnomonic_reach_margin_degrees = 0.001f;

// Under a code whose horizon lies at infinity (the gnomonic), the angle,
// degrees, from the map's centre to the nearest point of the graticule's
// window (0 when the window holds the centre); nothing under the other
// codes, or before the first settings.
std::optional<double> window_distance_degrees();

// True when the graticule's window lies beyond the gnomonic's reach: its
// nearest point at least gnomonic_reach_limit_degrees less
// gnomonic_reach_margin_degrees from the centre. A map run refuses such a
// window before it draws anything.
bool window_beyond_reach();

// The cap of the globe the graticule shows when the map's horizon lies at
// infinity: the circle gnomonic_reach_degrees about the map's centre, or
// gnomonic_reach_past_window_degrees past the window's nearest point where
// that is farther, short of gnomonic_reach_limit_degrees; nothing under
// the other codes, whose graticule goes as far as their points have
// images.
std::optional<SingularCircle> reach_circle(const GridLl& g);

// True when the point (lon, lat) lies within the cap, if there is one.
bool within_reach(const std::optional<SingularCircle>& reach, real lon, real lat);

// How far within the circle h the point (lon, lat) lies, in cos c.
double within_circle(real lon, real lat, const SingularCircle& h);

}  // namespace dorvix
