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

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "catalogue/real_data.hpp"
#include "dialogue/dialogue_helpers.hpp"
#include "files/stops.hpp"
#include "numbers/edit.hpp"
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
// file-size limit cuts short (the catalogue, a table, the settings), or
// that a stop signal cuts (a catalogue, a plot), leaves the old file as it
// was and no temporary file, and its box or the console says that the old
// file is kept; so does one that two stop signals cut together, the second
// of which ends the process at once. A replacement closed whole takes the
// old file's name and permissions, and so does one still open when the
// input ends (a plot, with its trailer, and the Si-Sh file): the end of the
// input is an ordered end. The question names the catalogue that was read,
// under any of its names.
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
    std::map<std::string, std::string> replaced = {};  // files before the run, replaced by a whole new text
    int second_signal = 0;  // sent with the first, which ends the process
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
      {"catalogue cut by SIGINT and SIGTERM together",
       join({read_big, {"1200", "1001", "out.hash", "y"}}),
       {{"out.hash", old_catalogue}},
       0,
       SIGINT,
       128 + SIGTERM,
       {},
       {},
       false,
       {},
       SIGTERM},
      {"plot cut by SIGTERM",
       join({read_big, {"3000", "1000", "", "seis.ps", "y", ""}}),
       {{"seis.ps", old_plot}},
       0,
       SIGTERM,
       128 + SIGTERM,
       {" ===> FILE seis.ps NOT REPLACED: ITS OLD FILE IS KEPT"}},
      {"plot and Si-Sh file open at the end of the input",
       join({read, {"13", "sish.txt", "y", "10", "", "seis.ps", "y", "2001", "1000", ""}}),
       {},
       0,
       0,
       exit_input_ended,
       {" ===> END OF INPUT: STOPPING EXECUTION"},
       {},
       false,
       {{"seis.ps", old_plot}, {"sish.txt", "Si-Sh rows of an earlier map\n"}}},
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
    for (const auto& files : {c.old, c.replaced}) {
      for (const auto& [name, text] : files) write_file(dir / name, text);
    }
    if (c.twin) {
      fs::create_hard_link(dir / "cat.hash", dir / "twin.hash");
      fs::permissions(dir / "cat.hash", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    }
    RunEvents events;
    events.keep_input_open = c.signal != 0;
    events.signal = c.signal;
    events.second_signal = c.second_signal;
    events.together = c.second_signal != 0;
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
    EXPECT_EQ(run.signal, c.second_signal);
    EXPECT_EQ(run.signal != 0 ? 128 + run.signal : run.status, c.status);
    const Lines lines = split_lines(run.output);
    for (const std::string& line : c.said) EXPECT_TRUE(has(lines, line)) << line;
    for (const auto& [name, text] : c.old) EXPECT_TRUE(same_text(read_file(dir / name), text)) << name;
    for (const auto& [name, text] : c.replaced) {
      const std::string now = read_file(dir / name);
      EXPECT_NE(now, text) << name;
      if (name.ends_with(".ps")) {
        EXPECT_TRUE(now.ends_with("%%EOF\n"));
        expect_renders(dir / name);
      }
    }
    for (const auto& [name, text] : c.written) {
      EXPECT_TRUE(same_text(read_file(dir / name), text)) << name;
      EXPECT_EQ(fs::status(dir / name).permissions(),
                fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
          << name;
    }
    EXPECT_EQ(leftovers(dir), Lines{});
  }
}

// The text of a plot without the time of its run, which its caption gives.
std::string without_run_time(std::string text) {
  const auto at = text.find("\n(Run on ");
  if (at != std::string::npos) text.erase(at, text.find('\n', at + 1) - at);
  return text;
}

