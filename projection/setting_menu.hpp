#pragma once
// The menu loop of the projection and graticule set-ups. Their frames are
// not those of the console's menu_loop: each menu ends its body with its
// own exit line ("UPDATE & EXIT ........99", "SET AND EXIT ...99"), and
// some show their body, with its closing rule, only while the second
// output level is on (only the head and the prompt otherwise).

#include <string_view>

#include "console/frames.hpp"
#include "console/iocom.hpp"
#include "console/prompts.hpp"

namespace dorvix {

enum class MenuBody { always, at_level_2 };

// Each pass: the head, the body and the closing rule (as `shown` says),
// then the choice, default 99, handed to `act`, which returns true when
// the menu is to be left.
template <class Body, class Act>
void setting_menu(const Header& h, MenuBody shown, Body body, Act act, std::string_view prompt = "your choice") {
  constexpr int exit_choice = 99;
  for (;;) {
    submenuhead(h);
    if (shown == MenuBody::always || iocom.lwito(2)) {
      body();
      menutail();
    }
    int choice = exit_choice, istat = 0;
    inintegdef(choice, prompt, exit_choice, istat);
    if (act(choice)) return;
  }
}

}  // namespace dorvix
