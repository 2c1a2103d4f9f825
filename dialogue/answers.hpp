#pragma once
// Reading the user's answers. Every prompt reads its answer line through
// read_answer, from the standard input unit in force at that very moment
// (iocom.iuin), so that a question asked again after its command file ended
// is answered at the keyboard:
//  - when a command file is the input and it ends (or cannot be read any
//    more), the input returns to the keyboard (as the command-file exit
//    does) and the line is read there;
//  - when the keyboard input ends, or any other unit cannot be read, the run
//    ends in order with a non-zero status, after one line saying so;
//  - once a stop signal was caught, no answer is read: the run ends for it;
//  - a keyboard answer longer than a line is read is cut as a file's line
//    is, and a warning box says so before the answer is taken.
// A read therefore never fails: a prompt never asks for ever.

#include <string>

namespace dorvix {

// One answer line from iocom.iuin.
void read_answer(std::string& line);

// One answer line from a given unit (the error input unit for the pauses
// and the stop-or-resume questions); its end ends the run as above.
void read_answer(int unit, std::string& line);


// Ends the run because the keyboard input ended (or, after a stop signal,
// for the signal; or, when it could not be read, as a fatal error).
[[noreturn]] void input_ended();

}  // namespace dorvix
