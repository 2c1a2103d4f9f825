#pragma once
// The passes of the column-file reader over its file. The dialogue reads
// the file's first lines several times (the header shown, the title, the
// column names at every turn of the column menu, the title again before
// the data), and each pass starts again at line 1, as does a second try
// on the same file after a failure. A file on a disk is rewound for it. A
// pipe cannot be: it keeps the lines read from it, and a pass after its
// rewind reads those again before it reads on, so that a pipe is read as
// a file of the same lines would be. Every reading of the column file
// goes through here.

#include <optional>
#include <string>

#include "files/list_read.hpp"

namespace dorvix::colfile {

// True when the line holds nothing but blanks, TABs and carriage returns.
inline bool blank_line(const std::string& line) { return line.find_first_not_of(" \t\r") == std::string::npos; }

// The next line of the pass over the file open on iunit.
ReadResult read_line(int iunit, std::string& line);

// The same lines for a free-format read.
ListRead::LineSource lines_of(int iunit);

// The next pass starts at line 1.
void rewind(int iunit);

// The rows (lines not blank) that the passes have not reached, read to
// the end of the file without keeping them; nothing when a line cannot be
// read.
std::optional<long long> rows_left(int iunit);

}  // namespace dorvix::colfile
