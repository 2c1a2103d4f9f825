// Reading a unit file: its text read in blocks (a pipe's as its writer
// writes it) and cut into lines.

#include "files/unit_file.hpp"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "files/stops.hpp"
#include "files/waits.hpp"

namespace dorvix {

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

}  // namespace dorvix
