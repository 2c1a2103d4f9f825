#pragma once
// The loop every menu of the program runs, and the prompts that ask for a
// setting with its current value as the default.

#include <algorithm>
#include <string>
#include <string_view>

#include "dialogue/console_units.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/prompts.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// A value asked with its current value as the default.
inline void ask_real(real& v, std::string_view prompt) {
  int istat = 0;
  const real def = v;
  inrealdef(v, prompt, def, istat);
}
inline void ask_int(int& v, std::string_view prompt) {
  int istat = 0;
  const int def = v;
  inintegdef(v, prompt, def, istat);
}
inline void ask_real_in(real& v, std::string_view prompt, real vmin, real vmax) {
  int istat = 0;
  const real def = v;
  inrealvindef(v, prompt, def, vmin, vmax, istat);
}
inline void ask_int_in(int& v, std::string_view prompt, int vmin, int vmax) {
  int istat = 0;
  const int def = v;
  inintegvindef(v, prompt, def, vmin, vmax, istat);
}
inline void ask_flag(bool& v, std::string_view question) {
  int istat = 0;
  const bool def = v;
  inlogicdef(v, question, def, istat);
}
// Width of a text answer: the text's own length, and at least the 20
// characters of a description, so that a name longer than the one stored
// can be given.
inline constexpr std::size_t answer_width = 20;
inline void ask_text(std::string& v, std::string_view prompt) {
  int istat = 0;
  const std::string def = v;
  inchardef(v, prompt, def, istat, std::max(def.size(), answer_width));
}

// The choice of a menu, read with the older integer prompt or with the
// prompt with default (the default 99, leave, unless a question names its
// own), with the prompt without default (an empty answer is passed over),
// or with the prompt with default inside a range of answers (`in_range`,
// the range of the menu's style).
enum class Prompt { older, with_default, without_default, in_range };
struct ChoiceRange {
  int min = 0, max = 0;
};
inline constexpr int menu_exit_choice = 99;
// The top menu's choice that quits the program (a command file may end
// with it).
inline constexpr int quit_choice = 9999;
inline int read_choice(Prompt prompt, std::string_view prompt_text = "your choice", ChoiceRange range = {},
                       int default_choice = menu_exit_choice) {
  int choice = default_choice, istat = 0;
  switch (prompt) {
    case Prompt::older:
      inintegdefnp(choice, prompt_text, default_choice, istat);
      break;
    case Prompt::with_default:
      inintegdef(choice, prompt_text, default_choice, istat);
      break;
    case Prompt::without_default:
      ininteg1(choice, prompt_text, istat);
      break;
    case Prompt::in_range:
      inintegvindef(choice, prompt_text, default_choice, range.min, range.max, istat);
      break;
  }
  return choice;
}

// What a menu made of a choice: it shows itself again, it is left, or it
// offers no such choice.
enum class Reply { again, leave, unknown };

// A choice that the menu of `h` does not offer. At the keyboard the menu
// just shows itself again; a command file that gave it stops there
// (stop_command_file), in a warning box that names the choice and the
// line. With the command files, in dialogue/command_file_end.cpp.
void unknown_choice(const Header& h, int choice);

// The choices of a menu until it is left: each pass `show` draws the whole
// menu, then the choice is read and handed to `act`, which tells what it
// made of it. A choice the menu does not offer brings the menu back, as
// any other; a command file that gave it stops there (unknown_choice), in
// a box headed by `h`. Menus whose lines differ from the layouts of
// menu_loop show themselves through it, and so do the questions of a few
// answers (after an error box), which name their own default.
template <class Show, class Act>
void choice_loop(const Header& h, Show show, Act act, Prompt prompt = Prompt::older,
                 std::string_view prompt_text = "your choice", ChoiceRange range = {},
                 int default_choice = menu_exit_choice) {
  for (;;) {
    show();
    const int choice = read_choice(prompt, prompt_text, range, default_choice);
    const Reply reply = act(choice);
    if (reply == Reply::leave) return;
    if (reply == Reply::unknown) unknown_choice(h, choice);
  }
}

// How a menu in the common layout shows itself. Most menus end with the
// line "EXIT ....99"; some write their own exit line at the end of their
// body (`exit_line` empty); some show their body and closing rule only
// while the second output level is on, the head and the prompt always.
struct MenuStyle {
  std::string_view exit_line = "EXIT ..........................99";
  Prompt prompt = Prompt::older;
  bool body_at_level_2 = false;
  std::string_view prompt_text = "your choice";
  ChoiceRange range{};  // the answers a Prompt::in_range accepts
};

// A menu in the common layout: each pass the head, the body, the exit line
// and the closing rule, then the choice as choice_loop reads and hands it.
template <class Body, class Act>
void menu_loop(const Header& h, Body body, Act act, const MenuStyle& style = {}) {
  choice_loop(
      h,
      [&] {
        submenuhead(h);
        if (style.body_at_level_2 && !iocom.lwito(2)) return;
        body();
        if (!style.exit_line.empty()) say(style.exit_line);
        menutail();
      },
      act, style.prompt, style.prompt_text, style.range);
}

}  // namespace dorvix
