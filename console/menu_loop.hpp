#pragma once
// The loop every menu of the program runs, and the prompts that ask for a
// setting with its current value as the default.

#include <algorithm>
#include <string>
#include <string_view>

#include "console/frames.hpp"
#include "console/prompts.hpp"
#include "console/real.hpp"

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
inline void ask_int_in(int& v, std::string_view prompt, int vmin, int vmax) {
  int istat = 0;
  const int def = v;
  inintegvindef(v, prompt, def, vmin, vmax, istat);
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

// The choice of a menu, default 99 (leave), read with the older integer
// prompt or with the prompt with default.
enum class Prompt { older, with_default };
inline constexpr int menu_exit_choice = 99;
inline int read_menu_choice(Prompt prompt) {
  int choice = menu_exit_choice, istat = 0;
  if (prompt == Prompt::older) {
    inintegdefnp(choice, "your choice", menu_exit_choice, istat);
  } else {
    inintegdef(choice, "your choice", menu_exit_choice, istat);
  }
  return choice;
}

// The end of a menu: its exit line, the closing rule, then the choice.
inline int menu_choice(std::string_view exit_line, Prompt prompt) {
  say(exit_line);
  menutail();
  return read_menu_choice(prompt);
}

// The choices of a menu until its choice 99: each pass `show` draws the
// whole menu, then the choice is read and handed to `act`. Menus whose
// lines differ from the common layout below show themselves through it.
template <class Show, class Act>
void choice_loop(Show show, Act act, Prompt prompt = Prompt::older) {
  for (;;) {
    show();
    const int choice = read_menu_choice(prompt);
    if (choice == menu_exit_choice) return;
    act(choice);
  }
}

// A menu in the common layout: each pass the head, the body, the exit line
// and the closing rule, then the choice as choice_loop reads it.
template <class Body, class Act>
void menu_loop(const Header& h, Body body, Act act, Prompt prompt = Prompt::older) {
  choice_loop(
      [&] {
        submenuhead(h);
        body();
        say("EXIT ..........................99");
        menutail();
      },
      act, prompt);
}

}  // namespace dorvix
