#pragma once
// A menu as one table. Each row is one line of the menu's body and, when
// it carries a choice number, the action that number runs: the same rows
// draw the menu and dispatch the answer, so that a choice is written once.
//
// An option line is its label, a dot leader and its choice number, right
// aligned to the table's width ("test latitude ...............100"), then
// whatever the row's value adds after one blank (a switch "T", a real in
// F8.3, a file name). A line without a choice is the label alone (a
// heading, a rule), or the label and its value. Several rows may show one
// choice (a minimum and a maximum asked together): the first of them with
// an action runs it. A row may be shown only while a condition holds; its
// choice is answered all the same. A row may also draw lines of its own (a
// list whose choices the table's `otherwise` answers), or show its number
// only while a condition holds, dots standing in its place otherwise.
//
// What a row shows is read when the line is drawn: the `shows_…` helpers
// keep a reference to the value, which must outlive the table.

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "numbers/edit.hpp"
#include "numbers/real.hpp"

namespace dorvix {

struct MenuRow {
  std::optional<int> choice = {};                  // none: a line without a choice
  std::string_view label = {};                     // the text before the dot leader
  std::function<void()> action = {};               // what the choice does
  std::function<void(ItemLine&)> value = {};       // what the line shows after it
  std::function<bool()> shown = {};                // shown only while true
  std::function<void()> draw = {};                 // lines drawn in place of the row's own
  // The number shows only while true; the dots run on in its place
  // otherwise (a choice offered for one kind of value only). The choice
  // is answered all the same.
  std::function<bool()> offered = {};
};

struct MenuTable {
  std::vector<MenuRow> rows;
  std::size_t width = 32;  // of an option line, leader and number included
  // What a choice that no row carries does (nothing when empty).
  std::function<void(int)> otherwise = {};
  // The choices `otherwise` answers (all of them when empty); a choice it
  // does not answer, and that no row carries, is one the menu does not
  // offer.
  std::function<bool(int)> answers = {};
  // The numbers right-aligned in at least this many columns, so that a
  // one-digit number keeps a blank before it ("..... 1").
  std::size_t number_width = 0;
};

// What a row shows after its label, read each time the line is drawn: a
// switch as "T" or "F", an integer right-aligned in `width` columns, a
// real in fixed point, a text as it stands. The value must outlive the
// table; a temporary would be gone when the line is drawn.
inline std::function<void(ItemLine&)> shows_flag(const bool& v) {
  return [&v](ItemLine& l) { l.text(edit::l(v, 1)); };
}
inline std::function<void(ItemLine&)> shows_integer(const int& v, int width) {
  return [&v, width](ItemLine& l) { l.integer(v, width); };
}
inline std::function<void(ItemLine&)> shows_fixed(const real& v, int width = 8, int decimals = 3) {
  return [&v, width, decimals](ItemLine& l) { l.fixed(v, width, decimals); };
}
inline std::function<void(ItemLine&)> shows_text(const std::string& v) {
  return [&v](ItemLine& l) { l.text(v); };
}
std::function<void(ItemLine&)> shows_flag(bool&&) = delete;
std::function<void(ItemLine&)> shows_integer(int&&, int) = delete;
std::function<void(ItemLine&)> shows_fixed(real&&, int = 8, int = 3) = delete;
std::function<void(ItemLine&)> shows_text(std::string&&) = delete;

// A setting of a menu: its option line shows the value after the label,
// its choice asks for the value with the current one as the default. The
// value and the question must outlive the table.
inline MenuRow setting_row(int choice, std::string_view label, bool& v, std::string_view question) {
  return {.choice = choice,
          .label = label,
          .action = [&v, question] { ask_flag(v, question); },
          .value = shows_flag(v)};
}
inline MenuRow setting_row(int choice, std::string_view label, int& v, int w, std::string_view question) {
  return {.choice = choice,
          .label = label,
          .action = [&v, question] { ask_int(v, question); },
          .value = shows_integer(v, w)};
}
inline MenuRow setting_row(int choice, std::string_view label, real& v, int w, int d, std::string_view question) {
  return {.choice = choice,
          .label = label,
          .action = [&v, question] { ask_real(v, question); },
          .value = shows_fixed(v, w, d)};
}

// The option line of a row: the label, dots up to the number, the number.
inline std::string option_text(std::string_view label, int choice, std::size_t width, std::size_t number_width = 0) {
  std::string number = std::to_string(choice);
  if (number.size() < number_width) number.insert(0, number_width - number.size(), ' ');
  std::string line(label);
  if (line.size() + number.size() < width) line.append(width - line.size() - number.size(), '.');
  return line + number;
}

// The rule between the parts of a menu, as a row.
inline MenuRow dash_row() { return {.draw = dash_rule}; }

// Rows taken in order from several lists: a menu's own rows and rows that
// several menus share.
inline std::vector<MenuRow> joined(std::initializer_list<std::vector<MenuRow>> parts) {
  std::vector<MenuRow> rows;
  for (const std::vector<MenuRow>& part : parts) rows.insert(rows.end(), part.begin(), part.end());
  return rows;
}

// Rows that all show one choice; the first of them with an action runs it.
inline std::vector<MenuRow> rows_of_choice(int choice, std::vector<MenuRow> rows) {
  for (MenuRow& r : rows) r.choice = choice;
  return rows;
}

// Writes the body lines of the rows in force.
inline void show_rows(const MenuTable& t) {
  for (const MenuRow& r : t.rows) {
    if (r.shown && !r.shown()) continue;
    if (r.draw) {
      r.draw();
      continue;
    }
    std::string text(r.label);
    if (r.choice && (!r.offered || r.offered())) {
      text = option_text(r.label, *r.choice, t.width, t.number_width);
    } else if (r.choice && text.size() < t.width) {
      text.append(t.width - text.size(), '.');
    }
    if (!r.value) {
      say(text);
      continue;
    }
    ItemLine line;
    if (!text.empty()) line.text(text);
    r.value(line);
    line.write();
  }
}

// True when the table's `otherwise` answers `choice`.
inline bool otherwise_answers(const MenuTable& t, int choice) {
  return t.otherwise && (!t.answers || t.answers(choice));
}

// True when the menu offers `choice`: a row carries it (shown or not,
// with an action or not), or its `otherwise` answers it.
inline bool offers(const MenuTable& t, int choice) {
  return otherwise_answers(t, choice) ||
         std::ranges::any_of(t.rows, [choice](const MenuRow& r) { return r.choice == choice; });
}

// Runs the action of a choice: the first row that carries it with an
// action, else the table's `otherwise` when it answers the choice. The
// menu then shows itself again, unless the choice is one it does not
// offer.
inline Reply dispatch(const MenuTable& t, int choice) {
  for (const MenuRow& r : t.rows) {
    if (r.choice == choice && r.action) {
      r.action();
      return Reply::again;
    }
  }
  if (otherwise_answers(t, choice)) {
    t.otherwise(choice);
    return Reply::again;
  }
  return offers(t, choice) ? Reply::again : Reply::unknown;
}

// A choice of a menu left by 99, before any action: any other choice goes
// to the table.
inline Reply reply(const MenuTable& t, int choice) {
  return choice == menu_exit_choice ? Reply::leave : dispatch(t, choice);
}

// A menu in the common layout (menu_loop) drawn and answered by its table.
inline void menu_loop(const Header& h, const MenuTable& t, const MenuStyle& style = {}) {
  menu_loop(
      h, [&t] { show_rows(t); }, [&t](int choice) { return reply(t, choice); }, style);
}

// The same for a menu that its rows' actions leave by setting `left` (an
// exit that closes a file, a read that ends the menu once complete): every
// choice, 99 included, goes to the table.
inline void menu_loop(const Header& h, const MenuTable& t, const bool& left, const MenuStyle& style = {}) {
  menu_loop(
      h, [&t] { show_rows(t); },
      [&t, &left](int choice) {
        const Reply r = dispatch(t, choice);
        return left ? Reply::leave : r;
      },
      style);
}

}  // namespace dorvix
