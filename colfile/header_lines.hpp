#pragma once
// The two named header lines of a column file: the title and the column
// names. Each reader sets its default first, skips the lines before its
// own, reads that line free-format (quoted texts; a bare word is read as a
// one-word text), rewinds the file and reports in a small box. Reaching the
// end of the file is no failure: the defaults stay.

#include <span>
#include <string>
#include <string_view>

namespace dorvix {

namespace colfile {

// Reads and drops lines 1 to last of the file open on iunit. Returns the
// first line that could not be read, 0 when all were read or the file
// ended first (`ended` set).
int skip_lines(int iunit, int last, bool& ended);

// The default names of file columns 1 to nfcol: "File.col." and the
// column number, 11 characters each.
void default_column_names(std::span<std::string> namfcol, int nfcol);

}  // namespace colfile

// The title from line ititle of the file open on iunit into `title`, a
// text of the caller's length (its size), cut or blank-padded; "Untitled"
// when ititle is below 1 (a warning box; the file is not touched) or the
// line is not there.
// ierr: 0 read, 1 read error on the title line, 2 read error on a line
// before it. ilflag even shows the title box after a read, odd does not.
void getftitle1(int& ierr, std::string& title, std::string_view fname, int iunit, int ititle, int ilflag);

// The names of file columns 1 to nfcol from line iheader into namfcol
// (11 characters each, at most namfcol.size() names); defaults
// "File.col." and the column number. ierr as for the title.
// ilflag 0 lists the names, any other value does not.
void getfnamcol(int& ierr, std::span<std::string> namfcol, int nfcol, std::string_view fname, int iunit,
                int iheader, int ilflag);

}  // namespace dorvix
