// Opening a unit file: the checks of what its name stands for, for
// reading and for writing (a free name, a pipe or a terminal, a link, a
// file to be replaced), and the start over of a file rewound.

#include "files/unit_file.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <memory>

#include "files/existing_file.hpp"
#include "files/stops.hpp"
#include "files/waits.hpp"

namespace dorvix {

namespace {

OpenResult system_failure(int error) { return {OpenFailure::system, error, 0}; }
const OpenResult changed{OpenFailure::changed, 0, 0};

// Longer than any reason a file's end gives.
constexpr std::size_t reason_room = 80;

// Numbers of the openings of files, the last one given.
long long openings = 0;
long long next_opening() { return ++openings; }

// The descriptor `fd` given up after a failure: the failure's result.
OpenResult closed(int fd, OpenResult r) {
  ::close(fd);
  return r;
}
OpenResult closed_with_errno(int fd) {
  const int error = errno;
  return closed(fd, system_failure(error));
}

bool set_blocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

bool is_link(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// Opens `path` for reading under a shared lock: a file another run is
// writing is refused, and no other run may write it while it is read. A
// folder or a device is refused, a pipe too when only files are asked
// for; a pipe (`pipe`) is opened without waiting for a writer, and its
// first text (or its writer's going) is then waited for as an answer is:
// a stop signal ends the wait and the run.
OpenResult open_for_reading(const std::string& path, bool files_only, int& file, bool& pipe, FileId& id) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return system_failure(errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0) return closed_with_errno(fd);
  if (S_ISDIR(st.st_mode)) return closed(fd, system_failure(EISDIR));
  // A device (/dev/zero, a terminal) is not a file of lines and may never
  // end one.
  pipe = S_ISFIFO(st.st_mode);
  if (!S_ISREG(st.st_mode) && (!pipe || files_only)) return closed(fd, {OpenFailure::device, 0, 0});
  if (held_by_another(fd, LOCK_SH)) return closed(fd, {OpenFailure::in_use, 0, 0});
  if (pipe && !wait_for_input(fd)) {
    ::close(fd);
    end_run_if_stopped();
    return system_failure(EINTR);
  }
  if (!set_blocking(fd)) return closed_with_errno(fd);
  file = fd;
  id = id_of(st);
  return {};
}

}  // namespace

UnitFile::UnitFile() : stream_(this) {}

UnitFile::~UnitFile() { abandon(); }

// Writing: the name is opened as it stands, a link not followed, and the
// file opened decides. A free name is created; a pipe or a terminal is
// written as it is (a pipe only while a program reads it: without one the
// opening fails at once, ENXIO); an existing file is replaced, once its
// lock is held, by a file written beside it. A link is followed as it
// always was. With an O_RDWR opening (to read a file's head) a pipe would
// have this run for its reader, so it is opened again for writing only.
OpenResult UnitFile::open_for_writing(const std::string& path, const OpenRequest& how) {
  const bool read_head = !how.heads.empty();
  int fd = open_as_written(path, read_head);
  if (fd < 0) {
    const int error = errno;
    const bool free = error == ENOENT, link = error == ELOOP && is_link(path);
    if (free) return how.named ? changed : create(path);
    if (link) return through_link(path, how);
    return system_failure(error);
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) return closed_with_errno(fd);
  if (how.named && id_of(st) != *how.named) return closed(fd, changed);
  if (S_ISFIFO(st.st_mode) && read_head) {
    ::close(fd);
    fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return system_failure(errno);
    struct stat again {};
    if (::fstat(fd, &again) != 0) return closed_with_errno(fd);
    if (!id_of(again).same_file(id_of(st))) return closed(fd, changed);
  }
  if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) return take(fd, false);
  // A disk holds stored data and is never written.
  if (!S_ISREG(st.st_mode)) return closed(fd, {OpenFailure::device, 0, 0});
  if (how.must_be_new) return closed(fd, system_failure(EEXIST));
  if (held_by_another(fd, LOCK_EX)) return closed(fd, {OpenFailure::in_use, 0, 0});
  if (!how.heads.empty() && st.st_size > 0 && !begins_with_one_of(fd, how.heads)) {
    return closed(fd, {OpenFailure::not_replaceable, 0, 0});
  }
  return replace(path, fd, id_of(st), st.st_mode);
}

// A free name: the file is created there (open for reading too, so that
// its text can be read back: write_again). A name that ends in "/" with
// no folder under it is not there at all (the system says EISDIR).
OpenResult UnitFile::create(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return system_failure(errno == EISDIR ? ENOENT : errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0) return closed_with_errno(fd);
  ::flock(fd, LOCK_EX | LOCK_NB);
  id_ = id_of(st);
  return take(fd, true);
}

