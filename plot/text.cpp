// Texts at device level.
//
// Justification j (plt2blk.justif, -11..11): |j| / 4 is the row of the
// anchor (0 bottom = the baseline, 1 middle, 2 top), |j| mod 4 the
// horizontal alignment (0 and 1 left, 2 centre, 3 right); a negative j
// drops the text's leading and trailing blanks first. In dialects 1 and 2
// the start of the baseline is moved from a middle or top anchor by
// d = 0.5 * txtsize * row towards the bottom of the rotated text, and a
// centred or right-aligned text moves back by half or all of its width
// along its direction before it is shown. In dialect 3 a text is an
// Illustrator text object whose matrix carries the rotation and whose
// alignment code places it.

#include <cmath>
#include <cstdlib>
#include <string>

#include "dialogue/prompts.hpp"
#include "geometry/angles.hpp"
#include "numbers/edit.hpp"
#include "plot/device.hpp"
#include "plot/ps_stream.hpp"

namespace dorvix {

namespace {

constexpr Header detext2_header{"detext2", " 7.0", "18-07-2001"};

constexpr real full_turn_degrees = 360.0f;
// Line spacing of an Illustrator text object, in text sizes.
constexpr real leading_per_size = 1.64f;

// The text as written: trimmed for a negative justification (an all-blank
// text keeps its last character), otherwise whole.
std::string_view written_text(std::string_view text) {
  if (plt2blk.justif >= 0) return text;
  int first = 0, last = 0;
  textlen(first, last, text);
  if (last < first) return {};
  return text.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
}

// The text angle within one turn, so that the rotate field (7 columns,
// 2 decimals) always holds it.
real reduced_angle() {
  const real a = std::fmod(plt2blk.txtangle, full_turn_degrees);
  return std::isfinite(a) ? a : real(0);
}

// The text of a record being built, emptied: one string serves every
// text, so that writing one allocates nothing.
std::string& record_line() {
  static std::string line;
  line.clear();
  return line;
}


// An anchor coordinate of an Illustrator text object: 8 columns with one
// decimal, or, for a value too wide for them, a blank and its shortest form.
// A value that fills its 8 columns gets a blank before it all the same, so
// that it never runs into the number before it.
void anchor_field(std::string& line, real v) {
  const std::string field = edit::f(v, 8, 1);
  if (field.find('*') == std::string::npos) {
    if (field.front() != ' ') line += ' ';
    line += field;
  } else {
    line += ' ';
    ps::number(line, v);
  }
}

void text_dialect12(real& x, real& y, std::string_view text, int a) {
  const bool compressed = psparams.ipstype == dialect_compressed;
  const real angle = reduced_angle();
  const int row = a / 4;
  if (row == 0) {
    if (!std::isfinite(x) || !std::isfinite(y)) {
      psstrokepath();  // no place to write the text
      return;
    }
    psmoveto(x, y, 0);
  } else {
    const real d = real(0.5) * psparams.txtsize * static_cast<real>(row);
    const real theta = rad(angle);
    real xs = x + d * std::sin(theta);
    real ys = y - d * std::cos(theta);
    if (!std::isfinite(xs) || !std::isfinite(ys)) {
      psstrokepath();
      return;
    }
    psmoveto(xs, ys, 0);
  }

  UnitFile* out = ps::file();
  std::string& line = record_line();
  if (plt2blk.txtangle != 0) {
    edit::f(line, angle, 7, 2);
    line += " rotate";
    ps::record(out, line);
  }

  line.clear();
  edit::i(line, ps::font_points(psparams.txtsize), 0);
  line += ' ';
  line += text_designator();
  line += compressed ? " sym" : " findfont exch scalefont setfont";
  ps::record(out, line);

  psrgbcolor(3);

  const int h = a % 4;
  line.clear();
  line += '(';
  ps::string_body(line, text);
  if (h == 2 || h == 3) {
    line += ')';
    ps::record(out, line);
    line.clear();
    line += compressed ? "sl " : "dup stringwidth pop ";
    edit::i(line, h - 4, 2);
    line += compressed ? " div 0 G" : " div 0 rmoveto";
    ps::record(out, line);
    ps::record(out, std::string("show"));
  } else {
    line += ") show";
    ps::record(out, line);
  }

  if (plt2blk.txtangle != 0) {
    line.clear();
    edit::f(line, -angle, 7, 2);
    line += " rotate";
    ps::record(out, line);
  }
}

void text_dialect3(real& x, real& y, std::string_view text, int a) {
  psstrokepath();
  if (!std::isfinite(x) || !std::isfinite(y)) return;  // no place to write the text
  ps::clip(x, y, detext2_header);
  const real theta = rad(reduced_angle());
  const real c = std::cos(theta);
  const real s = std::sin(theta);
  const int h = a % 4;
  const int alignment = h >= 2 ? h - 1 : 0;

  UnitFile* out = ps::file();
  std::string& line = record_line();
  line += "/_";
  line += text_designator();
  line += ' ';
  edit::i(line, ps::font_points(psparams.txtsize), 0);
  line += ' ';
  ps::number(line, leading_per_size * psparams.txtsize);
  line += " 0";
  edit::i(line, alignment, 2);
  line += " z [";
  for (real m : {c, s, -s, c}) edit::f(line, m, 7, 3);
  anchor_field(line, x);
  anchor_field(line, y);
  line += "]e";
  ps::record(out, line);

  line.clear();
  line += '(';
  ps::string_body(line, text);
  line += ")t T";
  ps::record(out, line);
  ps::report_clipped();
}

}  // namespace

const std::string& text_designator() { return psparams.fonts(text_font(psparams)); }

void intstextsize(real height) { psparams.txtsize = height * plt1blk.cm2pt; }

void detext2(real& x, real& y, std::string_view text) {
  const int a = std::abs(plt2blk.justif);
  const std::string_view t = written_text(text);
  switch (psparams.ipstype) {
    case dialect_compressed:
    case dialect_news:
      text_dialect12(x, y, t, a);
      break;
    case dialect_illustrator:
      text_dialect3(x, y, t, a);
      break;
    default:
      break;
  }
}

}  // namespace dorvix
