// Yes/no prompts with their help table.

#include <string>

#include "dialogue/answers.hpp"
#include "dialogue/boxes.hpp"
#include "dialogue/command_file_end.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/prompt_lines.hpp"
#include "dialogue/prompts.hpp"

namespace dorvix {

namespace {

constexpr std::string_view help_lines[] = {
    "   To         type           ", "-----------------------------", "get help      h or H         ",
    "answer Yes    y or Y or 1    ", "answer No     n or N or 0    ", "use default   Carriage Return",
};

std::string_view yes_no(bool v) { return v ? "Yes" : "No "; }

// The shared question loop; `out` writes one line (a blank and the text)
// on the unit the prompt writes to, `in` reads one answer line, each time
// from the unit in force when it is read. `standard_input`: the answers
// are the standard input's, so that a command file may give them (and is
// stopped at one refused).
template <typename In, typename Out>
void ask(bool& lval, std::string_view cquestion, const bool& ldef, In in, bool standard_input, const Header& h,
         bool always, Out out) {
  const auto q = trimmed(cquestion);
  auto help = [&] {
    submenuhead(h);
    for (auto l : help_lines) out(l);
    menutail();
  };
  for (;;) {
    if (!always) prompt::separator();
    out(std::string(q) + " ?");
    if (always || iocom.lwito(2)) {
      out("Enter (0/1)(n/y)(N/Y)");
      out("or return for default value or h for help");
      out("Default = " + std::string(yes_no(ldef)));
    }
    std::string line;
    in(line);
    const char c = line.empty() ? ' ' : line[0];
    switch (c) {
      case 'y':
      case 'Y':
      case '1':
        lval = true;
        return;
      case 'n':
      case 'N':
      case '0':
        lval = false;
        return;
      case ' ':
      case '\r':
      case '\n':
        lval = ldef;
        return;
      case 'h':
      case 'H':
        help();
        continue;
      default: {
        const CommandFileStop stop = standard_input ? stop_command_file() : CommandFileStop{};
        errorhead(h);
        out("incorrect answer: " + std::string(1, c));
        stop.say_where();
        out("==> WILL ASK QUESTION AGAIN");
        errortail00();
        help();
        continue;
      }
    }
  }
}

}  // namespace

void inlogicdef(bool& lval, std::string_view cquestion, const bool& ldef, int& istat) {
  static constexpr Header h{"inlogicdef", " 1.2", "02-05-99"};
  istat = 0;
  // The standard input as it stands at each answer: a command file that
  // ends at this question hands its retries to the keyboard.
  auto in = [](std::string& line) { read_answer(line); };
  ask(lval, cquestion, ldef, in, true, h, false, [](std::string_view t) { prompt::say(t); });
  prompt::say("New value =  " + std::string(yes_no(lval)));
  prompt::separator();
}

void inlogicdef2(bool& lval, std::string_view cquestion, const bool& ldef, int iunitin, int iunitout,
                 int& istat) {
  static constexpr Header h{"inlogicdef2", " 1.0", "08-03-2000"};
  istat = 0;
  auto out = [iunitout](std::string_view t) { put(iunitout, " " + std::string(t)); };
  const std::string dots(42, '.');
  out(dots);
  auto in = [iunitin](std::string& line) { read_answer(iunitin, line); };
  ask(lval, cquestion, ldef, in, false, h, true, out);
  out("New value =  " + std::string(yes_no(lval)));
  out(dots);
}

}  // namespace dorvix
