#include "map/line_file_window.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "dialogue/boxes.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "map/stress_directions.hpp"
#include "numbers/edit.hpp"
#include "projection/codes.hpp"
#include "projection/graticule.hpp"
#include "projection/line_file_settings.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

constexpr Header locate2dbox_header{"locate2dbox", " 1.0", "12-04-2007"};

constexpr real turn = LongitudeTurn::turn;
// The frame starts at most this far west of the window, degrees.
constexpr real max_frame_margin = 3.0f;
// A window this close to a whole turn, degrees, is one: its bounds lose a
// few units of their last place on their way through radians, the more
// the larger they are (up to 1.2E-4 degrees from a turn for whole-degree
// windows west of 720).
constexpr real whole_turn_rounding = 1.0e-3f;

// Rows and columns of the position codes: row 0 above, 1 level, 2 below;
// column 0 left, 1 between, 2 right.
constexpr int codes[3][3] = {{1, 2, 3}, {8, 0, 4}, {7, 6, 5}};

void failed_test_box(char axis, real v, real vmin, real vmax, int code) {
  const std::string a(1, axis);
  warninghead(locate2dbox_header);
  say(a + " RANGE TEST FAILED FOR:");
  ItemLine().text(a + "    =").text(edit::g(v, 12, 5)).write();
  ItemLine().text(a + "min =").text(edit::g(vmin, 12, 5)).write();
  ItemLine().text(a + "max =").text(edit::g(vmax, 12, 5)).write();
  ItemLine().text("=> SET LOCATION =").integer(code, 3).write();
  warningtail00();
}

real reduce(real v, real period, real origin) {
  real out = v;
  modulro(std::span(&out, 1), std::span<const real>(&v, 1), period, origin, 1);
  return out;
}

}  // namespace

void locate2dbox(std::span<int> iloc, real xmin, real xmax, real ymin, real ymax, std::span<const real> x,
                 std::span<const real> y, int n) {
  const auto count = std::min({static_cast<std::size_t>(std::max(n, 0)), iloc.size(), x.size(), y.size()});
  for (std::size_t i = 0; i < count; ++i) {
    int row = -1;
    if (y[i] > ymax) {
      row = 0;
    } else if (y[i] >= ymin) {
      row = 1;
    } else if (y[i] < ymin) {
      row = 2;
    }
    if (row < 0) {
      iloc[i] = -2;
      failed_test_box('Y', y[i], ymin, ymax, -2);
      continue;
    }
    int column = -1;
    if (x[i] < xmin) {
      column = 0;
    } else if (x[i] <= xmax) {
      column = 1;
    } else if (x[i] > xmax) {
      column = 2;
    }
    if (column < 0) {
      iloc[i] = -1;
      failed_test_box('X', x[i], xmin, xmax, -1);
      continue;
    }
    iloc[i] = codes[row][column];
  }
}

void modulro(std::span<real> out, std::span<const real> in, real period, real origin, int n) {
  const auto count = std::min({static_cast<std::size_t>(std::max(n, 0)), out.size(), in.size()});
  for (std::size_t i = 0; i < count; ++i) {
    real v = in[i] - origin;
    modulr(std::span(&v, 1), std::span<const real>(&v, 1), period, 1);
    out[i] = v + origin;
  }
}

LongitudeFrame longitude_frame(real lonmin, real lonmax, bool report) {
  // A window of a whole turn, its bounds rounded on their way through
  // radians (300 and -60 come back a few units of the last place short of
  // a turn apart), or of more than a turn, holds every longitude.
  if (lonmax - lonmin >= turn - whole_turn_rounding) return {lonmin, lonmin, lonmin + turn};
  LongitudeFrame f{lonmin, lonmin, reduce(lonmax, turn, lonmin)};
  real width = f.lonmaxr - f.lonminr;
  if (width == 0.0f) {
    const real d = lonmax - lonmin;
    if (d <= 0.0f) {
      if (report) {
        warninghead(contours1_header);
        say("INCONSISTENT BOUNDS");
        ItemLine().text("longitude min =").fixed(lonmin, 9, 3).write();
        ItemLine().text("longitude max =").fixed(lonmax, 9, 3).write();
        warningtail00();
      }
    } else if (d >= turn) {
      f.lonmaxr = f.lonminr + turn;
      width = turn;
    }
  }
  const real gap = turn - width;
  if (gap > 0.0f) {
    f.lonorig = lonmin - std::min(gap / 2.0f, max_frame_margin);
    f.lonminr = reduce(lonmin, turn, f.lonorig);
    f.lonmaxr = reduce(lonmax, turn, f.lonorig);
  }
  return f;
}

