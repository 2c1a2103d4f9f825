#pragma once
// The help box of the catalogue reader and writer: where the FPFIT and HASH
// line layouts are publicly described, and whom to ask.

#include "console/iocom.hpp"

namespace dorvix {

// The box, under the menu head of the routine `h`.
void format_help_box(const Header& h);

}  // namespace dorvix