// Each allocation of a run fails in turn, as memory that runs out makes it
// fail. The run replaces a file of each kind (the Si-Sh file, the
// settings, a plot drawn with a map and the Si-Sh rows, a catalogue, a
// table), after a new plot of the third dialect, whose map on its second
// page has it written again as a file of pages. Wherever memory runs out the
// program ends in order (no abort), each replaced file stands as it was or
// whole from the run, no temporary file is left, and what the console says
// of a file is so: an old file said to be kept is, and a new plot said to
// end at its last whole line has its trailer (one that has not is said not
// to be written to its end). The runs go four at a time, in a folder in
// memory where there is one (/dev/shm), where the syncs of thousands of
// runs cost nothing. (A sanitizer's runtime takes every allocation: the
// test is skipped there.)
TEST(ReplacingFiles, MemoryThatRunsOutAnywhereLeavesEachFileOldOrWhole) {
#ifndef DORVIX_FAILING_CALLS
  GTEST_SKIP() << "no allocation can be made to fail under a sanitizer";
#else
  const Lines scedc = real_data_lines("scedc_hash_2018.hash");
  std::string catalogue;
  for (std::size_t k = 0; k < 8; ++k) catalogue += scedc[k] + "\n";
  const std::map<std::string, std::string> before{{"cat.hash", catalogue},
                                                  {"out.hash", scedc[0] + "\n"},
                                                  {"out.tab", "an earlier table\n"},
                                                  {"sish.txt", "Si-Sh rows of an earlier map\n"},
                                                  {"old.ps", old_plot},
                                                  {"kavro7_ini.txt", "  T   3 LUS  3\n              \n"}};
  const std::string input = answers_text(
      {"",    "10",   "",       "new.ps", "1000", "1001", "cat.hash", "2001", "340",     "n",      "343",
       "n",   "1000", "",       "99",     "20",   "",     "13",       "sish.txt", "y",   "7",      "y",
       "10",  "n",    "",       "",       "P",    "1",    "old.ps",   "y",    "2001",    "1000",   "",
       "99",  "1200", "1001",   "out.hash", "y",  "",     "2001",     "out.tab", "y",    "",       "99",
       "20",  "",     "23",     "9999"});
  const Lines written{"new.ps", "sish.txt", "kavro7_ini.txt", "old.ps", "out.hash", "out.tab"};
  const auto run = [&](const TempDir& dir, const std::string& setting) {
    for (const auto& [name, text] : before) write_file(dir / name, text);
    RunEvents events;
    events.environment = {setting, std::string("LD_PRELOAD=") + DORVIX_FAILING_CALLS};
    return run_bounded(DORVIX_BINARY, dir.path(), input, 60, std::size_t{1} << 26, 0, events);
  };
  // The run whole, which counts its allocations, and the files it writes.
  const TempDir whole, counted;
  ASSERT_EQ(run(whole, "DORVIX_ALLOCATION_COUNT=" + (counted / "count").string()).status, exit_success);
  const long long allocations = std::stoll(read_file(counted / "count"));
  std::map<std::string, std::string> made;
  for (const std::string& name : written) made[name] = without_run_time(read_file(whole / name));
  const fs::path memory = "/dev/shm";
  const fs::path base = ::access(memory.c_str(), W_OK) == 0 ? memory : fs::temp_directory_path();
  std::mutex lock;
  Lines faults;
  const auto walk = [&](long long first, long long step) {
    for (long long n = first; n <= allocations; n += step) {
      const TempDir dir(base);
      const BoundedRun b = run(dir, "DORVIX_FAIL_ALLOCATION=" + std::to_string(n));
      const Lines lines = split_lines(b.output);
      std::string fault;
      if (b.timed_out || b.signal != 0 || b.status > exit_file_incomplete) {
        fault = " status " + std::to_string(b.status) + ", signal " + std::to_string(b.signal);
      } else if (!leftovers(dir).empty() ||
                 (b.status == exit_stopped_by_program && !has(lines, " MEMORY RAN OUT"))) {
        fault = " a temporary file left, or no box";
      }
      for (const std::string& name : written) {
        const std::string now = without_run_time(read_file(dir / name));
        if (!before.contains(name)) {
          if (has(lines, " ===> FILE " + name + " ENDS AT ITS LAST WHOLE LINE") && !now.ends_with("%%EOF\n")) {
            fault += " " + name + " is said to end whole";
          }
        } else if (now != without_run_time(before.at(name))) {
          if (now != made[name]) fault += " " + name + " is neither the old file nor the new one";
          if (has(lines, " ===> FILE " + name + " NOT REPLACED: ITS OLD FILE IS KEPT")) {
            fault += " " + name + " is said to be kept";
          }
        }
      }
      if (fault.empty()) continue;
      const std::scoped_lock hold(lock);
      faults.push_back("allocation " + std::to_string(n) + " of " + std::to_string(allocations) + ":" + fault);
    }
  };
  constexpr int workers = 4;
  std::vector<std::thread> threads;
  for (int k = 0; k < workers; ++k) threads.emplace_back(walk, k + 1, workers);
  for (auto& t : threads) t.join();
  EXPECT_EQ(faults, Lines{});
#endif
}

