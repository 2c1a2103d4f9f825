#include "files/replacement.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string_view>
#include <utility>

#include "files/existing_file.hpp"
#include "files/file_owner.hpp"
#include "files/held_signals.hpp"

namespace dorvix {

namespace {

// The temporary name of one replacement, in a buffer of its own, with the
// device and inode of the file made under it. The name is filled, and its
// file made and looked at, before the buffer is marked in use; it is
// marked free once the file is gone or has taken the old name. A signal
// handler thus finds a whole name of a file made, or none.
struct TemporaryName {
  volatile std::sig_atomic_t in_use = 0;
  dev_t device = 0;
  ino_t inode = 0;
  char text[PATH_MAX] = {};
};

// More than the files a run writes at once (the two output files, the
// plot and the settings).
constexpr int max_replacements = 16;
TemporaryName temporary_names[max_replacements];

int free_slot() {
  for (int i = 0; i < max_replacements; ++i) {
    if (temporary_names[i].in_use == 0) return i;
  }
  return -1;
}

void mark(TemporaryName& name, bool in_use) {
  std::atomic_signal_fence(std::memory_order_seq_cst);
  name.in_use = in_use ? 1 : 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
}

// True while `path` stands for the file (device, inode); lstat alone, for
// a signal handler too.
bool holds(const char* path, dev_t device, ino_t inode) {
  struct stat now {};
  return ::lstat(path, &now) == 0 && now.st_dev == device && now.st_ino == inode;
}

bool holds_made_file(const TemporaryName& name) { return holds(name.text, name.device, name.inode); }

// Exchanges the files of two names at once; false, with errno, when the
// system cannot (EINVAL where the file system does not exchange names).
bool exchange(const std::string& a, const std::string& b) {
  return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0;
}

// The folder of `path`, where its temporary file is made.
std::string folder_of(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The temporary name of a replacement of `path`, its last six characters
// for mkstemp to choose; false when it would be too long for the system.
constexpr std::string_view temporary_suffix = ".dorvix-XXXXXX";
bool temporary_pattern(const std::string& path, std::string& pattern) {
  pattern = path;
  pattern += temporary_suffix;
  return pattern.size() < PATH_MAX;
}

// The runner's rights to make a file in the folder of `path` (to write in
// it and to enter it), as the system judges them; 0 where they do not
// stand in the way (a folder that cannot be looked at is left to the
// writing).
int folder_refusal(const std::string& path) {
  if (::faccessat(AT_FDCWD, folder_of(path).c_str(), W_OK | X_OK, AT_EACCESS) == 0) return 0;
  return errno == EACCES || errno == EPERM || errno == EROFS ? errno : 0;
}

// Names tried for a file moved aside before one is free.
constexpr int aside_tries = 100;

// Six characters of a name, as mkstemp chooses them (letters and digits),
// different at each call; no memory taken and no lock, so that a name can
// be chosen with the stop signals held.
void choose_characters(char* six) {
  static constexpr char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::uint64_t calls = 0;
  struct timespec now {};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  // splitmix64 of the time, the process and the call's number.
  std::uint64_t x = static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(now.tv_sec) << 30) ^
                    (static_cast<std::uint64_t>(::getpid()) << 40) ^ (++calls * 0x9E3779B97F4A7C15ULL);
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  x ^= x >> 31;
  for (int i = 0; i < 6; ++i, x /= sizeof letters - 1) six[i] = letters[x % (sizeof letters - 1)];
}

// Gives up what begin() made before it failed; errno is kept.
int given_up(int fd, TemporaryName* name, int folder) {
  const int error = errno;
  if (name != nullptr) {
    remove_made_file(name->text, name->device, name->inode);
    mark(*name, false);
  }
  if (fd >= 0) ::close(fd);
  if (folder >= 0) ::close(folder);
  errno = error;
  return -1;
}

}  // namespace

bool remove_made_file(const char* name, dev_t device, ino_t inode) {
  // Not while another file stands under the name. The file goes first to a
  // name of its own beside it, which only this run knows, and is removed
  // there only when it is the file made: another file that another program
  // put under the name meanwhile goes back under it. No stop signal comes
  // between: a second one, which ends the run at once, finds the file
  // under its name or gone.
  if (!holds(name, device, inode)) return false;
  const StopSignalsHeld held;
  char aside[PATH_MAX];
  const std::size_t size = std::strlen(name);
  std::memcpy(aside, name, size + 1);
  // The move replaces nothing: no file stands under the name before it,
  // and a name that another program's file took meanwhile is refused, and
  // another tried, so that such a file is never lost.
  bool moved = false;
  for (int tries = 0; tries < aside_tries && !moved; ++tries) {
    choose_characters(aside + size - 6);
    moved = ::renameat2(AT_FDCWD, name, AT_FDCWD, aside, RENAME_NOREPLACE) == 0;
    if (!moved && errno != EEXIST) break;
  }
  if (!moved) {
    // A file system that cannot rename without replacing, or no name the
    // file can be moved to: it is removed where it is.
    return holds(name, device, inode) && ::unlink(name) == 0;
  }
  if (holds(aside, device, inode)) return ::unlink(aside) == 0;
  ::renameat2(AT_FDCWD, aside, AT_FDCWD, name, RENAME_NOREPLACE);
  return false;
}

OpenResult replacing_refusal(const std::string& path, bool link, const std::vector<std::string_view>& heads) {
  if (link) {
    std::error_code ec;
    if (!heads.empty() && std::filesystem::is_regular_file(path, ec) && !empty_or_begins_with_one_of(path, heads)) {
      return {OpenFailure::not_replaceable, 0, 0};
    }
    if (const int error = folder_refusal(path); error != 0) return {OpenFailure::system, error, 0};
    return {};
  }
  // The file, opened as its writing opens it, then locked and read as it
  // locks and reads it.
  const int fd = open_as_written(path, !heads.empty());
  if (fd < 0) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR || error == ELOOP) return {};
    return {OpenFailure::system, error, 0};
  }
  struct stat st {};
  OpenResult r;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    // Another file now, or none: the opening tells.
  } else if (held_by_another(fd, LOCK_EX)) {
    r = {OpenFailure::in_use, 0, 0};
  } else if (!heads.empty() && st.st_size > 0 && !begins_with_one_of(fd, heads)) {
    r = {OpenFailure::not_replaceable, 0, 0};
  }
  ::close(fd);  // and the lock just taken with it
  if (!r) return r;
  // The rename of the new text onto the name.
  if (sticky_refuses(path)) return {OpenFailure::sticky, 0, 0};
  // The new text's file, made beside the old one.
  std::string pattern;
  if (!temporary_pattern(path, pattern)) return {OpenFailure::replacement, ENAMETOOLONG, 0};
  if (const int error = folder_refusal(path); error != 0) return {OpenFailure::replacement, error, 0};
  return {};
}

