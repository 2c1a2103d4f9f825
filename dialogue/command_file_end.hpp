#pragma once
// The end of a command file: the input handed back to the keyboard, at the
// command file's end or where it went wrong (files/units.hpp holds its
// unit). The answers, the opener and the command-file menu all end it
// here.

#include <string>
#include <string_view>

#include "dialogue/routine_header.hpp"

namespace dorvix {

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

// Hands the input back to the keyboard at the end of a command file.
void command_file_ended();

// The warning box of a command-file switch that has nothing to do (no
// command file to end, or one already open): `why`, and no action.
void no_action_warning(const Header& h, std::string_view why);

}  // namespace dorvix
