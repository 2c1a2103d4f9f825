#include "catalogue/selection_polygon.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "catalogue/extraction_tests.hpp"
#include "dialogue/boxes.hpp"
#include "dialogue/console_units.hpp"
#include "dialogue/frames.hpp"
#include "geometry/angles.hpp"
#include "geometry/longitude_turn.hpp"
#include "geometry/vectors.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

namespace {

constexpr Header spolygontst_header{"spolygontst", " 1.0", "01-04-2010"};

// An epicentre on an edge (product exactly zero) passes.
constexpr real inside_threshold = 0.0f;

// What the preparation finds of the polygon's shape.
struct PolygonShape {
  bool clockwise = false;  // its corners run clockwise: it is taken anticlockwise
  // The corners where it turns the other way, by number: corner(1) to
  // corner(turns_back).
  int turns_back = 0;
  Slots<int, max_polygon_vertices> corner;
  std::optional<LongitudeTurn> across_180;
};

// What the last preparation found and placed.
PolygonShape shape;
// The corners' longitudes, each in the turn nearest the corner before it.
VertexReals placed_long;
// The turn of longitude a lat-long polygon tests its epicentres in.
LongitudeTurn lat_long_turn(0.0f);

// Places each corner's longitude in the turn nearest the corner before it,
// the first as given: a corner more than half a turn from the one before
// is moved by whole turns (150 then -160 is 150 then 200), one half a turn
// away stays as given, and so does one written a whole turn from the one
// before on its meridian (-180 then 180: a side once round the globe,
// which the move would shrink to nothing). Returns the turn around the
// middle of the placed corners, and notes in the shape when they reach
// past 180 or -180.
LongitudeTurn place_corners(const SeisTest2& t) {
  if (t.nvrtx < 1) return LongitudeTurn(0.0f);
  constexpr real half_turn = 0.5f * LongitudeTurn::turn;
  real west = t.vrtxlong(1), east = west;
  placed_long(1) = west;
  for (int i = 2; i <= t.nvrtx; ++i) {
    const real before = placed_long(i - 1);
    real lon = t.vrtxlong(i);
    if (std::abs(lon - before) > half_turn) {
      const real nearest = LongitudeTurn(before).nearest(lon);
      if (nearest != before || lon == t.vrtxlong(i - 1)) lon = nearest;
    }
    placed_long(i) = lon;
    west = std::min(west, lon);
    east = std::max(east, lon);
  }
  const LongitudeTurn turn(0.5f * (west + east));
  if (west < -half_turn || east > half_turn) shape.across_180 = turn;
  return turn;
}

// The vertex that closes edge k.
int edge_end(int k, int n) { return k == n ? 1 : k + 1; }


void vertex_line(int k) {
  std::string line = " ";
  edit::i(line, k, 8);
  line += ' ';
  edit::f(line, seistest2.vrtxlong(k), 8, 3);
  line += ' ';
  edit::f(line, seistest2.vrtxlat(k), 8, 3);
  put(iocom.iuout, line);
}

void degenerate_edge_box(int k, int j, bool great_circle) {
  errorhead(spolygontst_header);
  say(std::string("Test great circle: ") + (seistest2.lgcpoly ? "T" : "F"));
  say("INCONSISTENT CONTOUR:");
  say("Vertex # longitud latitude");
  vertex_line(k);
  vertex_line(j);
  say(great_circle ? "||OV1 x OV2|| = 0" : "||V1V2|| = 0");
  say("V2 = V1 ?");
  say("==> TEST IS UNRELIABLE:");
  say("==> IT NEED BE REDONE");
  say("    AFTER CONTOUR CORRECTION");
  errortail00();
}

// Unit vector of a point given in degrees.
std::array<real, 3> unit_vector(real lon, real lat) {
  std::array<real, 2> angle{lon, lat};
  deg2rad(angle, angle, 2);
  std::array<real, 3> p{};
  ll2ccn(std::span(&p[0], 1), std::span(&p[1], 1), std::span(&p[2], 1), std::span(&angle[0], 1),
         std::span(&angle[1], 1), 1);
  return p;
}

// The polygon's corners, in double precision, for the measures of its shape.
struct Corners {
  const SeisTest2& t;
  std::array<double, 3> vector(int i) const {
    const auto& v = t.vrtx1(i);
    return {v[0], v[1], v[2]};
  }
  double x(int i) const { return placed_long(i); }
  double y(int i) const { return t.vrtxlat(i); }
};

double triple(const std::array<double, 3>& a, const std::array<double, 3>& b, const std::array<double, 3>& c) {
  return a[0] * (b[1] * c[2] - b[2] * c[1]) + a[1] * (b[2] * c[0] - b[0] * c[2]) + a[2] * (b[0] * c[1] - b[1] * c[0]);
}

// Positive when the corners run counter-clockwise, negative when they run
// clockwise. Lat-long polygon: twice its signed area (shoelace).
// Great-circle polygon: the sum of the edges' normals, twice the vector
// area of the corners' polygon, against the corners' mean direction: how
// they run seen from outside the sphere above them.
double way_round(const Corners& c, int n) {
  double sum = 0.0;
  if (c.t.lgcpoly) {
    std::array<double, 3> mean{};
    for (int i = 1; i <= n; ++i) {
      for (std::size_t m = 0; m < 3; ++m) mean[m] += c.vector(i)[m];
    }
    for (int k = 1; k <= n; ++k) sum += triple(mean, c.vector(k), c.vector(edge_end(k, n)));
  } else {
    for (int k = 1; k <= n; ++k) {
      const int j = edge_end(k, n);
      sum += c.x(k) * c.y(j) - c.x(j) * c.y(k);
    }
  }
  return sum;
}

// How the polygon turns at corner k, from the edge that ends there to the
// edge that starts there: positive to the left, negative to the right.
double turn_at(const Corners& c, int k, int n) {
  const int before = k == 1 ? n : k - 1, after = edge_end(k, n);
  if (c.t.lgcpoly) return triple(c.vector(before), c.vector(k), c.vector(after));
  return (c.x(k) - c.x(before)) * (c.y(after) - c.y(k)) - (c.y(k) - c.y(before)) * (c.x(after) - c.x(k));
}

// Finds how the corners run and where the polygon turns the other way;
// turns a clockwise polygon's normals round, so that the left of each
// edge is the side of the polygon's inside.
void take_counter_clockwise(SeisTest2& t) {
  const int n = t.nvrtx;
  const Corners c{t};
  shape.clockwise = way_round(c, n) < 0.0;
  for (int k = 1; k <= n; ++k) {
    const double turn = turn_at(c, k, n);
    if (shape.clockwise ? turn > 0.0 : turn < 0.0) shape.corner(++shape.turns_back) = k;
  }
  if (!shape.clockwise) return;
  for (int k = 1; k <= n; ++k) {
    for (real& w : t.vnrm1(k)) w = -w;
  }
}

}  // namespace

