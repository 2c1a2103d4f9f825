#pragma once
// Lines of a file longer than a line is read (UnitFile::max_line
// characters) are cut there and counted by the unit table; a reader calls
// cut_lines_box before it closes the file, so that one warning box tells
// how many were cut and which was the first. An answer typed that long is
// cut the same way, and told at once in the same box.

#include "dialogue/routine_header.hpp"

namespace dorvix {

// The warning box, headed by the reading routine `h`, for the file read on
// `unit`; nothing when no line of it was cut.
void cut_lines_box(const Header& h, int unit);

// The same box, headed by `h`, for the keyboard's line `line`, which was
// cut.
void cut_answer_box(const Header& h, long long line);

}  // namespace dorvix
