#pragma once
// The round face of "&" drawn at the end of an unrecoverable error (mouth
// turned down) and at the end of a run (mouth turned up). Internal to the
// console.

namespace dorvix {

enum class Mouth { down, up };

// 18 rows of 40 columns, each after an indent of 4 blanks, between two
// empty rows, on the standard output unit.
void draw_face(Mouth mouth);

}  // namespace dorvix
