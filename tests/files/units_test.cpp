#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "files/replacement.hpp"
#include "files/stops.hpp"
#include "files/unit_file.hpp"
#include "files/units.hpp"
#include "files/waits.hpp"
#include "support/tools.hpp"

namespace dorvix {
namespace {

using testing::TempDir;

TEST(UnitTable, StatusesDecideWhatMayBeOpened) {
  TempDir dir;
  const auto existing = (dir / "existing.txt").string();
  const auto absent = (dir / "absent.txt").string();
  testing::write_file(existing, "first\r\nsecond\n");
  auto& u = units();

  EXPECT_FALSE(u.open(11, absent, FileStatus::old_file));
  EXPECT_FALSE(u.is_open(11));
  EXPECT_FALSE(u.open(21, existing, FileStatus::new_file));
  EXPECT_EQ(testing::read_file(existing), "first\r\nsecond\n");  // untouched
  EXPECT_FALSE(u.open(21, dir.path().string(), FileStatus::unknown));  // a directory
  EXPECT_FALSE(u.open(21, "", FileStatus::unknown));
  EXPECT_FALSE(u.open(11, "/dev/zero", FileStatus::old_file));  // a device never ends its line

  ASSERT_TRUE(u.open(21, absent, FileStatus::new_file));
  // Held against other runs while it is written, and no longer.
  EXPECT_EQ(replacing_refusal(absent, false).failure, OpenFailure::in_use);
  u.write_line(21, "written");
  u.close(21);
  EXPECT_TRUE(replacing_refusal(absent, false));
  EXPECT_EQ(testing::read_file(absent), "written\n");

  ASSERT_TRUE(u.open(22, absent, FileStatus::unknown));  // written from its start
  u.write_line(22, "again");
  // A file being written is opened on no other unit, for writing or
  // reading, by any of its names; its own unit may open it again.
  EXPECT_FALSE(u.open(50, absent, FileStatus::unknown));
  EXPECT_FALSE(u.open(11, (dir / "." / "absent.txt").string(), FileStatus::old_file));
  EXPECT_FALSE(u.is_open(50));
  u.close(22);
  EXPECT_EQ(testing::read_file(absent), "again\n");
  ASSERT_TRUE(u.open(22, absent, FileStatus::old_file));
  ASSERT_TRUE(u.open(22, absent, FileStatus::unknown));
  u.write_line(22, "again");
  u.close(22);

  // A file being read is not written from another unit; two readers may
  // share it.
  ASSERT_TRUE(u.open(15, existing, FileStatus::old_file));
  EXPECT_FALSE(u.open(50, existing, FileStatus::unknown));
  EXPECT_EQ(testing::read_file(existing), "first\r\nsecond\n");
  EXPECT_TRUE(u.open(61, existing, FileStatus::old_file));
  u.close(15);
  u.close(61);

  ASSERT_TRUE(u.open(11, existing, FileStatus::old_file));
  EXPECT_EQ(u.name(11), existing);
  std::string line;
  EXPECT_EQ(u.read_line(11, line), ReadResult::ok);
  EXPECT_EQ(line, "first");  // carriage return dropped
  EXPECT_EQ(u.read_line(11, line), ReadResult::ok);
  EXPECT_EQ(line, "second");
  EXPECT_EQ(u.read_line(11, line), ReadResult::end_of_file);
  EXPECT_TRUE(u.rewind(11));
  EXPECT_EQ(u.read_line(11, line), ReadResult::ok);
  EXPECT_EQ(line, "first");
  EXPECT_EQ(u.read_line(12, line), ReadResult::error);  // nothing connected
  u.close_all();
  EXPECT_FALSE(u.is_open(11));
  EXPECT_EQ(u.name(11), "");
}

TEST(UnitTable, StatusWordsReadInAnyCase) {
  EXPECT_EQ(file_status("old"), FileStatus::old_file);
  EXPECT_EQ(file_status("OLD "), FileStatus::old_file);
  EXPECT_EQ(file_status("New"), FileStatus::new_file);
  EXPECT_EQ(file_status("unknown"), FileStatus::unknown);
}

}  // namespace
}  // namespace dorvix

