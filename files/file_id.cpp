// What a name stands for: the identity of the file it names, a symbolic
// link not followed.

#include "files/file_id.hpp"

#include <sys/stat.h>

namespace dorvix {

std::optional<FileId> name_id(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return std::nullopt;
  return id_of(st);
}

}  // namespace dorvix
