#include "dialogue/prompt_lines.hpp"

#include "dialogue/boxes.hpp"
#include "dialogue/command_file_end.hpp"
#include "dialogue/frames.hpp"

namespace dorvix::prompt {

void separator(bool always) {
  if (always || iocom.lwito(2)) say("..........................................");
}

void question(std::string_view p) {
  std::string line = "Enter ";
  line += p;
  say(line);
}

std::string buffered(std::string_view line, std::size_t width) {
  std::string s(line.substr(0, std::min(width, line.size())));
  s.resize(width, ' ');
  return s;
}

bool takes_default(std::string_view answer) {
  return answer.empty() || answer[0] == ' ' || answer[0] == '\r' || answer[0] == '\n';
}

std::string_view first_item(std::string_view answer) {
  const auto end = answer.find_first_of(" \t,/");
  return answer.substr(0, end);
}

void unreadable_box(const Header& h, std::string_view p) {
  const CommandFileStop stop = stop_command_file();
  errorhead(h);
  say("could not read " + std::string(p));
  stop.say_where();
  say("==> RETRYING");
  errortail00();
}

void moved_default_line(std::string_view in_force, std::string_view offered) {
  say("==> " + std::string(in_force) + " IS OUTSIDE THE RANGE: DEFAULT SET TO " + std::string(offered));
}

}  // namespace dorvix::prompt