void spolygontst(int& istat, SetupMode /*inter*/) {
  SeisTest2& t = seistest2;
  istat = polygon_ok;
  shape = PolygonShape{};
  const int n = t.nvrtx;
  lat_long_turn = place_corners(t);
  if (t.lgcpoly) {
    for (int i = 1; i <= n; ++i) t.vrtx1(i) = unit_vector(t.vrtxlong(i), t.vrtxlat(i));
    for (int k = 1; k <= n; ++k) {
      const int j = edge_end(k, n);
      vecprod3d(t.vnrm1(k), t.vrtx1(k), t.vrtx1(j), 1);
      const auto& w = t.vnrm1(k);
      if (w[0] == 0.0f && w[1] == 0.0f && w[2] == 0.0f) {
        degenerate_edge_box(k, j, true);
        istat = polygon_degenerate_great_circle;
      }
    }
  } else {
    for (int k = 1; k <= n; ++k) {
      const int j = edge_end(k, n);
      auto& w = t.vnrm1(k);
      w = {t.vrtxlat(k) - t.vrtxlat(j), placed_long(j) - placed_long(k), 0.0f};
      if (w[0] == 0.0f && w[1] == 0.0f) {
        degenerate_edge_box(k, j, false);
        istat = polygon_degenerate_straight;
      }
    }
  }
  take_counter_clockwise(t);
}

void say_polygon_shape() {
  if (shape.clockwise) say("POLYGON CORNERS RUN CLOCKWISE => TAKEN ANTICLOCKWISE");
  if (shape.turns_back == 0) return;
  warninghead(spolygontst_header);
  say("THE POLYGON IS NOT CONVEX:");
  say("IT TURNS THE OTHER WAY AT");
  say("Vertex # longitud latitude");
  for (int m = 1; m <= shape.turns_back; ++m) vertex_line(shape.corner(m));
  say("=> KEPT: ONLY THE PART OF ITS INSIDE THAT");
  say(seistest2.lgcpoly ? "   LIES INSIDE THE GREAT CIRCLE OF EVERY EDGE;" : "   LIES INSIDE THE LINE OF EVERY EDGE;");
  say("   NOT WHAT LIES BEYOND THE TWO EDGES");
  say("   AT SUCH A CORNER");
  warningtail00();
}

const std::optional<LongitudeTurn>& polygon_across_180() { return shape.across_180; }

bool polygon_keeps(real lon, real lat) {
  const SeisTest2& t = seistest2;
  std::array<real, 1> s{};
  if (t.lgcpoly) {
    const std::array<real, 3> p = unit_vector(lon, lat);
    for (int k = 1; k <= t.nvrtx; ++k) {
      scalprodn(s, p, t.vnrm1(k), 3, 1);
      if (s[0] < inside_threshold) return false;
    }
  } else {
    const real placed = lat_long_turn.nearest(lon);
    for (int k = 1; k <= t.nvrtx; ++k) {
      const std::array<real, 2> d{placed - placed_long(k), lat - t.vrtxlat(k)};
      scalprodn(s, d, std::span(t.vnrm1(k)).first<2>(), 2, 1);
      if (s[0] < inside_threshold) return false;
    }
  }
  return true;
}

}  // namespace dorvix
