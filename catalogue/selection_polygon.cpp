#include "catalogue/selection_polygon.hpp"

#include <algorithm>
#include <array>
#include <string>

#include "catalogue/angles.hpp"
#include "catalogue/extraction_criteria.hpp"
#include "catalogue/longitude_turn.hpp"
#include "catalogue/vectors.hpp"
#include "console/boxes.hpp"
#include "console/edit.hpp"
#include "console/frames.hpp"
#include "console/iocom.hpp"

namespace dorvix {

namespace {

constexpr Header spolygontst_header{"spolygontst", " 1.0", "01-04-2010"};

// An epicentre on an edge (product exactly zero) passes.
constexpr real inside_threshold = 0.0f;

// The turn of longitude a lat-long polygon tests its epicentres in,
// prepared with its normals.
LongitudeTurn lat_long_turn(0.0f);

// The turn around the middle of the vertices' longitudes.
LongitudeTurn turn_of_vertices(const SeisTest2& t) {
  if (t.nvrtx < 1) return LongitudeTurn(0.0f);
  real west = t.vrtxlong(1), east = t.vrtxlong(1);
  for (int i = 2; i <= t.nvrtx; ++i) {
    west = std::min(west, t.vrtxlong(i));
    east = std::max(east, t.vrtxlong(i));
  }
  return LongitudeTurn(0.5f * (west + east));
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

}  // namespace

void spolygontst(int& istat, SetupMode /*inter*/) {
  SeisTest2& t = seistest2;
  istat = polygon_ok;
  const int n = t.nvrtx;
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
    lat_long_turn = turn_of_vertices(t);
    for (int k = 1; k <= n; ++k) {
      const int j = edge_end(k, n);
      auto& w = t.vnrm1(k);
      w = {t.vrtxlat(k) - t.vrtxlat(j), t.vrtxlong(j) - t.vrtxlong(k), 0.0f};
      if (w[0] == 0.0f && w[1] == 0.0f) {
        degenerate_edge_box(k, j, false);
        istat = polygon_degenerate_straight;
      }
    }
  }
}

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
      const std::array<real, 2> d{placed - t.vrtxlong(k), lat - t.vrtxlat(k)};
      scalprodn(s, d, std::span(t.vnrm1(k)).first<2>(), 2, 1);
      if (s[0] < inside_threshold) return false;
    }
  }
  return true;
}

}  // namespace dorvix
