#pragma once
// Numbers written into texts of variable length: coordinates in the
// PostScript output, labels, identifiers and counts in captions. The text
// `ctext` is the caller's fixed-length text: its length is ctext.size(),
// which no writer changes, and no writer writes past it. Each writer fills
// the text from its first column and blanks the columns after the number,
// except the overflow filling of intg2char and real2charf1, which changes
// only the first nmax columns.
//
// A number that does not fit is reported and shown by a visible marker:
// "9" repeated (intg2char, real2charf1) or "X" (caream and the two
// primitives).

#include <string>

#include "numbers/real.hpp"

namespace dorvix {

// ival in its shortest form in columns 1 to nchar (nchar: its digits and
// the minus sign). More than nmax characters: an error box, "9" in columns
// 1 to nmax and nchar = nmax. nmax is taken within 0 and the text length.
void intg2char(std::string& ctext, int& nchar, int nmax, int ival);
// The same operation under its second name.
void carinm2(std::string& ctext, int& nchar, int nmax, int ival);

// x in its shortest fixed-point form with ndec decimals, in columns 1 to
// nchar. When that needs more than nmax columns, fewer decimals are
// written and nchar = nmax; when even no decimal fits, an error box and
// "9" over nmax columns. A value that is not a number, or an infinity, is
// reported and written as asterisks.
void real2charf1(std::string& ctext, int& nchar, int ndec, int nmax, real x);

// x as Fm.n (fixed point) in columns 1 to m. Valid for 1 <= m <= 99,
// 0 <= n < m and m within the text; otherwise an error box and "X".
void careafmpn(std::string& ctext, int m, int n, real x);
// x as Em.n (0.ddE+xx) in columns 1 to m. Valid for 7 <= m <= 99,
// 0 <= n <= m - 7 and m within the text; otherwise an error box and "X".
void careaempn(std::string& ctext, int m, int n, real x);

// x in columns 1 to m, fixed point or scientific by its magnitude. A width
// below 3, a magnitude that fits neither layout, or a value that is not a
// finite number: a report without pause and "X".
void caream(std::string& ctext, int m, real x);

}  // namespace dorvix
