#pragma once
// Reading the user's answers. Every prompt reads its answer line from the
// standard input unit iocom.iuin through read_answer:
//  - when a command file is the input and it ends, the input returns to the
//    keyboard (as the command-file exit does) and the line is read there;
//  - when the keyboard input ends, the run ends in order with a non-zero
//    status, after one line saying so; a prompt never asks for ever.

#include <string>

#include "console/units.hpp"

namespace dorvix {

// One answer line from iocom.iuin. Returns ok, or error for a failed read.
ReadResult read_answer(std::string& line);

// One answer line from a given unit (the error input unit for the
// stop-or-resume questions); end of input ends the run as above.
ReadResult read_answer(int unit, std::string& line);

// Hands the input back to the keyboard at the end of a command file.
void command_file_ended();

// Ends the run because the keyboard input ended.
[[noreturn]] void input_ended();

}  // namespace dorvix
