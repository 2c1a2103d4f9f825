// Writing a unit file: the buffer that gathers its text and goes to the
// file in whole blocks, the writes themselves (a pipe's as its reader
// makes room), the lines told as they are written, a write that fails,
// and the text a pipe or a terminal holds back to write it again
// (keep_text, write_again; a file on a disk is written again by
// unit_file_again.cpp).

#include "files/unit_file.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <iterator>
#include <new>
#include <span>
#include <string>
#include <utility>

#include "files/stops.hpp"
#include "files/waits.hpp"

namespace dorvix {

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
