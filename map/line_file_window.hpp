#pragma once
// Where the lines of a line file go on the map: the window they may be
// clipped to (the graticule's bounds, degrees), the longitude frame the
// longitudes of clipped lines are reduced into before they are tested and
// projected, and the drawing of one line point by point through the map's
// pen.
//
// The longitude frame is one turn of longitude, [lonorig, lonorig + 360),
// that holds the window eastwards from its west bound to its east bound (a
// window whose east bound is less than its west bound crosses the 180th
// meridian) and starts at most 3 degrees west of it. With every longitude
// reduced into it, a file written from -180 to 180 and one written from 0
// to 360 land on the same places, and a window across 180 degrees holds
// the points on both sides of it.

#include <span>

#include "geometry/longitude_turn.hpp"
#include "numbers/real.hpp"
#include "projection/map_pen.hpp"

namespace dorvix {

// Position codes of n points relative to the box [xmin, xmax] by
// [ymin, ymax] (x across, y up):
//    1  2  3     above (y > ymax):   left, between, right
//    8  0  4     level:              0 is inside the box
//    7  6  5     below (y < ymin)
// -1 when none of the x tests held and -2 when none of the y tests held (a
// coordinate or a bound that is not a number), each reported in a warning
// box. Nothing for n below 1.
void locate2dbox(std::span<int> iloc, real xmin, real xmax, real ymin, real ymax, std::span<const real> x,
                 std::span<const real> y, int n);

// Each of n values reduced into [origin, origin + period); out may be in.
// Nothing for n below 1.
void modulro(std::span<real> out, std::span<const real> in, real period, real origin, int n);

// The longitude frame of a window, degrees.
struct LongitudeFrame {
  real lonorig = 0;  // west end of the frame
  real lonminr = 0;  // the window's west bound in the frame
  real lonmaxr = 0;  // the window's east bound in the frame
};

// The frame of the window lonmin..lonmax. A window whose lonmax lies a
// turn or more east of lonmin, less the rounding of its bounds, is the
// whole turn from lonmin. A window of no width in the frame is otherwise
// kept as it is, and reported ("INCONSISTENT BOUNDS") in a warning box
// when `report` is true.
LongitudeFrame longitude_frame(real lonmin, real lonmax, bool report);

// The turn of longitude whose points are drawn where they stand on the map
// of a window: the turn centred on the window's middle. A point of a line
// file not clipped, an epicentre, a stress symbol or a point of the point
// menu more than half a turn from that middle is moved by whole turns into
// it, so that a window across 180 degrees (170..195) shows a point read at
// -175 at 185, beside its neighbours, and not a turn away. nearest(lon) is
// the longitude, degrees, at which a point read at `lon` is drawn.
class WindowTurn : public LongitudeTurn {
 public:
  explicit WindowTurn(const LongitudeFrame& frame);
};

// The turn of the graticule's window as it is set.
WindowTurn graticule_turn();

// Typed bounds come to the line files through radians in single
// precision, most of them moved a little inwards (80 becomes 79.999992):
// the window is widened by this much, degrees, so that a point on a typed
// edge is inside.
inline constexpr real typed_edge_tolerance = 1.0e-4f;

// A part of a segment that lies in a window: the fractions of the segment
// where it enters and leaves, and the whole turns, degrees, to take from
// its longitudes there (a segment that passes the east end of the frame
// meets the window a turn on).
struct SegmentPart {
  real enter = 0, leave = 0, shift = 0;
};

// The window of a line file, degrees: the frame of the graticule's
// longitude bounds and its latitude bounds.
class LineWindow {
 public:
  LineWindow(const LongitudeFrame& frame, real latmin, real latmax);

