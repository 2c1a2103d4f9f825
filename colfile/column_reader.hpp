#pragma once
// Reading one column file into the caller's array through the whole
// dialogue: the file is opened, its header layout shown and set, its title
// read, the columns chosen, the reading confirmed, and the records read.
// Every failing step leads to one retry menu: the same file again, another
// file, or giving up.

#include <string>
#include <string_view>

#include "colfile/column_array.hpp"
#include "colfile/column_layout.hpp"
#include "dialogue/setup_mode.hpp"

namespace dorvix {

// ierr      out: 0 the file was read, 1 it was not.
// title     out: the file's title, a text of the caller's length (its size).
// fname     in/out: the file's name, a text whose size is the caller's name
//           field (longer names are refused); the name opened is written
//           back blank-padded to it.
// fexpl     what the file is, for the file opener.
// iunit     the unit the file is read on.
// layout    in/out: the header layout.
// data      the caller's array and its variables (colfile/column_array.hpp):
//           lines 1 to nread of the variables' columns receive the data,
//           other cells are left.
// imodlev   what the user may change in the column dialogue (1 to 4).
// mode      (inter, dialogue/setup_mode.hpp) from the defaults: the defaults
//           set, nothing opened; any other mode reads, with the menus when
//           even, silently (the name opened as passed) when odd; a code
//           outside the common six is reported first in an error box,
//           where the user stops or goes on.
void readreal6(int& ierr, std::string& title, std::string& fname, std::string_view fexpl, int iunit,
               HeaderLayout& layout, ColumnArray& data, int imodlev, SetupMode mode);

}  // namespace dorvix
