#pragma once
// Number editing in the manner of Fortran edit descriptors. Every listing,
// frame, catalogue line, table row and PostScript number takes its layout
// from here, so the rules live in one place:
//  - a value right-aligned in a field of w columns;
//  - a value too wide for its field fills it with w asterisks;
//  - decimal rounding is half away from zero, on the exact binary value;
//  - a negative value that rounds to zero keeps its minus sign ("-0.00");
//  - NaN and infinities, which have no number to show, fill the field
//    with asterisks too: no "NaN" ever reaches a file.
// Each editor comes in two forms: one appends to a line being built (no
// allocation in loops that write many numbers), one returns the field.
// Iw and Fw.d also come in a third form, for writers of many fields: the
// field edited in place in a character buffer (a catalogue line, the plot
// file's buffer).

#include <cstddef>
#include <string>
#include <string_view>

namespace dorvix::edit {

// Iw: integer in w columns.
void i(std::string& out, long long v, int w);
// Iw.m: at least m digits, with leading zeros.
void i(std::string& out, long long v, int w, int m);
// Fw.d: fixed point with d decimals.
void f(std::string& out, double v, int w, int d);
// Ew.d: 0.ddddE+ee with d digits.
void e(std::string& out, double v, int w, int d);
// Gw.d: Fw'.d' followed by 4 blanks when 0.1 <= |v| < 10**d, else Ew.d.
void g(std::string& out, double v, int w, int d);
// Lw: w-1 blanks and T or F.
void l(std::string& out, bool v, int w);
// Aw: the text right-aligned in w columns, or its first w characters.
void a(std::string& out, std::string_view s, int w);
// nX: n blanks.
void x(std::string& out, int n);

// In place: the text written right-aligned over the blanks of a field of
// exactly w columns at `field` (w >= 1; the caller blank-fills its line
// once). False when the value did not fit and the field holds asterisks.
inline bool i_field(char* field, long long v, int w, int m = 1);
// Aw: the text right-aligned over the blanks of w columns, or its first w
// characters.
inline void a_field(char* field, std::string_view s, int w);
inline bool f_field(char* field, double v, int w, int d);
inline bool f_field(char* field, float v, int w, int d);  // the same; a single-precision value is quicker

// Fw.d with w = 0 (no field: the shortest text) of a single-precision
// value, written at `out`, which has room for free_room(d) characters.
// Returns the end of the text. A value with no number to show writes "*".
inline char* f_free(char* out, float v, int d);
constexpr std::size_t free_room(int d) { return 42 + static_cast<std::size_t>(d > 0 ? d : 0); }

// Fw.d by the general route alone: the exact decimal expansion of the
// value, rounded digit by digit. Every faster route above gives its result.
void f_general(std::string& out, double v, int w, int d);

std::string i(long long v, int w);
std::string i(long long v, int w, int m);
std::string f(double v, int w, int d);
std::string e(double v, int w, int d);
std::string g(double v, int w, int d);
std::string l(bool v, int w);
std::string a(std::string_view s, int w);

// The text cut or blank-filled to exactly w characters (a fixed-width text
// field; unlike Aw a short text is padded on the right).
std::string pad(std::string_view s, std::size_t w);

// Number of characters of the decimal form of v ("-" included).
int digits(long long v);

// Fw.d in place of an angle whose range is a half-open turn: a value that
// rounds to the excluded end `from` is written as the included end `to`,
// the same direction (an SHmax of 179.96 as 0.0, an azimuth of -179.96 as
// 180.0).
class FoldedField {
 public:
  FoldedField(int w, int d, double from, double to) : w_(w), d_(d), from_(f(from, w, d)), to_(f(to, w, d)) {}
  void write(char* field, float v) const;

 private:
  int w_, d_;
  std::string from_, to_;
};

}  // namespace dorvix::edit

#include "numbers/edit_fields.hpp"

namespace dorvix::edit {

inline void FoldedField::write(char* field, float v) const {
  f_field(field, v, w_, d_);
  if (std::string_view(field, from_.size()) == from_) to_.copy(field, to_.size());
}

}  // namespace dorvix::edit