// The first characters of the file `p` are `head`.
bool begins_with(const fs::path& p, std::string_view head) {
  std::ifstream in(p, std::ios::binary);
  std::string text(head.size(), '\0');
  return in.read(text.data(), static_cast<std::streamsize>(text.size())) && text == head;
}

// Where the other program put its file, which it is to be left under:
// the name that the preloaded calls (with this setting) or the test itself
// played it at, written to played.txt.
const std::string played = "DORVIX_PLAYED_AT=played.txt";
std::string played_at(const TempDir& dir) { return fs::path(read_file(dir / "played.txt")).filename().string(); }

// Another program's file put under the run's temporary name.
void take_temporary_name(const TempDir& dir) {
  const std::string name = leftovers(dir).at(0);
  fs::rename(dir / "precious.txt", dir / name);
  write_file(dir / "played.txt", name);
}

// A dialect-3 plot is written as it is drawn, and written again at its
// second page with the head of a file of pages, into a file made beside
// its name: a new plot's file takes the name at once, a replacement's text
// takes the old file's name at its close. Its first page is in the file
// while the page menu waits. Whatever stops the writing again leaves the
// file under the name as the rules of files say, and no temporary file: a
// file-size limit that the new text passes and a rename refused leave a
// new plot as the text of its first page, cut there, and an older plot as
// it was; a stop signal after the second page began ends a new plot of
// pages at its last whole line with its trailer, and keeps an older plot;
// two stop signals together remove what was made. Only the files the run
// made take a name or go: the new plot's file of pages removed, or taken
// by another program's file, as it is to take the plot's name (played by
// the preloaded calls), leaves the plot as its first page, cut there; an
// older plot's temporary name taken while the page menu waits, or as its
// file of pages replaces it, keeps the older plot; and the other
// program's file stays where it was put, the box saying so (exit status 3).
TEST(ReplacingFiles, APlotWrittenAgainAtItsSecondPageIsWholeOrAsItWas) {
  const Lines scedc = real_data_lines("scedc_hash_2018.hash");
  std::string catalogue;
  for (std::size_t k = 0; k < 100; ++k) catalogue += scedc[k] + "\n";
  const Lines start = {"", "1000", "1001", "cat.hash", "3001", "1000", "", "seis.ps"};
  const Lines pages = {"", "", "", ""};  // the page menu before pages 2 to 5
  const Lines end = {"99", "9999", ""};
  const std::string head_of_pages = "%!PS-Adobe-2.0\n%%Pages: (atend)\n";
  const std::string precious = "precious\n";
  const auto prepare = [&](const TempDir& dir, bool replacing) {
    write_file(dir / "cat.hash", catalogue);
    write_file(dir / "kavro7_ini.txt", "  F   1 P    3\n");
    write_file(dir / "precious.txt", precious);
    if (replacing) write_file(dir / "seis.ps", old_plot);
  };

  // The whole plot, new; while the first page menu waits, its first page
  // (but the buffer's last block) is in the file, as the file of one page
  // begins.
  TempDir whole;
  prepare(whole, false);
  std::string first_page;
  RunEvents wait;
  wait.keep_input_open = true;
  wait.waiting_after = " IT IS SUGGESTED TO CLEAR THE PLOT";
  wait.act = [&] { first_page = read_file(whole / "seis.ps"); };
  wait.more = answers_text(join({pages, end}));
  wait.then_end_input = true;
  ASSERT_EQ(run_bounded(DORVIX_BINARY, whole.path(), answers_text(start), 60, std::size_t{1} << 28, 0, wait).status,
            exit_success);
  const std::string text = read_file(whole / "seis.ps");
  ASSERT_TRUE(text.starts_with(head_of_pages));
  std::string one_page = "%!PS-Adobe-2.0 EPSF-1.2\n" + text.substr(head_of_pages.size());
  const std::string page_one = "%%Page:   1   1\n";
  one_page.erase(one_page.find(page_one), page_one.size());
  // The file as the page break finds it.
  const std::string at_break = one_page.substr(0, one_page.find("\ngsave showpage\n") + 1);
  EXPECT_GE(first_page.size(), std::size_t{1} << 16);
  EXPECT_TRUE(at_break.starts_with(first_page));

  enum class Left { first_page, pages_ended, old_plot, anything };
  const Lines take = {"DORVIX_TAKE_AT_RENAME=precious.txt"};
  const Lines lost = {" ITS TEMPORARY FILE WAS REMOVED OR TAKEN"};
  const struct {
    std::string name;
    bool replacing;
    bool limit = false;  // on the size of files: the file as the page break finds it, and a little
    Lines calls = {};    // the preloaded calls' settings (none: the system's own calls)
    int signal = 0;      // once the file written again begins
    int second_signal = 0;  // with the first
    int status;
    Left left;
    Lines said;
    std::function<void(const TempDir&)> at_page_menu = {};  // while the first page menu waits
    bool other_left = false;  // precious.txt's file, under a temporary name
    std::string file = "seis.ps";  // what the plot's file is called after the run
  } cases[] = {
      {"new plot, a file-size limit", false, true, {}, 0, 0, exit_file_incomplete, Left::first_page,
       {" ==> THE PLOT FILE IS INCOMPLETE"}},
      {"older plot, a file-size limit", true, true, {}, 0, 0, exit_file_incomplete, Left::old_plot,
       {" ==> THE OLD PLOT FILE IS KEPT"}},
      {"new plot, a rename refused", false, false, {"DORVIX_FAIL_RENAME=" + std::to_string(EBUSY)}, 0, 0,
       exit_file_incomplete, Left::first_page, {" DEVICE OR RESOURCE BUSY"}},
      {"new plot, SIGTERM", false, false, {}, SIGTERM, 0, 128 + SIGTERM, Left::pages_ended,
       {" ===> FILE seis.ps ENDS AT ITS LAST WHOLE LINE"}},
      {"older plot, SIGTERM", true, false, {}, SIGTERM, 0, 128 + SIGTERM, Left::old_plot,
       {" ===> FILE seis.ps NOT REPLACED: ITS OLD FILE IS KEPT"}},
      {"new plot, SIGINT and SIGTERM together", false, false, {}, SIGINT, SIGTERM, 128 + SIGTERM, Left::anything,
       {}},
      {"older plot, SIGINT and SIGTERM together", true, false, {}, SIGINT, SIGTERM, 128 + SIGTERM, Left::old_plot,
       {}},
      {"new plot, its file of pages removed as it takes the name", false, false, {"DORVIX_REMOVE_AT_RENAME=1"}, 0,
       0, exit_file_incomplete, Left::first_page, join({lost, {" ==> THE PLOT FILE IS INCOMPLETE"}})},
      {"new plot, its file of pages taken as it takes the name", false, false, take, 0, 0, exit_file_incomplete,
       Left::first_page, join({lost, {" ==> THE PLOT FILE IS INCOMPLETE"}}), {}, true},
      {"older plot, its temporary name taken while the page menu waits", true, false, {}, 0, 0,
       exit_file_incomplete, Left::old_plot, join({lost, {" ==> THE OLD PLOT FILE IS KEPT"}}), take_temporary_name,
       true},
      {"older plot, its temporary name taken as its file of pages replaces it", true, false, take, 0, 0,
       exit_file_incomplete, Left::old_plot, join({lost, {" ==> THE OLD PLOT FILE IS KEPT"}}), {}, true},
      {"new plot, moved to another name while the page menu waits", false, false, {}, 0, 0, exit_file_incomplete,
       Left::first_page, {" THE FILE WAS MOVED TO ANOTHER NAME", " ==> THE PLOT FILE IS INCOMPLETE"},
       [](const TempDir& dir) { fs::rename(dir / "seis.ps", dir / "seis.bak"); }, false, "seis.bak"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RunEvents events;
    if (!c.calls.empty()) {
#ifdef DORVIX_FAILING_CALLS
      events.environment = join({{std::string("LD_PRELOAD=") + DORVIX_FAILING_CALLS, played}, c.calls});
#else
      continue;  // no call can be made to fail under a sanitizer
#endif
    }
    TempDir dir;
    prepare(dir, c.replacing);
    Lines answers = join({start, c.replacing ? Lines{"y"} : Lines{}});
    if (c.at_page_menu) {
      events.keep_input_open = true;
      events.waiting_after = " IT IS SUGGESTED TO CLEAR THE PLOT";
      events.act = [&] { c.at_page_menu(dir); };
      events.more = answers_text(join({pages, end}));
      events.then_end_input = true;
    } else {
      answers = join({answers, pages});
    }
    if (c.signal != 0) {
      events.keep_input_open = true;
      events.signal = c.signal;
      events.second_signal = c.second_signal;
      events.together = c.second_signal != 0;
      events.when = [&] {
        if (!c.replacing) return begins_with(dir / "seis.ps", head_of_pages);
        const Lines made = leftovers(dir);
        return std::any_of(made.begin(), made.end(), [&](const std::string& t) { return begins_with(dir / t, head_of_pages); });
      };
    } else if (!c.at_page_menu) {
      answers = join({answers, end});
    }
    const BoundedRun run = run_bounded(DORVIX_BINARY, dir.path(), answers_text(answers), 60, std::size_t{1} << 28,
                                       c.limit ? at_break.size() + 10 : 0, events);
    EXPECT_FALSE(run.timed_out);
    EXPECT_EQ(run.signal, c.second_signal);
    EXPECT_EQ(run.signal != 0 ? 128 + run.signal : run.status, c.status);
    EXPECT_TRUE(has_block(split_lines(run.output), c.said));
    const std::string now = read_file(dir / c.file);
    EXPECT_EQ(fs::exists(dir / "seis.ps"), c.file == "seis.ps");
    switch (c.left) {
      case Left::first_page:
        EXPECT_TRUE(same_text(without_run_time(now), without_run_time(at_break)));
        expect_renders(dir / c.file);
        break;
      case Left::pages_ended:
        EXPECT_TRUE(now.starts_with(head_of_pages));
        EXPECT_TRUE(now.ends_with("%%EOF\n"));
        expect_renders(dir / "seis.ps");
        break;
      case Left::old_plot:
        EXPECT_EQ(now, old_plot);
        break;
      case Left::anything:
        break;
    }
    const Lines left = leftovers(dir);
    EXPECT_EQ(left.size(), c.other_left ? 1U : 0U);
    if (c.other_left && left.size() == 1) {
      EXPECT_EQ(read_file(dir / left.front()), precious);
      EXPECT_EQ(left.front(), played_at(dir));
    }
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

// A whole new text never goes: one that cannot take its name stays under
// its temporary name, which the box (or the run's end) gives, and what
// became of the name is said as it is. The rename fails (a mount point, a
// file of another user in a sticky folder: the test makes every rename
// fail, and skips under a sanitizer), for a catalogue closed and for a
// plot closed at the end of the input, and the old file is kept; the name
// is removed, moved, or taken by another file, while "close output file ?"
// waits. A text whose temporary name was removed or taken meanwhile is
// gone: nothing takes the old name, and another file put under the
// temporary name is left as it is, even by a second stop signal, which
// ends the run at once. Another program that swaps the temporary name
// and a file of its own just before the rename (played by the preloaded
// calls) has the names put back, where the file system exchanges names;
// where it cannot, its file has the old name, and the box says so.
// Another program that puts a file of its own under the name where the
// old file is moved to be removed, just before the move, keeps it there:
// the old file goes under another name, and the new text takes the name.
TEST(ReplacingFiles, AWholeTextThatCannotTakeItsNameIsKeptBesideIt) {
  const std::string catalogue = hash_line(7, 34.5, -117.25, 6.0, 10, 45, 90) + "\n";
  const std::string precious = "precious\n";
  const Lines write = join({keyboard_read, {"1200", "1001", "out.hash", "y"}});
  const Lines rest = {"", "99", "9999"};
  const std::string closed = " OUTPUT FILE " + edit::pad("out.hash", 40) + " CLOSED";
  const std::string lost = " ==> ITS TEMPORARY FILE WAS REMOVED OR TAKEN";
  const Lines swap = {"DORVIX_SWAP_AT_RENAME=precious.txt"};
  const struct {
    std::string name;
    Lines answers;
    Lines calls = {};  // the preloaded calls' settings (none: the system's own calls)
    std::function<void(const TempDir&)> act = {};  // while "close output file ?" waits, before `rest`
    std::string file = "out.hash";
    std::string now;    // under the name after the run
    Lines said;         // the lines that tell it, the last naming the temporary file (none: the run is killed)
    std::string left = "";  // under the name the other program put it at (none when empty)
    std::string waiting = " close output file ?";  // where `act` comes
    bool ends_input = false;  // after `act`, instead of `rest`
    bool two_signals = false;  // SIGINT and SIGTERM at once after `act`, instead of `rest`
  } cases[] = {
      {"rename refused", join({write, rest}), {"DORVIX_FAIL_RENAME=" + std::to_string(EBUSY)}, {}, "out.hash",
       "an earlier catalogue\n",
       {closed, " ==> DEVICE OR RESOURCE BUSY", " ==> THE OLD FILE IS KEPT, NOT REPLACED", " ==> THE NEW FILE IS KEPT AS "}},
      {"rename refused at the end of the input", {"", "10", "", "seis.ps", "y"},
       {"DORVIX_FAIL_RENAME=" + std::to_string(EPERM)}, {}, "seis.ps", old_plot,
       {" ===> END OF INPUT: STOPPING EXECUTION", " ===> FILE seis.ps NOT REPLACED: ITS OLD FILE IS KEPT",
        " ===> ITS NEW FILE IS KEPT AS "}},
      {"name removed", write, {}, [](const TempDir& dir) { fs::remove(dir / "out.hash"); }, "out.hash", "",
       {closed, " ==> THE OLD FILE WAS REMOVED", " ==> THE NEW FILE IS KEPT AS "}},
      {"name taken", write, {}, [](const TempDir& dir) { fs::rename(dir / "precious.txt", dir / "out.hash"); },
       "out.hash", precious, {closed, " ==> ANOTHER FILE TOOK ITS NAME", " ==> THE NEW FILE IS KEPT AS "}},
      {"name moved", write, {}, [](const TempDir& dir) { fs::rename(dir / "out.hash", dir / "out.bak"); }, "out.bak",
       "an earlier catalogue\n", {closed, " ==> THE OLD FILE WAS MOVED TO ANOTHER NAME", " ==> THE NEW FILE IS KEPT AS "}},
      {"temporary name removed", write, {}, [](const TempDir& dir) { fs::remove(dir / leftovers(dir).at(0)); },
       "out.hash", "an earlier catalogue\n", {closed, lost, " ==> THE OLD FILE IS KEPT, NOT REPLACED"}},
      {"temporary name taken", write, {}, take_temporary_name, "out.hash", "an earlier catalogue\n",
       {closed, lost, " ==> THE OLD FILE IS KEPT, NOT REPLACED"}, precious},
      {"temporary name taken, then two stop signals at once", write, {}, take_temporary_name, "out.hash",
       "an earlier catalogue\n", {}, precious, " close output file ?", false, true},
      {"temporary name swapped at the rename", join({write, rest}), swap, {}, "out.hash", "an earlier catalogue\n",
       {closed, lost, " ==> THE OLD FILE IS KEPT, NOT REPLACED"}, precious},
      {"temporary name swapped at a rename that cannot exchange names", join({write, rest}),
       join({swap, {"DORVIX_NO_EXCHANGE=1"}}), {}, "out.hash", precious,
       {closed, lost + ", ANOTHER FILE TOOK ITS NAME"}},
      {"old file's name aside taken just before it is moved there", join({write, rest}),
       {"DORVIX_TAKE_ASIDE_AT_RENAME=precious.txt"}, {}, "out.hash", catalogue, {closed}, precious},
      {"temporary name and old name removed", write, {},
       [](const TempDir& dir) {
         fs::remove(dir / leftovers(dir).at(0));
         fs::remove(dir / "out.hash");
       },
       "out.hash", "", {closed, lost + ", THE OLD FILE WAS REMOVED"}},
      {"temporary name removed before the end of the input", {"", "10", "", "seis.ps", "y"}, {},
       [](const TempDir& dir) { fs::remove(dir / leftovers(dir).at(0)); }, "seis.ps", old_plot,
       {" ===> END OF INPUT: STOPPING EXECUTION", " ===> FILE seis.ps NOT REPLACED: ITS OLD FILE IS KEPT",
        " ===> ITS TEMPORARY FILE WAS REMOVED OR TAKEN"},
       "", " Enter your choice", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RunEvents events;
    if (!c.calls.empty()) {
#ifdef DORVIX_FAILING_CALLS
      events.environment = join({{std::string("LD_PRELOAD=") + DORVIX_FAILING_CALLS, played}, c.calls});
#else
      continue;  // no call can be made to fail under a sanitizer
#endif
    }
    TempDir dir;
    write_file(dir / "cat.hash", catalogue);
    write_file(dir / "out.hash", "an earlier catalogue\n");
    write_file(dir / "seis.ps", old_plot);
    write_file(dir / "precious.txt", precious);
    if (c.act) {
      events.keep_input_open = true;
      events.waiting_after = c.waiting;
      events.act = [&] { c.act(dir); };
      events.more = c.ends_input || c.two_signals ? "" : answers_text(rest);
      events.then_end_input = c.ends_input;
    }
    if (c.two_signals) {
      events.signal = SIGINT;
      events.second_signal = SIGTERM;
      events.together = true;
    }
    const BoundedRun run =
        run_bounded(DORVIX_BINARY, dir.path(), answers_text(c.answers), 30, std::size_t{1} << 26, 0, events);
    EXPECT_FALSE(run.timed_out);
    EXPECT_EQ(run.signal, c.two_signals ? SIGTERM : 0);
    // The run fails but where the new text took the name.
    const bool replaced = c.now == catalogue;
    EXPECT_EQ(run.status, c.two_signals ? -1 : replaced ? exit_success : exit_file_incomplete);
    const Lines lines = split_lines(run.output);
    const Lines kept = leftovers(dir);
    EXPECT_EQ(fs::exists(dir / c.file) ? read_file(dir / c.file) : "", c.now);
    if (c.said.empty() || c.said.back().find("KEPT AS") == std::string::npos) {
      EXPECT_TRUE(has_block(lines, c.said));
      EXPECT_EQ(kept.size(), c.left.empty() ? 0U : 1U);
      if (!kept.empty()) {
        EXPECT_EQ(read_file(dir / kept.front()), c.left);
        EXPECT_EQ(kept.front(), played_at(dir));
      }
      continue;
    }
    if (kept.size() != 1) {
      ADD_FAILURE() << kept.size() << " temporary files";
      continue;
    }
    Lines said = c.said;
    said.back() += kept.front();
    EXPECT_TRUE(has_block(lines, said));
    const std::string text = read_file(dir / kept.front());
    if (c.file == "seis.ps") {
      EXPECT_TRUE(text.ends_with("%%EOF\n"));
      expect_renders(dir / kept.front());
    } else {
      EXPECT_EQ(text, catalogue);
    }
  }
}

}  // namespace
}  // namespace dorvix
