#pragma once
// An in-memory console for dialogue tests: the keyboard reads a script,
// the screen is a string; the console block starts as at start-up, and
// the geometry's notices are shown as boxes, as the program's start sets.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace dorvix::testing {

// The screen's text. A dialogue caught in a loop that no longer reads the
// keyboard would grow it without end; past `limit` characters the test
// program stops at once, naming the cause, instead of taking the machine's
// memory.
class ScreenText : public std::stringbuf {
 public:
  static constexpr std::streamsize limit = std::streamsize{1} << 28;

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;

 private:
  void check(std::streamsize more) const;
};

class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Replaces the keyboard input by these lines (each ends with a newline).
  void type(std::initializer_list<std::string> lines);
  // Raw keyboard text.
  void type_raw(const std::string& text);
  // What the screen received, and clears it.
  std::string screen();
  // The screen split into lines, and clears it.
  std::vector<std::string> screen_lines();

  std::istringstream keyboard_;
  ScreenText screen_text_;
  std::ostream screen_{&screen_text_};
};

// Splits a text into its lines (without end-of-line characters).
std::vector<std::string> split_lines(const std::string& text);

}  // namespace dorvix::testing
