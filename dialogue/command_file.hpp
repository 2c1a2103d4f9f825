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

// Closes the command file and hands the input back to the keyboard. Warns
// when none is active. The third argument is not read.
void endaltsi(int iunit, const std::string& cname, int idum);

// A command file stopped where it went wrong: at an answer of it that the
// program refused, or after a write it asked for that failed. Its later
// lines were meant for questions that would no longer come as it expects,
// so the input goes back to the keyboard (with the command file's closing
// report) before the box that says so: the box's pause, and the question
// asked again, are then the keyboard's.
struct CommandFileStop {
  long long line = 0;  // the command file's line read last; 0: none was stopped
  // The box's lines naming that line, when a command file was stopped.
  void say_where() const;
};

// Stops the command file when one is the standard input; called before
// the head of the box that refuses its answer or reports the failed write.
CommandFileStop stop_command_file();

}  // namespace dorvix
