#pragma once
// The main program: start-up and the top-menu loop. The program's entry
// (main.cpp) runs it and ends the run in order whatever way it ends.

namespace dorvix {

// Sets everything up, then serves the top menu until the user quits.
// Returns the exit status of a quit; any other end of the run unwinds as
// RunEnded.
int run_main_program();

}  // namespace dorvix
