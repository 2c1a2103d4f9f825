#pragma once
// Typed prompts: every value the program asks of the user goes through one
// of these. Each writes its question on iocom.iuout, reads one answer from
// iocom.iuin, reports an unusable answer in an error box and asks again
// until an answer is accepted, then echoes it after "New value =".
// An answer whose first character is a blank (an empty line included)
// takes the default. `istat` is set to 0 and never changed.

#include <cstddef>
#include <string>
#include <string_view>

#include "numbers/real.hpp"

namespace dorvix {

// First and last non-blank positions (1-based) of a text; an all-blank text
// of length L gives L and L, an empty text 1 and 0.
void textlen(int& ifirst, int& ilast, std::string_view ctext);
// The text between those positions.
std::string_view trimmed(std::string_view ctext);
// Number of characters of the decimal form of ival.
void integlen(int& nlen, int ival);

void inintegdef(int& ival, std::string_view cprompt, const int& idef, int& istat);
void ininteg1(int& ival, std::string_view cprompt, int& istat);
void inintegdefnp(int& ival, std::string_view cprompt, const int& idef, int& istat);
// The ranged prompts (the "vindef" ones) take their default once, on entry; a
// default outside [min, max] is not offered: the nearest bound is, and a
// line under the range says so once.
void inintegvindef(int& ival, std::string_view cprompt, const int& idef, int ivmin, int ivmax, int& istat);
void inintegvin1(int& ival, std::string_view cprompt, int ivmin, int ivmax, int& istat);

void inrealdef(real& val, std::string_view cprompt, const real& def, int& istat);
void inrealvindef(real& val, std::string_view cprompt, const real& def, real vmin, real vmax, int& istat);

void inlogicdef(bool& lval, std::string_view cquestion, const bool& ldef, int& istat);
void inlogicdef2(bool& lval, std::string_view cquestion, const bool& ldef, int iunitin, int iunitout, int& istat);

// A text of `width` characters: the answer (at most 80 characters are
// looked at) or the default, cut or blank-filled to `width`.
void inchardef(std::string& cval, std::string_view cprompt, std::string_view cdef, int& istat,
               std::size_t width = 80);
// A text without default: any line, an empty one included.
void inchar1(std::string& cval, std::string_view cprompt, int& istat, std::size_t width = 80);

}  // namespace dorvix
