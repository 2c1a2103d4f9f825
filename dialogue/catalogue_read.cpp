#include "dialogue/catalogue_read.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dorvix {

namespace {

// The file an input slot was last opened from, held open by a descriptor
// that reads nothing until the slot opens another: while it is held its
// inode cannot pass to another file, so a file under any name is that
// file exactly when it has that inode (a file that replaced it has
// another).
class HeldFile {
 public:
  HeldFile() = default;
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  ~HeldFile() { let_go(); }
  // Holds the file named `path` when it is still the file `id` opened.
  void hold(const std::string& path, const std::optional<FileId>& id) {
    let_go();
    if (!id || id->kind != S_IFREG) return;
    fd_ = ::open(path.c_str(), O_PATH | O_CLOEXEC);
    if (!is(*id)) let_go();
  }
  bool is(const FileId& id) const {
    struct stat st {};
    return fd_ >= 0 && ::fstat(fd_, &st) == 0 && st.st_dev == id.device && st.st_ino == id.inode;
  }

 private:
  void let_go() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  int fd_ = -1;
};

HeldFile catalogue_file;

}  // namespace

void hold_catalogue_read(const std::string& path, const std::optional<FileId>& id) { catalogue_file.hold(path, id); }

bool is_catalogue_read(const FileId& id) { return catalogue_file.is(id); }

}  // namespace dorvix
