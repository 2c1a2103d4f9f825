#pragma once
// The extraction criteria: which tests the catalogue reader applies to each
// record (latitude, longitude and depth bounds, a selection polygon, rake
// intervals on one or both nodal planes) and their bounds; their menu is
// catalogue/extraction_criteria.hpp.
//
// Angles are in degrees, depths in the unit of the catalogue. A value
// passes a bounds test when minimum <= value <= maximum, a longitude once
// placed in the turn of its bounds (longitude_keeps). The moment-tensor
// quality limits are kept and edited here, but FPFIT and HASH records
// carry no moment tensor: the reader never applies them.

#include <array>

#include "dialogue/data_files.hpp"
#include "geometry/longitude_turn.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// A selection polygon has 3 to 9 vertices through the menu.
inline constexpr int min_polygon_vertices = 3;
inline constexpr int max_polygon_vertices = 9;

// Vertex arrays, read and set as x(1) to x(9): a real per vertex, or a
// 3-vector per vertex or edge (its components consecutive).
using VertexReals = Slots<real, max_polygon_vertices>;
using VertexVectors = Slots<std::array<real, 3>, max_polygon_vertices>;

struct SeisTest2 {
  int nfreemin = 0;  // minimum number of free moment-tensor components
  int nvrtx = 0;     // polygon vertices; 0 after a failed polygon file
  real rlatmin = 0, rlatmax = 0;
  real rlongmin = 0, rlongmax = 0;
  real depthmin = 0, depthmax = 0;
  real rakemin1 = 0, rakemax1 = 0;
  real rakemin2 = 0, rakemax2 = 0;
  real rakemin3 = 0, rakemax3 = 0;
  VertexReals vrtxlat, vrtxlong;  // polygon vertices, degrees
  VertexVectors vrtx1;            // unit vector of each vertex (great-circle polygon)
  VertexVectors vnrm1;            // normal of edge k, from vertex k to vertex k + 1
  real fclvdmax = 0;              // maximum |fclvd|
  real errmijmax = 0;             // maximum relative error of the moment tensor
  bool ltest = false;             // general switch: no test runs while it is off
  bool ltlat = false;             // latitude test
  bool ltlong = false;            // longitude test
  bool ltdepth = false;           // depth test
  bool ltpoly = false;            // polygon test
  bool lgcpoly = false;           // sides are great circles; else straight in longitude and latitude
  bool lrakeboth = false;         // the rake must pass on both nodal planes; else on either
  bool ltrake1 = false;           // rake interval 1; the rake test runs only while it is on
  bool ltrake2 = false;           // rake interval 2 widens the accepted set
  bool ltrake3 = false;           // rake interval 3 widens the accepted set
  bool ltfroh = false;            // moment-tensor quality tests
};

// The criteria of the run; all zero until the first initialisation.
inline SeisTest2 seistest2;

// True when an epicentre's longitude (degrees) passes the longitude bounds:
// placed in the turn around the middle of the bounds (longitude_turn.hpp),
// as the map of that window draws it, it lies within them, both ends
// included. Bounds within -180..180 keep the longitudes within them as
// read, and one read beyond them on a meridian they hold (200 is kept by
// -180..180 as -160); bounds given eastwards past 180 (165..190) keep one
// read at -175 (placed at 185), and bounds westwards past -180
// (-195..-170) one read at 175 (placed at -185). The menu refuses a
// minimum above its maximum, of these bounds as of every other.
inline bool longitude_keeps(real lon) {
  const SeisTest2& t = seistest2;
  const real placed = LongitudeTurn(0.5f * (t.rlongmin + t.rlongmax)).nearest(lon);
  return t.rlongmin <= placed && placed <= t.rlongmax;
}

// The position and depth bounds, whether or not their tests are on.
void gscseistest(real& latmin, real& latmax, real& longmin, real& longmax, real& depthmin, real& depthmax);

}  // namespace dorvix