WindowTurn::WindowTurn(const LongitudeFrame& frame) : LongitudeTurn(0.5f * (frame.lonminr + frame.lonmaxr)) {}

WindowTurn graticule_turn() {
  GridValues g;
  sllgrid3(g, setup::stored);
  return WindowTurn(longitude_frame(g.lonmin, g.lonmax, false));
}

LineWindow::LineWindow(const LongitudeFrame& frame, real latmin, real latmax)
    : frame_(frame),
      turn_(frame),
      west_(frame.lonminr - typed_edge_tolerance),
      east_(frame.lonmaxr + typed_edge_tolerance),
      south_(latmin - typed_edge_tolerance),
      north_(latmax + typed_edge_tolerance),
      whole_turn_(frame.lonmaxr - frame.lonminr >= turn),
      gap_(west_ + turn - east_) {}

real LineWindow::reduced(real lon) const { return reduce(lon, turn, frame_.lonorig); }

int LineWindow::locate(real lon, real lat) const {
  int code = 0;
  locate2dbox(std::span(&code, 1), west_, east_, south_, north_, std::span<const real>(&lon, 1),
              std::span<const real>(&lat, 1), 1);
  return code;
}

bool LineWindow::polygon_outside(real west, real east, real south, real north, bool by_longitude) const {
  if (south > north_ || north < south_) return true;
  if (!by_longitude) return false;
  if (west <= east) return west > east_ || east < west_;
  // The polygon's span wraps past the frame's west end.
  return west > east_ && east < west_;
}

namespace {

// A segment this far, degrees, clear of the window's edges in longitude
// misses it whatever the rounding of its cut (some 1.0E-5 degrees).
constexpr real clear_of_window = 1.0e-3f;

}  // namespace

bool LineWindow::misses(real lon, real lat, real dlon, real lat_end) const {
  if ((lat > north_ && lat_end > north_) || (lat < south_ && lat_end < south_)) return true;
  if (whole_turn_ || !(gap_ > 2.0f * clear_of_window)) return false;
  // How far east of the east edge the segment starts, and ends, within a
  // turn: the gap runs from 0 to gap_.
  real from = lon - east_;
  if (from < 0.0f) from += turn;
  const real to = from + dlon;
  return std::fmin(from, to) > clear_of_window && std::fmax(from, to) < gap_ - clear_of_window;
}

namespace {

// Narrows [t0, t1], the fractions of a segment kept so far, to those
// where p t <= q: one side of a box, the segment moving by p across it and
// starting q inside it. False when nothing is left.
bool within_side(real p, real q, real& t0, real& t1) {
  if (p == 0.0f) return q >= 0.0f;
  const real t = q / p;
  if (p < 0.0f) {
    t0 = std::max(t0, t);
  } else {
    t1 = std::min(t1, t);
  }
  return t0 <= t1;
}

}  // namespace

int LineWindow::parts(real lon, real lat, real dlon, real dlat, std::span<SegmentPart, 3> out,
                      bool at_frame_ends) const {
  if (!std::isfinite(lon) || !std::isfinite(lat) || !std::isfinite(dlon) || !std::isfinite(dlat)) return 0;
  if (whole_turn_ && !at_frame_ends) {
    real t0 = 0, t1 = 1;
    if (!within_side(-dlat, lat - south_, t0, t1) || !within_side(dlat, north_ - lat, t0, t1)) return 0;
    out[0] = {t0, t1, 0};
    return 1;
  }
  // A window of a whole turn and its copies meet at the frame's ends: a
  // segment that passes one is drawn to it in one copy and from it in the
  // next.
  const real west = whole_turn_ ? frame_.lonminr : west_, east = whole_turn_ ? frame_.lonmaxr : east_;
  int count = 0;
  // Westwards the copy east of the window is met first.
  for (const int k : dlon < 0.0f ? std::array{1, 0, -1} : std::array{-1, 0, 1}) {
    const real shift = static_cast<real>(k) * turn;
    real t0 = 0, t1 = 1;
    if (within_side(-dlon, lon - (west + shift), t0, t1) && within_side(dlon, east + shift - lon, t0, t1) &&
        within_side(-dlat, lat - south_, t0, t1) && within_side(dlat, north_ - lat, t0, t1)) {
      out[static_cast<std::size_t>(count++)] = {t0, t1, shift};
    }
  }
  return count;
}

