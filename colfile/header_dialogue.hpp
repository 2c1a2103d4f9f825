#pragma once
// The header layout of a column file: how many lines the dialogue shows,
// how many header lines precede the data, and which of them hold the title
// and the column names. With a menu, the first lines of the open file are
// shown labelled by the current layout after every change.

#include <string_view>

#include "colfile/column_layout.hpp"
#include "dialogue/setup_mode.hpp"

namespace dorvix {

// Most header lines that can be skipped (the answer to "Number of dataless
// lines to skip" is taken from 0 to this).
inline constexpr int max_header_lines = 9999;

// The header layout (in/out) under mode (inter, dialogue/setup_mode.hpp):
// the stored layout is the set-up record's, the defaults those of
// HeaderLayout; even modes show the file and the menu until its 99; a code
// outside the common six is reported in an error box, where the user stops
// or goes on from the layout passed. A title or name line beyond iskip is
// reset to 0. The layout is written back and into the set-up record.
// ierr: 1 when the last display of the file met a read error or ended
// inside the header lines, else 0.
void sfheader1(int& ierr, HeaderLayout& layout, std::string_view fname, int iunit, SetupMode mode);

// Shows lines 1 to ndisp of the file open on iunit, each under its label
// (title, column names, header to skip, data), and rewinds it. A file that
// ends first is reported in a warning box; ierr is 1 when it ends at or
// before line iskip (the header is incomplete) or a line cannot be read,
// else 0.
void showfhead1(int& ierr, std::string_view fname, int iunit, int ndisp, int iskip, int ititle, int iheader);

}  // namespace dorvix
