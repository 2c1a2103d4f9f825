#pragma once
// The end-of-run display: a framed closing block with the program's name,
// version and the time of the end, around one of nine small pictures
// chosen by the last digit of the seconds of that time.

#include <string_view>

namespace dorvix {

// The closing block, with one picture, on the standard output unit. The
// time shown and the picture come from one clock reading. The date is not
// shown.
void maintail(std::string_view cname, std::string_view cver, std::string_view cdate);

// The pictures, each on the standard output unit between two empty rows.
void happyface();     // the round face, smiling
void sator();         // the SATOR AREPO TENET OPERA ROTAS square
void carmag33();      // the 3 by 3 magic square
void endfun1();       // three faces over a wall and a cartoon's last words
void tetrakis();      // ten points in rows of 1, 2, 3 and 4
void tetratemple1();  // that triangle as a temple's pediment, from the front
void tetratemple2();  // the same temple in perspective
void offsetnf();      // layered rock cut by three normal faults
void offsetrf();      // the same layers cut by three reverse faults

}  // namespace dorvix