int Replacement::begin(const std::string& path, int old, mode_t mode) {
  discard();
  // All that its end needs is made before the file: the names, and the
  // folder, held open.
  std::string target = path;
  std::string temporary;
  const int slot = free_slot();
  if (!temporary_pattern(path, temporary)) {
    errno = ENAMETOOLONG;
    return -1;
  }
  if (slot < 0) {
    errno = EMFILE;
    return -1;
  }
  // A folder that cannot be read (one of mode -wx) is not synced.
  const int folder = ::open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  TemporaryName& name = temporary_names[slot];
  int fd = -1;
  {
    // A second stop signal finds the file made and its name in use, or
    // no file.
    const StopSignalsHeld held;
    std::memcpy(name.text, temporary.c_str(), temporary.size() + 1);
    fd = ::mkstemp(name.text);
    if (fd < 0) return given_up(-1, nullptr, folder);
    struct stat made {};
    if (::fstat(fd, &made) != 0) {
      const int error = errno;
      ::unlink(name.text);
      errno = error;
      return given_up(fd, nullptr, folder);
    }
    name.device = made.st_dev;
    name.inode = made.st_ino;
    mark(name, true);
  }
  std::memcpy(temporary.data(), name.text, temporary.size());
  // The old file's owner, permissions and attributes, as far as they can
  // be kept; the lists of its attributes are the one thing here that
  // takes memory, whose failure leaves nothing behind either.
  bool kept = false;
  try {
    kept = ::fcntl(fd, F_SETFD, FD_CLOEXEC) == 0 && keep_owner(old, fd, mode);
  } catch (...) {
    given_up(fd, &name, folder);
    throw;
  }
  if (!kept) return given_up(fd, &name, folder);
  path_ = std::move(target);
  temporary_ = std::move(temporary);
  old_ = old;
  folder_ = folder;
  slot_ = slot;
  return fd;
}

