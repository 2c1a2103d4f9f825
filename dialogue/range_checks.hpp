#pragma once
// Range checks on values a routine is about to use. A value inside its
// bounds passes silently with istat 0; a value outside is reported in a box
// that names the quantity, its value, the bounds and the calling routine,
// and istat is set to 1. The box's ending decides whether the run goes on.

#include <string_view>

#include "numbers/real.hpp"

namespace dorvix {

// An integer in the inclusive range [imin, imax]. Outside: an
// unrecoverable error (the user chooses to stop, default yes, or resume).
// The value is never changed.
void cinvin(int ival, int imin, int imax, std::string_view csub, std::string_view cvar, int& istat);

// An integer not above imax; reported as cinvin.
void cinmax(int ival, int imax, std::string_view csub, std::string_view cvar, int& istat);

// A real in [vmin, vmax] (a value that is not a number passes). Outside,
// the value is brought back to the nearer bound (except with severity 4)
// and the severity igrav decides the ending:
//   0 warning, the run goes on;       1 error, the run goes on;
//   2 recoverable error (resume?);    3 unrecoverable error (stop?);
//   4 fatal: the run stops, the value unchanged;
//   any other: reported, then handled as 3.
void crevin2(std::string_view cvar, real& val, real vmin, real vmax, std::string_view csub, int igrav, int& istat);

}  // namespace dorvix
