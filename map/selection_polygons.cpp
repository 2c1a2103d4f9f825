#include "map/selection_polygons.hpp"

#include <array>
#include <cmath>
#include <limits>
#include <span>
#include <string>

#include "dialogue/boxes.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "files/list_read.hpp"
#include "geometry/angles.hpp"
#include "geometry/vectors.hpp"
#include "numbers/edit.hpp"
#include "plot/buffers.hpp"
#include "plot/draw.hpp"
#include "projection/line_file_settings.hpp"
#include "projection/map_pen.hpp"

namespace dorvix {

namespace {

// At most this many vertices are drawn, the closing repeat included.
constexpr int max_vertices = curve_buffer_points;

// A side whose vertices' cross product is no longer than this is
// degenerate (the vertices equal or antipodal, to about 6 m): its great
// circle is not defined. The bound holds at any rounding of the vertices.
constexpr real degenerate_cross = 1.0e-6f;

// The largest sample count handed to the running point, which brings
// anything above its buffer down to the buffer with a warning: a count is
// held to this before it becomes an integer (a file's ptsdeg may be 1e30).
constexpr int max_samples_asked = 1000000;

// Samples of a side: its points per radian times its angle, truncated, at
// least 2.
int sample_count(real q) {
  if (!(q > 2.0f)) return 2;
  if (q >= static_cast<real>(max_samples_asked)) return max_samples_asked;
  return static_cast<int>(q);
}

using Vec3 = std::array<real, 3>;

// A side from vertex a to vertex b (radians): their unit vectors, the unit
// vector w at right angles to v1 towards v2 in the plane of the side, the
// length of v1 x v2 and the angle of the side, atan2(|v1 x v2|, v1 . v2),
// which keeps its accuracy for the shortest sides, where acos of the dot
// product in single precision gives 0, 2 km or no number at all.
struct Side {
  Vec3 v1{}, v2{}, w{};
  real cross = 0, angle = 0;
};

Side side_between(real lon1, real lat1, real lon2, real lat2) {
  Side s;
  const real lon[] = {lon1, lon2}, lat[] = {lat1, lat2};
  real x[2], y[2], z[2];
  ll2ccn(x, y, z, lon, lat, 2);
  s.v1 = {x[0], y[0], z[0]};
  s.v2 = {x[1], y[1], z[1]};
  Vec3 c{}, w{};
  vecprod3d(c, s.v1, s.v2, 1);
  vecnorm(std::span(&s.cross, 1), c, 3, 1);
  vecprod3d(w, c, s.v1, 1);
  real wn = 0, dot = 0;
  vecnorm(std::span(&wn, 1), w, 3, 1);
  scalprodn(std::span(&dot, 1), s.v1, s.v2, 3, 1);
  if (wn > 0.0f) {
    for (std::size_t k = 0; k < 3; ++k) s.w[k] = w[k] / wn;
  }
  s.angle = std::atan2(s.cross, dot);
  return s;
}

real vertex_lon(int i) { return cc2dbuff.xp[static_cast<std::size_t>(i - 1)]; }
real vertex_lat(int i) { return cc2dbuff.yp[static_cast<std::size_t>(i - 1)]; }

void count_line(std::string_view text, long long n) { ItemLine().text(text).integer(n, 6).write(); }

void degenerate_side_box(int i) {
  errorhead(contours1_header);
  say("INCONSISTENT POLYGON CONTOUR:");
  count_line("Side # ", i);
  ItemLine().text(edit::a("Vertex #", 8)).text(edit::a("longitude", 8)).text(edit::a("latitude", 8)).write();
  for (const int v : {i, i + 1}) {
    ItemLine().integer(v, 8).fixed(deg(vertex_lon(v)), 8, 3).fixed(deg(vertex_lat(v)), 8, 3).write();
  }
  say("||(OV1 x OV2) x OV1|| = 0");
  say("V2 = V1 ?");
  say("==> SKIPPING THIS SIDE");
  errortail00();
}

// The samples of side i: the running point from 0 to `last` in as many
// points as the side's angle asks at the current density, listed while
// the second output level is on, each value t handed to `sample` with its
// index k in the curve buffer. Returns the number of samples.
template <class Sample>
int sample_side(int i, const Side& s, real last, Sample sample) {
  int np = sample_count(contours_settings.ptsdeg * anglerad.deg_per_rad() * s.angle);
  real first = 0.0f;
  scptnp(np, setup::passed);
  scptif(first, last, setup::passed);
  scptend(1, setup::passed);
  if (iocom.lwito(2)) {
    ItemLine().text("Side # ").integer(i, 3).text("Angle =").fixed(deg(s.angle), 10, 4).write();
    say(ptblock.ptlabel);
  }
  for (int ipt = 1; ipt <= ptblock.np; ++ipt) {
    const real t = ptblock.pti + static_cast<real>(ipt - 1) * ptblock.ptd;
    set_running_point(ipt, t);
    sample(static_cast<std::size_t>(ipt - 1), t);
  }
  return ptblock.np;
}

void name_running_point(std::string name) { scptnam(name, setup::passed); }

// Samples of longitude (radians) brought into the window's frame.
void into_frame(const LineWindow& window, std::span<real> lon, int n) {
  modulro(lon, lon, anglerad.two_pi(), rad(window.frame().lonorig), n);
}

void great_circle_sides(const LineFileRun& run, int nplot) {
  if (iocom.lwito(2)) say("Boundaries = great circles");
  name_running_point("Angle (radians)");
  auto& xe = cc3dbuff.xe;
  auto& ye = cc3dbuff.ye;
  auto& ze = cc3dbuff.ze;
  MapPen pen;
  for (int i = 1; i < nplot; ++i) {
    const Side s = side_between(vertex_lon(i), vertex_lat(i), vertex_lon(i + 1), vertex_lat(i + 1));
    if (s.cross <= degenerate_cross) {
      degenerate_side_box(i);
      continue;
    }
    const int np = sample_side(i, s, s.angle, [&](std::size_t k, real t) {
      const real c = std::cos(t), sn = std::sin(t);
      xe[k] = c * s.v1[0] + sn * s.w[0];
      ye[k] = c * s.v1[1] + sn * s.w[1];
      ze[k] = c * s.v1[2] + sn * s.w[2];
    });
    cc2lln(xe, ye, xe, ye, ze, np);
    into_frame(run.window, xe, np);
    pen.line(xe, ye, np);
    pen.end();
  }
}

void lon_lat_sides(const LineFileRun& run, int nplot) {
  if (iocom.lwito(2)) say("Boundaries = long,lat lines");
  name_running_point("Barycentic coef");
  auto& xe = cc3dbuff.xe;
  auto& ye = cc3dbuff.ye;
  MapPen pen;
  for (int i = 1; i < nplot; ++i) {
    const real lon1 = vertex_lon(i), lat1 = vertex_lat(i), lon2 = vertex_lon(i + 1), lat2 = vertex_lat(i + 1);
    const Side s = side_between(lon1, lat1, lon2, lat2);
    const int np = sample_side(i, s, 1.0f, [&](std::size_t k, real t) {
      xe[k] = (1.0f - t) * lon1 + t * lon2;
      ye[k] = (1.0f - t) * lat1 + t * lat2;
    });
    into_frame(run.window, xe, np);
    pen.line(xe, ye, np);
    pen.end();
  }
}

void straight_sides(const LineFileRun& run, int nplot) {
  if (iocom.lwito(2)) {
    say("Boundaries = Xp-Yp lines");
    count_line("Number of sides =", nplot);
  }
  // Joined straight, the vertices are placed within half a turn of the
  // window's middle, not merely in its frame: a vertex beyond the frame's
  // west end would land a turn away, and its sides run across the map.
  const LongitudeFrame& f = run.window.frame();
  const real middle = 0.5f * (f.lonminr + f.lonmaxr);
  modulro(cc2dbuff.xp, cc2dbuff.xp, anglerad.two_pi(), rad(middle) - anglerad.pi(), nplot);
  MapPen pen(MapPen::Output::plot, MapPen::Joins::straight_on_the_map);
  pen.line(cc2dbuff.xp, cc2dbuff.yp, nplot);
  pen.end();
}

void header_failed_box(const LineFileRun& run) {
  errorhead(contours1_header);
  ItemLine().text("WHILE READING 1st LINE OF FILE").text(run.name).write();
  errortail00();
}

void vertex_failed_box(const LineFileRun& run, int k) {
  errorhead(contours1_header);
  count_line("WHILE READING DATA LINE #", k);
  ItemLine().text("IN FILE").text(run.name).write();
  errortail00();
}

void too_many_vertices_box(long long& npts, long long& nplot, bool closed) {
  warninghead(contours1_header);
  count_line("Number of vertices to read     =", npts);
  count_line("Number of vertices to plot     =", nplot);
  count_line("Max number of vertices to plot =", max_vertices);
  say("=> RESETTING TO:");
  nplot = max_vertices;
  npts = closed ? max_vertices - 1 : max_vertices;
  count_line("Number of vertices to read     =", npts);
  count_line("Number of vertices to plot     =", nplot);
  warningtail00();
}

}  // namespace

ReadOutcome read_selection_polygon(LineFileRun& run) {
  listing_head(run.title, {}, true);
  constexpr int unset = std::numeric_limits<int>::min();
  int npts = unset, side_type = unset, close_flag = unset;
  real ptsdeg = std::numeric_limits<real>::quiet_NaN();
  {
    ListRead in(line_file_unit);
    in >> npts >> side_type >> close_flag >> ptsdeg;
    // A count below one is no polygon (a negative one would index before
    // the buffer); one vertex is kept.
    if (!in.ok() || side_type == unset || close_flag == unset || std::isnan(ptsdeg) || npts < 1) {
      header_failed_box(run);
      return {ReadEnd::failure, {}};
    }
  }
  set_sampling_density(ptsdeg);
  const bool closed = close_flag == 1;
  long long to_read = npts;
  long long nplot = closed ? to_read + 1 : to_read;
  if (nplot > max_vertices) too_many_vertices_box(to_read, nplot, closed);

  auto& xp = cc2dbuff.xp;
  auto& yp = cc2dbuff.yp;
  for (int k = 1; k <= static_cast<int>(to_read); ++k) {
    real lon = 0, lat = 0;
    if (read_value_pair(lon, lat) != ReadResult::ok) {
      vertex_failed_box(run, k);
      return {ReadEnd::failure, {}};
    }
    xp[static_cast<std::size_t>(k - 1)] = lon;
    yp[static_cast<std::size_t>(k - 1)] = lat;
  }
  const int n = static_cast<int>(nplot);
  if (closed) {
    xp[static_cast<std::size_t>(n - 1)] = xp[0];
    yp[static_cast<std::size_t>(n - 1)] = yp[0];
  }
  deg2rad(xp, xp, n);
  deg2rad(yp, yp, n);
  if (side_type == 1) {
    great_circle_sides(run, n);
  } else if (side_type == 2) {
    lon_lat_sides(run, n);
  } else {
    straight_sides(run, n);
  }
  run.nline = 1;
  return {};
}

}  // namespace dorvix
