#include "files/file_owner.hpp"

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string_view>
#include <vector>

namespace dorvix {

namespace {

constexpr std::string_view access_acl = "system.posix_acl_access";

// Attributes that a write clears (a file's capabilities, as its setuid
// bit) or that describe the old text (its integrity records): the new
// text does not get them.
constexpr std::array<std::string_view, 3> not_kept = {"security.capability", "security.ima", "security.evm"};

// The value of the attribute `name` of `fd` into `value`; false when it
// cannot be read (it went meanwhile, or grew past what was measured).
bool attribute(int fd, const char* name, std::vector<char>& value) {
  const ssize_t size = ::fgetxattr(fd, name, nullptr, 0);
  if (size < 0) return false;
  value.resize(static_cast<std::size_t>(size));
  const ssize_t got = ::fgetxattr(fd, name, value.data(), value.size());
  if (got < 0) return false;
  value.resize(static_cast<std::size_t>(got));
  return true;
}

// The extended attributes of `old` set on `fd`, each as far as the file
// system and the runner's rights allow; an ACL that `fd` took from its
// folder goes when `old` has none.
void copy_attributes(int old, int fd) {
  std::vector<char> names(static_cast<std::size_t>(std::max<ssize_t>(::flistxattr(old, nullptr, 0), 0)));
  const ssize_t listed = names.empty() ? 0 : ::flistxattr(old, names.data(), names.size());
  bool acl = false;
  std::vector<char> value;
  for (std::size_t at = 0; listed > 0 && at < static_cast<std::size_t>(listed);) {
    const char* name = names.data() + at;
    const std::string_view n(name);
    at += n.size() + 1;
    acl = acl || n == access_acl;
    if (std::find(not_kept.begin(), not_kept.end(), n) != not_kept.end() || !attribute(old, name, value)) continue;
    ::fsetxattr(fd, name, value.data(), value.size(), 0);
  }
  if (!acl) ::fremovexattr(fd, access_acl.data());
}

}  // namespace

bool keep_owner(int old, int fd, mode_t mode) {
  struct stat st {};
  if (::fstat(old, &st) == 0) {
    // Root gives both; another user only a group it belongs to.
    static_cast<void>(::fchown(fd, st.st_uid, st.st_gid) == 0 || ::fchown(fd, static_cast<uid_t>(-1), st.st_gid) == 0);
  }
  if (::fchmod(fd, mode & 01777) != 0) return false;
  copy_attributes(old, fd);
  return true;
}

bool sticky_refuses(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path target = std::filesystem::canonical(path, ec);
  struct stat file {}, folder {};
  if (ec || ::stat(target.c_str(), &file) != 0 || ::stat(target.parent_path().c_str(), &folder) != 0) return false;
  const uid_t runner = ::geteuid();
  return (folder.st_mode & S_ISVTX) != 0 && runner != 0 && file.st_uid != runner && folder.st_uid != runner;
}

}  // namespace dorvix
