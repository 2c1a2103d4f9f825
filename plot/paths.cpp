// Paths at device level: moves, lines, strokes, polylines, polygons and
// pen moves, in the operators of the open file's dialect.
//
// Paths are stroked lazily: a path stays open (psparams.ipspath = 1) until
// something that must not fall inside it comes (a new path, a line width,
// a font, a text, a page break, the trailer) and calls psstrokepath.
//
// No number without a value ever reaches the file: a point with a
// coordinate that is not finite is left out and breaks the path, the next
// point starting a new piece with a move. A point beyond the writable
// range is drawn at its limits; the points reset in a path are reported
// together when the path is stroked or ends.

#include <algorithm>
#include <cmath>
#include <string>

#include "console/boxes.hpp"
#include "console/iocom.hpp"
#include "console/frames.hpp"
#include "plot/device.hpp"
#include "plot/ps_stream.hpp"

namespace dorvix {

namespace {

constexpr Header psmoveto_header{"psmoveto", " 7.0", "18-07-2001"};
constexpr Header pslineto_header{"pslineto", " 7.0", "18-07-2001"};

// Operator texts by dialect (index ipstype - 1); the point operators also
// as the ends of their records.
struct Operators {
  std::string_view newpath, moveto, lineto, stroke, linewidth, close_hollow, begin_fill, rgb_fill, grey_fill;
  ps::RecordEnd moveto_end{moveto}, lineto_end{lineto};
};
constexpr Operators operators[3] = {
    {"np", " M", " L", "sk", " slw", "cp", "cp gs", "setrgbcolor fill gr", "stg fill gr"},
    {"newpath", " moveto", " lineto", "stroke", " setlinewidth", "closepath", "closepath gsave",
     "setrgbcolor fill grestore", "setgray fill grestore"},
    {"", " m", " l", "S", " w", "s", "b", "", ""},
};

static_assert([] {
  for (const Operators& o : operators) {
    if (o.moveto.size() >= ps::RecordEnd::room || o.lineto.size() >= ps::RecordEnd::room) return false;
  }
  return true;
}(), "a point operator must fit the end of its record");

const Operators& ops() {
  const int t = psparams.ipstype >= 1 && psparams.ipstype <= 3 ? psparams.ipstype : dialect_news;
  return operators[t - 1];
}

// Grey level of polygon fills in black and white.
constexpr real fill_grey_percent = 50.0f;

// True when the next point must start a new piece of the path with a move:
// a line began without a current point, or a point without a value broke
// the path.
bool move_pending = false;

bool finite_point(real x, real y) { return std::isfinite(x) && std::isfinite(y); }

void stroke_path(UnitFile* out);

// The device routines below on the plot file `out` (nullptr: none open),
// which a path looks up once.

void move_to(UnitFile* out, real& x, real& y, int inewpath) {
  stroke_path(out);  // and the report of its points reset
  const bool finite = finite_point(x, y);
  if (finite) ps::clip(x, y, psmoveto_header);
  const Operators& o = ops();
  if (inewpath == 1) {
    if (!o.newpath.empty()) ps::record(out, o.newpath);
    psparams.ipspath = 1;
  } else {
    ps::report_clipped();  // a move that opens no path
  }
  move_pending = !finite;
  if (!finite) return;
  ps::point_record(out, x, y, o.moveto_end);
}

void line_to(UnitFile* out, std::span<real> x, std::span<real> y, int n) {
  if (psparams.ipspath == 0) {
    warninghead(pslineto_header);
    say("Path begins with Draw instead of Move");
    psparams.ipspath = 1;
    warningtail00();
    move_pending = true;  // the path starts with a move to its first point
  }
  const int count = std::min<int>(n, static_cast<int>(std::min(x.size(), y.size())));
  const Operators& o = ops();
  for (int i = 0; i < count; ++i) {
    real& xi = x[static_cast<std::size_t>(i)];
    real& yi = y[static_cast<std::size_t>(i)];
    if (!finite_point(xi, yi)) {
      move_pending = true;
      continue;
    }
    ps::clip(xi, yi, pslineto_header);
    ps::point_record(out, xi, yi, move_pending ? o.moveto_end : o.lineto_end);
    move_pending = false;
  }
}

// Strokes the open path, if any, and reports the points reset in it.
void stroke_path(UnitFile* out) {
  if (psparams.ipspath == 1) {
    psrgbcolor(1);
    ps::record(out, ops().stroke);
    psparams.ipspath = 0;
  }
  ps::report_clipped();
}

}  // namespace

bool path_move_pending() { return move_pending; }
void set_path_move_pending(bool pending) { move_pending = pending; }

void psmoveto(real& x, real& y, int inewpath) { move_to(ps::file(), x, y, inewpath); }

void pslineto(std::span<real> x, std::span<real> y, int n) { line_to(ps::file(), x, y, n); }

void psstrokepath() { stroke_path(ps::file()); }

void deline(std::span<real> x, std::span<real> y, int n) {
  if (n < 1 || x.empty() || y.empty()) return;  // no point to draw
  UnitFile* out = ps::file();
  if (out != nullptr && ps::plain_points(x, y, static_cast<std::size_t>(n))) {
    // Nothing to clip or leave out: the path's records in one go, as the
    // move and lines below would write them.
    stroke_path(out);
    const Operators& o = ops();
    if (!o.newpath.empty()) ps::record(out, o.newpath);
    psparams.ipspath = 1;
    move_pending = false;
    if (n == 1) {
      const real again[] = {x[0], x[0]}, again_y[] = {y[0], y[0]};
      ps::plain_records(out, again, again_y, 2, o.moveto_end, o.lineto_end);  // a segment of length zero
    } else {
      ps::plain_records(out, x.data(), y.data(), static_cast<std::size_t>(n), o.moveto_end, o.lineto_end);
    }
    stroke_path(out);
    return;
  }
  move_to(out, x[0], y[0], 1);
  if (n == 1) {
    line_to(out, x.first(1), y.first(1), 1);  // a segment of length zero: a dot
  } else {
    line_to(out, x.subspan(1), y.subspan(1), n - 1);
  }
  stroke_path(out);
}

void depolygon(std::span<real> x, std::span<real> y, int n) {
  if (n < 1 || x.empty() || y.empty()) return;  // no point to draw
  psmoveto(x[0], y[0], 1);
  pslineto(x.subspan(1), y.subspan(1), n - 1);  // the close operator draws the closing edge
  const Operators& o = ops();
  if (psparams.ipstype == dialect_illustrator) {
    ps::record(plt2blk.fillstyle == 0 ? o.close_hollow : o.begin_fill);
    psparams.ipspath = 0;
    ps::report_clipped();
    return;
  }
  if (plt2blk.fillstyle == 0) {
    ps::record(o.close_hollow);
  } else {
    ps::record(o.begin_fill);
    // The fill lies between gsave and grestore: the path survives it for
    // the outline, and the fill colour does not become the current colour.
    std::string line;
    if (plt2blk.icolor == 1 && plt2blk.fillcol >= 0 && plt2blk.fillcol <= max_colour_index) {
      ps::rgb(line, plt2blk.fillcol);
      line += o.rgb_fill;
    } else {
      ps::fraction(line, fill_grey_percent);
      line += ' ';
      line += o.grey_fill;
    }
    ps::record(line);
  }
  psstrokepath();
}

void deplot(real& x, real& y, int ipen) {
  if (ipen == 0) {
    psmoveto(x, y, 1);
  } else if (ipen == 1) {
    pslineto(std::span<real>(&x, 1), std::span<real>(&y, 1), 1);
  }
}

void intslinewidth(real width) {
  psstrokepath();
  if (!std::isfinite(width)) return;
  std::string line;
  ps::number(line, width);
  line += ops().linewidth;
  ps::record(line);
}

}  // namespace dorvix