namespace dorvix {
namespace {

// Files are read in large blocks: lines that cross the blocks' ends, a
// line longer than a block, carriage returns, empty lines and a last line
// without its end all come back as a line-by-line reading gives them.
TEST(UnitTable, LinesComeBackWholeAcrossTheReadBlocks) {
  testing::TempDir dir;
  const auto path = (dir / "lines.txt").string();
  const std::size_t block = UnitFile::buffer_size;
  const std::vector<std::string> lines = {
      std::string(block - 1, 'a'),  // its end of line is the block's last byte
      "", "b", std::string(3 * block + 17, 'c'), std::string(block / 2, 'd') + "\r", "\r", std::string(5, 'e'),
      std::string(UnitFile::max_line + 2 * block + 5, 'f'),  // kept to its first max_line characters: cut
      "g",
      std::string(UnitFile::max_line, 'h') + "\r",  // whole without its carriage return: not cut
  };
  auto expected = [](std::string l) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    return l.substr(0, UnitFile::max_line);
  };
  for (const bool last_line_ends : {true, false}) {
    std::string text;
    for (const auto& l : lines) text += l + "\n";
    if (!last_line_ends) text.pop_back();
    testing::write_file(path, text);
    ASSERT_TRUE(units().open(11, path, FileStatus::old_file));
    std::istringstream keyboard(text);
    std::ostringstream screen;
    units().set_console(keyboard, screen);
    for (const int unit : {11, unit_keyboard}) {
      std::string line;
      for (const auto& l : lines) {
        ASSERT_EQ(units().read_line(unit, line), ReadResult::ok);
        EXPECT_EQ(line, expected(l)) << "unit " << unit;
      }
      EXPECT_EQ(units().read_line(unit, line), ReadResult::end_of_file);
    }
    EXPECT_EQ(units().line_number(11), 10);
    EXPECT_EQ(units().cut_lines(11).count, 1);
    EXPECT_EQ(units().cut_lines(11).first, 8);
    units().reset_console();
    units().close(11);
  }
}

// Text written through the stream, into the buffer (room and commit, in
// rooms of at most max_room) and in long pieces, interleaved, comes out
// whole and in order; the file receives it in whole blocks until it is
// closed, and the text still in the buffer can be looked at again.
TEST(UnitFile, WrittenTextReachesTheFileInWholeBlocks) {
  testing::TempDir dir;
  const auto path = (dir / "blocks.txt").string();
  constexpr std::size_t block = UnitFile::buffer_size;
  UnitFile file;
  ASSERT_TRUE(file.open(path, true));
  std::string expected;
  unsigned state = 12345;
  const auto next = [&state](unsigned n) {
    state = state * 1103515245u + 12345u;
    return (state >> 8) % n;
  };
  while (expected.size() < 5 * block + 777) {
    // The letter drawn before the length, the same with every compiler.
    const auto letter = static_cast<char>('a' + next(26));
    const std::string text(1 + next(next(4) == 0 ? 9000 : 120), letter);
    switch (next(3)) {
      case 0:
        for (std::size_t at = 0; at < text.size(); at += UnitFile::max_room) {
          const std::size_t n = std::min(text.size() - at, UnitFile::max_room);
          char* p = file.room(n);
          std::copy_n(text.begin() + static_cast<long>(at), n, p);
          file.commit(p + n);
        }
        break;
      case 1:
        file.put(text.data(), text.size());
        break;
      default:
        file.stream() << text;
        break;
    }
    expected += text;
    ASSERT_EQ(file.written(), static_cast<long long>(expected.size()));
    const std::size_t on_file = std::filesystem::file_size(path);
    EXPECT_EQ(on_file % block, 0u) << on_file;
    EXPECT_LE(expected.size() - on_file, block + UnitFile::max_room) << on_file;
    const char* last = file.recent(text.size());
    if (last != nullptr) {
      EXPECT_EQ(std::string(last, text.size()), text);
    } else {
      EXPECT_GT(expected.size() - on_file, 0u);
    }
  }
  EXPECT_EQ(file.close().reason, "");
  EXPECT_EQ(testing::read_file(path), expected);
}

// A file ended at its last whole line (at a stop, after a failed write)
// keeps the lines that reached it and counts them, of those its writer
// told, whether the rest of its last line is buffered, some of it reached
// the file already, or a limit on the file's size stopped the last write
// within a line.
TEST(UnitFile, EndedAtWholeLinesKeepsAndCountsTheLinesThatReachedIt) {
  testing::TempDir dir;
  const auto path = (dir / "cut.txt").string();
  const std::string long_line(UnitFile::buffer_size + 5000, 'x');
  const struct {
    std::string text, kept;
    rlim_t size_limit = RLIM_INFINITY;
  } cases[] = {
      {"a\nb\nc", "a\nb\n"},
      {"a\nb\n", "a\nb\n"},
      {"abc", ""},
      {"a\n" + long_line, "a\n"},                      // part of the last line on the file
      {long_line + "\n" + long_line, long_line + "\n"},  // and a whole line before it
      {"a\nbb\ncccccccccc\nd", "a\nbb\n", 10},
      {long_line + "\n" + long_line + "\n", long_line + "\n", UnitFile::buffer_size + 6000},
  };
  // A write past the limit fails, as on a full disk, instead of ending the process.
  const auto before = std::signal(SIGXFSZ, SIG_IGN);
  rlimit usual{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &usual), 0);
  for (const auto& c : cases) {
    std::filesystem::remove(path);  // a new file each time: one replaced is kept whole or not at all
    UnitFile file;
    ASSERT_TRUE(file.open(path, true));
    file.count_lines();
    // Whole lines told as such, then what follows the last of them.
    std::size_t at = 0;
    for (std::size_t end; (end = c.text.find('\n', at)) != std::string::npos; at = end + 1) {
      file.put_line(std::string_view(c.text).substr(at, end - at));
    }
    file.put(c.text.data() + at, c.text.size() - at);
    const rlimit limit{c.size_limit, usual.rlim_max};
    if (c.size_limit != RLIM_INFINITY) {
      ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    const auto lines = file.end_at_whole_line();
    const bool complete = file.abandon().reason.empty();
    ::setrlimit(RLIMIT_FSIZE, &usual);
    EXPECT_EQ(complete, c.size_limit == RLIM_INFINITY);
    const std::string kept = testing::read_file(path);
    EXPECT_TRUE(kept == c.kept) << kept.size() << " characters kept of " << c.text.size();
    EXPECT_EQ(lines, std::count(c.kept.begin(), c.kept.end(), '\n')) << c.text.size();
  }
  std::signal(SIGXFSZ, before);
}

// A wait for a pipe's text on a descriptor past the 1024 that a select
// set holds ends when the text comes, not before: the run may hold that
// many files. (The text comes a moment after the wait began.)
TEST(UnitFile, AWaitOnAHighDescriptorEndsWhenTheTextComes) {
  rlimit limit{};
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limit), 0);
  constexpr int high = 1500;
  if (limit.rlim_max <= high) GTEST_SKIP() << "no descriptor " << high << " may be open";
  const rlimit usual = limit;
  limit.rlim_cur = std::max<rlim_t>(limit.rlim_cur, high + 1);
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &limit), 0);
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  ASSERT_EQ(::dup2(ends[0], high), high);
  std::thread writer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(::write(ends[1], "x", 1), 1);
  });
  EXPECT_TRUE(wait_for_input(high));
  int unread = 0;
  EXPECT_EQ(::ioctl(high, FIONREAD, &unread), 0);
  EXPECT_EQ(unread, 1);
  writer.join();
  for (const int fd : {ends[0], ends[1], high}) ::close(fd);
  ::setrlimit(RLIMIT_NOFILE, &usual);
}

}  // namespace
}  // namespace dorvix
