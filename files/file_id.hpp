#pragma once
// A file's identity on its file system, by which the unit files tell
// whether a name still stands for the file it stood for.

#include <optional>
#include <string>

#include <sys/stat.h>
#include <sys/types.h>

namespace dorvix {

// A file's identity on its file system (its device and inode: the same by
// any path or hard link), with its kind and the time its status last
// changed. Two identities are equal when they are the same file,
// unchanged since: a file removed and another made under the name may get
// the freed inode, never the same kind and time too.
struct FileId {
  dev_t device = 0;
  ino_t inode = 0;
  mode_t kind = 0;
  long long changed = 0;  // nanoseconds
  bool operator==(const FileId&) const = default;
  bool same_file(const FileId& o) const { return device == o.device && inode == o.inode; }
};

// The identity of the file whose status is `st`.
inline FileId id_of(const struct stat& st) {
  return {st.st_dev, st.st_ino, st.st_mode & S_IFMT, st.st_ctim.tv_sec * 1'000'000'000LL + st.st_ctim.tv_nsec};
}

// What the name `path` itself stands for now (a symbolic link is not
// followed); nothing when the name is free or cannot be looked at.
std::optional<FileId> name_id(const std::string& path);

}  // namespace dorvix
