// Text prompts.

#include <string>

#include "dialogue/answers.hpp"
#include "dialogue/prompt_lines.hpp"
#include "dialogue/prompts.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

using prompt::say;
using prompt::separator;

namespace {
constexpr std::size_t answer_width = 80;
}

void inchardef(std::string& cval, std::string_view cprompt, std::string_view cdef, int& istat, std::size_t width) {
  const std::string def(cdef);  // cval may be the very text of cdef
  const auto p = trimmed(cprompt);
  istat = 0;
  std::string line;
  separator();
  prompt::question(p);
  if (iocom.lwito(2)) {
    say("or return for default value");
    say("Default = " + std::string(trimmed(def)));
  }
  read_answer(line);
  const std::string buffer = prompt::buffered(line, answer_width);
  if (prompt::takes_default(line)) {
    const int code = line.empty() ? ' ' : static_cast<unsigned char>(line[0]);
    say("ichar = " + edit::i(code, 3) + " => use default value");
    cval = edit::pad(def, width);
  } else {
    cval = edit::pad(buffer, width);
  }
  say("New value = " + cval);
  separator();
}

void inchar1(std::string& cval, std::string_view cprompt, int& istat, std::size_t width) {
  const auto p = trimmed(cprompt);
  istat = 0;
  std::string line;
  separator();
  prompt::question(p);
  read_answer(line);
  cval = edit::pad(line, width);
  say("New value = " + cval);
  separator();
}

}  // namespace dorvix
