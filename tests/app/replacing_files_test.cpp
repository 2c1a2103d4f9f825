// Files the program writes in place of existing ones: replaced whole or
// not at all, whatever ends the writing (a file-size limit, a stop
// signal, the end of the input), with the old file's permissions; and
// only the file the user agreed to replace, though another program swaps
// the name while the question waits.

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "catalogue/real_data.hpp"
#include "console/dialogue_helpers.hpp"
#include "console/edit.hpp"
#include "console/run_end.hpp"
#include "support/program_run.hpp"

namespace dorvix {
namespace {

using namespace testing;
namespace fs = std::filesystem;

// What a replacement leaves about while it is written: its temporary file
// beside the file it replaces.
bool temporary_name(const fs::path& p) { return p.filename().string().find(".dorvix-") != std::string::npos; }

std::uintmax_t temporary_size(const TempDir& dir) {
  for (const auto& e : fs::directory_iterator(dir.path())) {
    std::error_code ec;
    if (temporary_name(e.path())) return fs::file_size(e.path(), ec);
  }
  return 0;
}

Lines leftovers(const TempDir& dir) {
  Lines left;
  for (const auto& e : fs::directory_iterator(dir.path())) {
    if (temporary_name(e.path())) left.push_back(e.path().filename().string());
  }
  return left;
}

std::string answers_text(const Lines& answers) {
  std::string text;
  for (const auto& a : answers) text += a + "\n";
  return text;
}

const std::string old_plot = "%!PS-Adobe-2.0\n% an earlier plot\n";
const std::string old_settings = "  T   3 LUS  1\n              \n";

// A file replaced is written whole or not at all. A replacement that a
// file-size limit cuts short (the catalogue, a table, the settings), that
// a stop signal cuts (a catalogue, a plot), or that is still open when
// the input ends (a plot, the Si-Sh file) leaves the old file as it was
// and no temporary file, and its box or the console says that the old
// file is kept. A replacement closed whole takes the old file's name and
// permissions; the question names the catalogue that was read, under any
// of its names.
TEST(ReplacingFiles, AReplacementIsWholeOrTheOldFileIsKept) {
  const Lines scedc = real_data_lines("scedc_hash_2018.hash");
  const std::string catalogue = read_file(real_data_dir() / "scedc_hash_2018.hash");
  std::string big;
  for (std::size_t k = 0; k < 59999; ++k) big += scedc[k % scedc.size()] + "\n";
  const std::string old_catalogue = scedc[0] + "\n" + scedc[1] + "\n";
  const Lines read = {"", "1000", "1001", "cat.hash"};
  const Lines read_big = {"", "1000", "1001", "big.hash"};
  const std::string kept_line = "   THE OLD FILE IS KEPT, NOT REPLACED";
  const struct {
    std::string name;
    Lines answers;
    std::map<std::string, std::string> old;  // files before the run, each kept as it was
    std::uintmax_t size_limit = 0;
    int signal = 0;  // sent once the replacement (or the old file) holds new text
    int status;
    Lines said;                                       // each a line of the console
    std::map<std::string, std::string> written = {};  // files replaced whole
    // The catalogue read has a second name, twin.hash, and may be read by
    // its group only.
    bool twin = false;
  } cases[] = {
      {"catalogue cut by a file-size limit",
       join({read, {"1200", "1001", "out.hash", "y", "", "99", "9999"}}),
       {{"out.hash", catalogue}},
       300 << 10,
       0,
       exit_file_incomplete,
       {" replace existing file out.hash ?", "   FILE TOO LARGE", kept_line}},
      {"table cut by a file-size limit",
       join({read, {"1200", "2001", "out.tab", "y", "", "99", "9999"}}),
       {{"out.tab", old_catalogue}},
       100 << 10,
       0,
       exit_file_incomplete,
       {"   FILE TOO LARGE", kept_line}},
      {"settings cut by a file-size limit",
       {"", "10", "n", "", "2", "", "", "", "x.ps", "20", "", "", "9999"},
       {{"kavro7_ini.txt", old_settings}},
       20,
       0,
       exit_file_incomplete,
       {" could not write kavro7_ini.txt", " FILE TOO LARGE", " ==> the old kavro7_ini.txt is kept"}},
      {"catalogue cut by SIGINT",
       join({read_big, {"1200", "1001", "out.hash", "y"}}),
       {{"out.hash", old_catalogue}},
       0,
       SIGINT,
       128 + SIGINT,
       {" ===> FILE out.hash NOT REPLACED: ITS OLD FILE IS KEPT"}},
      {"plot cut by SIGTERM",
       join({read_big, {"3000", "1000", "", "seis.ps", "y", ""}}),
       {{"seis.ps", old_plot}},
       0,
       SIGTERM,
       128 + SIGTERM,
       {" ===> FILE seis.ps NOT REPLACED: ITS OLD FILE IS KEPT"}},
      {"plot and Si-Sh file open at the end of the input",
       join({read, {"13", "sish.txt", "y", "10", "", "seis.ps", "y", "2001", "1000", ""}}),
       {{"seis.ps", old_plot}, {"sish.txt", "Si-Sh rows of an earlier map\n"}},
       0,
       0,
       exit_input_ended,
       {" ===> FILE sish.txt NOT REPLACED: ITS OLD FILE IS KEPT",
        " ===> FILE seis.ps NOT REPLACED: ITS OLD FILE IS KEPT"}},
      {"catalogue replaced whole, under two names of the catalogue read",
       join({read, {"1200", "1001", "twin.hash", "y", "", "1001", "./cat.hash", "y", "", "99", "9999"}}),
       {},
       0,
       0,
       exit_success,
       {" replace existing file twin.hash, the catalogue read ?",
        " replace existing file ./cat.hash, the catalogue read ?"},
       {{"twin.hash", catalogue}, {"cat.hash", catalogue}},
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    write_file(dir / "big.hash", big);
    write_file(dir / "cat.hash", catalogue);
    for (const auto& [name, text] : c.old) write_file(dir / name, text);
    if (c.twin) {
      fs::create_hard_link(dir / "cat.hash", dir / "twin.hash");
      fs::permissions(dir / "cat.hash", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    }
    RunEvents events;
    events.keep_input_open = c.signal != 0;
    events.signal = c.signal;
    if (c.signal != 0) {
      const auto& replaced = *c.old.begin();
      events.when = [&] {
        std::error_code ec;
        return temporary_size(dir) > 0 || fs::file_size(dir / replaced.first, ec) != replaced.second.size();
      };
    }
    const BoundedRun run =
        run_bounded(DORVIX_BINARY, dir.path(), answers_text(c.answers), 60, std::size_t{1} << 28, c.size_limit, events);
    EXPECT_FALSE(run.timed_out);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.status, c.status);
    const Lines lines = split_lines(run.output);
    for (const std::string& line : c.said) EXPECT_TRUE(has(lines, line)) << line;
    for (const auto& [name, text] : c.old) EXPECT_TRUE(same_text(read_file(dir / name), text)) << name;
    for (const auto& [name, text] : c.written) {
      EXPECT_TRUE(same_text(read_file(dir / name), text)) << name;
      EXPECT_EQ(fs::status(dir / name).permissions(),
                fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
          << name;
    }
    EXPECT_EQ(leftovers(dir), Lines{});
  }
}

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
    EXPECT_EQ(leftovers(dir), Lines{});
  }
}

}  // namespace
}  // namespace dorvix
