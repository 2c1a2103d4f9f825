#pragma once
// The file behind one unit of the unit table, with one large buffer of its
// own: a file read is read in blocks and cut into lines at their ends; a
// file written gathers its text and writes it in few large writes.
//
// Text is written either through stream(), an ordinary output stream, or
// straight into the buffer by writers of many short records (room and
// commit), which then need no stream call per record. Both go through the
// same buffer, so their text stays in order.
//
// A write that fails (a full disk, a file-size limit, a pipe whose reader
// went away) makes the stream bad and drops the text written after it;
// the file's end then reports the failure, and the run's end gives it its
// exit status.
//
// What a name stands for is decided on the file opened, never on the name
// looked at before: a name to be written is opened without following a
// symbolic link, and its kind, its lock and its first characters are
// taken from that opening.
//
// A file written under a name that is free is created there. A file that
// replaces an existing file is written under a temporary name beside it
// (replacement.hpp), with the old file's permissions and, as far as the
// system allows, its owner, group and attributes, and takes the old
// file's name only at its close, when it is whole: written and on the
// disk. Until then the old file is untouched, and whatever else ends the
// writing (a failed write, a stop, memory that runs out, the file's
// destructor) gives the file up: the temporary file is removed and the
// old one kept. A pipe or a terminal is written as it is; a symbolic link
// that reaches the opening is followed, and the file it leads to is
// replaced as any file, so that the link stays a link (a file the opening
// creates, for a link that led nowhere, is written in place).
//
// The file has two ends: close(), the one that may give a replacement
// the old file's name, and abandon(), which gives the file up. Whatever
// either needs (the buffer, the temporary name, room for the reason of a
// failure) is made when the file opens, so that neither allocates: the
// run's end, when memory may have run out, ends its files so.
//
// A file opened for writing holds an exclusive advisory lock (flock) until
// it is closed (a replaced file holds it on the old file): another run of
// the program that opens it for writing is refused before anything of the
// file is touched. A file read holds a shared lock: it is refused while
// another run writes it, and no other run may write it while it is read.
//
// A pipe read waits for its writer's text as the run waits for an answer:
// a stop signal ends the wait, and the run (see files/stops.hpp).
//
// The work is spread by job: unit_file_open.cpp opens a file and checks
// what its name stands for, unit_file_read.cpp reads it in lines,
// unit_file_write.cpp buffers and writes its text (and holds a pipe's
// back to write it again), unit_file_end.cpp ends it (close, abandon, the
// cut back to the last whole line), and unit_file_again.cpp writes a file
// on a disk again.

#include <cstddef>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include <sys/types.h>

#include "files/file_id.hpp"
#include "files/open_request.hpp"
#include "files/replacement.hpp"

namespace dorvix {

enum class ReadResult { ok, end_of_file, error };

// What became of a file written, at its close or when the run ended
// before its close.
struct FileEnd {
  enum class Kind {
    whole,      // closed with all its text: a replacement now has the old file's name
    cut,        // a new file ended before its close, at its last whole line
    old_kept,   // a replacement given up, or whose text could not take the name: the old file is kept as it was
    name_lost,  // a whole replacement whose name another file took, or nothing holds now (the reason says which)
  };
  Kind kind = Kind::whole;
  std::string reason;              // why some text could not be written, or take the name ("" when all went)
  std::optional<long long> lines;  // the lines a cut file keeps, when it counts them
  std::string kept_as;             // the temporary name that a whole text which could not take the name keeps
  bool text_lost = false;          // a replacement's text went with its temporary name (the reason says so first)
};

// The system's reason for the error number `error`, in capitals as the
// boxes give it ("NO SPACE LEFT ON DEVICE"); the second form writes it in
// `text`, whose room is used when it holds it.
std::string system_reason(int error);
void system_reason(int error, std::string& text);

// Lines cut at UnitFile::max_line since the file was opened or rewound.
struct CutLines {
  long long count = 0;
  long long first = 0;  // number of the first of them, from 1
};

// True when `fd` is a pipe (or a socket): what is written there waits for
// its reader to make room.
bool is_pipe(int fd);

// Writes n characters to `fd`, on after an interruption or a part written;
// the characters written, fewer than n when a write failed or a stop
// signal cut it short (waits_cut_short, files/stops.hpp). A `pipe` is written
// as its reader makes room, which is waited for as a pipe read is waited
// for: a stop signal ends the wait. Any other file is written at once
// (the signal cuts short a write that then waits, as a terminal's may).
std::size_t write_text(int fd, const char* text, std::size_t n, bool pipe);

class UnitFile : private std::streambuf {
 public:
  // Size of the blocks read and written.
  static constexpr std::size_t buffer_size = 1 << 16;
  // The most a writer may ask of room(): what the buffer runs on by past a
  // block, so that the file is still written in whole blocks.
  static constexpr std::size_t max_room = 1 << 12;

  UnitFile();
  ~UnitFile() override;
  UnitFile(const UnitFile&) = delete;
  UnitFile& operator=(const UnitFile&) = delete;

