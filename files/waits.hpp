#pragma once
// Waits for the keyboard, or a pipe's writer or reader, that a stop signal
// cuts short (files/stops.hpp): the run then acts on the signal instead of
// waiting on for ever.

namespace dorvix {

// Waits until `fd` has something to read (a line, its end, an error) or a
// stop signal cuts the wait short (waits_cut_short); false in the second
// case.
bool wait_for_input(int fd);
// Waits until the pipe `fd` has room for PIPE_BUF characters, which a
// write of that many then takes without waiting (or until its reader has
// gone), or a stop signal cuts the wait short; false in the second case.
// A pipe that has room already needs no wait, and returns true whatever
// signal was caught.
bool wait_for_room(int fd);

}  // namespace dorvix
