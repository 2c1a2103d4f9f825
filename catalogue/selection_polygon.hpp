#pragma once
// The selection polygon of the extraction criteria (extraction_criteria.hpp):
// its preparation into one normal per edge and the test of one epicentre.
//
// Edge k runs from vertex k to vertex k + 1, the last one back to vertex 1.
// Its normal points to the left of the edge, seen on a map with east to
// the right and north up, or from outside the sphere:
//  - great-circle sides: the cross product of the two vertices' unit
//    vectors (Earth-centred frame of vectors.hpp), the pole of the edge's
//    great circle, not normalised;
//  - straight sides in longitude and latitude (degrees, longitude the first
//    coordinate): the edge vector turned a quarter turn counter-clockwise,
//    (lat(k) - lat(k+1), lon(k+1) - lon(k), 0).
// An epicentre passes when it lies on the left of, or on, every edge: for a
// convex polygon listed counter-clockwise, its inside with its boundary.
//
// Corners listed clockwise would keep nothing (lat-long) or the region
// round the polygon's antipode (great circles): the preparation finds the
// way the corners run, and the normals of a clockwise polygon are turned
// round, so that it is taken counter-clockwise. A great-circle polygon is
// seen from outside the sphere above its corners' mean direction. The rule
// stays "left of every edge": of a non-convex polygon only the part on the
// inner side of every edge's line or great circle is kept, and the
// preparation names the corners where it turns the other way.
//
// The sides of a lat-long polygon are straight in longitude and latitude,
// and none spans more than half a turn: each corner is placed in the turn
// of longitude nearest the corner before it (the first as given), so that
// corners written 150 then -160 are 150 then 200. Each epicentre is tested
// in the turn around the middle of the placed corners (longitude_turn.hpp),
// as a map of that window draws it: a polygon given eastwards past 180
// degrees (165..190) keeps an epicentre read at -175, tested at 185, and
// one within -180..180 keeps the epicentres within it as read.

#include <optional>
#include <string_view>

#include "catalogue/extraction_tests.hpp"
#include "dialogue/setup_mode.hpp"
#include "geometry/longitude_turn.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// Status codes of the preparation: every edge has a normal, or the last
// degenerate edge found was a great-circle or a straight one.
inline constexpr int polygon_ok = 0;
inline constexpr int polygon_degenerate_great_circle = 10;
inline constexpr int polygon_degenerate_straight = 20;

// A corner's longitude lies within -360..360 degrees: a polygon across 180
// degrees is written past it (165..190, or -195..-170), never a whole turn
// beyond. The menu and the polygon file refuse any other corner.
inline constexpr real corner_longitude_limit = LongitudeTurn::turn;
inline bool corner_longitude_in_reach(real lon) {
  return lon >= -corner_longitude_limit && lon <= corner_longitude_limit;
}
inline constexpr std::string_view corner_longitude_rule = "corner longitudes must lie within -360 and 360";

// Prepares the vertex vectors and edge normals of seistest2 from its
// current vertices, and for a lat-long polygon the corners' placed
// longitudes and the turn its epicentres are tested in; a degenerate edge
// (two equal vertices) is reported in an error box and sets istat. The
// polygon's shape is found on the way (say_polygon_shape tells it). inter
// is not read.
void spolygontst(int& istat, SetupMode inter);

// Says what the last preparation found of the polygon's shape: a line
// when its corners run clockwise (it is taken anticlockwise), and a
// warning box that names the corners where it turns the other way and
// says which part is kept.
void say_polygon_shape();

// The turn around the middle of the polygon's corners, each placed nearest
// the one before, when they reach past 180 degrees or -180 (either kind of
// sides); none otherwise.
const std::optional<LongitudeTurn>& polygon_across_180();

// True when the epicentre (degrees) passes the polygon test; a polygon
// without edges passes everything.
bool polygon_keeps(real lon, real lat);

}  // namespace dorvix