namespace {

// True when the current code takes longitudes as they come: its map runs
// from a window's west bound to its east bound, and the ends of a window
// of a whole turn are its west and east edges.
bool longitudes_as_they_come() {
  const ProjectionCode* code = find_projection_code(projtype.iproj);
  return code != nullptr && code->cut == MapCut::longitude_step;
}

}  // namespace

LineOnMap::LineOnMap(const LineWindow& window, bool clipped)
    : window_(window), clipped_(clipped), edges_at_frame_ends_(window.whole_turn() && longitudes_as_they_come()) {}

void LineOnMap::move_to(real lon, real lat) {
  waiting_ = true;
  move_lon_ = lon;
  move_lat_ = lat;
}

void LineOnMap::draw_to(real lon, real lat) {
  if (waiting_) pen_.move_degrees(move_lon_, move_lat_);
  waiting_ = false;
  pen_.draw_degrees(lon, lat);
}

void LineOnMap::point(real lon, real lat) {
  if (!clipped_) {
    lon = window_.nearest(lon);
    if (started_) {
      draw_to(lon, lat);
    } else {
      move_to(lon, lat);
    }
    started_ = true;
    return;
  }
  lon = window_.reduced(lon);
  const bool inside = window_.locate(lon, lat) == 0;
  if (!started_) {
    if (inside) move_to(lon, lat);
  } else if (inside && inside_ && (joined_at_frame_ends() || std::fabs(lon - lon_) <= 0.5f * turn)) {
    // Both ends in the window, the short way round within it (across the
    // frame's ends in a window of a whole turn whose map has no edges
    // there, as the pen takes it).
    draw_to(lon, lat);
  } else {
    clipped_segment(lon, lat, inside);
  }
  started_ = true;
  lon_ = lon;
  lat_ = lat;
  inside_ = inside;
}

void LineOnMap::clipped_segment(real lon, real lat, bool inside) {
  // The short way round: as std::remainder(lon - lon_, turn) gives it,
  // exactly, both longitudes lying in the frame, for less.
  real dlon = lon - lon_;
  if (dlon > 0.5f * turn) {
    dlon -= turn;
  } else if (dlon < -0.5f * turn) {
    dlon += turn;
  }
  if (!inside && !inside_ && window_.misses(lon_, lat_, dlon, lat)) return;
  const real dlat = lat - lat_;
  std::array<SegmentPart, 3> parts{};
  int count = window_.parts(lon_, lat_, dlon, dlat, parts, edges_at_frame_ends_);
  // An end inside the window is drawn where it is read: the part that
  // holds it reaches it, whatever the rounding of the cut.
  if (inside) {
    const real shift = joined_at_frame_ends() ? 0.0f : turn * std::round((lon_ + dlon - lon) / turn);
    SegmentPart& last = parts[static_cast<std::size_t>(count > 0 ? count - 1 : 0)];
    if (count > 0 && last.shift == shift) {
      last.leave = 1;
    } else if (count < 3) {
      parts[static_cast<std::size_t>(count++)] = {1, 1, shift};
    }
  }
  // The point at the fraction t of the segment, in the window of the
  // part (in the frame, in a window of a whole turn joined at its ends,
  // where the pen takes the short way round from it).
  const auto cut = [&](real t, real shift) {
    const real at = lon_ + t * dlon - shift;
    return joined_at_frame_ends() ? window_.reduced(at) : at;
  };
  bool at_start = inside_;  // the pen stands, or waits to move, at the previous point
  for (int i = 0; i < count; ++i) {
    const SegmentPart& p = parts[static_cast<std::size_t>(i)];
    const bool to_end = inside && i == count - 1;
    if (p.leave <= p.enter) {
      // A part of no length: only an end inside, reached from outside the
      // window, is moved to (the next segment may start there).
      if (to_end) move_to(lon, lat);
      continue;
    }
    if (!(at_start && p.enter == 0.0f && p.shift == 0.0f)) {
      move_to(cut(p.enter, p.shift), lat_ + p.enter * dlat);
    }
    if (to_end) {
      draw_to(lon, lat);
    } else {
      draw_to(cut(p.leave, p.shift), lat_ + p.leave * dlat);
    }
    at_start = false;
  }
}

void LineOnMap::end() {
  started_ = false;
  waiting_ = false;
  pen_.end();
}

}  // namespace dorvix
