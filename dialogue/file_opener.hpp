#pragma once
// The file opener: every file the program reads or writes by name is opened
// here, on the caller's unit and with the caller's status, and the opener
// returns only once the file is open.
//
// The name comes one of three ways:
//  - given (iflag not 0): the name passed in is opened as it stands;
//  - typed (iflag 0, a command file is the input): the name is asked for
//    with the current name as default, so the command file's next line
//    supplies it;
//  - chosen (iflag 0, answers from the keyboard): the console's file
//    chooser: after the "Choose ..." line one line is read from the
//    keyboard and is the chosen path; an empty answer names nothing. For
//    a file to be written that already exists, the user is asked whether
//    to replace it (default No); only Yes lets it be written anew.
// A command file that has no line left when the name is asked hands the
// question to the keyboard.
// A failed open is reported in a warning box that says why, and the name
// is asked for again; a name read from a command file stops the command
// file first (the box gives the line), so the name is then chosen at the
// keyboard. In silent mode (given names) a failure is reported in an
// error box and the run ends with a failure status.
// A file is refused while another program writes it, and a file to be
// written while another program reads or writes it. A symbolic link
// named for writing is replaced by a new file, what it leads to kept; a
// pipe or a terminal is written as it is (a pipe only while a program
// reads from it); a folder or a disk is refused. An existing file is
// replaced whole or not at all (unit_file.hpp), and only the file the
// question named (the question says when it is the catalogue this run
// read): a name that stands for another file or link when the answer
// comes is refused, and asked for again. A file that the runner's rights
// let no replacement take the place of is refused when it is named,
// before the question and before anything is written: a file the runner
// may not write (a read-only one, unless root runs the program), one in a
// folder the runner may not write in, and another user's file in a sticky
// folder, which the new file could never take the name of. A file
// replaced keeps its group, and its owner, ACL and extended attributes,
// as far as the system lets the runner give them (file_owner.hpp).
//
// A name longer than the caller's name field is never cut: it is refused
// with an error box and asked for again (silent mode: the run ends).

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "files/unit_file.hpp"

namespace dorvix {

// The existing files that a name given without a question (typed, given)
// may replace, for status "unknown": a file that is empty or begins with
// one of `heads` (read on the file opened, under its lock); no heads: any
// file. Any other file is refused, the box giving `refusal` as the reason.
struct ReplaceableFiles {
  std::span<const std::string_view> heads;
  std::string_view refusal;
};

// Opens a file on `iunit`.
//   cname   on entry the name to open (silent) or the default answer
//           (typed); trailing blanks are ignored. On return the name that
//           was opened, without trailing blanks.
//   cexpl   what the file is, shown in the opening line and the prompt.
//   cstatus "old" (must exist, read), "new" (must not exist, written) or
//           "unknown" (written from its start); see file_status().
//   iflag   0 interactive, any other value silent.
//   width   the caller's name field length: longer names are refused.
//   replaceable
//           for status "unknown": the existing files that a name given
//           without a question may replace; by default any file.
void opef2(std::string& cname, std::string_view cexpl, int iunit, std::string_view cstatus, int iflag,
           std::size_t width, const ReplaceableFiles& replaceable = {});

// Why `path` could not be opened, as the boxes say it: the program's own
// reason, or the system's in capitals.
std::string open_failure_text(const OpenResult& r, const std::string& path);

}  // namespace dorvix