  // A longitude reduced into the frame.
  real reduced(real lon) const;
  // Where a point not clipped is drawn (WindowTurn).
  real nearest(real lon) const { return turn_.nearest(lon); }
  // The position code of a point (longitude reduced into the frame) in
  // the widened window; 0 inside.
  int locate(real lon, real lat) const;
  // True when a polygon with these bounds (west and east reduced into the
  // frame) lies wholly outside the widened window: wholly north or south
  // of it, or, when `by_longitude`, wholly east or west of it within the
  // frame.
  bool polygon_outside(real west, real east, real south, real north, bool by_longitude) const;
  // True when the window holds every longitude: it is cut by latitude
  // alone.
  bool whole_turn() const { return whole_turn_; }
  // The parts, in the segment's order, that lie in the widened window of
  // the segment from (lon, lat), its longitude in the frame, by the steps
  // dlon (at most half a turn either way) and dlat, degrees: at most one
  // in each of the window and its copies a turn west and east. In a
  // window of a whole turn the parts are cut by latitude alone: one, of no
  // shift, unless `at_frame_ends`, when a segment that passes an end of
  // the frame is cut there too (the frame's ends are the window's edges,
  // exactly). Returns their number; none for a coordinate that is not
  // finite.
  int parts(real lon, real lat, real dlon, real dlat, std::span<SegmentPart, 3> out, bool at_frame_ends) const;
  // True when the segment from (lon, lat), its longitude in the frame, by
  // the step dlon (at most half a turn either way) to the latitude
  // lat_end plainly misses the widened window and its copies: both its
  // ends north of the window, or both south, or, in a window of less than
  // a turn, its longitudes within the gap east of the window's east edge
  // and west of its west edge a turn on, by more than any rounding of the
  // cut. parts() finds no part of length in such a segment: the test
  // spares a line outside the window its cost.
  bool misses(real lon, real lat, real dlon, real lat_end) const;

  const LongitudeFrame& frame() const { return frame_; }

 private:
  LongitudeFrame frame_;
  WindowTurn turn_;
  real west_, east_, south_, north_;  // the widened window, longitudes in the frame
  bool whole_turn_;
  real gap_;  // from the east edge to the west edge a turn on, degrees
};

// The lines of a line file drawn through a map pen of their own, point by
// point. Clipped, each longitude is reduced into the frame and each point
// located in the window; each segment, taken the short way round (a step
// of at most half a turn), is cut where it meets the window's edges, in
// degrees, and only its parts inside are drawn: a segment with one end
// inside is drawn to the edge, one with both ends outside that crosses
// the window is drawn across it, and a line that comes back into the
// window starts a new path on the edge. Every point inside the window is
// drawn where it is read. In a window of a whole turn on a map that takes
// longitudes as they come (whose west and east edges are the frame's
// ends), a segment that passes an end of the frame is drawn to that edge
// and taken up again on the other one. A clipped line writes no path that
// draws nothing: a piece starts only when its first stroke is drawn. Not
// clipped, every point is drawn where it is read (moved by whole turns
// only when more than half a turn from the window's middle), and a line
// breaks only where the pen breaks it: at a point without an image and at
// the projection's cut; a line of one point writes no path either.
class LineOnMap {
 public:
  // Under the projection as it is set.
  LineOnMap(const LineWindow& window, bool clipped);

  // The next point of the line (the first after construction or end()),
  // degrees as read.
  void point(real lon, real lat);
  void end();

 private:
  // The parts inside the window of the segment from the previous point to
  // (lon, lat), both in the frame; the pen stands, or waits to move, at
  // the previous point when it is inside.
  void clipped_segment(real lon, real lat, bool inside);
  // A line's moves wait for the stroke that follows them.
  void move_to(real lon, real lat);
  void draw_to(real lon, real lat);
  // A window of a whole turn whose map joins its ends: the pen takes the
  // short way round across them.
  bool joined_at_frame_ends() const { return window_.whole_turn() && !edges_at_frame_ends_; }

  const LineWindow& window_;
  bool clipped_;
  // The frame's ends are edges of the map: segments are cut there.
  bool edges_at_frame_ends_;
  MapPen pen_;
  bool started_ = false;
  real lon_ = 0, lat_ = 0;  // the previous point, in the frame
  bool inside_ = false;     // and whether it is inside the window
  bool waiting_ = false;    // a move to (move_lon_, move_lat_) not yet made
  real move_lon_ = 0, move_lat_ = 0;
};

}  // namespace dorvix
