#pragma once
// The pen of the map: every line, text and symbol placed by longitude and
// latitude goes through it, so that no point at infinity reaches the plot
// library and no line is drawn across the map.
//
// Lines. move() starts a line at a point, draw() continues it to the next
// point, end() ends it (a draw() with no line open starts one, like a
// move). Each point is projected under the current code (projlln) and the
// line is handed to the plot library (usplot) as runs of points on the
// page, each run starting with a move:
//  - a point without a finite image (+-1.0E20) or one that would lie
//    beyond the page's writable range is left out, and the line goes on
//    with a move at the next point that has one;
//  - a segment that crosses the projection's cut (see MapCut in
//    projection/codes.hpp) is split there: drawn to the cut on one side,
//    taken up again at the cut on the other side, the latitude of the
//    crossing interpolated linearly along the segment. A segment goes the
//    short way round: a step of more than 180 degrees of longitude is
//    taken as the shorter step the other way, across the antimeridian
//    (unless the pen takes its steps as given). Under transverse Mercator
//    of the sphere a segment is also split where it crosses the southern
//    half of a meridian 90 degrees from the central one (the far side's
//    southern quarter lies 2 pi above the near side's): drawn to that
//    meridian on the near side, taken up again just beyond it on the far
//    side.
// A pen that joins its points straight on the map (the sides of a polygon
// drawn in the projected plane) follows no cut: only the points without an
// image break its lines.
// Texts are written at their point only when it has an image on the page;
// symbols are drawn at the projected points that have one.
//
// A measuring pen draws nothing: it gathers the extent of the points a
// plotting pen would hand on for the same lines (the fit of the map); a
// plotting pen can gather the extent of those it hands on.
//
// Angles in radians unless the name says degrees; map coordinates in the
// user units of the current subplot.

#include <span>
#include <string_view>

#include "numbers/real.hpp"

namespace dorvix {

class MapPen {
 public:
  enum class Output { plot, measure };
  // How two consecutive points of a line are joined: along the globe, so
  // that the line is cut where the map is cut (the short way round, or with
  // the step of longitude as given, however large: the lines of the
  // graticule, whose every step is a deliberate part of its window), or
  // straight on the map.
  enum class Joins { along_the_globe, along_the_globe_as_given, straight_on_the_map };

  // The smallest box holding the points handed on; `any` is false while
  // there is none.
  struct Extent {
    real xmin = 0, ymin = 0, xmax = 0, ymax = 0;
    bool any = false;
  };

  explicit MapPen(Output output = Output::plot, Joins joins = Joins::along_the_globe)
      : output_(output), joins_(joins) {}

  void move(real lon, real lat);
  void draw(real lon, real lat);
  void move_degrees(real lon, real lat);
  void draw_degrees(real lon, real lat);
  // A whole line of n points: a move to the first, draws through the rest.
  void line(std::span<const real> lon, std::span<const real> lat, int n);
  void end();

  // The text at the point with the current text attributes; false when it
  // is not written (the point has no image on the page). (x, y) receive
  // the point's map coordinates.
  bool text(real lon, real lat, std::string_view s);
  bool text(real lon, real lat, std::string_view s, real& x, real& y);

  // A plotting pen gathers the extent of the points it hands on, as a
  // measuring pen does, once this is called.
  void gather_extent() { gathers_ = true; }
  const Extent& extent() const { return extent_; }

 private:
  // Projects a point and hands it on, continuing the run or starting one.
  void visit(real lon, real lat, bool continues);
  bool on_page(real x, real y) const;

  Output output_;
  Joins joins_;
  Extent extent_;
  bool gathers_ = false;
  bool has_point_ = false;  // a line is open at (lon_, lat_)
  bool pen_down_ = false;   // its last point was handed on
  real lon_ = 0, lat_ = 0;
};

// True when a projected point (map coordinates) has an image on the page:
// it is not at infinity and lies within the range the plot library writes.
// Whatever is drawn around such a point reaches the page without clipping.
bool on_map_page(real x, real y);

// The current symbol at each of n projected points (map coordinates, as
// projlln gives them), leaving out those without an image on the page;
// returns the number left out.
int map_symbols(std::span<const real> x, std::span<const real> y, int n);

}  // namespace dorvix
