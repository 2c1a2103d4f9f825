// Seeded random runs of the program: random answers at its menus, command
// files that start and end anywhere, damaged data files. Every run must end
// in time, with the status its last words announce (0 after a quit or a
// stop the user chose, 1 after a stop the program forced, 2 at the end of
// the input), with no sanitizer report, no NaN or infinity in any file it
// wrote, and every PostScript file it wrote rendering in Ghostscript.
//
// The seeds are fixed and printed. A failing seed replays alone with
// DORVIX_FUZZ_SEED=<seed>; DORVIX_FUZZ_KEEP=1 keeps its directory. A seed
// that no block holds runs once of each kind.

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <optional>
#include <vector>

#include "fuzz_inputs.hpp"
#include "support/bounded_run.hpp"
#include "support/tools.hpp"

namespace dorvix::testing {
namespace {

constexpr double seconds_per_run = 30;
constexpr std::size_t output_bound = 32u << 20;

// A block of runs: its seeds, how often its files are damaged, how many
// menus a run visits at most.
struct Block {
  const char* name;
  std::uint32_t first_seed;
  int runs;
  double damage;
  int visits;
};

void PrintTo(const Block& b, std::ostream* os) { *os << b.name; }

// The two kinds of run: answers with the data files mostly whole, and the
// data files damaged; the blocks of a kind differ only by their seeds.
constexpr std::array<Block, 4> answer_blocks{Block{"answers 1", 1000, 30, 0.1, 10}, Block{"answers 2", 2000, 30, 0.1, 10},
                                             Block{"answers 3", 3000, 30, 0.1, 10}, Block{"answers 4", 4000, 30, 0.1, 10}};
constexpr std::array<Block, 4> file_blocks{Block{"files 1", 5000, 30, 0.8, 6}, Block{"files 2", 6000, 30, 0.8, 6},
                                           Block{"files 3", 7000, 30, 0.8, 6}, Block{"files 4", 8000, 30, 0.8, 6}};

bool holds(const Block& b, std::uint32_t seed) {
  return seed >= b.first_seed && seed - b.first_seed < static_cast<std::uint32_t>(b.runs);
}

// The seeds a block runs, or why it runs none.
struct SeedChoice {
  std::vector<std::uint32_t> seeds;
  std::string error;  // the seed given is not a number: the test fails
};

// The seeds `block` runs: all of its own when no seed is given (`given`,
// the value of DORVIX_FUZZ_SEED, null); the seed given when the block holds
// it, or when no block holds it and this block is the first of its kind,
// so that such a seed runs once with answers and once with damaged files.
// A value that is not a whole number from 0 to 2**32 - 1 is an error that
// names the seeds of the blocks.
SeedChoice seeds_to_run(const Block& block, const char* given) {
  SeedChoice choice;
  if (given == nullptr) {
    for (int k = 0; k < block.runs; ++k) choice.seeds.push_back(block.first_seed + static_cast<std::uint32_t>(k));
    return choice;
  }
  const std::string text = given;
  std::uint64_t value = 0;
  bool number = !text.empty() && text.size() <= 10;
  for (const char c : text) {
    number = number && std::isdigit(static_cast<unsigned char>(c)) != 0;
    if (number) value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (!number || value > std::numeric_limits<std::uint32_t>::max()) {
    choice.error = "DORVIX_FUZZ_SEED=" + text + " is not a seed (a whole number from 0 to 4294967295); the blocks hold";
    for (const auto* kind : {&answer_blocks, &file_blocks}) {
      for (const Block& b : *kind) {
        choice.error += " " + std::to_string(b.first_seed) + " to " + std::to_string(b.first_seed + b.runs - 1) + " (" +
                        b.name + "),";
      }
    }
    choice.error += " and any other seed runs once of each kind";
    return choice;
  }
  const auto seed = static_cast<std::uint32_t>(value);
  bool held = false;
  for (const auto* kind : {&answer_blocks, &file_blocks}) {
    for (const Block& b : *kind) held = held || holds(b, seed);
  }
  const bool first_of_kind =
      block.first_seed == answer_blocks.front().first_seed || block.first_seed == file_blocks.front().first_seed;
  if (holds(block, seed) || (!held && first_of_kind)) choice.seeds.push_back(seed);
  return choice;
}

// The exit status that the last words of a run announce.
std::optional<int> announced_status(const std::string& output) {
  static const std::pair<const char*, int> ends[] = {
      {"===> END OF INPUT: STOPPING EXECUTION", 2},
      {"EXECUTION TERMINATED AT:", 0},
      {"EXECUTION STOPPED AFTER ERROR", 0},
      {"EXECUTION STOPPED BY USER", 0},
      {"EXECUTION STOPPED BY PROGRAM", 1},
      {" ===> STOPPING EXECUTION", 1},
  };
  std::optional<int> status;
  std::size_t last = 0;
  for (const auto& [words, s] : ends) {
    const auto at = output.rfind(words);
    if (at != std::string::npos && (!status || at > last)) {
      status = s;
      last = at;
    }
  }
  return status;
}

bool sanitizer_report(const std::string& output) {
  for (const char* words : {"runtime error:", "AddressSanitizer", "LeakSanitizer", "UndefinedBehaviorSanitizer"}) {
    if (output.find(words) != std::string::npos) return true;
  }
  return false;
}

// The first word "nan", "inf" or "infinity" (any case) standing alone.
std::optional<std::string> not_a_number(const std::string& text) {
  auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
  std::string lower = text;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const std::string word : {"nan", "infinity", "inf"}) {
    for (auto at = lower.find(word); at != std::string::npos; at = lower.find(word, at + 1)) {
      const auto end = at + word.size();
      if ((at == 0 || !letter(lower[at - 1])) && (end >= lower.size() || !letter(lower[end]))) {
        const auto line = lower.rfind('\n', at);
        return text.substr(line == std::string::npos ? 0 : line + 1, 120);
      }
    }
  }
  return std::nullopt;
}

std::string last_lines(const std::string& output, int n) {
  std::size_t at = output.size();
  for (int k = 0; k <= n && at != std::string::npos && at > 0; ++k) at = output.rfind('\n', at - 1);
  return at == std::string::npos ? output : output.substr(at);
}

void check_run(const Block& block, std::uint32_t seed, bool gs) {
  SCOPED_TRACE("fuzz seed " + std::to_string(seed) + " (replay: DORVIX_FUZZ_SEED=" + std::to_string(seed) + ")");
  FuzzInputs inputs(seed);
  const Files files = inputs.files(block.damage);
  const int visits = 1 + static_cast<int>(seed % static_cast<std::uint32_t>(block.visits));
  const Lines script = inputs.script(visits, seed % 3 != 0);
  std::string input;
  for (const auto& a : script) input += a + "\n";

  TempDir dir;
  for (const auto& [name, text] : files) write_file(dir / name, text);
  const BoundedRun run = run_bounded(DORVIX_BINARY, dir.path(), input, seconds_per_run, output_bound);
  const std::string tail = "\n--- last lines:" + last_lines(run.output, 25);
  if (std::getenv("DORVIX_FUZZ_KEEP") != nullptr) {
    const auto kept = std::filesystem::temp_directory_path() / ("dorvix-fuzz-" + std::to_string(seed));
    std::filesystem::remove_all(kept);
    std::filesystem::copy(dir.path(), kept);
    write_file(kept / "keyboard.input", input);
    write_file(kept / "console.output", run.output);
    std::cout << "run kept in " << kept << std::endl;
  }

  ASSERT_FALSE(run.timed_out) << "no end within " << seconds_per_run << " s" << tail;
  ASSERT_FALSE(run.overflowed) << "more than " << output_bound << " bytes of output" << tail;
  EXPECT_FALSE(sanitizer_report(run.output)) << tail;
  const std::optional<int> announced = announced_status(run.output);
  EXPECT_TRUE(announced.has_value()) << "the run ended without saying why, status " << run.status << tail;
  if (announced) {
    EXPECT_EQ(run.status, *announced) << tail;
  }
  EXPECT_EQ(run.signal, 0) << tail;

  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    if (!entry.is_regular_file()) continue;
    const std::string name = entry.path().filename().string();
    const std::string text = read_file(entry.path());
    const auto given = files.find(name);
    if (given != files.end() && given->second == text) continue;  // not written by the run
    if (!not_a_number(name)) {
      const auto bad = not_a_number(text);
      EXPECT_FALSE(bad.has_value()) << name << " holds " << bad.value_or("");
    }
    if (gs && text.starts_with("%!")) {
      const CommandResult r = ghostscript_render(entry.path());
      EXPECT_TRUE(r.status == 0 && r.output.find("Error") == std::string::npos) << name << "\n" << r.output << tail;
    }
  }
}

class Fuzz : public ::testing::TestWithParam<Block> {};

TEST_P(Fuzz, RunsEndAsAnnouncedAndWriteSoundFiles) {
  const Block& b = GetParam();
  const bool gs = have_tool("gs");
  if (!gs && std::getenv("CI") != nullptr) ADD_FAILURE() << "required tool missing: gs";
  const SeedChoice choice = seeds_to_run(b, std::getenv("DORVIX_FUZZ_SEED"));
  ASSERT_TRUE(choice.error.empty()) << choice.error;
  if (choice.seeds.empty()) GTEST_SKIP() << "fuzz " << b.name << ": the seed given is run by another block";
  std::cout << "fuzz " << b.name << ": seed" << (choice.seeds.size() > 1 ? "s " : " ") << choice.seeds.front();
  if (choice.seeds.size() > 1) std::cout << " to " << choice.seeds.back();
  std::cout << std::endl;
  for (const std::uint32_t seed : choice.seeds) {
    check_run(b, seed, gs);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(Dialogue, Fuzz, ::testing::ValuesIn(answer_blocks),
                         [](const auto& info) { return "Answers" + std::to_string(info.index + 1); });
INSTANTIATE_TEST_SUITE_P(Files, Fuzz, ::testing::ValuesIn(file_blocks),
                         [](const auto& info) { return "DamagedFiles" + std::to_string(info.index + 1); });

// The seeds each block runs: its own, or the one DORVIX_FUZZ_SEED gives,
// once, by the block that holds it or by the first block of each kind;
// a value that is not a seed fails the test, naming the seeds known.
TEST(FuzzSeeds, EverySeedGivenRunsAndAnythingElseFails) {
  const Block& answers_1 = answer_blocks[0];
  const Block& answers_2 = answer_blocks[1];
  const Block& files_1 = file_blocks[0];
  const Block& files_4 = file_blocks[3];
  const struct {
    const char* given;
    const Block& block;
    std::vector<std::uint32_t> seeds;
  } cases[] = {
      {"1005", answers_1, {1005}},         {"1005", answers_2, {}},
      {"1005", files_1, {}},               {"8029", files_4, {8029}},
      {"8029", files_1, {}},               {"999999", answers_1, {999999}},
      {"999999", files_1, {999999}},       {"999999", answers_2, {}},
      {"999999", files_4, {}},             {"0", answers_1, {0}},
      {"4294967295", files_1, {4294967295u}},
  };
  for (const auto& c : cases) {
    const SeedChoice choice = seeds_to_run(c.block, c.given);
    EXPECT_EQ(choice.seeds, c.seeds) << c.given << " in " << c.block.name;
    EXPECT_EQ(choice.error, "") << c.given;
  }
  const SeedChoice all = seeds_to_run(files_4, nullptr);
  EXPECT_EQ(all.seeds.size(), 30u);
  EXPECT_EQ(all.seeds.front(), 8000u);
  EXPECT_EQ(all.seeds.back(), 8029u);
  for (const char* bad : {"", "abc", "12x", "-5", " 7", "4294967296", "99999999999"}) {
    const SeedChoice choice = seeds_to_run(answers_1, bad);
    EXPECT_TRUE(choice.seeds.empty()) << bad;
    EXPECT_EQ(choice.error, "DORVIX_FUZZ_SEED=" + std::string(bad) +
                                " is not a seed (a whole number from 0 to 4294967295); the blocks hold 1000 to 1029 "
                                "(answers 1), 2000 to 2029 (answers 2), 3000 to 3029 (answers 3), 4000 to 4029 (answers "
                                "4), 5000 to 5029 (files 1), 6000 to 6029 (files 2), 7000 to 7029 (files 3), 8000 to "
                                "8029 (files 4), and any other seed runs once of each kind");
  }
}

}  // namespace
}  // namespace dorvix::testing
