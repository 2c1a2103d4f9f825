// Drawing the graticule, and its extent for the fit of the map.

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/number_writers.hpp"
#include "geometry/angles.hpp"
#include "numbers/edit.hpp"
#include "plot/device.hpp"
#include "projection/codes.hpp"
#include "projection/contract.hpp"
#include "projection/dispatcher.hpp"
#include "projection/gnomonic_reach.hpp"
#include "projection/graticule.hpp"
#include "projection/map_pen.hpp"
#include "projection/oblique.hpp"
#include "projection/singular_places.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

constexpr Header drawllgrid_header{"drawllgrid", " 2.5", "31-05-2010"};

// Justifications of the labels, blanks trimmed: under the southern edge
// (top centre), over the northern (bottom centre), right of the eastern
// (middle left), left of the western (middle right).
constexpr int below = -10, above = -2, right_of = -5, left_of = -7;
// Labels stand this many tick lengths beyond the edge.
constexpr real label_distance = 1.5f;
constexpr int label_width = 9;

real fraction(int i, int n) { return static_cast<real>(i) / static_cast<real>(n); }

// The window's spans and line counts.
struct Window {
  real dlon, dlat;
  int nmer, npar;  // intervals between meridians and between parallels, at least 1
};

Window window_of(const GridLl& g) {
  Window w{g.glonmax - g.glonmin, g.glatmax - g.glatmin, 0, 0};
  // A window narrower than one spacing still has its two edges.
  w.nmer = std::max(1, grid_intervals(w.dlon, g.gloninc));
  w.npar = std::max(1, grid_intervals(w.dlat, g.glatinc));
  return w;
}

int segments(int n) { return std::max(1, n); }

// One line of the graticule: a meridian (at longitude `at`, along
// latitude) or a parallel (at latitude `at`, along longitude), running
// over `span` from `from` in np segments. The lines of the other family
// cross it at its nodes, from + span * k / nodes for k = 0 to `nodes`, the
// same values they are drawn at. Under a code whose horizon lies at
// infinity, a point beyond the cap `reach` has no image.
struct GridLine {
  bool meridian;
  real at, from, span;
  int np, nodes;
  const SingularCircle* reach;
  // How far within the cap the point at coordinate c lies, in cos c, is
  // reach_cos cos c + reach_sin sin c + reach_const (see extreme_between):
  // one sine and cosine a point.
  double reach_cos = 0, reach_sin = 0, reach_const = 0;

