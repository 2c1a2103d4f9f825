#pragma once
// External tools and files for tests: temporary directories, running a
// command, and Ghostscript as the judge of every PostScript file written.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace dorvix::testing {

// True when `name` is found on PATH.
bool have_tool(const std::string& name);

// Skips the test when the tool is missing, except under CI (the CI
// environment variable set), where a missing tool fails the test.
#define DORVIX_REQUIRE_TOOL(name)                                                   \
  do {                                                                              \
    if (!::dorvix::testing::have_tool(name)) {                                      \
      if (std::getenv("CI") != nullptr) FAIL() << "required tool missing: " << name; \
      GTEST_SKIP() << "tool not installed: " << name;                               \
    }                                                                               \
  } while (0)

struct CommandResult {
  int status = -1;     // exit status, or -1 when the command did not exit
  std::string output;  // standard output and standard error together
};

// Runs a shell command line; `input` (may be empty) is its standard input.
CommandResult run_command(const std::string& command_line, const std::string& input = "");

// Shell-quotes one argument.
std::string shell_quote(const std::string& s);

// A fresh directory removed at the end of the test.
class TempDir {
 public:
  TempDir();
  // In `base` instead of the system's folder of temporary files.
  explicit TempDir(const std::filesystem::path& base);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::string read_file(const std::filesystem::path& p);
void write_file(const std::filesystem::path& p, const std::string& content);

// Compares two texts that may be large without printing them whole: when
// they differ, the failure gives their sizes and the first line where they
// part, so that a failing comparison of megabytes stays small and quick.
::testing::AssertionResult same_text(const std::string& actual, const std::string& expected);

// Renders a PostScript file with Ghostscript (null device); the result's
// status is 0 and its output free of "Error" for a valid file.
CommandResult ghostscript_render(const std::filesystem::path& ps);

// Fails the current test unless Ghostscript renders the file cleanly
// (skips when Ghostscript is missing outside CI).
void expect_renders(const std::filesystem::path& ps);

}  // namespace dorvix::testing
