#pragma once
// The data part of a column file, read record by record into the caller's
// array with the set-up fixed by the dialogues.

#include <string_view>

#include "colfile/column_array.hpp"
#include "dialogue/setup_mode.hpp"

namespace dorvix {

// Skips the header lines of the file open on iunit and reads records of
// nfcol numbers (set-up record) until the end of the file or until the
// array is full, storing file column jfcol(v) of record n in line n of
// array column jcol(v). A record takes its numbers from as many lines as it
// needs; a field without a value (an empty field between commas, a slash
// before the record is complete) is a read error like a word, nan, inf or
// an overflow. Records taken from more than one line and an incomplete last
// record (dropped) are reported in a warning box, and so is a full array,
// with the rows of the file left unread (read to its end to count them).
// ierr: 0 read, the file closed; 2 read after an array column beyond the
// array was corrected; 1 a header line or record could not be read, the
// file left open and rewound, nread unchanged (the records before stay in
// the array). Lines beyond the last record are left as they were.
// mode (dialogue/setup_mode.hpp): silent gives the one-line report, with
// the menu the full report.
void getfreal(int& ierr, int& nread, int& ncolused, Columns rdat, std::string_view fname, int iunit,
              SetupMode mode);

}  // namespace dorvix