  // The coordinate along the line at position i of n.
  real along(int i, int n) const { return from + span * static_cast<real>(i) / static_cast<real>(n); }
  // The coordinate a fraction t of the way from a to b.
  static real between(real a, real b, double t) {
    return static_cast<real>(static_cast<double>(a) + (static_cast<double>(b) - static_cast<double>(a)) * t);
  }
  // The image of the point at coordinate c; false when it has none.
  bool image(real c, real& x, real& y) const {
    if (beyond_reach(c)) return false;
    if (meridian) {
      project_point(at, c, x, y);
    } else {
      project_point(c, at, x, y);
    }
    return !at_infinity(x, y);
  }
  bool has_image(real c) const {
    real x = 0, y = 0;
    return image(c, x, y);
  }
  // How far within the circle h the point at coordinate c lies, in cos c.
  double within(real c, const SingularCircle& h) const {
    return meridian ? within_circle(at, c, h) : within_circle(c, at, h);
  }
  bool beyond_reach(real c) const {
    if (reach == nullptr) return false;
    const double v = c;
    return reach_cos * std::cos(v) + reach_sin * std::sin(v) + reach_const < 0.0;
  }
  // The point at coordinate c drawn, or the line broken there when it
  // lies beyond the cap the graticule reaches; `shown` when it is known to
  // have an image.
  void draw(MapPen& pen, real c, bool shown = false) const {
    if (!shown && beyond_reach(c)) {
      pen.end();
    } else if (meridian) {
      pen.draw(at, c);
    } else {
      pen.draw(c, at);
    }
  }
  // The coordinate strictly between a and b, the first from a, where the
  // line comes nearest to the unit vector `centre` or, with `farthest`,
  // goes farthest from it; nothing when there is none, or when the line
  // keeps its distance (a parallel about the centre's axis). Along a
  // meridian at longitude L, u.C = cos phi (Cx cos L + Cy sin L) + sin phi Cz;
  // along a parallel at latitude P, u.C = cos P (Cx cos lambda + Cy sin
  // lambda) + sin P Cz: each a cosine of the coordinate, greatest at the
  // angle of its two coefficients, least half a turn further.
  std::optional<real> extreme_between(const std::array<double, 3>& centre, bool farthest, real a, real b) const {
    const double ca = std::cos(static_cast<double>(at)), sa = std::sin(static_cast<double>(at));
    double along_cos = 0, along_sin = 0;  // u.C = along_cos cos c + along_sin sin c + constant
    if (meridian) {
      along_cos = centre[0] * ca + centre[1] * sa;
      along_sin = centre[2];
    } else {
      along_cos = ca * centre[0];
      along_sin = ca * centre[1];
    }
    if (std::hypot(along_cos, along_sin) < flat_distance) return std::nullopt;
    const double turn = 2.0 * std::numbers::pi;
    const double theta = std::atan2(along_sin, along_cos) + (farthest ? std::numbers::pi : 0.0);
    const double da = a, db = b;
    // The first value theta + k turns beyond a, in the direction of b.
    const double v = db > da ? theta + turn * (std::floor((da - theta) / turn) + 1.0)
                             : theta + turn * (std::ceil((da - theta) / turn) - 1.0);
    const auto r = static_cast<real>(v);
    if (!(std::fmin(a, b) < r && r < std::fmax(a, b))) return std::nullopt;
    return r;
  }
  // Below this, the line keeps its distance from the centre.
  static constexpr double flat_distance = 1.0e-12;
};

// A line of the graticule, its reach test set up from the cap `reach`.
GridLine grid_line(bool meridian, real at, real from, real span, int np, int nodes,
                   const std::optional<SingularCircle>& reach) {
  GridLine l{meridian, at, from, span, np, nodes, reach ? &*reach : nullptr};
  if (!reach) return l;
  const std::array<double, 3>& c = reach->centre;
  const double ca = std::cos(static_cast<double>(at)), sa = std::sin(static_cast<double>(at));
  l.reach_const = -std::cos(reach->radius);
  if (meridian) {
    l.reach_cos = c[0] * ca + c[1] * sa;
    l.reach_sin = c[2];
  } else {
    l.reach_cos = ca * c[0];
    l.reach_sin = ca * c[1];
    l.reach_const += sa * c[2];
  }
  return l;
}

// The images of points closing in on the edge of the part of the globe
// that has one stay within this many times the step to their first
// midpoint where the map has a horizon there (the orthographic's far side,
// the part hidden from the perspective's viewpoint, the rim of a polar
// map): then the line is drawn to the edge. They run off to infinity
// where the edge is a point at infinity (a pole under Mercator, the apex's
// opposite pole of a conic): then it stops at its last point that has an
// image. The gnomonic's graticule ends short of its horizon, on the circle
// of its reach, where the images stay finite whatever their step: a line
// is always drawn to that circle.
constexpr double horizon_reach = 4.0;

