#pragma once

namespace dorvix {

// Every real value of the program (angles, coordinates, sizes) is single
// precision: the stored catalogues, the geometry and the printed figures all
// follow from 32-bit arithmetic, so the number type is chosen here once.
using real = float;

}  // namespace dorvix
