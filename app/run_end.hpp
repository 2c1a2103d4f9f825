#pragma once
// Ending the run in order, at the program's entry, whatever ended it
// (files/stops.hpp): the actions registered for the run's end, then every
// file still written ended and every unit closed, with the lines that say
// what became of each file, and the stop's own line or box.
//
// Memory that runs out is told in a box. A reserve of memory kept from the
// start is given back then; the run's end itself allocates nothing, and
// works from what was made before (the names of the files, the room for
// their reasons, the plot's trailer registered before its file opened).

#include "dialogue/routine_header.hpp"

namespace dorvix {

// Runs the end-of-run actions, ends every file still written and closes
// every unit, flushes the screen and returns the status for the process to
// exit with: the stop signal's, else exit_file_incomplete when a file
// could not be written to its end, else exit_console_lost when the
// console's output failed, else exit_stopped_by_program when memory ran
// out, else `status`. The record of the run then starts afresh.
//
// After a stop signal or memory that ran out, a file still written is
// given up: a replacement is removed and its old file kept, a new file
// ends at its last whole line. Any other end (the end of the input, a
// fatal error, a stop the user chose) comes at a question, where every
// file stands between two records: each file is closed as at its close,
// and a replacement takes the old file's name. A line names each file
// given up, each that could not be written to its end or take its name,
// and at a stop each new file so ended.
int finish_run(int status);

// Keeps the reserve of memory for the run's end and makes an allocation
// that fails end the run; the box that says so names `owner`.
void keep_memory_for_the_end(const Header& owner);

}  // namespace dorvix
