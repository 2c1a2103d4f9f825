#pragma once
// Lines shared by the menus of the plot attributes, the colour table and
// the plot parameters. Every line goes to the standard output unit and
// begins with one blank column.

#include <string>
#include <string_view>

#include "dialogue/item_lines.hpp"
#include "numbers/edit.hpp"
#include "plot/plot_attributes.hpp"

namespace dorvix::plotmenu {

// The heads of the red, green and blue columns: "   red% | green% |  blue% |".
inline void append_component_heads(std::string& line) {
  for (std::string_view word : {"red%", "green%", "blue%"}) {
    line += ' ';
    edit::a(line, word, 6);
    line += " |";
  }
}

// The head of a colour listing: "|index|      name|   red% | green% |  blue% |".
inline void colour_listing_head() {
  std::string line = "|index|";
  edit::a(line, "name", 10);
  line += '|';
  append_component_heads(line);
  say(line);
}

// The red, green and blue of a listing row, each " ddd.d |".
inline void append_components(std::string& line, real red, real green, real blue) {
  for (real c : {red, green, blue}) {
    line += ' ';
    edit::f(line, c, 6, 1);
    line += " |";
  }
}

// One row of a colour listing: "|  ii |" + the name field + the components.
inline void colour_listing_row(int index, std::string_view name_field, real red, real green, real blue) {
  std::string line = "| ";
  edit::i(line, index, 3);
  line += " |";
  line += name_field;
  line += '|';
  append_components(line, red, green, blue);
  say(line);
}

}  // namespace dorvix::plotmenu
