// A file on a disk written again: its text written since keep_text(),
// read back and written again changed into a new file beside its name,
// which then takes the file's place.

#include "files/unit_file.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <span>

#include "files/stops.hpp"

namespace dorvix {

bool UnitFile::write_again_on_disk(std::span<const Piece> pieces) {
  const bool replacing = replacement_.active();
  // (A file rewound starts its count of what it wrote afresh.)
  if (drained_ != position_) return false;
  // A file whose name is not known has nothing to be made beside.
  if (name_.empty() && !replacing) return write_failed(ENOENT);
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
    // The new text is the replacement's now; the first goes, only while
    // its temporary name stands for it. One removed or taken meanwhile
    // took the text with it, as at a close: the new text goes at the
    // file's end, which keeps the old file.
    replacement_.swap(again);
    if (!again.discard()) {
      ::close(fd);
      Replacement::Outcome lost;
      lost.text_lost = true;
      return not_written_again(lost, "THE OLD FILE");
    }
  } else {
    // The new file, locked as the file it replaces was, takes its name.
    ::flock(fd, LOCK_EX | LOCK_NB);
    struct stat made {};
    const bool known = ::fstat(fd, &made) == 0;
    Replacement::Outcome o = again.commit(fd);
    if (o.name != Replacement::Name::replaced) {
      // The name no longer stands for the file, the new file's name was
      // removed or taken meanwhile, or a sync or the rename failed: the
      // file stands as it was, and the new file, where it is whole beside
      // it, goes.
      if (!o.kept_as.empty() && known) remove_made_file(o.kept_as.c_str(), made.st_dev, made.st_ino);
      ::close(fd);
      return not_written_again(o, "THE FILE");
    }
    if (known) id_ = id_of(made);
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

bool UnitFile::not_written_again(const Replacement::Outcome& o, std::string_view file) {
  fail(o, file);
  return write_failed(o.error);
}

}  // namespace dorvix
