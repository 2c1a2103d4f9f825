#pragma once
// The unit table: numbered text channels, as the program's routines know
// them. Units 5 and 6 are the console (keyboard and screen); every other
// unit is a sequential text file opened by name:
//   2 line files, 11 input data file, 12 column file of points,
//   15 command file, 20 colour-table file, 21/22 output data files,
//   50 PostScript plot file, 61 extraction-polygon file.
// A file opened with status "old" is read; "new" and "unknown" files are
// written from their start, and locked against other runs while open: a
// file that replaces an existing one is written beside it and takes its
// name only when closed whole (unit_file.hpp). A pipe or a terminal is
// written as it is, whatever the status; a disk is never written.
//
// A file written ends by close() alone, which may give a replacement the
// old file's name, or is given up by abandon(), as every other end gives
// it up: a unit opened again, close_all(), the run's end after a stop.

#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/unit_file.hpp"

namespace dorvix {

inline constexpr int unit_keyboard = 5;
inline constexpr int unit_screen = 6;

// A file that the run's end ended (UnitTable::end_written_file).
struct WrittenFileEnd {
  std::string name;
  FileEnd end;
  bool unfinished = false;  // its writer could not end its text (give_up_at_run_end)
};

enum class FileStatus {
  old_file,  // must exist; opened for reading
  new_file,  // must not exist; created and written
  unknown,   // created, or an existing file written from its start
};

// "old", "new" or "unknown" in any case; anything else reads as unknown.
FileStatus file_status(std::string_view text);

class UnitTable {
 public:
  UnitTable();

  // Redirects the console units (tests use string streams).
  void set_console(std::istream& keyboard, std::ostream& screen);
  // Back to the process's standard input and output. The standard input
  // is read by a buffer of the run's own, whose wait for a line a stop
  // signal ends (see wait_for_input).
  void reset_console();
  std::istream& keyboard() { return *keyboard_; }
  // The system's error of a read of the standard input that failed (it
  // is a folder, say), or 0.
  int keyboard_error() const;
  std::ostream& screen() { return *screen_; }

  // Opens `path` on `unit`. Fails, with nothing connected and the reason,
  // when the file cannot be opened under that status (or as `how` asks),
  // when it is connected to another unit and either connection writes, or
  // when another program holds it for writing. A unit already connected is
  // given up first (abandon).
  OpenResult open(int unit, const std::string& path, FileStatus status, OpenRequest how = {});
  // The other unit connected to the file `path` names where either
  // connection writes (opening it under `status` would be refused), or 0.
  int unit_holding(const std::string& path, int except_unit, FileStatus status) const;
  // Closes `unit` as UnitFile::close and UnitFile::abandon do, and tells
  // what became of its file (whole, with nothing on a unit that writes
  // nothing).
  FileEnd close(int unit);
  FileEnd abandon(int unit);
  // The writer of the file on `unit` could not bring its text to an end
  // that its reader can take (a plot whose prolog is not whole): whatever
  // ends the run, its end gives the file up.
  void give_up_at_run_end(int unit);
  // Ends the first file still written, for the run's end: closes it, or
  // gives it up with `give_up` or when its writer said so, and tells what
  // became of it in `ended`; false when no file is written. Allocates
  // nothing: memory may have run out.
  bool end_written_file(bool give_up, WrittenFileEnd& ended);
  // What the name of the file on `unit` stood for when it was opened.
  std::optional<FileId> identity(int unit) const;
  // The file written on `unit` counts its lines from here on (its
  // opening): UnitFile::count_lines.
  void count_lines(int unit);
  // Gives up every file (abandon).
  void close_all();
  bool is_open(int unit) const;
  // Name of the file connected to `unit` ("" when none).
  std::string name(int unit) const;
  bool rewind(int unit);
  // True when the file on `unit` can be rewound: a file on a disk. A pipe
  // or a terminal cannot (its lines read are gone), nor a unit not open.
  bool can_rewind(int unit) const;
  // The number of this opening of the file on `unit` (UnitFile::opening,
  // which a rewind renews), 0 when none is open: a reader that keeps what
  // it read of a file tells by it that the file is still the one it read.
  long long opening(int unit) const;
  // True when the file read on `unit` has no line left (or none is open).
  bool at_end(int unit);
  // Number of the line read last from `unit`, from 1 (0 when none); the
  // keyboard counts its lines too.
  long long line_number(int unit) const;
  // The lines of the file read on `unit` (or of the keyboard) that were
  // cut, so far.
  CutLines cut_lines(int unit) const;

  // One line without its end of line (a trailing carriage return is
  // dropped too). Screen output is flushed before the keyboard is read.
  // Once a stop signal was caught, the keyboard has no line left.
  ReadResult read_line(int unit, std::string& line);

  // One line; the end of line is added.
  void write_line(int unit, std::string_view line);
  // Raw text, no end of line added (for writers that build their own lines).
  void write(int unit, std::string_view text);
  void flush(int unit);
  // The output stream of a unit, or nullptr when the unit cannot be written.
  std::ostream* output(int unit);
  // The file of a unit open for writing, for writers that put their text
  // straight into its buffer; nullptr for the screen and for a unit that
  // cannot be written.
  UnitFile* output_file(int unit);

  // Lines and texts read or written through the table so far (the plot
  // file's records, written straight into its buffer, are not counted): a
  // drawing that writes again what an earlier one wrote checks with it that
  // the earlier one said and asked nothing.
  long long exchanges() const { return exchanges_; }

 private:
  struct File {
    std::string path;
    FileStatus status;
    std::unique_ptr<UnitFile> file;
    bool give_up_at_run_end = false;
  };
  // Ends the file on `unit` by `how` (close or abandon), and forgets it.
  FileEnd end(int unit, FileEnd (UnitFile::*how)());

  std::istream* keyboard_;
  std::ostream* screen_;
  std::map<int, File> files_;
  long long exchanges_ = 0;
  long long keyboard_lines_ = 0;
  CutLines keyboard_cut_;
  // The file output_file() found last, until a unit is opened or closed.
  struct LastOutput {
    int unit = 0;
    UnitFile* file = nullptr;
  } last_output_;
};

// The one unit table of the run.
UnitTable& units();

}  // namespace dorvix
