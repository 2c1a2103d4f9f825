#include "map/line_file_readers.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "catalogue/line_codec.hpp"
#include "dialogue/boxes.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "files/list_read.hpp"
#include "files/units.hpp"
#include "numbers/edit.hpp"
#include "numbers/fixed_fields.hpp"
#include "plot/buffers.hpp"
#include "projection/line_file_settings.hpp"

namespace dorvix {

namespace {

// ---- Records ----------------------------------------------------------------

// The next record of a fixed layout: records of blanks and tabs only are
// skipped (they would read as zeros: a point at 0N 0E).
ReadResult fixed_record(std::string& line) {
  for (;;) {
    const ReadResult r = units().read_line(line_file_unit, line);
    if (r != ReadResult::ok || !is_blank_line(line)) return r;
  }
}

// Values a free-format read never gives. A variable that still holds one
// after the read got no value (the read ended at a slash, or the value was
// null): the record counts as unreadable, so that no value from an
// earlier record is drawn.
constexpr int unset = std::numeric_limits<int>::min();
constexpr real unset_real = std::numeric_limits<real>::quiet_NaN();

ReadOutcome failure() { return {ReadEnd::failure, {}}; }

// The outcome of a read that failed inside the points of a line: an end
// of file names the line it cut short (`what` and its number).
ReadOutcome failed_inside(ReadResult r, std::string_view what, long long n) {
  if (r != ReadResult::end_of_file) return failure();
  return {ReadEnd::failure, ItemLine().text("END OF FILE INSIDE").text(what).integer(n, 6).str()};
}

// The outcome of a fixed-layout record that ends before its last field
// (ends_before): a failure that names the line it belongs to, rather than
// a point drawn with the missing values read as 0.
ReadOutcome record_cut_short(std::string_view what, long long n) {
  return {ReadEnd::failure, ItemLine().text("RECORD CUT SHORT IN").text(what).integer(n, 6).str()};
}

// Two reals of a free-format read: not ok when the read fails or leaves
// either without a value.
ReadResult read_pair(ListRead& in, real& a, real& b) {
  a = b = unset_real;
  in >> a >> b;
  if (!in.ok()) return in.status();
  return std::isnan(a) || std::isnan(b) ? ReadResult::error : ReadResult::ok;
}

// ---- Listing ------------------------------------------------------------------

constexpr int label_width = 7;

void rule_65() { say(std::string(65, '-')); }

void labels_line(std::initializer_list<std::string_view> labels) {
  std::string line = " |";
  for (const std::string_view l : labels) {
    edit::a(line, l, label_width);
    line += '|';
  }
  put(iocom.iuout, line);
}

// Columns of a row: three integers of 6 and one of 7 characters, then
// four reals of one decimal.
void row_line(std::initializer_list<double> values) {
  std::string line = " |";
  int column = 0;
  for (const double v : values) {
    if (column < 4) {
      edit::i(line, static_cast<long long>(v), column == 2 ? 7 : 6);
      line += column == 2 ? "|" : " |";
    } else {
      edit::f(line, v, 7, 1);
      line += '|';
    }
    ++column;
  }
  put(iocom.iuout, line);
}

// The west and east bounds of a polygon in the frame, under its row.
void frame_row(real west, real east) {
  const std::string empty = std::string(7, ' ') + "|";
  std::string line = " |" + empty + empty + empty + empty;
  edit::f(line, west, 7, 1);
  line += '|';
  edit::f(line, east, 7, 1);
  line += '|' + empty + empty;
  put(iocom.iuout, line);
}

bool listing() { return iocom.lwito(2); }

// A row of the listing, while it is on.
void listing_row(std::initializer_list<double> values) {
  if (listing()) row_line(values);
}

// ---- UTIG ---------------------------------------------------------------------

constexpr int utig_first_points = 17;        // points of a line's first record
constexpr int utig_continuation_pairs = 20;  // code pairs of a continuation record
// The count of values, two a point, has the three columns 1-3: 999 values
// at most, 499 points.
constexpr int utig_count_width = 3;
constexpr int utig_max_points = 999 / 2;
// So a whole line fits the curve buffer: none is ever cut.
static_assert(utig_max_points <= curve_buffer_points);
// A code dd reads d.d; the step it stands for, in tenths of a degree (the
// lattice), is this less dd.
constexpr int utig_no_step = 50;
constexpr double utig_steps_a_degree = 10.0;

// The step of a code as read, in whole tenths (a field of two columns
// holds whole tenths, read correctly rounded: ten times the code rounds
// back to its whole number).
int utig_step(real code) { return utig_no_step - static_cast<int>(std::lround(code * 10.0f)); }

// True when a line's count runs on past its columns into the first
// point's latitude: a line of more values than the count can hold (1000
// written in columns 1-4). Written in its layout, a latitude of one
// decimal never reaches column 4.
bool utig_count_too_wide(const std::string& rec) {
  const auto digit = [&](std::size_t i) { return i < rec.size() && rec[i] >= '0' && rec[i] <= '9'; };
  return digit(utig_count_width - 1) && digit(utig_count_width);
}

// The outcome of such a line: a failure that says how many points a line
// can hold, rather than the records after it read as lines of their own.
ReadOutcome utig_too_long(long long n) {
  return {ReadEnd::failure,
          ItemLine().text("MORE THAN").integer(utig_max_points, 3).text("POINTS IN LINE #").integer(n, 6).str()};
}

// The columns of the first point's longitude, of the longitude code of
// point i (2 to 17) of a first record, and of pair k (0 to 19) of a
// continuation record: the last field a record uses.
constexpr int utig_first_longitude_column = 10;
constexpr int utig_first_code_column(int i) { return 19 + 4 * (i - 2); }
constexpr int utig_continuation_code_column(int k) { return 3 + 4 * k; }

// True when the first record of a line of nval values ends before the last
// field its points use (the codes of points beyond the line's are unused).
bool utig_first_cut_short(const std::string& rec, int nval) {
  const int points = std::min(nval / 2, utig_first_points);
  if (points < 1) return false;
  return ends_before(rec, points == 1 ? utig_first_longitude_column : utig_first_code_column(points));
}

// The first point of a line in double precision, from which each next
// point lies its whole number of lattice steps.
struct UtigStart {
  double lat = 0, lon = 0;
};

// The first record of a line: the value count, the first point and the 16
// code pairs of points 2 to 17, into the buffer.
bool read_utig_first(const std::string& rec, int& nval, UtigStart& start) {
  auto& xp = cc2dbuff.xp;
  auto& yp = cc2dbuff.yp;
  if (!read_field_int(rec, 1, utig_count_width, nval) || !read_field_real(rec, 4, 6, 1, start.lat) ||
      !read_field_real(rec, utig_first_longitude_column, 7, 1, start.lon)) {
    return false;
  }
  yp[0] = static_cast<real>(start.lat);
  xp[0] = static_cast<real>(start.lon);
  for (int k = 0; k < utig_first_points - 1; ++k) {
    const auto i = static_cast<std::size_t>(k + 1);
    if (!read_field_real(rec, 17 + 4 * k, 2, 1, yp[i]) ||
        !read_field_real(rec, utig_first_code_column(k + 2), 2, 1, xp[i])) {
      return false;
    }
  }
  return true;
}

// The code pairs of points 18 to `points`, from continuation records; an
// error with `cut_short` set when a record ends before its last pair used.
ReadResult read_utig_continuation(int points, bool& cut_short) {
  std::string rec;
  int i = utig_first_points + 1;
  while (i <= points) {
    const ReadResult r = fixed_record(rec);
    if (r != ReadResult::ok) return r;
    const int pairs = std::min(utig_continuation_pairs, points - i + 1);
    cut_short = ends_before(rec, utig_continuation_code_column(pairs - 1));
    if (cut_short) return ReadResult::error;
    for (int k = 0; k < pairs; ++k, ++i) {
      const auto at = static_cast<std::size_t>(i - 1);
      if (!read_field_real(rec, 1 + 4 * k, 2, 1, cc2dbuff.yp[at]) ||
          !read_field_real(rec, utig_continuation_code_column(k), 2, 1, cc2dbuff.xp[at])) {
        return ReadResult::error;
      }
    }
  }
  return ReadResult::ok;
}

// ---- GSHHS ----------------------------------------------------------------------

struct GshhsHeader {
  int id = 0, npts = 0, level = 0;
  real area = 0, west = 0, east = 0, south = 0, north = 0;
};

// The column of a header's last field, its north bound.
constexpr int gshhs_north_column = 64;

bool read_gshhs_header(const std::string& rec, GshhsHeader& h) {
  return read_field_int(rec, 3, 6, h.id) && read_field_int(rec, 9, 8, h.npts) && read_field_int(rec, 17, 2, h.level) &&
         read_field_real(rec, 21, 13, 3, h.area) && read_field_real(rec, 34, 10, 5, h.west) &&
         read_field_real(rec, 44, 10, 5, h.east) && read_field_real(rec, 54, 10, 5, h.south) &&
         read_field_real(rec, gshhs_north_column, 10, 5, h.north);
}

// The column labels of a GSHHS listing (the list's values live as long
// as the list, for the whole run).
const std::initializer_list<std::string_view> gshhs_labels{"line #", "code", "# points", "type",
                                                           "west",   "east", "south",    "north"};

void gshhs_row(int nline, const GshhsHeader& h) {
  row_line({static_cast<double>(nline), static_cast<double>(h.id), static_cast<double>(h.npts),
            static_cast<double>(h.level), h.west, h.east, h.south, h.north});
}

void east_before_west_box(int nline, const GshhsHeader& h) {
  warninghead(contours1_header);
  say("PROBLEM IN INPUT FILE ?");
  rule_65();
  labels_line(gshhs_labels);
  gshhs_row(nline, h);
  rule_65();
  say("longitude mini > maxi");
  say("=> No global longitude clipping for this polygon");
  warningtail00();
}

// A polygon spanning the whole turn (Antarctica, west 0 and east 360) has
// no longitude to be rejected by.
constexpr real whole_turn = 360.0f;

}  // namespace

ReadResult read_value_pair(real& a, real& b) {
  bool cut_short = false;
  return read_value_pair(a, b, cut_short);
}

ReadResult read_value_pair(real& a, real& b, bool& cut_short) {
  cut_short = false;
  // Point records come by the hundred thousand: each is read into one
  // buffer kept for the run and parsed where it stands, so that reading
  // one allocates nothing.
  static std::string rec;
  const ReadResult r = fixed_record(rec);
  if (r != ReadResult::ok) return r;
  ListRead in = ListRead::from_text(rec);
  const ReadResult p = read_pair(in, a, b);
  cut_short = p == ReadResult::end_of_file;
  return cut_short ? ReadResult::error : p;
}

void listing_head(std::string_view title, std::initializer_list<std::string_view> labels, bool rule_after_title) {
  if (!listing()) return;
  rule_65();
  say(title);
  if (rule_after_title) rule_65();
  if (labels.size() == 0) return;
  labels_line(labels);
  rule_65();
}

ReadOutcome read_utig(LineFileRun& run) {
  listing_head(run.title, {"line #", "# points"}, false);
  auto& xp = cc2dbuff.xp;
  auto& yp = cc2dbuff.yp;
  LineOnMap line(run.window, run.clipped);
  std::string rec;
  for (;;) {
    const ReadResult r = fixed_record(rec);
    if (r == ReadResult::end_of_file) return {};
    if (r == ReadResult::ok && utig_count_too_wide(rec)) return utig_too_long(run.nline + 1);
    int nval = 0;
    UtigStart start;
    if (r == ReadResult::error || !read_utig_first(rec, nval, start)) return failure();
    if (utig_first_cut_short(rec, nval)) return record_cut_short("LINE #", run.nline + 1);
    ++run.nline;
    int points = nval / 2;
    listing_row({static_cast<double>(run.nline), static_cast<double>(points)});
    if (points > utig_first_points) {
      bool cut_short = false;
      const ReadResult c = read_utig_continuation(points, cut_short);
      if (cut_short) return record_cut_short("LINE #", run.nline);
      if (c != ReadResult::ok) return failed_inside(c, "LINE #", run.nline);
    }
    // Each point a step from the one before it: the steps are counted in
    // whole tenths, and each point is the first plus its count of tenths,
    // rounded once, so that the last point of a long line lies on the
    // lattice as the first does, where a sum of rounded steps drifts off.
    int lat_steps = 0, lon_steps = 0;
    for (int i = 1; i < points; ++i) {
      const auto k = static_cast<std::size_t>(i);
      lat_steps += utig_step(yp[k]);
      lon_steps += utig_step(xp[k]);
      yp[k] = static_cast<real>(start.lat + lat_steps / utig_steps_a_degree);
      xp[k] = static_cast<real>(start.lon + lon_steps / utig_steps_a_degree);
    }
    for (int i = 0; i < points; ++i) line.point(xp[static_cast<std::size_t>(i)], yp[static_cast<std::size_t>(i)]);
    line.end();
  }
}

ReadOutcome read_ign(LineFileRun& run) {
  constexpr int ign_latitude_column = 14;  // the last field
  listing_head(run.title, {"line #"}, true);
  LineOnMap line(run.window, run.clipped);
  int code1 = 0, code2 = 0;
  bool started = false;
  std::string rec;
  for (;;) {
    const ReadResult r = fixed_record(rec);
    if (r == ReadResult::end_of_file) return {};
    int c1 = 0, c2 = 0;
    real lon = 0, lat = 0;
    if (r == ReadResult::error || !read_field_int(rec, 1, 1, c1) || !read_field_int(rec, 2, 1, c2) ||
        !read_field_real(rec, 4, 9, 4, lon) || !read_field_real(rec, ign_latitude_column, 9, 4, lat)) {
      return failure();
    }
    // A record continues the line when it has the codes of the line's
    // first record, unless code1 is 3 or 4 (a line of one point).
    const bool starts = !started || c1 != code1 || c2 != code2 || c1 == 3 || c1 == 4;
    if (ends_before(rec, ign_latitude_column)) return record_cut_short("LINE #", run.nline + (starts ? 1 : 0));
    if (starts) {
      line.end();
      code1 = c1;
      code2 = c2;
      started = true;
      ++run.nline;
      listing_row({static_cast<double>(run.nline)});
    }
    line.point(lon, lat);
  }
}

ReadOutcome read_gebco(LineFileRun& run) {
  listing_head(run.title, {"line #", "code", "# points"}, true);
  LineOnMap line(run.window, false);
  std::string rec;
  for (;;) {
    int code = unset, npts = unset;
    const ReadResult r = fixed_record(rec);
    if (r == ReadResult::end_of_file) return {};
    if (r == ReadResult::error) return failure();
    ListRead in = ListRead::from_text(rec);
    in >> code >> npts;
    // A count below one is no line: the points that follow would be read
    // as headers.
    if (!in.ok() || npts == unset || npts < 1) return failure();
    ++run.nline;
    listing_row({static_cast<double>(run.nline), static_cast<double>(code), static_cast<double>(npts)});
    for (int k = 0; k < npts; ++k) {
      real lat = 0, lon = 0;
      bool cut_short = false;
      const ReadResult p = read_value_pair(lat, lon, cut_short);
      if (cut_short) return record_cut_short("LINE #", run.nline);
      if (p != ReadResult::ok) return failed_inside(p, "LINE #", run.nline);
      line.point(lon, lat);
    }
    line.end();
  }
}

ReadOutcome read_usgs(LineFileRun& run) {
  listing_head(run.title, {"line #"}, true);
  constexpr real end_of_line = -998.0f;
  LineOnMap line(run.window, false);
  bool in_line = false;
  std::string rec;
  for (;;) {
    const ReadResult r = units().read_line(line_file_unit, rec);
    if (r == ReadResult::end_of_file) return {};
    if (r == ReadResult::error) return failure();
    if (is_blank_line(rec)) {
      line.end();
      in_line = false;
      continue;
    }
    // The whole record, in free format: two numbers, or it is unreadable.
    real lat = 0, lon = 0;
    ListRead in = ListRead::from_text(rec);
    if (read_pair(in, lat, lon) != ReadResult::ok) return failure();
    if (!in_line) {
      ++run.nline;
      listing_row({static_cast<double>(run.nline)});
      if (lat <= end_of_line) continue;  // a line counted, nothing drawn
      in_line = true;
    } else if (lat <= end_of_line) {
      line.end();
      in_line = false;
      continue;
    }
    line.point(lon, lat);
  }
}

ReadOutcome read_gshhs(LineFileRun& run) {
  listing_head(run.title, gshhs_labels, true);
  LineOnMap line(run.window, run.clipped);
  std::string rec;
  for (;;) {
    const ReadResult r = fixed_record(rec);
    if (r == ReadResult::end_of_file) return {};
    GshhsHeader h;
    // A count below one is no polygon: its point records would be read as
    // headers.
    if (r == ReadResult::error || !read_gshhs_header(rec, h)) return failure();
    if (ends_before(rec, gshhs_north_column)) return record_cut_short("POLYGON", h.id);
    if (h.npts < 1) return failure();
    bool kept = true;
    real west = h.west, east = h.east;
    if (run.clipped) {
      west = run.window.reduced(h.west);
      east = run.window.reduced(h.east);
      bool by_longitude = true;
      if (h.east < h.west) {
        east_before_west_box(run.nline + 1, h);
        by_longitude = false;
      } else if (h.east - h.west >= whole_turn) {
        by_longitude = false;
      }
      kept = !run.window.polygon_outside(west, east, h.south, h.north, by_longitude);
    }
    if (kept) {
      ++run.nline;
      if (listing()) {
        gshhs_row(run.nline, h);
        if (run.clipped) frame_row(west, east);
      }
    }
    for (int k = 0; k < h.npts; ++k) {
      real lon = 0, lat = 0;
      bool cut_short = false;
      const ReadResult p = read_value_pair(lon, lat, cut_short);
      if (cut_short) return record_cut_short("POLYGON", h.id);
      if (p != ReadResult::ok) return failed_inside(p, "POLYGON", h.id);
      if (kept) line.point(lon, lat);
    }
    line.end();
  }
}

}  // namespace dorvix