// Between the coordinate `seen`, whose point has an image, and `hidden`,
// whose point has none, the coordinate of the last point with an image
// when the line reaches a horizon there; else `seen`.
real horizon(const GridLine& l, real seen, real hidden) {
  if (l.reach != nullptr) {
    // The gnomonic's cap lies short of its horizon: a point within it has
    // an image, and the line ends where it leaves the cap.
    double t_seen = 0, t_hidden = 1;
    real last = seen;
    for (int k = 0; k < 64; ++k) {
      const double t = 0.5 * (t_seen + t_hidden);
      const real c = GridLine::between(seen, hidden, t);
      if (c == GridLine::between(seen, hidden, t_seen) || c == GridLine::between(seen, hidden, t_hidden)) break;
      if (l.beyond_reach(c)) {
        t_hidden = t;
      } else {
        t_seen = t;
        last = c;
      }
    }
    return last;
  }
  real x0 = 0, y0 = 0;
  l.image(seen, x0, y0);
  double t_seen = 0, t_hidden = 1;
  real last = seen, xl = x0, yl = y0;
  double first_step = -1;
  for (int k = 0; k < 64; ++k) {
    const double t = 0.5 * (t_seen + t_hidden);
    const real c = GridLine::between(seen, hidden, t);
    if (c == GridLine::between(seen, hidden, t_seen) || c == GridLine::between(seen, hidden, t_hidden)) break;
    real x = 0, y = 0;
    if (!l.image(c, x, y)) {
      t_hidden = t;
      continue;
    }
    t_seen = t;
    last = c;
    xl = x;
    yl = y;
    if (first_step < 0) first_step = std::hypot(static_cast<double>(x) - x0, static_cast<double>(y) - y0);
  }
  if (last == seen) return last;
  const double reach = std::hypot(static_cast<double>(xl) - x0, static_cast<double>(yl) - y0);
  return reach <= horizon_reach * first_step ? last : seen;
}

// A line that comes no further within the horizon than this, in cos c,
// only grazes it: where rounding decides, it is left hidden between two
// hidden samples.
constexpr double grazing = 1.0e-6;

// The points a segment of a line goes through between its two samples,
// each with its fraction of the way from the first: the horizon where the
// line meets it, and a point without an image that breaks the line
// behind the horizon.
struct Stops {
  std::array<std::pair<double, real>, 3> at{};
  std::size_t count = 0;
  real from = 0, to = 0;
  void add(real c) {
    at[count++] = {static_cast<double>(c - from) / static_cast<double>(to - from), c};
  }
};

// The line drawn through its np + 1 samples, each that has an image; a
// sample without one (a pole under Mercator, the far side of an azimuthal
// map) breaks it, as the pen breaks every line. Where it breaks between
// two samples, it also goes through the nodes between them, so that it
// still reaches the lines of the other family drawn there, and, where the
// map has a horizon between them, to that horizon, instead of stopping a
// whole sampling step short of them. On a map of part of the globe, whose
// rim is the circle `rim`, a segment can also cross the horizon twice:
// between two samples without an image it may pass through the part of
// the globe shown, where it comes nearest the centre; between two with one
// it may pass behind the horizon, where it goes farthest from the centre.
// There it is drawn to the horizon and broken, as between two samples one
// of which is hidden. The gnomonic's rim is the circle of its reach.
void draw_grid_line(MapPen& pen, const GridLine& l, const std::optional<SingularCircle>& rim) {
  real x = 0, y = 0;
  real previous = l.along(0, l.np);
  bool had_image = l.image(previous, x, y);
  // The first sample: a move to it (a draw with no line open), then a
  // draw to it as to every sample.
  pen.end();
  l.draw(pen, previous, had_image);
  l.draw(pen, previous, had_image);
  for (int j = 1; j <= l.np; ++j) {
    const real c = l.along(j, l.np);
    const bool image = l.image(c, x, y);
    bool breaks = !(had_image && image);
    Stops stops{.from = previous, .to = c};
    if (had_image != image) {
      const real seen = had_image ? previous : c;
      const real edge = horizon(l, seen, had_image ? c : previous);
      if (edge != seen) stops.add(edge);
    } else if (rim && had_image) {  // behind the horizon between the two?
      const std::optional<real> far = l.extreme_between(rim->centre, true, previous, c);
      if (far && !l.has_image(*far)) {
        breaks = true;
        if (const real edge = horizon(l, previous, *far); edge != previous) stops.add(edge);
        stops.add(*far);
        if (const real edge = horizon(l, c, *far); edge != c) stops.add(edge);
      }
    } else if (rim) {  // shown between the two?
      const std::optional<real> near = l.extreme_between(rim->centre, false, previous, c);
      if (near && l.within(*near, *rim) > grazing && l.has_image(*near)) {
        for (const real hidden : {previous, c}) {
          if (const real edge = horizon(l, *near, hidden); edge != *near) stops.add(edge);
        }
      }
    }
    if (breaks) {
      // Node k lies strictly between samples j - 1 and j when
      // (j - 1) / np < k / nodes < j / np; each stop is drawn before the
      // first node beyond it.
      std::size_t next = 0;
      for (int k = (j - 1) * l.nodes / l.np + 1; k * l.np < j * l.nodes; ++k) {
        const double t_node = static_cast<double>(k * l.np - (j - 1) * l.nodes) / static_cast<double>(l.nodes);
        for (; next < stops.count && t_node > stops.at[next].first; ++next) l.draw(pen, stops.at[next].second);
        l.draw(pen, l.along(k, l.nodes));
      }
      for (; next < stops.count; ++next) l.draw(pen, stops.at[next].second);
    }
    l.draw(pen, c, image);
    previous = c;
    had_image = image;
  }
  pen.end();
}

