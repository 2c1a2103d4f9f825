#include "support/tools.hpp"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace dorvix::testing {

bool have_tool(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return false;
  std::stringstream dirs(path);
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    if (dir.empty()) continue;
    const auto candidate = std::filesystem::path(dir) / name;
    if (::access(candidate.c_str(), X_OK) == 0) return true;
  }
  return false;
}

std::string shell_quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) {
    if (c == '\'') {
      q += "'\\''";
    } else {
      q += c;
    }
  }
  return q + "'";
}

CommandResult run_command(const std::string& command_line, const std::string& input) {
  TempDir dir;
  const auto in = dir / "stdin";
  write_file(in, input);
  const std::string full = "( " + command_line + " ) < " + shell_quote(in.string()) + " 2>&1";
  CommandResult result;
  FILE* pipe = ::popen(full.c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 65536> buf{};
  std::size_t n = 0;
  while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) result.output.append(buf.data(), n);
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

TempDir::TempDir() : TempDir(std::filesystem::temp_directory_path()) {}

TempDir::TempDir(const std::filesystem::path& base) {
  std::random_device rd;
  for (;;) {
    path_ = base / ("dorvix-test-" + std::to_string(rd()));
    std::error_code ec;
    if (std::filesystem::create_directory(path_, ec)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string read_file(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_file(const std::filesystem::path& p, const std::string& content) {
  std::ofstream out(p, std::ios::binary);
  out << content;
}

::testing::AssertionResult same_text(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  const auto a = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end()).first;
  const auto at = static_cast<std::size_t>(a - actual.begin());
  const std::size_t start = at == 0 ? 0 : actual.rfind('\n', at - 1) + 1;  // npos + 1 is 0
  const auto line_of = [start](const std::string& s) {
    const std::size_t end = s.find('\n', start);
    return start >= s.size() ? std::string("(end of text)")
                             : "\"" + s.substr(start, std::min<std::size_t>(end - start, 200)) + "\"";
  };
  const auto number = std::count(actual.begin(), actual.begin() + static_cast<std::ptrdiff_t>(start), '\n') + 1;
  return ::testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
                                       << "; first difference in line " << number << ":\n  actual:   "
                                       << line_of(actual) << "\n  expected: " << line_of(expected);
}

CommandResult ghostscript_render(const std::filesystem::path& ps) {
  return run_command("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=nullpage " + shell_quote(ps.string()));
}

void expect_renders(const std::filesystem::path& ps) {
  if (!have_tool("gs")) {
    if (std::getenv("CI") != nullptr) {
      ADD_FAILURE() << "required tool missing: gs";
    } else {
      GTEST_SKIP() << "tool not installed: gs";
    }
    return;
  }
  const CommandResult r = ghostscript_render(ps);
  EXPECT_EQ(r.status, 0) << ps << "\n" << r.output;
  EXPECT_EQ(r.output.find("Error"), std::string::npos) << ps << "\n" << r.output;
}

}  // namespace dorvix::testing
