#pragma once
// Fields of fixed-column lines (catalogue lines, line files), read the way a
// Fortran formatted read with blanks ignored reads them:
//  - columns count from 1; a line shorter than the field reads as if padded
//    with blanks;
//  - blanks inside a numeric field are ignored and an all-blank field reads 0;
//  - a real written without a decimal point takes its last `decimals` digits
//    as decimals ("  1234" read with 2 decimals is 12.34);
//  - an integer field must hold an integer;
//  - NaN, infinities and overflow are unreadable.

#include <string>
#include <string_view>

#include "console/real.hpp"

namespace dorvix {

// The characters of columns [col, col + width), padded with blanks.
std::string field_text(std::string_view line, int col, int width);

bool read_field_int(std::string_view line, int col, int width, int& value);
bool read_field_real(std::string_view line, int col, int width, int decimals, real& value);
// The same by the general route alone (the field squeezed and read as a
// number item); read_field_real takes a shorter route for the usual field
// and gives the same value.
bool read_field_real_general(std::string_view line, int col, int width, int decimals, real& value);

}  // namespace dorvix
