// What a file written in place of an existing one keeps of it, the files
// that cannot be replaced at all, and the file that the replace question
// calls the catalogue read.

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/real_data.hpp"
#include "dialogue/dialogue_helpers.hpp"
#include "numbers/edit.hpp"
#include "support/program_run.hpp"

namespace dorvix {
namespace {

using namespace testing;
namespace fs = std::filesystem;

std::string attribute(const fs::path& p, const char* name) {
  std::string value(256, '\0');
  const ssize_t n = ::getxattr(p.c_str(), name, value.data(), value.size());
  value.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return value;
}

// out.hash, a file of user 1001 shared with group 2000 (mode 6664, an
// attribute of its user's and an ACL that lets user 1003 read it), is
// replaced by a catalogue. Root gives the new file the old owner and
// group; user 1002, of group 2000, the group, the file becoming the
// user's. Both keep the ACL and the attribute, neither the setuid and
// setgid bits. In a sticky folder user 1002 cannot replace it: the box
// says so when the name is given, and the old file is kept.
TEST(ReplacedFiles, KeepWhatTheSystemLetsTheRunnerGiveThem) {
  if (::geteuid() != 0) GTEST_SKIP() << "only the superuser makes files of other users";
  DORVIX_REQUIRE_TOOL("setpriv");
  const Lines scedc = real_data_lines("scedc_hash_2018.hash");
  const std::string catalogue = scedc[0] + "\n" + scedc[1] + "\n", old = "an earlier catalogue\n";
  // Version 2; owner rw, user 1003 r, group rw, mask rw, others r.
  const std::string acl("\2\0\0\0\1\0\6\0\377\377\377\377\2\0\4\0\353\3\0\0\4\0\6\0\377\377\377\377"
                        "\20\0\6\0\377\377\377\377\40\0\4\0\377\377\377\377",
                        44);
  const std::string as_user = "setpriv --reuid=1002 --regid=1002 --groups=2000 ";
  const struct {
    std::string as;
    fs::perms folder;
    Lines answers;  // from the name of the catalogue written on
    uid_t owner;    // of the new out.hash; 0: the old one is kept
  } cases[] = {
      {"", fs::perms::all, {"out.hash", "y", ""}, 1001},
      {as_user, fs::perms::all, {"out.hash", "y", ""}, 1002},
      {as_user, fs::perms::all | fs::perms::sticky_bit, {"out.hash", "", "other.hash", ""}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.as + edit::i(c.owner, 0));
    TempDir dir;
    fs::permissions(dir.path(), c.folder);
    write_file(dir / "cat.hash", catalogue);
    const fs::path out = dir / "out.hash";
    write_file(out, old);
    ASSERT_EQ(::chown(out.c_str(), 1001, 2000), 0);
    ASSERT_EQ(::chmod(out.c_str(), 06664), 0);
    if (::setxattr(out.c_str(), "user.note", "kept", 4, 0) != 0 ||
        ::setxattr(out.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0) {
      GTEST_SKIP() << "no extended attributes or no ACLs on this file system";
    }
    std::string input;
    for (const auto& a : join({{"", "1000", "1001", "cat.hash", "1200", "1001"}, c.answers, {"99", "9999"}})) {
      input += a + "\n";
    }
    const CommandResult r =
        run_command("cd " + shell_quote(dir.path().string()) + " && " + c.as + shell_quote(DORVIX_BINARY), input);
    EXPECT_EQ(r.status, 0);
    struct stat st {};
    ASSERT_EQ(::stat(out.c_str(), &st), 0);
    EXPECT_EQ(read_file(out), c.owner != 0 ? catalogue : old);
    EXPECT_EQ(st.st_uid, c.owner != 0 ? c.owner : 1001);
    EXPECT_EQ(st.st_gid, 2000u);
    EXPECT_EQ(st.st_mode & 07777, c.owner != 0 ? 0664u : 06664u);
    EXPECT_EQ(attribute(out, "user.note"), "kept");
    EXPECT_EQ(attribute(out, "system.posix_acl_access"), acl);
    EXPECT_EQ(has_block(split_lines(r.output), {" COULD NOT OPEN FILE " + edit::pad("out.hash", 40),
                                                " ANOTHER USER'S FILE IN A STICKY FOLDER: IT CANNOT BE REPLACED"}),
              c.owner == 0);
  }
}

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
