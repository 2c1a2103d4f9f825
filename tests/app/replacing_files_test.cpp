// Files the program writes in place of existing ones: only the file the
// user agreed to replace, though another program swaps the name while the
// question waits.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "console/dialogue_helpers.hpp"
#include "console/edit.hpp"
#include "support/program_run.hpp"

namespace dorvix {
namespace {

using namespace testing;
namespace fs = std::filesystem;

std::string answers_text(const Lines& answers) {
  std::string text;
  for (const auto& a : answers) text += a + "\n";
  return text;
}

const std::string old_plot = "%!PS-Adobe-2.0\n% an earlier plot\n";
const std::string old_settings = "  T   3 LUS  1\n              \n";

const Lines keyboard_read = {"", "1000", "1001", "cat.hash"};

// The opener's box for a name that no longer stands for what the question
// named when the answer came.
Lines changed_box(const std::string& name, std::size_t width) {
  return join({warning_head("opef2"),
               {" COULD NOT OPEN FILE " + edit::pad(name, width), " CHANGED WHILE THE QUESTION WAITED",
                " ===> RETRYING"}});
}

// A name swapped by another program while the question about it waits is
// not acted on: the link that the question named, swapped for a file
// (locked by another run), is not removed; the file it named, swapped for
// a link or for another file, is not replaced, nor what the link leads to
// written. The settings file read, swapped for a link while the settings
// are asked for, is not written through it. The box says so and the name
// is asked for again.
TEST(ReplacingFiles, ANameSwappedWhileTheQuestionWaitsIsNotActedOn) {
  const std::string precious = "precious\n";
  const std::string catalogue = hash_line(7, 34.5, -117.25, 6.0, 10, 45, 90) + "\n";
  const struct {
    std::string name;
    Lines answers;         // up to the question
    std::string question;  // the line the run waits after
    std::function<void(const TempDir&)> swap;
    Lines more;        // the answers after the swap
    Lines box;         // what the run says
    std::string kept;  // a file that stands under the name now, with `precious`
    bool locked = false;  // by another run, once swapped
  } cases[] = {
      {"link swapped for a locked file",
       {"", "10", "", "x.ps"},
       " replace existing link x.ps ?",
       [](const TempDir& dir) {
         fs::remove(dir / "x.ps");
         write_file(dir / "x.ps", "precious\n");
       },
       {"y", "", "new.ps", "20", "", "9999"},
       changed_box("x.ps", 35),
       "x.ps",
       true},
      {"file swapped for a link",
       join({keyboard_read, {"1200", "1001", "out.hash"}}),
       " replace existing file out.hash ?",
       [](const TempDir& dir) {
         fs::remove(dir / "out.hash");
         fs::create_symlink("precious.txt", dir / "out.hash");
       },
       {"y", "", "other.hash", "", "99", "9999"},
       changed_box("out.hash", 40),
       "precious.txt"},
      {"file swapped for another file",
       join({keyboard_read, {"1200", "1001", "out.hash"}}),
       " replace existing file out.hash ?",
       [](const TempDir& dir) { fs::rename(dir / "precious.txt", dir / "out.hash"); },
       {"y", "", "other.hash", "", "99", "9999"},
       changed_box("out.hash", 40),
       "out.hash"},
      {"settings file swapped for a link",
       {"", "10"},
       " (vostel) Use default settings ? ?",
       [](const TempDir& dir) {
         fs::remove(dir / "kavro7_ini.txt");
         fs::create_symlink("precious.txt", dir / "kavro7_ini.txt");
       },
       {"n", "", "2", "", "", "y", "", "new.ps", "20", "", "9999"},
       {" could not write kavro7_ini.txt", " CHANGED WHILE THE QUESTION WAITED", " ==> default settings not saved"},
       "precious.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    write_file(dir / "cat.hash", catalogue);
    write_file(dir / "old.ps", old_plot);
    write_file(dir / "out.hash", "an earlier catalogue\n");
    write_file(dir / "precious.txt", precious);
    write_file(dir / "kavro7_ini.txt", old_settings);
    fs::create_symlink("old.ps", dir / "x.ps");
    int lock = -1;
    RunEvents events;
    events.keep_input_open = true;
    events.waiting_after = c.question;
    events.act = [&] {
      c.swap(dir);
      if (c.locked) {
        lock = ::open((dir / c.kept).c_str(), O_RDONLY | O_CLOEXEC);
        EXPECT_EQ(::flock(lock, LOCK_SH | LOCK_NB), 0);
      }
    };
    events.more = answers_text(c.more);
    const BoundedRun run =
        run_bounded(DORVIX_BINARY, dir.path(), answers_text(c.answers), 30, std::size_t{1} << 28, 0, events);
    if (lock >= 0) ::close(lock);
    EXPECT_FALSE(run.timed_out);
    EXPECT_EQ(run.status, exit_success);
    EXPECT_TRUE(has_block(split_lines(run.output), c.box));
    EXPECT_EQ(read_file(dir / c.kept), precious);
    EXPECT_EQ(read_file(dir / "old.ps"), old_plot);
  }
}

}  // namespace
}  // namespace dorvix