// Meridians from east to west, each from south to north; n intervals.
void draw_meridians(MapPen& pen, const GridLl& g, const Window& w, int n) {
  const std::optional<SingularCircle> reach = reach_circle(g);
  const std::optional<SingularCircle> rim = reach ? reach : horizon_circle();
  for (int i = 0; i <= n; ++i) {
    // By index, so that the last line lands on the western edge.
    const real lon = g.glonmax - w.dlon * static_cast<real>(i) / static_cast<real>(n);
    draw_grid_line(pen, grid_line(true, lon, g.glatmin, w.dlat, segments(g.npgrid), w.npar, reach), rim);
  }
}

// Parallels from south to north, each from east to west; n intervals.
void draw_parallels(MapPen& pen, const GridLl& g, const Window& w, int n) {
  const std::optional<SingularCircle> reach = reach_circle(g);
  const std::optional<SingularCircle> rim = reach ? reach : horizon_circle();
  for (int i = 0; i <= n; ++i) {
    const real lat = g.glatmin + w.dlat * static_cast<real>(i) / static_cast<real>(n);
    draw_grid_line(pen, grid_line(false, lat, g.glonmax, -w.dlon, segments(g.npgrid), w.nmer, reach), rim);
  }
}

// A longitude `lon` near the edge `anchor`, for a tick or a label: under
// the codes cut at the meridian opposite the central one it is held on the
// anchor's side of the cut, within longp1 +- 180 degrees, so that a tick
// or label beyond a map's edge does not reappear at the other edge.
real held_beside(real anchor, real lon) {
  const ProjectionCode* c = find_projection_code(projtype.iproj);
  if (c == nullptr || c->cut != MapCut::opposite_central_meridian) return lon;
  const real pi = anglerad.pi(), lp = llpparam.longp1;
  const real d = wrapped_difference(anchor, lp, pi, anglerad.two_pi()) + (lon - anchor);
  return lp + std::clamp(d, -pi, pi);
}

void justify(int j) { stextalign(j, setup::passed); }

// The label of an angle, in degrees with the grid's decimals; a value that
// rounds to zero is written without a minus sign.
std::string label(real radians, int ndec) {
  real v = deg(radians);
  if (std::fabs(v) < 0.5f * std::pow(10.0f, static_cast<real>(-ndec))) v = 0.0f;
  std::string text(label_width, ' ');
  int nchar = 0;
  real2charf1(text, nchar, ndec, label_width, v);
  return text.substr(0, static_cast<std::size_t>(nchar));
}