  // Opens `path` for reading, or for writing from its start: created when
  // the name is free, written under a temporary name when it replaces a
  // file (see above), as the request says. A file still open is given up
  // first.
  OpenResult open(const std::string& path, bool write, const OpenRequest& how = {});
  // Writes what is buffered and closes. A replacement takes the old file's
  // name once its text is on the disk; a text that cannot take it stays
  // whole under its temporary name (kept_as), and a file some text of
  // which could not be written ends as abandon() ends it.
  FileEnd close();
  // Gives the file up: a replacement is removed and the old file kept as
  // it was; a new file ends at its last whole line. (The destructor gives
  // up a file still open.)
  FileEnd abandon();
  bool writing() const { return write_; }
  // What the file's name stood for when it was opened (for a replacement,
  // the file it replaces).
  const FileId& identity() const { return id_; }
  // From here on (its opening) the file written counts the lines that
  // reach it, which end_at_whole_line() then gives. Its writer, who knows
  // where its lines end, writes each whole line with put_line, which tells
  // it: the file looks at the text written only when a write fails, for
  // the lines that did not reach it.
  void count_lines() { counting_ = write_; }
  // Ends the file written at its last whole line: the text after the last
  // end of line goes, the buffer is written up to that end, and a file
  // whose last write stopped within a line (a full disk, a file-size
  // limit, a block that ended there) is cut back to the end of the last
  // line that reached it. The number of lines the file then holds when it
  // counts them; nothing when it does not, when it is not a file that can
  // be cut (a pipe, a terminal) or when the cut failed.
  std::optional<long long> end_at_whole_line();

  // The most characters a line read keeps; the rest of a longer line, up
  // to its end, is passed over. No line of a catalogue, command, line or
  // column file comes near it; an endless line (a device, a binary file)
  // must not exhaust the memory.
  static constexpr std::size_t max_line = 1 << 20;

  // One line without its end of line (a trailing carriage return is
  // dropped too; a line longer than max_line is cut there and counted in
  // cut_lines()); the last line of a file needs no end of line.
  ReadResult read_line(std::string& line);
  // Back to the start of the file (of its text read, or to be overwritten).
  bool rewind();
  // True when a file read has no line left.
  bool at_end();
  // Number of the line read last, from 1 (0 before the first).
  long long line_number() const { return lines_; }
  const CutLines& cut_lines() const { return cut_; }

  std::ostream& stream() { return stream_; }

  // Room for n characters (n <= max_room) after the text written so far:
  // a pointer to the first of them; a whole block goes to the file first
  // when the buffer has less room left. commit(end) then keeps the
  // characters written there, up to `end`. When the buffer must go to the
  // file first and a stop signal was caught, the run ends there: the
  // writers of room write whole records, so the file ends at one.
  char* room(std::size_t n) {
    if (static_cast<std::size_t>(epptr() - pptr()) < n) make_room();
    return pptr();
  }
  void commit(const char* end) { pbump(static_cast<int>(end - pptr())); }
  // Appends text of any length.
  void put(const char* text, std::size_t n) { sputn(text, static_cast<std::streamsize>(n)); }
  // Appends one whole line and its end of line, and tells it; false once
  // a write of the file failed.
  bool put_line(std::string_view line);
  // Writes what is buffered; false once a write of the file failed. (A
  // file that holds its text back, keep_text, writes nothing.)
  bool flush() { return drain(); }

  // For writers that keep what they wrote to write it again: the number of
  // characters written since the file was opened, and the last n of them
  // while all n are still in the buffer (nullptr once some have gone to
  // the file).
  long long written() const { return drained_ + (pptr() - pbase()); }
  const char* recent(std::size_t n) const {
    return static_cast<std::size_t>(pptr() - pbase()) >= n ? pptr() - n : nullptr;
  }
  // A number that names this opening of the file (or its last rewind): no
  // other opening of any file of the run has it (0 while closed).
  long long opening() const { return opening_; }

  // For a writer whose first lines depend on what it writes after them:
  // from keep_text() on, the text written can be written again, changed
  // (write_again). A file on a disk is written as it comes, as any file
  // is, and read back then. A pipe or a terminal, which cannot be read
  // back, holds that text in memory instead of writing it, until
  // write_again() or the file's end, which writes it first without an
  // allocation: the memory held keeps room for the buffer's text besides.
  void keep_text();
  // A piece of the text written again: `text`, then the characters
  // [from, to) of the text written since keep_text(), numbered as
  // written() counts them.
  struct Piece {
    std::string_view text;
    long long from = 0;
    long long to = 0;
  };
  // The text kept is written again as the pieces, in order, and the file
  // goes on after them; written() counts the new text. A file on a disk
  // is written again into a new file beside its name, made as a
  // replacement's temporary file is (replacement.hpp), which then takes
  // its place: for a new file, its name at once, so that the file under
  // the name is always whole to its last line written; for a replacement,
  // the place of its temporary file, which is removed, the old file's
  // name to come at its close as before. Until then the file written is
  // as it was: whatever stops the writing again (a full disk, a file-size
  // limit, memory that runs out, a stop signal) leaves it so, and removes
  // the new file. Only the files made take a name or go, as a
  // replacement's do (replacement.hpp): a new file's name that no longer
  // stands for the file, a new file whose name was removed or taken
  // before it could take the place, and a replacement's temporary name
  // that no longer stands for its file (its text went with it, as at a
  // close) leave the file as it stands. False when the text stays as it
  // was: the file then fails, as when a write fails (flush says so, and
  // its end gives the reason), so that nothing is written after a text
  // that was to change; but for pieces outside the text kept, and a file
  // on a disk rewound since, which change nothing and go on as they are.
  bool write_again(std::span<const Piece> pieces);

