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
#include <cstring>
#include <string>
#include <string_view>

#include "dialogue/boxes.hpp"
#include "dialogue/console_units.hpp"
#include "dialogue/frames.hpp"
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

// Grey level of polygon fills in black and white, and its record's text.
constexpr real fill_grey_percent = 50.0f;
std::string_view grey_fill_level() {
  static const std::string level = [] {
    std::string text;
    ps::fraction(text, fill_grey_percent);
    return text + ' ';
  }();
  return level;
}

// True when the next point must start a new piece of the path with a move:
// a line began without a current point, or a point without a value broke
// the path.
bool move_pending = false;

bool finite_point(real x, real y) { return std::isfinite(x) && std::isfinite(y); }

// The room a path asks of the plot file's buffer: its records around the
// points (a new path, the close and fill records with a colour, a colour
// and the stroke), and its points at the length of a point on a sheet
// ("1234.56 1234.56 lineto"); a path whose points run longer asks for more
// as it goes.
constexpr std::size_t path_records_room = 256;
constexpr std::size_t sheet_point_room = 32;

// The text of a path written straight into the plot file's buffer: room
// for all of it is asked once, up to the most the buffer gives at once
// (and again for a path that runs longer), and what was written is kept at
// the end.
// Nothing while it lives may write to the plot file by another route, nor
// wait for the keyboard (a warning box must come before or after it).
// With no plot file open nothing is written.
class PathText {
 public:
  PathText(UnitFile* out, int points) : out_(out) {
    if (out_ == nullptr) return;
    const std::size_t room = path_records_room + ps::point_room +
                             static_cast<std::size_t>(std::max(points, 0)) * sheet_point_room;
    ask(std::min(room, UnitFile::max_room));
  }
  ~PathText() {
    if (out_ != nullptr) out_->commit(p_);
  }
  PathText(const PathText&) = delete;
  PathText& operator=(const PathText&) = delete;

  // One record of short texts.
  void record(std::string_view a, std::string_view b = {}) {
    if (out_ == nullptr) return;
    if (static_cast<std::size_t>(end_ - p_) < a.size() + b.size() + 1) ask_more(a.size() + b.size() + 1);
    for (std::string_view piece : {a, b}) {
      if (piece.empty()) continue;  // an empty view may hold no address
      std::memcpy(p_, piece.data(), piece.size());
      p_ += piece.size();
    }
    *p_++ = '\n';
  }
  void point(real x, real y, const ps::RecordEnd& end) {
    if (out_ == nullptr) return;
    if (static_cast<std::size_t>(end_ - p_) < ps::point_room) ask_more(ps::point_room);
    p_ = ps::point_text(p_, x, y, end);
  }
  // The records of n plain points (ps::plain_points), the first ending in
  // `first` and the others in `rest`: as many at a time as the room left
  // holds, with no test a point.
  void plain_points(const real* x, const real* y, std::size_t n, const ps::RecordEnd& first,
                    const ps::RecordEnd& rest) {
    if (out_ == nullptr) return;
    const ps::RecordEnd* end = &first;
    for (std::size_t i = 0; i < n;) {
      const auto fit = static_cast<std::size_t>(end_ - p_) / ps::plain_point_room;
      if (fit == 0) {
        ask_more(ps::plain_point_room);
        continue;
      }
      for (const std::size_t last = i + std::min(n - i, fit); i < last; ++i) {
        p_ = ps::plain_point_text(p_, x[i], y[i], *end);
        end = &rest;
      }
    }
  }

 private:
  void ask(std::size_t n) {
    p_ = out_->room(n);
    end_ = p_ + n;
  }
  // Keeps what was written and asks for room again: for n characters, and
  // as much as the plot file's buffer gives at once.
  void ask_more(std::size_t n) {
    out_->commit(p_);
    ask(std::max(n, UnitFile::max_room));
  }

  UnitFile* out_;
  char* p_ = nullptr;
  char* end_ = nullptr;
};

// The device routines below on the plot file `out` (nullptr: none open),
// which a path looks up once.

// Strokes the open path, if any, in the line colour.
void stroke_records(PathText& text) {
  if (psparams.ipspath != 1) return;
  if (ps::colour_change(plt2blk.linecol)) text.record(ps::rgb_text(plt2blk.linecol), "setrgbcolor");
  text.record(ops().stroke);
  psparams.ipspath = 0;
}

// Strokes the open path, if any, and reports the points reset in it.
void stroke_path(UnitFile* out) {
  if (psparams.ipspath == 1) {
    PathText text(out, 0);
    stroke_records(text);
  }
  ps::report_clipped();
}

// The record that starts a new path (none in dialect 3); the path is then
// open.
void new_path_record(PathText& text) {
  if (!ops().newpath.empty()) text.record(ops().newpath);
  psparams.ipspath = 1;
}

