#include "files/units.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <istream>
#include <ostream>

#include "files/stops.hpp"
#include "files/waits.hpp"

namespace dorvix {

namespace {

bool equals_nocase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// The process's standard input. The stream library's own buffer would
// wait on through a stop signal; this one gives up its wait, which then
// reads as the end of the input. A read that fails (a folder given as the
// input) ends it too, and its error is kept.
class StandardInput : public std::streambuf {
 public:
  int error() const { return error_; }

 protected:
  int_type underflow() override {
    for (;;) {
      if (!wait_for_input(STDIN_FILENO)) return traits_type::eof();
      const ssize_t n = ::read(STDIN_FILENO, text_.data(), text_.size());
      if (n > 0) {
        setg(text_.data(), text_.data(), text_.data() + n);
        return traits_type::to_int_type(text_[0]);
      }
      if (n == 0) return traits_type::eof();
      if (errno != EINTR && errno != EAGAIN) {
        error_ = errno;
        return traits_type::eof();
      }
    }
  }

 private:
  std::array<char, 1 << 16> text_{};
  int error_ = 0;
};

StandardInput& standard_input_buffer() {
  static StandardInput buffer;
  return buffer;
}

std::istream& standard_input() {
  static std::istream in(&standard_input_buffer());
  return in;
}

// The process's standard output. The stream library's own buffer would
// take up again a write that a stop signal cut short, and wait on for a
// reader that does not read; this one writes as the unit files do
// (write_text), and gives up a write so cut short: the console is then
// lost, as when its reader goes away, and the run ends for the signal.
class StandardOutput : public std::streambuf {
 public:
  StandardOutput() : pipe_(is_pipe(STDOUT_FILENO)) { setp(text_.data(), text_.data() + text_.size()); }