// One tick from (lon0, lat0) through nt steps of (dlon, dlat), then the
// label at (lonl, latl); longitudes held beside lon0. Beyond the cap the
// graticule reaches, the tick is broken and the label left out.
struct Tick {
  real lon0, lat0, dlon, dlat, lonl, latl;
};

void draw_tick(MapPen& pen, const Tick& t, int nt, const std::string& text,
               const std::optional<SingularCircle>& reach, GridMarks* marks, int justification) {
  if (within_reach(reach, t.lon0, t.lat0)) pen.move(held_beside(t.lon0, t.lon0), t.lat0);
  for (int j = 0; j <= nt; ++j) {
    const real lon = t.lon0 + static_cast<real>(j) * t.dlon, lat = t.lat0 + static_cast<real>(j) * t.dlat;
    if (!within_reach(reach, lon, lat)) {
      pen.end();
      continue;
    }
    pen.draw(held_beside(t.lon0, lon), lat);
  }
  pen.end();
  real x = 0, y = 0;
  if (within_reach(reach, t.lonl, t.latl) && pen.text(held_beside(t.lon0, t.lonl), t.latl, text, x, y) &&
      marks != nullptr) {
    marks->labels.push_back({x, y, justification, text});
  }
}

// True when the map draws the window's western and eastern edges as one
// meridian: a window of a whole turn under a code with no cut (the
// azimuthal maps), or under a code cut opposite its central meridian when
// the edges lie away from the cut.
bool edges_joined(const GridLl& g, const Window& w) {
  const real two_pi = anglerad.two_pi();
  if (!(std::fabs(std::remainder(w.dlon, two_pi)) <= cut_tolerance)) return false;
  const ProjectionCode* code = find_projection_code(projtype.iproj);
  if (code == nullptr) return false;
  switch (code->cut) {
    case MapCut::none:
      return true;
    case MapCut::opposite_central_meridian:
      return std::fabs(wrapped_difference(g.glonmax, llpparam.longp1, anglerad.pi(), two_pi)) <
             anglerad.pi() - cut_tolerance;
    case MapCut::longitude_step:
      return false;
  }
  return false;
}

// Ticks and labels under the southern and over the northern edge, at every
// meridian position whatever the grid type; on a map that joins the
// window's edges, the western edge's are the eastern edge's, drawn once.
void meridian_ticks(MapPen& pen, const GridLl& g, const Window& w, real step, GridMarks* marks) {
  const int nt = segments(g.nptick);
  const real out = label_distance * g.gticsize;
  const std::optional<SingularCircle> reach = reach_circle(g);
  const int last = edges_joined(g, w) ? w.nmer - 1 : w.nmer;
  justify(below);
  for (int i = 0; i <= last; ++i) {
    const real lon = g.glonmax - w.dlon * fraction(i, w.nmer);
    draw_tick(pen, {lon, g.glatmin, 0.0f, step, lon, g.glatmin - out}, nt, label(lon, g.ndecgrid), reach, marks,
              below);
  }
  justify(above);
  for (int i = 0; i <= last; ++i) {
    const real lon = g.glonmax - w.dlon * fraction(i, w.nmer);
    draw_tick(pen, {lon, g.glatmax, 0.0f, -step, lon, g.glatmax + out}, nt, label(lon, g.ndecgrid), reach, marks,
              above);
  }
}

// Ticks and labels right of the eastern and left of the western edge; the
// western edge's are left out on a map that joins it to the eastern one.
void parallel_ticks(MapPen& pen, const GridLl& g, const Window& w, real step, GridMarks* marks) {
  const int nt = segments(g.nptick);
  const real out = label_distance * g.gticsize;
  const std::optional<SingularCircle> reach = reach_circle(g);
  justify(right_of);
  for (int i = 0; i <= w.npar; ++i) {
    const real lat = g.glatmin + w.dlat * fraction(i, w.npar);
    draw_tick(pen, {g.glonmax, lat, -step, 0.0f, g.glonmax + out, lat}, nt, label(lat, g.ndecgrid), reach, marks,
              right_of);
  }
  justify(left_of);
  if (edges_joined(g, w)) return;
  for (int i = 0; i <= w.npar; ++i) {
    const real lat = g.glatmin + w.dlat * fraction(i, w.npar);
    draw_tick(pen, {g.glonmin, lat, step, 0.0f, g.glonmin - out, lat}, nt, label(lat, g.ndecgrid), reach, marks,
              left_of);
  }
}

