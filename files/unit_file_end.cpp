// The end of a unit file: its close, which may give a replacement the old
// file's name, its abandon, the cut back to its last whole line, and the
// reason it tells for some text that could not be written.

#include "files/unit_file.hpp"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <utility>

#include "files/stops.hpp"

namespace dorvix {

std::string system_reason(int error) {
  std::string text;
  system_reason(error, text);
  return text;
}

void system_reason(int error, std::string& text) {
  text = std::strerror(error);
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

void UnitFile::fail(std::string_view reason) {
  if (!failed_ && reason_.empty()) note_incomplete_file();
  reason_ = reason;
}

void UnitFile::fail(int error) {
  if (!failed_ && reason_.empty()) note_incomplete_file();
  system_reason(error, reason_);
}

void UnitFile::fail(const Replacement::Outcome& o, std::string_view file) {
  // What became of the name, when it no longer stands for `file`.
  std::string_view was;
  if (o.name == Replacement::Name::free) was = " WAS REMOVED";
  if (o.name == Replacement::Name::moved) was = " WAS MOVED TO ANOTHER NAME";
  const bool taken = o.name == Replacement::Name::other_file;
  // A new text that went with its temporary name says so first, then
  // what became of the name, in the room the reason keeps.
  if (o.text_lost) fail("ITS TEMPORARY FILE WAS REMOVED OR TAKEN");
  if (taken || !was.empty()) {
    if (o.text_lost) {
      reason_ += ", ";
    } else {
      fail("");
    }
    if (taken) {
      reason_ += "ANOTHER FILE TOOK ITS NAME";
    } else {
      reason_ += file;
      reason_ += was;
    }
  }
  // A sync or a rename that failed says why.
  if (o.error != 0) fail(o.error);
}

FileEnd UnitFile::close() {
  FileEnd e;
  if (fd_ < 0) return e;
  write_held();
  if (write_ && !drain()) return abandon();
  if (write_ && replacement_.active()) {
    Replacement::Outcome o = replacement_.commit(fd_);
    if (o.name != Replacement::Name::replaced) {
      e.kind = o.name == Replacement::Name::old_file ? FileEnd::Kind::old_kept : FileEnd::Kind::name_lost;
    }
    fail(o, "THE OLD FILE");
    e.text_lost = o.text_lost;
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

}  // namespace dorvix
