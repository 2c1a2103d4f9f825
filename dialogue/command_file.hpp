#pragma once
// Command files: a text file of answers, one a line, that stands in for the
// keyboard. While one is active the standard input unit iocom.iuin is the
// command file's unit, iocom.lcomfop is true and output level 2 is off;
// the pauses and stop-or-resume answers of boxes stay on the keyboard.

#include <cstddef>
#include <string>

namespace dorvix {

// Length of the command-file name field of the main program.
inline constexpr std::size_t command_file_name_width = 35;

// The menu "ALTERNATE STANDARD INPUT": 5001 starts a command file, 5002
// ends it, 5003 ends it and turns the choice into 9999 (quit), 99 or an
// empty answer leaves. Any other answer shows the menu again (iflag 0) or
// stops the run (iflag 1). `irep` receives the choice.
void altsio(int iunit, std::string& cname, int& irep, int iflag, std::size_t width = command_file_name_width);

// Opens the command file (its name chosen, typed or given, see opef2) and
// switches the standard input to it. Warns when one is already active.
void beginaltsi(int iunit, std::string& cname, int iflag, std::size_t width = command_file_name_width);

}  // namespace dorvix