// A link that reaches the opening (one the opener keeps: a link to a pipe
// or a device, or the settings file's link after a yes): followed. A pipe
// or a device is written as it is; a file, once its lock is held, is
// replaced as any file, under the name the link finally leads to, so that
// the link stays a link; a file the opening creates (for a link that led
// nowhere) is written in place. A name that must be new is taken by the
// link; a named file must be the one it leads to.
OpenResult UnitFile::through_link(const std::string& path, const OpenRequest& how) {
  const bool must_be_new = how.must_be_new && !how.named;
  const bool may_create = !must_be_new && !how.named;
  int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  const bool created = fd < 0 && errno == ENOENT && may_create;
  if (created) fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_CREAT, 0666);
  if (fd < 0 && errno == ENOENT && !may_create) return how.named ? changed : system_failure(EEXIST);
  if (fd < 0) return system_failure(errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0) return closed_with_errno(fd);
  if (how.named && id_of(st) != *how.named) return closed(fd, changed);
  if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) return take(fd, false);
  if (!S_ISREG(st.st_mode)) return closed(fd, {OpenFailure::device, 0, 0});
  if (must_be_new) return closed(fd, system_failure(EEXIST));
  if (held_by_another(fd, LOCK_EX)) return closed(fd, {OpenFailure::in_use, 0, 0});
  // The file is known by the name the link leads to.
  std::error_code ec;
  std::string target = std::filesystem::canonical(path, ec).string();
  if (ec) target.clear();
  name_.swap(target);
  if (created) return in_place(fd, id_of(st), st.st_size);
  if (const auto now = name_id(name_); ec || !now || !now->same_file(id_of(st))) return closed(fd, changed);
  return replace(name_, fd, id_of(st), st.st_mode);
}

// An existing file (`fd`, its lock held) written from its start. A file
// that is empty already is left as it is: on some file systems (ext4)
// emptying a file makes its closing write it all out at once.
OpenResult UnitFile::in_place(int fd, const FileId& id, off_t size) {
  if (size > 0 && ::ftruncate(fd, 0) != 0) return closed_with_errno(fd);
  id_ = id;
  return take(fd, true);
}

// An existing file (`old`, its lock held): the new text goes to a file
// beside it, with its owner, permissions and attributes as far as they
// can be kept, which takes its name when whole.
OpenResult UnitFile::replace(const std::string& path, int old, FileId id, mode_t mode) {
  const int fd = replacement_.begin(path, old, mode);
  if (fd < 0) {
    const int error = errno;
    return closed(old, {OpenFailure::replacement, error, 0});
  }
  if (const OpenResult r = take(fd, true); !r) {
    replacement_.discard();
    return r;
  }
  id_ = id;
  return {};
}

// The file written is `fd` (blocking); `regular` when it can be cut.
OpenResult UnitFile::take(int fd, bool regular) {
  if (!set_blocking(fd)) return closed_with_errno(fd);
  fd_ = fd;
  regular_ = regular;
  return {};
}

OpenResult UnitFile::open(const std::string& path, bool write, const OpenRequest& how) {
  abandon();
  // What the file's end needs is made before the file is opened.
  if (!buffer_) buffer_ = std::make_unique<char[]>(buffer_size + margin);
  reason_.clear();
  reason_.reserve(reason_room);
  name_ = path;
  pipe_ = regular_ = counting_ = holding_ = false;
  kept_from_ = 0;
  id_ = {};
  if (write) {
    if (const OpenResult r = open_for_writing(path, how); !r) return r;
  } else if (const OpenResult r = open_for_reading(path, how.files_only, fd_, pipe_, id_); !r) {
    return r;
  }
  write_ = write;
  failed_ = false;
  error_ = 0;
  next_ = end_ = buffer_.get();
  lines_ = 0;
  cut_ = {};
  drained_ = 0;
  position_ = line_end_ = line_ends_ = 0;
  opening_ = next_opening();
  if (write) setp(buffer_.get(), buffer_.get() + buffer_size + margin);
  stream_.clear();
  return {};
}

bool UnitFile::rewind() {
  if (fd_ < 0) return false;
  if (write_ && !drain()) return false;
  failed_ = false;
  next_ = end_ = buffer_.get();
  lines_ = 0;
  cut_ = {};
  opening_ = next_opening();  // the file starts over
  position_ = line_end_ = line_ends_ = 0;
  return ::lseek(fd_, 0, SEEK_SET) == 0;
}

}  // namespace dorvix
