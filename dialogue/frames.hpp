#pragma once
// The "@" frames of the dialogue: menu heads and tails, entry and exit
// traces, and the listing of the console block at start-up.

#include <initializer_list>
#include <string_view>

#include "dialogue/console_units.hpp"
#include "dialogue/routine_header.hpp"

namespace dorvix {

// Writes one line on a unit (the end of line is added).
void put(int unit, std::string_view line);
// Writes one line of items on a unit, each after one blank as ItemLine
// lays them out, straight to the unit: nothing is built, so nothing is
// allocated (the run's end, when memory may have run out, says so what
// became of its files).
void put_items(int unit, std::initializer_list<std::string_view> items);
// A message line on the standard output unit: a blank, then the text
// (written as put_items writes it).
void say(std::string_view text);
// The rule between the parts of a menu: a blank and 43 "-".
void dash_rule();

// 43 "@", and one "@" followed by 42 "=".
inline constexpr std::string_view at_rule = "@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@";
inline constexpr std::string_view at_equals_rule = "@==========================================";

void initsio();
void mainmenuhead(const Header& h);
void submenuhead(const Header& h);
void menutail();
void subhead(const Header& h);
void subtail(const Header& h);

// The name of a header record blank-padded to 11 characters.
std::string header_name(const Header& h);

}  // namespace dorvix
