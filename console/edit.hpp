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

}  // namespace dorvix::edit
