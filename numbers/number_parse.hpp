#pragma once
// Strict readers of one numeric item (no surrounding blanks): the forms a
// user types at a prompt or that stand in a free-format file.

#include <string_view>

#include "numbers/real.hpp"

namespace dorvix {

// Optional sign and decimal digits only. Refuses overflow of 32 bits.
bool parse_int(std::string_view item, int& value);

// Optional sign, digits with an optional decimal point (at least one digit),
// optional exponent introduced by E or D in either case. Refuses "nan",
// "inf" and values beyond the single-precision range; a value below the
// smallest single-precision magnitude reads as zero.
bool parse_real(std::string_view item, real& value);
// The same in double precision, for a file's field whose decimals a
// single-precision value cannot hold; the same items are refused.
bool parse_real(std::string_view item, double& value);

}  // namespace dorvix
