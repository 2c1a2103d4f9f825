#pragma once
// The geometry's notices shown on the console, and the start-up line of
// the angle records.

namespace dorvix {

// Hands the geometry the boxes that show its notices: a vector far from
// unit length (cc2lln's warning box), a vertical s3 clamped to +-1
// (se1232eu's warning box within rounding, its error box beyond) and a
// count beyond the arrays of a rotation (the error box of eu2se123 or
// se1232eu, and the run stops). The program's start calls it before
// anything could be told; until then the geometry tells nothing.
void show_geometry_notices();

// Says on the console, in its frame, that the angle records are set; they
// are constants, so it sets nothing.
void trigoset();

}  // namespace dorvix
