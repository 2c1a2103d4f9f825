#include "support/console_fixture.hpp"

#include <cstdio>
#include <cstdlib>

#include "dialogue/console_units.hpp"
#include "dialogue/geometry_notices.hpp"
#include "files/units.hpp"

namespace dorvix::testing {

void ScreenText::check(std::streamsize more) const {
  if (pptr() - pbase() + more <= limit) return;
  std::fprintf(stderr, "the screen passed %lld characters: a dialogue that no longer reads its answers\n",
               static_cast<long long>(limit));
  std::abort();
}

ScreenText::int_type ScreenText::overflow(int_type c) {
  check(1);
  return std::stringbuf::overflow(c);
}

std::streamsize ScreenText::xsputn(const char* s, std::streamsize n) {
  check(n);
  return std::stringbuf::xsputn(s, n);
}

void ConsoleTest::SetUp() {
  iocom = IoCom{};
  units().set_console(keyboard_, screen_);
  show_geometry_notices();
}

void ConsoleTest::TearDown() {
  units().close_all();
  units().reset_console();
  iocom = IoCom{};
}

void ConsoleTest::type(std::initializer_list<std::string> lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\n";
  type_raw(text);
}

void ConsoleTest::type_raw(const std::string& text) {
  keyboard_.clear();
  keyboard_.str(text);
}

std::string ConsoleTest::screen() {
  std::string s = screen_text_.str();
  screen_text_.str("");
  return s;
}

std::vector<std::string> ConsoleTest::screen_lines() { return split_lines(screen()); }

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace dorvix::testing
