#pragma once
// The help box of the catalogue reader and writer: where the FPFIT and HASH
// line layouts are publicly described, and whom to ask.

#include <functional>
#include <vector>

#include "dialogue/menu_table.hpp"
#include "dialogue/routine_header.hpp"

namespace dorvix {

// The box, under the menu head of the routine `h`.
void format_help_box(const Header& h);

// The last rows of the reader's and the writer's menus: the rule, the
// help (the box under `h`) and the exit, which closes the data file
// (`close`) and sets `done`.
std::vector<MenuRow> help_and_exit_rows(const Header& h, std::function<void()> close, bool& done);

}  // namespace dorvix