 protected:
  int_type overflow(int_type c) override {
    if (!drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return drain() ? 0 : -1; }

 private:
  // Writes the buffered text; an empty buffer afterwards either way.
  bool drain() {
    const auto n = static_cast<std::size_t>(pptr() - pbase());
    if (!lost_ && n > 0) lost_ = write_text(STDOUT_FILENO, pbase(), n, pipe_) < n;
    setp(text_.data(), text_.data() + text_.size());
    return !lost_;
  }

  const bool pipe_;
  bool lost_ = false;
  std::array<char, 1 << 13> text_{};
};

std::ostream& standard_output() {
  static StandardOutput buffer;
  static std::ostream out(&buffer);
  return out;
}

// One keyboard line, kept to its first UnitFile::max_line characters like
// a line of a file (an endless line, such as a device given as input, must
// not exhaust the memory); `cut` tells whether some was passed over.
ReadResult getline_from(std::istream& in, std::string& line, bool& cut) {
  line.clear();
  cut = false;
  std::istream::sentry ready(in, true);
  if (!ready) return in.eof() ? ReadResult::end_of_file : ReadResult::error;
  std::streambuf& text = *in.rdbuf();
  bool any = false;
  for (;;) {
    const auto c = text.sbumpc();
    if (std::char_traits<char>::eq_int_type(c, std::char_traits<char>::eof())) {
      in.setstate(std::ios::eofbit);
      if (!any) {
        in.setstate(std::ios::failbit);
        return ReadResult::end_of_file;
      }
      break;
    }
    any = true;
    if (c == '\n') break;
    if (line.size() <= UnitFile::max_line) {
      line.push_back(std::char_traits<char>::to_char_type(c));
    } else {
      cut = true;
    }
  }
  // One character more than is kept: a carriage return there is no loss.
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > UnitFile::max_line) {
    line.resize(UnitFile::max_line);
    cut = true;
  }
  return ReadResult::ok;
}

}  // namespace

FileStatus file_status(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (equals_nocase(text, "old")) return FileStatus::old_file;
  if (equals_nocase(text, "new")) return FileStatus::new_file;
  return FileStatus::unknown;
}

UnitTable::UnitTable() : keyboard_(&standard_input()), screen_(&standard_output()) {}

void UnitTable::set_console(std::istream& keyboard, std::ostream& screen) {
  keyboard_ = &keyboard;
  screen_ = &screen;
}

void UnitTable::reset_console() {
  keyboard_ = &standard_input();
  screen_ = &standard_output();
}

OpenResult UnitTable::open(int unit, const std::string& path, FileStatus status, OpenRequest how) {
  abandon(unit);
  if (path.empty()) return {OpenFailure::system, ENOENT, 0};
  // A file connected to another unit is not opened again where either
  // connection writes: two streams on one file would cut or mix each
  // other's lines (the plot file named as the open Si-Sh file, an output
  // named as the command file being read).
  if (const int holder = unit_holding(path, unit, status); holder != 0) {
    return {OpenFailure::held_by_unit, 0, holder};
  }
  // What the name stands for is the file opened's to say: a folder is
  // refused, a device is not read (it may never end a line) and a disk
  // never written, a pipe or a terminal is written as it is.
  how.must_be_new = how.must_be_new || status == FileStatus::new_file;
  // The unit's place in the table is made before its file is opened: once
  // the file is open nothing may fail before the table holds it.
  const auto [it, made] = files_.try_emplace(unit, File{path, status, std::make_unique<UnitFile>()});
  last_output_ = {};
  OpenResult r;
  try {
    r = it->second.file->open(path, status != FileStatus::old_file, how);
  } catch (...) {
    files_.erase(it);
    throw;
  }
  if (!r) files_.erase(it);
  return r;
}

void UnitTable::count_lines(int unit) {
  if (UnitFile* file = output_file(unit)) file->count_lines();
}

void UnitTable::close_all() {
  for (auto& [unit, file] : files_) file.file->abandon();
  last_output_ = {};
  files_.clear();
  screen_->flush();
}

FileEnd UnitTable::close(int unit) { return end(unit, &UnitFile::close); }

FileEnd UnitTable::abandon(int unit) { return end(unit, &UnitFile::abandon); }

FileEnd UnitTable::end(int unit, FileEnd (UnitFile::*how)()) {
  auto it = files_.find(unit);
  if (it == files_.end()) return {};
  FileEnd e = (*it->second.file.*how)();
  last_output_ = {};
  files_.erase(it);
  return e;
}

void UnitTable::give_up_at_run_end(int unit) {
  if (auto it = files_.find(unit); it != files_.end()) it->second.give_up_at_run_end = true;
}

bool UnitTable::end_written_file(bool give_up, WrittenFileEnd& ended) {
  const auto it = std::find_if(files_.begin(), files_.end(), [](const auto& f) { return f.second.file->writing(); });
  if (it == files_.end()) return false;
  File& f = it->second;
  ended.end = give_up || f.give_up_at_run_end ? f.file->abandon() : f.file->close();
  ended.unfinished = f.give_up_at_run_end;
  ended.name = std::move(f.path);
  last_output_ = {};
  files_.erase(it);
  return true;
}

std::optional<FileId> UnitTable::identity(int unit) const {
  auto it = files_.find(unit);
  if (it == files_.end()) return std::nullopt;
  return it->second.file->identity();
}

int UnitTable::unit_holding(const std::string& path, int except_unit, FileStatus status) const {
  namespace fs = std::filesystem;
  for (const auto& [unit, file] : files_) {
    const bool writes = status != FileStatus::old_file || file.status != FileStatus::old_file;
    std::error_code ec;
    if (unit != except_unit && writes && fs::equivalent(file.path, path, ec)) return unit;
  }
  return 0;
}

bool UnitTable::is_open(int unit) const { return files_.count(unit) != 0; }

std::string UnitTable::name(int unit) const {
  auto it = files_.find(unit);
  return it == files_.end() ? std::string() : it->second.path;
}

bool UnitTable::rewind(int unit) {
  auto it = files_.find(unit);
  return it != files_.end() && it->second.file->rewind();
}

bool UnitTable::can_rewind(int unit) const {
  auto it = files_.find(unit);
  return it != files_.end() && it->second.file->identity().kind == S_IFREG;
}

long long UnitTable::opening(int unit) const {
  auto it = files_.find(unit);
  return it == files_.end() ? 0 : it->second.file->opening();
}

bool UnitTable::at_end(int unit) {
  auto it = files_.find(unit);
  return it == files_.end() || it->second.file->at_end();
}

long long UnitTable::line_number(int unit) const {
  if (unit == unit_keyboard) return keyboard_lines_;
  auto it = files_.find(unit);
  return it == files_.end() ? 0 : it->second.file->line_number();
}

CutLines UnitTable::cut_lines(int unit) const {
  if (unit == unit_keyboard) return keyboard_cut_;
  auto it = files_.find(unit);
  return it == files_.end() ? CutLines{} : it->second.file->cut_lines();
}

ReadResult UnitTable::read_line(int unit, std::string& line) {
  ++exchanges_;
  if (unit == unit_keyboard) {
    screen_->flush();
    line.clear();
    if (stop_signal() != 0) return ReadResult::end_of_file;
    bool cut = false;
    const ReadResult r = getline_from(*keyboard_, line, cut);
    if (r != ReadResult::ok && keyboard_error() != 0) return ReadResult::error;
    if (r == ReadResult::ok) {
      ++keyboard_lines_;
      if (cut && keyboard_cut_.count++ == 0) keyboard_cut_.first = keyboard_lines_;
    }
    return r;
  }
  auto it = files_.find(unit);
  if (it == files_.end() || it->second.status != FileStatus::old_file) {
    line.clear();
    return ReadResult::error;
  }
  return it->second.file->read_line(line);
}

std::ostream* UnitTable::output(int unit) {
  if (unit == unit_screen) return screen_;
  UnitFile* file = output_file(unit);
  return file == nullptr ? nullptr : &file->stream();
}

UnitFile* UnitTable::output_file(int unit) {
  // The plot file is looked up for every path and text drawn.
  if (unit == last_output_.unit && last_output_.file != nullptr) return last_output_.file;
  auto it = files_.find(unit);
  if (it == files_.end() || it->second.status == FileStatus::old_file) return nullptr;
  last_output_ = {unit, it->second.file.get()};
  return last_output_.file;
}

void UnitTable::write_line(int unit, std::string_view line) {
  ++exchanges_;
  // A file counts the line (UnitFile::count_lines).
  if (UnitFile* file = output_file(unit)) {
    file->put_line(line);
  } else if (std::ostream* out = output(unit)) {
    out->write(line.data(), static_cast<std::streamsize>(line.size()));
    out->put('\n');
  }
}

void UnitTable::write(int unit, std::string_view text) {
  ++exchanges_;
  if (std::ostream* out = output(unit)) out->write(text.data(), static_cast<std::streamsize>(text.size()));
}

void UnitTable::flush(int unit) {
  if (std::ostream* out = output(unit)) out->flush();
}

int UnitTable::keyboard_error() const {
  return keyboard_ == &standard_input() ? standard_input_buffer().error() : 0;
}

UnitTable& units() {
  static UnitTable table;
  return table;
}

}  // namespace dorvix
