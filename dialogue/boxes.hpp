#pragma once
// Warning and error boxes. A reporting routine opens a box with a head,
// writes its own message lines on iocom.iuout, and closes it with exactly
// one tail. Heads, tails, verdicts and questions go to the error units.

#include "dialogue/console_units.hpp"
#include "dialogue/routine_header.hpp"

namespace dorvix {

void warninghead(const Header& h);
void errorhead(const Header& h);
void warningtail00();
void errortail00();
// lfatal 0: recoverable (asks STOP, default No); 1: unrecoverable (sad
// face, asks STOP, default Yes). Yes ends the run.
void errortail01(int lfatal);
// igrav 0: asks RESUME (default Yes); 1: asks STOP (default Yes);
// 2: fatal, ends the run without a question; other values do nothing.
void errorstop(int igrav);
void warningtail0(int idum);
void errortail0(int idum);
void sorryface();

}  // namespace dorvix
