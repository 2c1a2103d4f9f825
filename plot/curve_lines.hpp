#pragma once
// Lines of the curve-parameter menus and messages, on the standard output
// unit: a text line is a blank and the text; an integer line a blank, the
// label, a blank and the integer right-aligned; a real line a blank, the
// label, a blank and the value in 8 columns with 3 decimals. Internal to
// the plot library.

#include <algorithm>
#include <string>
#include <string_view>

#include "console/edit.hpp"
#include "console/frames.hpp"
#include "console/prompts.hpp"
#include "console/real.hpp"
#include "console/frames.hpp"

namespace dorvix::curvelines {

inline void text(std::string_view t) { say(t); }
inline void text(std::string_view t, std::string_view value) {
  std::string line(t);
  line += ' ';
  line += value;
  say(line);
}
inline void integer(std::string_view label, long long v, int width) {
  std::string line(label);
  line += ' ';
  edit::i(line, v, width);
  say(line);
}
inline void real_value(std::string_view label, real v) {
  std::string line(label);
  line += ' ';
  edit::f(line, v, 8, 3);
  say(line);
}
inline void rule() { say(std::string(43, '-')); }

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

// A curve menu until its choice 99: each pass the head, the body, the
// exit line and the closing rule, then the choice, default 99, read with
// the older integer prompt or with the prompt with default, and handed to
// `act`.
enum class Prompt { older, with_default };
template <class Body, class Act>
void menu_loop(const Header& h, Body body, Act act, Prompt prompt = Prompt::older) {
  constexpr int exit_choice = 99;
  for (;;) {
    submenuhead(h);
    body();
    text("EXIT ..........................99");
    menutail();
    int choice = exit_choice, istat = 0;
    if (prompt == Prompt::older) {
      inintegdefnp(choice, "your choice", exit_choice, istat);
    } else {
      inintegdef(choice, "your choice", exit_choice, istat);
    }
    if (choice == exit_choice) return;
    act(choice);
  }
}

}  // namespace dorvix::curvelines
