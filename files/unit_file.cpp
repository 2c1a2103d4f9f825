#include "files/unit_file.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <new>
#include <span>
#include <utility>

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

FileId id_of(const struct stat& st) {
  return {st.st_dev, st.st_ino, st.st_mode & S_IFMT, st.st_ctim.tv_sec * 1'000'000'000LL + st.st_ctim.tv_nsec};
}

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

// Another program holds the lock of `fd` (a file system without locks
// holds none).
bool held_by_another(int fd, int kind) { return ::flock(fd, kind | LOCK_NB) != 0 && errno == EWOULDBLOCK; }

// True when the file `fd` begins with one of `heads`.
bool begins_with_one_of(int fd, const std::vector<std::string_view>& heads) {
  std::size_t longest = 0;
  for (const std::string_view h : heads) longest = std::max(longest, h.size());
  std::string head(longest, '\0');
  const ssize_t n = ::pread(fd, head.data(), longest, 0);
  head.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return std::any_of(heads.begin(), heads.end(), [&](std::string_view h) { return head.starts_with(h); });
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

std::optional<FileId> name_id(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return std::nullopt;
  return id_of(st);
}

std::string system_reason(int error) {
  std::string text;
  system_reason(error, text);
  return text;
}

void system_reason(int error, std::string& text) {
  text = std::strerror(error);
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool empty_or_begins_with_one_of(const std::string& path, const std::vector<std::string_view>& heads) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  const bool begins =
      ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && (st.st_size == 0 || begins_with_one_of(fd, heads));
  ::close(fd);
  return begins;
}

bool locked_by_another(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  const bool locked = held_by_another(fd, LOCK_EX);
  ::close(fd);  // lets go of a lock just taken
  return locked;
}

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
  const int access = how.heads.empty() ? O_WRONLY : O_RDWR;
  int fd = ::open(path.c_str(), access | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
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
  if (S_ISFIFO(st.st_mode) && access == O_RDWR) {
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

void UnitFile::fail(std::string_view reason) {
  if (!failed_ && reason_.empty()) note_incomplete_file();
  reason_ = reason;
}

void UnitFile::fail(int error) {
  if (!failed_ && reason_.empty()) note_incomplete_file();
  system_reason(error, reason_);
}

FileEnd UnitFile::close() {
  FileEnd e;
  if (fd_ < 0) return e;
  write_held();
  if (write_ && !drain()) return abandon();
  if (write_ && replacement_.active()) {
    Replacement::Outcome o = replacement_.commit(fd_);
    std::string_view name_said;  // what became of the old name, when it is not the old file's
    switch (o.name) {
      case Replacement::Name::replaced:
        break;
      case Replacement::Name::old_file:
        e.kind = FileEnd::Kind::old_kept;
        break;
      case Replacement::Name::free:
        e.kind = FileEnd::Kind::name_lost;
        name_said = "THE OLD FILE WAS REMOVED";
        break;
      case Replacement::Name::moved:
        e.kind = FileEnd::Kind::name_lost;
        name_said = "THE OLD FILE WAS MOVED TO ANOTHER NAME";
        break;
      case Replacement::Name::other_file:
        e.kind = FileEnd::Kind::name_lost;
        name_said = "ANOTHER FILE TOOK ITS NAME";
        break;
    }
    // A new text that went with its temporary name says so first, then
    // what became of the old name, in the room the reason keeps.
    if (o.text_lost) {
      e.text_lost = true;
      fail("ITS TEMPORARY FILE WAS REMOVED OR TAKEN");
      if (!name_said.empty()) {
        reason_ += ", ";
        reason_ += name_said;
      }
    } else if (!name_said.empty()) {
      fail(name_said);
    }
    // A sync or a rename that failed says why.
    if (o.error != 0) fail(o.error);
    e.kept_as = std::move(o.kept_as);
  }
  release(e);
  return e;
}

FileEnd UnitFile::abandon() {
  FileEnd e;
  if (fd_ < 0) return e;
  if (write_ && replacement_.active()) {
    replacement_.discard();
    e.kind = FileEnd::Kind::old_kept;
  } else if (write_) {
    write_held();
    e.kind = FileEnd::Kind::cut;
    e.lines = end_at_whole_line();
  }
  release(e);
  return e;
}

void UnitFile::release(FileEnd& e) {
  // A replacement given up, or kept aside whole, is not told by its close.
  const bool told = e.kind == FileEnd::Kind::whole || e.kind == FileEnd::Kind::cut;
  if (::close(fd_) != 0 && write_ && told && !failed_ && reason_.empty()) fail(errno);
  fd_ = -1;
  if (write_ && (failed_ || !reason_.empty())) {
    if (reason_.empty()) system_reason(error_, reason_);
    e.reason = std::move(reason_);
  }
  setp(nullptr, nullptr);
  write_ = false;
  opening_ = 0;
}

bool UnitFile::refill() {
  if (fd_ < 0 || write_ || failed_) return false;
  // What a pipe's writer has written so far, once there is some (or it has
  // gone): the wait ends at a stop signal, and the run with it.
  if (pipe_ && !wait_for_input(fd_)) {
    end_run_if_stopped();
    return false;
  }
  ssize_t n = 0;
  do {
    n = ::read(fd_, buffer_.get(), buffer_size);
  } while (n < 0 && errno == EINTR && !pipe_);
  if (n < 0) failed_ = true;
  const std::size_t got = n > 0 ? static_cast<std::size_t>(n) : 0;
  next_ = buffer_.get();
  end_ = next_ + got;
  return got > 0;
}

ReadResult UnitFile::read_line(std::string& line) {
  line.clear();
  if (fd_ < 0 || write_) return ReadResult::error;
  bool any = false;  // characters of a line without its end yet
  bool cut = false;  // characters passed over
  // One character more than is kept: a carriage return there is no loss.
  constexpr std::size_t room = max_line + 1;
  for (;;) {
    if (next_ == end_ && !refill()) {
      if (failed_) return ReadResult::error;
      if (!any) return ReadResult::end_of_file;
      break;  // the last line, without an end of line
    }
    const auto n = static_cast<std::size_t>(end_ - next_);
    auto* nl = static_cast<char*>(std::memchr(next_, '\n', n));
    const auto taken = nl != nullptr ? static_cast<std::size_t>(nl - next_) : n;
    const std::size_t kept = std::min(taken, room - line.size());
    cut = cut || kept < taken;
    line.append(next_, kept);
    if (nl != nullptr) {
      next_ = nl + 1;
      break;
    }
    next_ = end_;
    any = true;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > max_line) {
    line.resize(max_line);
    cut = true;
  }
  ++lines_;
  if (cut && cut_.count++ == 0) cut_.first = lines_;
  return ReadResult::ok;
}

bool UnitFile::at_end() {
  if (fd_ < 0 || write_) return true;
  return next_ == end_ && !refill();
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

bool is_pipe(int fd) {
  struct stat st {};
  return ::fstat(fd, &st) == 0 && (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode));
}

std::size_t write_text(int fd, const char* text, std::size_t n, bool pipe) {
  std::size_t done = 0;
  while (done < n) {
    if (pipe && !wait_for_room(fd)) break;
    const std::size_t part = pipe ? std::min<std::size_t>(n - done, PIPE_BUF) : n - done;
    const ssize_t written = ::write(fd, text + done, part);
    if (written > 0) {
      done += static_cast<std::size_t>(written);
      // Part of the text went, and a stop signal came while the rest
      // waited: it waits no more.
      if (done < n && waits_cut_short()) break;
    } else if (written == 0 || errno != EINTR || waits_cut_short()) {
      break;
    }
  }
  return done;
}

bool UnitFile::write_out(std::size_t n) {
  if (failed_) return false;
  if (holding_) {
    // Room is taken before the text joins, for it and two buffers more:
    // one that the run's end may still write (a trailer), one that joins
    // the text when the file ends (take_held); neither then allocates.
    // Memory that runs out, with room left for this text and one buffer,
    // ends the run at its next block.
    constexpr std::size_t buffer = buffer_size + margin;
    const std::size_t spare = held_.capacity() - held_.size();
    if (spare < n + 2 * buffer) {
      try {
        held_.reserve(held_.size() + n + 2 * buffer);
      } catch (const std::bad_alloc&) {
        if (spare < n + buffer) throw;
      }
    }
    held_.append(pbase(), n);
    return true;
  }
  const char* text = pbase();
  const std::size_t written = write_text(fd_, text, n, !regular_ && is_pipe(fd_));
  const int error = errno;
  // The end of the last line that reached the file.
  const auto from = std::make_reverse_iterator(text);
  const auto last = std::find(std::make_reverse_iterator(text + written), from, '\n');
  if (last != from) line_end_ = position_ + (last.base() - text);
  position_ += static_cast<long long>(written);
  if (written == n) return true;
  failed_ = true;
  error_ = error;
  // The lines told whose end had not reached the file never will.
  if (counting_) line_ends_ -= std::count(text + written, static_cast<const char*>(pptr()), '\n');
  note_incomplete_file();
  end_run_if_stopped();
  return false;
}

void UnitFile::keep_text() {
  if (!write_) return;
  kept_from_ = written();
  if (regular_) return;
  held_.reserve(buffer_size + margin);
  holding_ = true;
}

void UnitFile::write_held() {
  if (!write_ || !holding_) return;
  std::string held = take_held();
  // The text goes to the file from where it is held, as the buffer's text
  // would (drain), without passing through the buffer; the buffer is the
  // file's again however the write ends.
  struct BackToBuffer {
    UnitFile& f;
    ~BackToBuffer() { f.setp(f.buffer_.get(), f.buffer_.get() + buffer_size + margin); }
  } back{*this};
  setp(held.data(), held.data() + held.size());
  for (std::size_t left = held.size(); left > 0;) {
    const auto step = static_cast<int>(std::min<std::size_t>(left, INT_MAX));
    pbump(step);
    left -= static_cast<std::size_t>(step);
  }
  drain();
}

std::string UnitFile::take_held() {
  if (!holding_) return {};
  drained_ -= static_cast<long long>(held_.size());
  // The buffer joins the text held, in the room kept for it.
  held_.append(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(buffer_.get(), buffer_.get() + buffer_size + margin);
  holding_ = false;
  return std::exchange(held_, {});
}

bool UnitFile::write_again(std::span<const Piece> pieces) {
  if (!write_ || failed_) return false;
  const long long end = written();
  for (const Piece& p : pieces) {
    if (p.from < kept_from_ || p.from > p.to || p.to > end) return false;
  }
  if (!holding_) return regular_ && drain() && write_again_on_disk(pieces);
  const long long start = kept_from_;
  const std::string text = take_held();
  for (const Piece& p : pieces) {
    put(p.text.data(), p.text.size());
    put(text.data() + (p.from - start), static_cast<std::size_t>(p.to - p.from));
  }
  return !failed_;
}

bool UnitFile::write_again_on_disk(std::span<const Piece> pieces) {
  const bool replacing = replacement_.active();
  // (A file rewound starts its count of what it wrote afresh.)
  if ((name_.empty() && !replacing) || drained_ != position_) return false;
  // The new file is made beside the name as a replacement's temporary
  // file is, with what the file it replaces has (for a new file, the file
  // itself): its owner, permissions and attributes.
  const int old = ::fcntl(replacing ? replacement_.old_file() : fd_, F_DUPFD_CLOEXEC, 0);
  if (old < 0) return write_failed(errno);
  struct stat st {};
  if (::fstat(old, &st) != 0) {
    const int error = errno;
    ::close(old);
    return write_failed(error);
  }
  Replacement again;
  int fd = -1;
  try {
    fd = again.begin(name_, old, st.st_mode);
  } catch (...) {
    ::close(old);
    throw;
  }
  if (fd < 0) {
    const int error = errno;
    ::close(old);
    return write_failed(error);
  }
  // The pieces, the text written read back through the buffer, which is
  // empty; the new file's size and the new place of the end of the last
  // line that reached the file.
  long long size = 0, line_end = 0;
  bool whole = true;
  for (const Piece& p : pieces) {
    whole = whole && write_text(fd, p.text.data(), p.text.size(), false) == p.text.size();
    size += static_cast<long long>(p.text.size());
    if (line_end_ >= p.from && line_end_ <= p.to) line_end = size + (line_end_ - p.from);
    for (long long at = p.from; whole && at < p.to;) {
      const auto n = static_cast<std::size_t>(std::min<long long>(p.to - at, buffer_size));
      ssize_t got = 0;
      do {
        got = ::pread(fd_, buffer_.get(), n, static_cast<off_t>(at));
      } while (got < 0 && errno == EINTR);
      if (got == 0) errno = EIO;  // the file is shorter than its text written
      const auto part = static_cast<std::size_t>(std::max<ssize_t>(got, 0));
      whole = got > 0 && write_text(fd, buffer_.get(), part, false) == part;
      at += static_cast<long long>(part);
    }
    size += p.to - p.from;
  }
  if (!whole) {
    const int error = errno;
    ::close(fd);
    again.discard();
    return write_failed(error);
  }
  if (replacing) {
    // The new text is the replacement's now; the first goes.
    replacement_.swap(again);
    again.discard();
  } else {
    // The new file, locked as the file it replaces was, takes its name.
    ::flock(fd, LOCK_EX | LOCK_NB);
    Replacement::Outcome o = again.commit(fd);
    if (o.name != Replacement::Name::replaced) {
      // Its name changed meanwhile (the file goes on as it stands), or a
      // sync or the rename failed: the new file goes.
      if (!o.kept_as.empty()) ::unlink(o.kept_as.c_str());
      ::close(fd);
      if (o.error != 0) write_failed(o.error);
      return false;
    }
    struct stat made {};
    if (::fstat(fd, &made) == 0) id_ = id_of(made);
  }
  ::close(fd_);
  fd_ = fd;
  position_ = drained_ = size;
  line_end_ = line_end;
  return true;
}

bool UnitFile::write_failed(int error) {
  failed_ = true;
  error_ = error;
  note_incomplete_file();
  end_run_if_stopped();
  return false;
}

bool UnitFile::put_line(std::string_view line) {
  if (line.size() < max_room) {
    char* p = room(line.size() + 1);
    p = std::copy(line.begin(), line.end(), p);
    *p++ = '\n';
    commit(p);
  } else {
    put(line.data(), line.size());
    put("\n", 1);
  }
  line_written();
  return !failed_;
}

std::optional<long long> UnitFile::end_at_whole_line() {
  if (fd_ < 0 || !write_) return std::nullopt;
  // The buffer up to its last end of line: once written (when it can be),
  // the file ends at the last line that reached it, which the file knows
  // without reading it back.
  const auto last = std::find(std::make_reverse_iterator(pptr()), std::make_reverse_iterator(pbase()), '\n');
  const auto kept = last.base() - pbase();
  setp(buffer_.get(), buffer_.get() + buffer_size + margin);
  pbump(static_cast<int>(kept));
  drain();
  if (!regular_) return std::nullopt;
  if (position_ > line_end_) {
    if (::ftruncate(fd_, static_cast<off_t>(line_end_)) != 0 ||
        ::lseek(fd_, static_cast<off_t>(line_end_), SEEK_SET) != static_cast<off_t>(line_end_)) {
      return std::nullopt;
    }
    position_ = line_end_;
  }
  if (!counting_) return std::nullopt;
  return line_ends_;
}

bool UnitFile::drain() {
  const auto n = static_cast<std::size_t>(pptr() - pbase());
  if (n > 0) write_out(n);
  drained_ += static_cast<long long>(n);
  setp(buffer_.get(), buffer_.get() + buffer_size + margin);
  return !failed_;
}

bool UnitFile::write_block() {
  if (static_cast<std::size_t>(pptr() - pbase()) < buffer_size) return drain();
  write_out(buffer_size);
  drained_ += static_cast<long long>(buffer_size);
  const auto rest = static_cast<std::size_t>(pptr() - pbase()) - buffer_size;
  std::memmove(buffer_.get(), buffer_.get() + buffer_size, rest);
  setp(buffer_.get(), buffer_.get() + buffer_size + margin);
  pbump(static_cast<int>(rest));
  return !failed_;
}

void UnitFile::make_room() {
  end_run_if_stopped();
  write_block();
}

UnitFile::int_type UnitFile::overflow(int_type c) {
  if (!write_ || !write_block()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

std::streamsize UnitFile::xsputn(const char* s, std::streamsize n) {
  if (!write_ || failed_) return 0;
  std::streamsize done = 0;
  while (done < n) {
    if (pptr() == epptr() && !write_block()) return done;
    const auto take = std::min<std::streamsize>(n - done, epptr() - pptr());
    std::memcpy(pptr(), s + done, static_cast<std::size_t>(take));
    pbump(static_cast<int>(take));
    done += take;
  }
  return done;
}

int UnitFile::sync() { return write_ && !drain() ? -1 : 0; }

}  // namespace dorvix