void count_line(std::string_view text, int v) { ItemLine().text(text).integer(v, 4).write(); }

// The lines of a family are spread to end on both edges of the window:
// where the window is not a whole number of the spacings asked, they stand
// at another spacing, which the labels may round (a window of 2.7 degrees
// at 0.5 has its parallels every 0.54 degrees). Said when it differs from
// the spacing asked by more than the margin of the count of spacings.
void spacing_line(std::string_view family, real span, int intervals, real asked) {
  const real drawn = span / static_cast<real>(intervals);
  if (!(std::fabs(drawn - asked) > grid_interval_margin * asked)) return;
  ItemLine()
      .text(family)
      .text("every")
      .fixed(deg(drawn), 8, 4)
      .text("degrees, not " + edit::f(deg(asked), 8, 4) + ":")
      .text("spread to end on both edges")
      .write();
}

}  // namespace

void drawllgrid(GridMarks* marks) {
  const GridLl& g = gridll;
  if (marks != nullptr) *marks = {};
  submenuhead(drawllgrid_header);
  if (g.igridtype == 0 || window_beyond_reach()) {
    if (g.igridtype != 0) say("WINDOW BEYOND THE GNOMONIC'S REACH");
    say("NO LAT-LONG GRID");
    menutail();
    return;
  }
  count_line("LAT-LONG GRID TYPE =", g.igridtype);
  const Window w = window_of(g);
  const bool frame_only = g.igridtype == 2 || g.igridtype == 3;
  // Ticks outwards, or inwards for type 3, in nptick steps.
  const real step = (g.igridtype == 3 ? g.gticsize : -g.gticsize) / static_cast<real>(segments(g.nptick));
  // The lines, and the ticks with their labels.
  MapPen pen(MapPen::Output::plot, MapPen::Joins::along_the_globe_as_given);
  MapPen ticks(MapPen::Output::plot, MapPen::Joins::along_the_globe_as_given);
  if (marks != nullptr) {
    pen.gather_extent();
    ticks.gather_extent();
  }
  count_line("nb of meridians =", w.nmer + 1);
  spacing_line("meridians", w.dlon, w.nmer, g.gloninc);
  draw_meridians(pen, g, w, frame_only ? 1 : w.nmer);
  meridian_ticks(ticks, g, w, step, marks);
  count_line("nb of parallels =", w.npar + 1);
  spacing_line("parallels", w.dlat, w.npar, g.glatinc);
  draw_parallels(pen, g, w, frame_only ? 1 : w.npar);
  parallel_ticks(ticks, g, w, step, marks);
  if (marks != nullptr) {
    marks->lines = pen.extent();
    marks->ticks = ticks.extent();
  }
  menutail();
}

MapPen::Extent grid_extent() {
  const GridLl& g = gridll;
  // Stored settings always have a window; before the first they are zero.
  if (!has_window(g) || window_beyond_reach()) return {};
  MapPen pen(MapPen::Output::measure, MapPen::Joins::along_the_globe_as_given);
  const Window w = window_of(g);
  const bool all_lines = g.igridtype == 1;
  draw_meridians(pen, g, w, all_lines ? w.nmer : 1);
  draw_parallels(pen, g, w, all_lines ? w.npar : 1);
  return pen.extent();
}

void extrllgrid(real& xmin, real& ymin, real& xmax, real& ymax) {
  const MapPen::Extent e = grid_extent();
  xmin = e.xmin;
  ymin = e.ymin;
  xmax = e.xmax;
  ymax = e.ymax;
}

}  // namespace dorvix