// The records of a move to (x, y), clipped: a new path (inewpath 1) or a
// move alone. The open path is stroked before.
void move_records(PathText& text, real& x, real& y, int inewpath) {
  const bool finite = finite_point(x, y);
  if (finite) ps::clip(x, y, psmoveto_header);
  if (inewpath == 1) new_path_record(text);
  move_pending = !finite;
  if (finite) text.point(x, y, ops().moveto_end);
}

void move_to(UnitFile* out, real& x, real& y, int inewpath) {
  stroke_path(out);  // and the report of its points reset
  {
    PathText text(out, 1);
    move_records(text, x, y, inewpath);
  }
  if (inewpath != 1) ps::report_clipped();  // a move that opens no path
}

// The records of a line through `count` points of x and y, a path being
// open.
void line_records(PathText& text, std::span<real> x, std::span<real> y, int count) {
  const Operators& o = ops();
  if (count > 0 && ps::plain_points(x, y, static_cast<std::size_t>(count))) {
    text.plain_points(x.data(), y.data(), static_cast<std::size_t>(count), move_pending ? o.moveto_end : o.lineto_end,
                      o.lineto_end);
    move_pending = false;
    return;
  }
  for (int i = 0; i < count; ++i) {
    real& xi = x[static_cast<std::size_t>(i)];
    real& yi = y[static_cast<std::size_t>(i)];
    if (!finite_point(xi, yi)) {
      move_pending = true;
      continue;
    }
    ps::clip(xi, yi, pslineto_header);
    text.point(xi, yi, move_pending ? o.moveto_end : o.lineto_end);
    move_pending = false;
  }
}

int points_of(std::span<real> x, std::span<real> y, int n) {
  return std::max(std::min<int>(n, static_cast<int>(std::min(x.size(), y.size()))), 0);
}

void line_to(UnitFile* out, std::span<real> x, std::span<real> y, int n) {
  if (psparams.ipspath == 0) {
    warninghead(pslineto_header);
    say("Path begins with Draw instead of Move");
    psparams.ipspath = 1;
    warningtail00();
    move_pending = true;  // the path starts with a move to its first point
  }
  const int count = points_of(x, y, n);
  PathText text(out, count);
  line_records(text, x, y, count);
}

// The records of a path that starts at the first point and runs through
// the next `lines` points (each point at most once), then `end` (the
// closing records and the stroke), in one room; the path open before is
// stroked first, and the points reset reported at the end.
template <class End>
void whole_path(UnitFile* out, std::span<real> x, std::span<real> y, int lines, End end) {
  stroke_path(out);
  lines = std::min(lines, points_of(x.subspan(1), y.subspan(1), lines));
  {
    PathText text(out, lines + 2);  // the first point, the lines and a dot's
    const auto points = static_cast<std::size_t>(lines) + 1;
    if (ps::plain_points(x, y, points)) {
      // Nothing to clip or leave out: the move and the lines as they would
      // write them, in one go.
      new_path_record(text);
      move_pending = false;
      text.plain_points(x.data(), y.data(), points, ops().moveto_end, ops().lineto_end);
    } else {
      move_records(text, x[0], y[0], 1);
      line_records(text, x.subspan(1), y.subspan(1), lines);
    }
    end(text);
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
  if (n == 1) {
    // A segment of length zero, a dot: the move and a line to the same point.
    whole_path(ps::file(), x, y, 0, [&](PathText& text) {
      line_records(text, x.first(1), y.first(1), 1);
      stroke_records(text);
    });
  } else {
    whole_path(ps::file(), x, y, n - 1, [](PathText& text) { stroke_records(text); });
  }
}

void depolygon(std::span<real> x, std::span<real> y, int n) {
  if (n < 1 || x.empty() || y.empty()) return;  // no point to draw
  // The close operator draws the closing edge.
  whole_path(ps::file(), x, y, n - 1, [](PathText& text) {
    const Operators& o = ops();
    if (psparams.ipstype == dialect_illustrator) {
      text.record(plt2blk.fillstyle == 0 ? o.close_hollow : o.begin_fill);
      psparams.ipspath = 0;
      return;
    }
    if (plt2blk.fillstyle == 0) {
      text.record(o.close_hollow);
    } else {
      text.record(o.begin_fill);
      // The fill lies between gsave and grestore: the path survives it for
      // the outline, and the fill colour does not become the current colour.
      if (plt2blk.icolor == 1 && plt2blk.fillcol >= 0 && plt2blk.fillcol <= max_colour_index) {
        text.record(ps::rgb_text(plt2blk.fillcol), o.rgb_fill);
      } else {
        text.record(grey_fill_level(), o.grey_fill);
      }
    }
    stroke_records(text);
  });
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
