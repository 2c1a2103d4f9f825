#pragma once
// The menu of a parameter set-up (a single parameter, the oblique centre,
// the origin, the Ab matrix): its title between rules, its lines, then a
// rule and "UPDATE & EXIT", whose choice leaves the menu.

#include <functional>
#include <string_view>

#include "dialogue/menu_table.hpp"
#include "dialogue/routine_header.hpp"

namespace dorvix {

struct ParameterMenu {
  std::string_view title;
  MenuTable lines;               // between the title and the exit
  bool body_at_level_2 = false;  // the body only while output level 2 is on
  // Asked when the user leaves: false keeps the menu. None: it is left.
  std::function<bool()> may_leave = {};
};

// Runs the menu until it is left; each choice is read with its default.
void parameter_menu(const Header& h, const ParameterMenu& m);

}  // namespace dorvix
