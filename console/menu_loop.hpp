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

// The end of a menu: its exit line, the closing rule, then the choice,
// default 99 (leave), read with the older integer prompt or with the prompt
// with default.
enum class Prompt { older, with_default };
inline int menu_choice(std::string_view exit_line, Prompt prompt) {
  constexpr int exit_choice = 99;
  say(exit_line);
  menutail();
  int choice = exit_choice, istat = 0;
  if (prompt == Prompt::older) {
    inintegdefnp(choice, "your choice", exit_choice, istat);
  } else {
    inintegdef(choice, "your choice", exit_choice, istat);
  }
  return choice;
}

// A menu until its choice 99: each pass the head, the body and the end of
// the menu, the choice handed to `act`.
template <class Body, class Act>
void menu_loop(const Header& h, Body body, Act act, Prompt prompt = Prompt::older) {
  for (;;) {
    submenuhead(h);
    body();
    const int choice = menu_choice("EXIT ..........................99", prompt);
    if (choice == 99) return;
    act(choice);
  }
}

}  // namespace dorvix
