#include "projection/parameter_menu.hpp"

#include "dialogue/frames.hpp"
#include "dialogue/menu_loop.hpp"

namespace dorvix {

namespace {

// The exit line is 24 columns wide, whatever the width of the options.
constexpr std::size_t exit_width = 24;

}  // namespace

void parameter_menu(const Header& h, const ParameterMenu& m) {
  menu_loop(
      h,
      [&] {
        dash_rule();
        say(m.title);
        dash_rule();
        show_rows(m.lines);
        dash_rule();
        say(option_text("UPDATE & EXIT ", menu_exit_choice, exit_width));
      },
      [&](int choice) {
        if (choice != menu_exit_choice) return dispatch(m.lines, choice);
        return !m.may_leave || m.may_leave() ? Reply::leave : Reply::again;
      },
      MenuStyle{.exit_line = {}, .prompt = Prompt::with_default, .body_at_level_2 = m.body_at_level_2});
}

}  // namespace dorvix
