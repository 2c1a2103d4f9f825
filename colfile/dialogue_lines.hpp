#pragma once
// Lines shared by the dialogues of the column-file reader. Message lines go
// to the standard output unit, one blank before each item; a number stands
// right-aligned in 3 columns unless said otherwise.

#include <string>
#include <string_view>

#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/number_writers.hpp"
#include "dialogue/prompts.hpp"

namespace dorvix::colfile {

// Width of the numbers in the message lines.
inline constexpr int count_width = 3;

// A file name, title or column name as shown: without its outer blanks.
inline std::string shown(std::string_view text) { return std::string(trimmed(text)); }

// "text n" and "text n more" lines, n in `width` columns.
inline void count_line(std::string_view text, int n, std::string_view more = {}, int width = count_width) {
  ItemLine line;
  line.text(text).integer(n, width);
  if (!more.empty()) line.text(more);
  line.write();
}

// "input file NAME what" (closed, rewound).
inline void file_line(std::string_view fname, std::string_view what) {
  ItemLine().text("input file").text(shown(fname)).text(what).write();
}

// A default name: the prefix and the number left-adjusted ("File.col.3").
inline std::string numbered_name(std::string_view prefix, int k) {
  constexpr int room = 11;
  std::string digits(room, ' ');
  int nchar = 0;
  intg2char(digits, nchar, room, k);
  return std::string(prefix) + digits.substr(0, static_cast<std::size_t>(nchar));
}

// Width of the option lines of the set-up menus.
inline constexpr std::size_t option_width = 36;

// The last row of a set-up menu, its exit; the choice that follows
// (choice_loop with Prompt::with_default) leaves it on Return.
inline const MenuRow setup_exit_row{.choice = menu_exit_choice, .label = "SET UP IS OK, EXIT AND PROCEED "};

// The body of a set-up menu, then the closing rule.
inline void show_setup_menu(const MenuTable& menu) {
  show_rows(menu);
  menutail();
}

}  // namespace dorvix::colfile