Replacement::Name Replacement::name_now() const {
  struct stat now {}, old {};
  if (::lstat(path_.c_str(), &now) != 0) {
    // A name that cannot be looked at is left to the rename to judge. A
    // name gone stands for nothing: the old file, held open, tells
    // whether it was removed or lives on under another name.
    if (errno != ENOENT && errno != ENOTDIR) return Name::old_file;
    return ::fstat(old_, &old) == 0 && old.st_nlink > 0 ? Name::moved : Name::free;
  }
  // (The old file, held open, keeps its inode: no other file has it.)
  const bool same = ::fstat(old_, &old) == 0 && now.st_dev == old.st_dev && now.st_ino == old.st_ino;
  return same ? Name::old_file : Name::other_file;
}

bool Replacement::temporary_is_made_file() const { return holds_made_file(temporary_names[slot_]); }

void Replacement::take_name(Outcome& o) const {
  const TemporaryName& made = temporary_names[slot_];
  const auto name_is_made_file = [&] { return holds(path_.c_str(), made.device, made.inode); };
  // No stop signal comes between the rename and its look: a second one,
  // which ends the run at once, finds the names as this leaves them.
  const StopSignalsHeld held;
  // The names are exchanged: the old file goes under the temporary name,
  // whence it is removed once the new text is seen to hold the old name,
  // and a rename that took another file, which another program put under
  // the temporary name just before, can be undone. A file system that
  // cannot exchange names renames: the old file goes at once, and another
  // file put under the temporary name can only be told.
  const bool exchanged = exchange(temporary_, path_);
  if (!exchanged && ((errno != EINVAL && errno != ENOSYS) || ::rename(temporary_.c_str(), path_.c_str()) != 0)) {
    const int error = errno;
    o.name = name_now();
    // A name gone meanwhile is told by what became of it.
    if (error != ENOENT || (o.name == Name::old_file && temporary_is_made_file())) o.error = error;
    return;
  }
  struct stat old {};
  const bool old_aside = exchanged && ::fstat(old_, &old) == 0 && holds(temporary_.c_str(), old.st_dev, old.st_ino);
  if (name_is_made_file() && (!exchanged || old_aside)) {
    if (exchanged) remove_made_file(temporary_.c_str(), old.st_dev, old.st_ino);
    o.name = Name::replaced;
    return;
  }
  // Another file stood under the temporary name, or took the old name
  // meanwhile: the names go back as they were, where they were exchanged.
  o.text_lost = !name_is_made_file();
  if (!exchanged) {
    o.name = Name::other_file;
    return;
  }
  exchange(temporary_, path_);
  o.name = name_now();
  // The names as they were before the rename: the temporary name was
  // taken meanwhile, and given back.
  if (o.name == Name::old_file) o.text_lost = true;
}

Replacement::Outcome Replacement::commit(int fd) {
  Outcome o;
  if (!active()) {
    o.name = Name::replaced;
    return o;
  }
  // On the disk before it has the name: a crash leaves the old file or the
  // new one whole, never a part.
  if (::fsync(fd) != 0) {
    o.error = errno;
    o.name = name_now();
    discard();
    return o;
  }
  o.name = name_now();
  if (!temporary_is_made_file()) {
    // Its name was removed or taken: the text is gone with it, and no
    // other file takes the old name.
    o.text_lost = true;
    end();
    return o;
  }
  if (o.name == Name::old_file) take_name(o);
  if (o.name != Name::replaced) {
    // A whole text stays under its temporary name, while that is its.
    if (temporary_is_made_file()) {
      o.kept_as = std::move(temporary_);
    } else {
      o.text_lost = true;
    }
    end();
    return o;
  }
  // A folder that cannot be synced leaves the new name to the file
  // system's own time: after a crash either file is whole under it.
  if (folder_ >= 0) ::fsync(folder_);
  end();
  return o;
}

void Replacement::swap(Replacement& other) noexcept {
  path_.swap(other.path_);
  temporary_.swap(other.temporary_);
  std::swap(old_, other.old_);
  std::swap(folder_, other.folder_);
  std::swap(slot_, other.slot_);
}

bool Replacement::discard() {
  if (!active()) return false;
  const TemporaryName& made = temporary_names[slot_];
  const bool removed = remove_made_file(made.text, made.device, made.inode);
  end();
  return removed;
}

void Replacement::end() {
  mark(temporary_names[slot_], false);
  slot_ = -1;
  ::close(old_);  // its lock goes with it
  old_ = -1;
  if (folder_ >= 0) ::close(folder_);
  folder_ = -1;
  temporary_.clear();
}

void remove_temporary_files() {
  for (const TemporaryName& name : temporary_names) {
    if (name.in_use == 0) continue;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    // (Another program could still put a file under the name between the
    // look and the removal: the system removes a name whatever it holds.)
    if (holds_made_file(name)) ::unlink(name.text);
  }
}

}  // namespace dorvix
