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
// The sides of a lat-long polygon are straight between its vertices'
// longitudes as given. Each epicentre is tested in the turn of longitude
// around the middle of them (longitude_turn.hpp), as a map of that window
// draws it: a polygon given eastwards past 180 degrees (165..190) keeps an
// epicentre read at -175, tested at 185, and one within -180..180 keeps
// the epicentres within it as read.

#include "console/real.hpp"
#include "console/setup_mode.hpp"

namespace dorvix {

// Status codes of the preparation: every edge has a normal, or the last
// degenerate edge found was a great-circle or a straight one.
inline constexpr int polygon_ok = 0;
inline constexpr int polygon_degenerate_great_circle = 10;
inline constexpr int polygon_degenerate_straight = 20;

// Prepares the vertex vectors and edge normals of seistest2 from its
// current vertices, and for a lat-long polygon the turn its epicentres are
// tested in; a degenerate edge (two equal vertices) is reported in an
// error box and sets istat. inter is not read.
void spolygontst(int& istat, SetupMode inter);

// True when the epicentre (degrees) passes the polygon test; a polygon
// without edges passes everything.
bool polygon_keeps(real lon, real lat);

}  // namespace dorvix
