#pragma once
// The main program: start-up and the top-menu loop. The program's entry
// (main.cpp) runs it and ends the run in order whatever way it ends.

#include "dialogue/routine_header.hpp"

namespace dorvix {

// The main program's header record. The version is the project's
// (DORVIX_VERSION_FIELD, set by the build), right-aligned in 4 columns.
inline constexpr Header main_header{"dorvix", DORVIX_VERSION_FIELD, "01-06-2010"};

// Sets everything up, then serves the top menu until the user quits.
// Returns the exit status of a quit; any other end of the run unwinds as
// RunEnded.
int run_main_program();

}  // namespace dorvix
