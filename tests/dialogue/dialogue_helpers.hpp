#pragma once
// Helpers for dialogue transcripts: rules, searching a transcript, runs
// that must end, a command file standing in for the keyboard, and a test
// that works in a temporary directory of its own.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "dialogue/console_units.hpp"
#include "files/stops.hpp"
#include "files/units.hpp"
#include "support/console_fixture.hpp"
#include "support/tools.hpp"
#include "support/transcript.hpp"

namespace dorvix::testing {

using Lines = std::vector<std::string>;

inline std::string rule_of(char c, std::size_t n = 43) { return " " + std::string(n, c); }

// A framed line of a box: 3 frame characters, a 35-character field, 3 again.
inline std::string framed(char c, const std::string& field) {
  return " " + std::string(3, c) + " " + field + std::string(35 - field.size(), ' ') + " " + std::string(3, c);
}

// The head of a warning box naming a routine (name blank-padded to 11).
inline Lines warning_head(const std::string& name) {
  const std::string padded = name + std::string(11 - name.size(), ' ');
  return {rule_of('/'), framed('/', "       subroutine " + padded), framed('/', std::string(14, ' ') + "WARNING"),
          rule_of('/')};
}

// The head of an error box naming a routine.
inline Lines error_head(const std::string& name) {
  const std::string padded = name + std::string(11 - name.size(), ' ');
  const std::string blank = framed('*', "");
  return {rule_of('*'), rule_of('*'),
          blank,        framed('*', "       subroutine " + padded),
          blank,        framed('*', std::string(15, ' ') + "ERROR"),
          blank,        rule_of('*'),
          rule_of('*')};
}

// The first n lines of a transcript (all of it when shorter).
inline Lines head_of(const Lines& lines, std::size_t n) {
  return Lines(lines.begin(), lines.begin() + static_cast<long>(std::min(n, lines.size())));
}

// Position of the first line equal to `line` at or after `from`.
inline std::optional<std::size_t> find_line(const Lines& lines, const std::string& line, std::size_t from = 0) {
  for (std::size_t k = from; k < lines.size(); ++k) {
    if (lines[k] == line) return k;
  }
  return std::nullopt;
}

inline bool has(const Lines& lines, const std::string& line) { return find_line(lines, line).has_value(); }

inline std::size_t count(const Lines& lines, const std::string& line) {
  return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

// Runs `f`, which must end the run; returns the exit status it ended with.
template <typename F>
int run_end_status(F&& f) {
  try {
    f();
  } catch (const RunEnded& e) {
    return e.status;
  }
  ADD_FAILURE() << "the run should have ended";
  return -1;
}

// Runs `f`; the exit status when it ended the run, nothing when the run
// goes on.
template <typename F>
std::optional<int> ending_of(F&& f) {
  try {
    f();
  } catch (const RunEnded& e) {
    return e.status;
  }
  return std::nullopt;
}

// A console test that works in a fresh temporary directory, so that file
// names stay short, and can make a command file the input.
class DialogueTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    home_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
  }
  void TearDown() override {
    std::filesystem::current_path(home_);
    ConsoleTest::TearDown();
  }

  // Writes a command file and makes it the input, as the command-file
  // start does.
  void command_file(const std::string& text, int unit = 15) {
    write_file("commands.txt", text);
    ASSERT_TRUE(units().open(unit, "commands.txt", FileStatus::old_file));
    iocom.iuin = unit;
    iocom.lcomfop = true;
    iocom.lwito(2) = false;
  }

  static bool exists(const std::string& name) { return std::filesystem::exists(name); }

  TempDir dir_;
  std::filesystem::path home_;
};

}  // namespace dorvix::testing
