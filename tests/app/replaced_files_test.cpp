// What a file written in place of an existing one keeps of it, the files
// that cannot be replaced at all, and the file that the replace question
// calls the catalogue read.

#include <gtest/gtest.h>

#include "catalogue/real_data.hpp"
#include "console/dialogue_helpers.hpp"
#include "support/program_run.hpp"

namespace dorvix {
namespace {

using namespace testing;
// Once a table has replaced the catalogue read, a new file, which may get
// the old catalogue's inode, is not called the catalogue read.
TEST(ReplacedFiles, OnlyTheCatalogueReadIsCalledSo) {
  TempDir dir;
  const Lines scedc = real_data_lines("scedc_hash_2018.hash");
  write_file(dir / "c.hash", scedc[0] + "\n" + scedc[1] + "\n");
  const ProgramRun run = run_dorvix(dir, {"", "1000", "1001", "c.hash", "1200", "2001", "c.hash", "y", "", "1001",
                                          "new.hash", "", "1001", "new.hash", "y", "", "99", "9999"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(has(run.lines, " replace existing file c.hash, the catalogue read ?"));
  EXPECT_TRUE(has(run.lines, " replace existing file new.hash ?"));
}

}  // namespace
}  // namespace dorvix