 private:
  // Opening (unit_file_open.cpp).
  OpenResult open_for_writing(const std::string& path, const OpenRequest& how);
  OpenResult create(const std::string& path);
  OpenResult through_link(const std::string& path, const OpenRequest& how);
  OpenResult in_place(int fd, const FileId& id, off_t size);
  OpenResult replace(const std::string& path, int old, FileId id, mode_t mode);
  OpenResult take(int fd, bool regular);

  // Reading (unit_file_read.cpp).
  bool refill();

  // Writing (unit_file_write.cpp).
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;
  // Text goes to the file in blocks of buffer_size characters, so that a
  // file is written from one page boundary of the file system to the next
  // (a write across them costs the system far more); the buffer runs on by
  // `margin` characters, whose text moves to its front once the block
  // before it is written. The margin holds the most a writer may ask of
  // room(), so that the buffer has less room left only when a block is
  // buffered. Only the end of the file, a flush and a rewind write what is
  // buffered, whatever its length.
  static constexpr std::size_t margin = max_room;
  // Writes the first block (all, should less than a block be buffered).
  bool write_block();
  void make_room();
  // Writes the buffered text; an empty buffer afterwards either way.
  bool drain();
  // Writes the first n characters of the buffer to the file (write_text);
  // false (and the file failed) when they cannot all be written. A write
  // that a stop signal cut short (a pipe whose reader does not read) is
  // not taken up again: the run ends there, unless it is ending already,
  // and this file cannot be finished.
  bool write_out(std::size_t n);
  // The text written so far ends a whole line (its end of line included).
  void line_written() {
    if (!failed_) ++line_ends_;
  }
  // The text held back (keep_text) handed back, whole and in order
  // (written() no longer counts it); the file no longer holds its text.
  std::string take_held();
  // The text held back, if any, goes to the file (take_held, put).
  void write_held();

  // The end (unit_file_end.cpp).
  // Closes the descriptor, and tells in `e` why some text could not be
  // written, or take the name.
  void release(FileEnd& e);
  // A failure after the text was written (syncing, closing, renaming):
  // its reason, or the system's for the error number `error`.
  void fail(std::string_view reason);
  void fail(int error);
  // A replacement's text that did not take the name, as `o` tells: one
  // that went with its temporary name, what became of the name of `file`
  // ("THE OLD FILE"; "THE FILE" for a file written again in its own
  // place), a sync or a rename that failed.
  void fail(const Replacement::Outcome& o, std::string_view file);

  // A file on a disk written again (unit_file_again.cpp).
  // write_again for a file on a disk, its text all written.
  bool write_again_on_disk(std::span<const Piece> pieces);
  // A write failed with the system's error `error`: the file fails as at
  // a block whose write failed (write_out). Returns false.
  bool write_failed(int error);
  // The text could not be written again for the reason `o` tells (with
  // `file` as fail() takes it): the file fails as at a write that failed,
  // and stands as it was. Returns false.
  bool not_written_again(const Replacement::Outcome& o, std::string_view file);

  int fd_ = -1;
  std::unique_ptr<char[]> buffer_;
  bool write_ = false;
  bool failed_ = false;  // a read or write failed
  bool pipe_ = false;      // a pipe read: its text is waited for
  bool regular_ = false;   // a file written can be cut back
  bool counting_ = false;  // the lines that reach it are counted (count_lines)
  bool holding_ = false;   // the text written is held back (keep_text)
  std::string held_;
  long long kept_from_ = 0;  // written() at keep_text()
  // The name of the file written: the name it was opened by, or for a link
  // followed, the name the link leads to; what its text written again
  // is made beside ("" when not known).
  std::string name_;
  // The text read and not yet taken.
  char* next_ = nullptr;
  char* end_ = nullptr;
  long long lines_ = 0;
  CutLines cut_;
  long long drained_ = 0;  // characters written from the buffer to the file
  // Where the next text goes in the file and the end of its last line
  // there (from its start or last rewind), and the lines its writer told
  // less those that a failed write kept from it.
  long long position_ = 0;
  long long line_end_ = 0;
  long long line_ends_ = 0;
  long long opening_ = 0;
  FileId id_;
  int error_ = 0;       // the system's error of the first failed write
  // Why the file could not be finished; its room is made at the opening.
  std::string reason_;
  // The file it replaces, when it replaces one.
  Replacement replacement_;
  std::ostream stream_;
};

}  // namespace dorvix
