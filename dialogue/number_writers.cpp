#include "dialogue/number_writers.hpp"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "dialogue/boxes.hpp"
#include "dialogue/item_lines.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

namespace {

constexpr Header intg2char_header{"intg2char", "3.00", "16-12-98  "};
constexpr Header real2charf1_header{"real2charf1", " 1.3", "30-01-2010"};

// Widths of the numbers in the report lines.
constexpr int report_int_width = 20;
constexpr int report_real_width = 30;
constexpr int report_real_decimals = 5;

// The widest field a layout descriptor can name: (f99.98), (e99.92).
constexpr int max_width = 99;

// Room the caller allows, never beyond its text.
int room_of(const std::string& ctext, int nmax) { return std::clamp(nmax, 0, static_cast<int>(ctext.size())); }

// The text set to `field` from its first column, blanks after.
void set_text(std::string& ctext, std::string_view field) { ctext = edit::pad(field, ctext.size()); }

// The overflow marker: "9" over the room, the other columns untouched.
void fill_with_nines(std::string& ctext, int room) {
  ctext.replace(0, static_cast<std::size_t>(room), static_cast<std::size_t>(room), '9');
}

// The closing lines of the overflow boxes of intg2char and real2charf1.
void overflow_tail(int room) {
  ItemLine().text("with only ").integer(room, report_int_width).text("digits").write();
  say("==> NEED LONGER CHARACTER STRING");
  ItemLine().text("==> fill with 9 and set nchar =").integer(room, report_int_width).write();
  errortail00();
}

// The box of a primitive given an impossible layout.
void invalid_layout_box(const Header& h, std::string_view what, int m, int n, std::string& ctext) {
  errorhead(h);
  ItemLine().text("m =").integer(m, 10).text("n =").integer(n, 10).write();
  say(what);
  say(" ===> fill with X");
  errortail00();
  set_text(ctext, "X");
}

// The report of caream: five lines, no box and no pause.
void caream_report(std::string_view title, int m, std::string_view what, const int* number, std::string& ctext) {
  const std::string stars(27, '*');
  say(stars);
  say(title);
  ItemLine line;
  line.text("*** m =").integer(m, 12).text(what);
  if (number != nullptr) line.integer(*number, 12);
  line.write();
  say("*** => fill with X      ***");
  say(stars);
  set_text(ctext, "X");
}

constexpr std::string_view caream_title = "*** ERROR in caream     ***";
constexpr std::string_view carem_title = "*** ERROR in carem      ***";

// Integer part, toward zero, of the single-precision decimal logarithm.
int log10_part(real a) { return static_cast<int>(std::log10(a)); }

}  // namespace

void intg2char(std::string& ctext, int& nchar, int nmax, int ival) {
  const int room = room_of(ctext, nmax);
  nchar = edit::digits(ival);
  if (nchar > room) {
    errorhead(intg2char_header);
    ItemLine().text("Cannot write integer =").integer(ival, report_int_width).write();
    overflow_tail(room);
    fill_with_nines(ctext, room);
    nchar = room;
    return;
  }
  set_text(ctext, edit::i(ival, nchar));
}

void carinm2(std::string& ctext, int& nchar, int nmax, int ival) { intg2char(ctext, nchar, nmax, ival); }

void real2charf1(std::string& ctext, int& nchar, int ndec, int nmax, real x) {
  ndec = std::max(ndec, 0);
  const int room = room_of(ctext, nmax);
  // The margin makes a value that rounds up to the next power of ten get
  // its extra integer place.
  const real delta = static_cast<real>(std::pow(10.0, -ndec)) + real(1.0e-7);
  const real xm = x - delta;
  const real xp = x + delta;
  int n = 0;  // integer places
  if (!std::isfinite(x)) {
    constexpr int assumed_places = 4;
    n = assumed_places;
    nchar = ndec + 5;
    errorhead(real2charf1_header);
    ItemLine().text("Cannot get size of real =").fixed(x, report_real_width, report_real_decimals).write();
    ItemLine().text("set n before =").integer(n, report_int_width).write();
    ItemLine().text("set nchar =").integer(nchar, report_int_width).write();
    say("Watch for NaN or +/-Inf in output ?");
    errortail00();
  } else if (xp <= real(-1)) {
    n = log10_part(std::fabs(xm)) + 1;
    nchar = n + ndec + 2;  // sign and point
  } else if (x < real(0)) {
    n = 1;
    nchar = ndec + 3;
  } else if (xm < real(1)) {
    n = 1;
    nchar = ndec + 2;
  } else {
    n = log10_part(std::fabs(xp)) + 1;
    nchar = n + ndec + 1;
  }

  int nd = ndec;
  if (room < nchar) {
    nchar = room;
    nd = room - n - 2;
  }
  if (nd < 0) {
    errorhead(real2charf1_header);
    ItemLine().text("Cannot write real =").fixed(x, report_real_width, report_real_decimals).write();
    overflow_tail(room);
    fill_with_nines(ctext, room);
    nchar = room;
    return;
  }
  careafmpn(ctext, nchar, nd, x);
}

void careafmpn(std::string& ctext, int m, int n, real x) {
  static constexpr Header h{"careafmpn", " 1.2", "16-04-2010"};
  if (m < 1 || m > max_width || n < 0 || n >= m || m > static_cast<int>(ctext.size())) {
    invalid_layout_box(h, "fm.n is not a valid format", m, n, ctext);
    return;
  }
  set_text(ctext, edit::f(x, m, n));
}

void careaempn(std::string& ctext, int m, int n, real x) {
  static constexpr Header h{"careaempn", " 1.1", "16-04-2010"};
  constexpr int exponent_part = 7;  // sign, "0.", "E", exponent sign, 2 digits
  if (m < exponent_part || m > max_width || n < 0 || n > m - exponent_part || m > static_cast<int>(ctext.size())) {
    invalid_layout_box(h, "em.n is not a valid format", m, n, ctext);
    return;
  }
  set_text(ctext, edit::e(x, m, n));
}

void caream(std::string& ctext, int m, real x) {
  constexpr int min_width = 3;
  constexpr int min_exponent_width = 7;
  constexpr int smallest_fixed_exponent = -4;  // down to 1.0E-4 in fixed point
  if (m < min_width) {
    const int need = min_width - 1;
    caream_report(caream_title, m, "need m >", &need, ctext);
    return;
  }
  if (x == real(0)) {
    careafmpn(ctext, m, m - 3, x);
    return;
  }
  if (!std::isfinite(x)) {
    caream_report(caream_title, m, "x is not a finite number", nullptr, ctext);
    return;
  }
  const int k = log10_part(std::fabs(x));
  if (k >= 0) {
    const int p = k + 1;  // integer places
    if (p < m - 2) {
      careafmpn(ctext, m, m - p - 2, x);
    } else if (p <= m - 1) {
      careafmpn(ctext, m, 0, x);
    } else if (m >= min_exponent_width) {
      careaempn(ctext, m, m - min_exponent_width, x);
    } else {
      caream_report(carem_title, m, "1+log10(x) >", &p, ctext);
    }
    return;
  }
  if (k >= smallest_fixed_exponent) {
    careafmpn(ctext, m, m - 3, x);
  } else if (m >= min_exponent_width) {
    careaempn(ctext, m, m - min_exponent_width, x);
  } else {
    caream_report(carem_title, m, "log10(x) <", &k, ctext);
  }
}

}  // namespace dorvix
