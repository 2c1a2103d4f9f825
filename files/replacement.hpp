#pragma once
// A file written in place of an existing one. Its text goes to a
// temporary file beside the old one (the old name, ".dorvix-" and six
// characters), which takes the old file's name only by commit(), called
// on a whole text. Whatever else ends the replacement (its destructor,
// discard()) removes the temporary file and keeps the old one as it was.
//
// A whole text is never removed: one that cannot take the name (the
// rename fails, or the name no longer stands for the old file) stays
// under its temporary name, which commit() hands over.
//
// Only the file made is renamed or removed: each name is looked at for
// the device and inode of the file made (held open, so that no other file
// can have them) before anything is done to it, and the old name after
// the rename too. The rename exchanges the two names, so that it can be
// undone when another program had put a file of its own under the
// temporary name; a file system that cannot exchange names renames, and
// such a file, which then has the old name, is told. A file made is
// removed only under a name of its own, to which it is moved first (by a
// rename that replaces nothing) and where it is looked at again
// (remove_made_file). (Another program that
// renames the same names at the very moment between such a look and the
// call can still have its file moved, or removed by a second stop signal:
// a name cannot be renamed or removed on the condition that it holds a
// given file.)
//
// The temporary names of the run live in fixed buffers from the moment
// each file is made, so that a second stop signal, which ends the run at
// once, can remove them from its handler (remove_temporary_files).

#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>
#include <sys/types.h>

#include "files/open_request.hpp"

namespace dorvix {

class Replacement {
 public:
  Replacement() = default;
  ~Replacement() { discard(); }
  Replacement(const Replacement&) = delete;
  Replacement& operator=(const Replacement&) = delete;

  // Begins to replace the file `path`, open on `old` with its lock held,
  // whose permissions are `mode`: the temporary file is made beside it,
  // empty, with those permissions and, as far as the system lets the
  // runner give them, the old file's owner, group and attributes
  // (keep_owner). Its descriptor (for writing), or -1 with errno set and
  // nothing left of it. From here on the replacement holds `old`, and its
  // lock, until it ends; on a failure the caller keeps it.
  int begin(const std::string& path, int old, mode_t mode);
  // True from begin() to the replacement's end.
  bool active() const { return slot_ >= 0; }
  // The old file it holds (-1 when not active).
  int old_file() const { return old_; }
  // Exchanges two replacements whole: each then holds what the other held
  // (its names, its old file and lock, its temporary file).
  void swap(Replacement& other) noexcept;

  // What the old file's name stands for when the replacement ends.
  enum class Name {
    replaced,    // the new text, which has it now
    old_file,    // the old file, as it was
    free,        // nothing: the old file was removed meanwhile
    moved,       // nothing: the old file was given another name meanwhile
    other_file,  // another file, which took it meanwhile
  };
  struct Outcome {
    Name name = Name::old_file;  // old_file comes with an error or text_lost, which say why
    int error = 0;               // the system's error of the sync or the rename that failed
    std::string kept_as;         // the temporary name of a whole text that did not take the name
    // The temporary name no longer held the text written when it was to
    // take the name (it was removed, or another file put there): the text
    // does not have the old name, nor is it kept (unless it came back under
    // the temporary name, which kept_as then gives).
    bool text_lost = false;
  };
  // The text of `fd`, the temporary file, is whole: once it is on the
  // disk it takes the old file's name, and the folder is synced so that
  // the new name survives a power cut. A text that cannot be synced is
  // removed and the old file kept; one that cannot take the name stays
  // under its temporary name. Only the file made is renamed: a temporary
  // name that another file took meanwhile is left as it is, and so is the
  // old name. The name is looked at after the rename too: where it does
  // not hold the file made, the names are put back as they were when the
  // system exchanged them, and the outcome says what they hold. The
  // replacement ends.
  Outcome commit(int fd);
  // Gives the replacement up: the temporary file is removed (only while
  // its name still stands for it: remove_made_file), the old file kept as
  // it was. The replacement ends (nothing when it had not begun). True
  // when the temporary file was there and is gone; false when its name
  // was removed or another file put there meanwhile, which is left as it
  // is.
  bool discard();

 private:
  // What the name stands for now.
  Name name_now() const;
  // True while the temporary name stands for the file made.
  bool temporary_is_made_file() const;
  // The file made takes the old name, which stands for the old file
  // (name_now): `o` is replaced, or says what the names stand for.
  void take_name(Outcome& o) const;
  // Ends the replacement: lets go of the old file and of the temporary
  // name, whose file is gone or no longer its to remove.
  void end();

  std::string path_;
  std::string temporary_;  // made when the replacement begins, handed over by commit()
  int old_ = -1;           // the old file, its lock held
  int folder_ = -1;        // the folder of both names, synced after the rename
  int slot_ = -1;          // the fixed buffer of the temporary name and of its file's identity
};

// Why replacing what the name `path` stands for would fail, told before
// anything is written by the steps the writing would take, as the system
// judges them for the runner: for a file, its opening for writing (a
// read-only file unless root runs the program, an append-only or immutable
// one: system, its error), its lock (in_use), its first characters, read
// when `heads` asks for them as OpenRequest::heads does (not_replaceable),
// the rename of its replacement onto it (another user's file in a sticky
// folder: sticky), and the temporary file beside it (a name too long, a
// folder the runner may not write in: replacement, its error). A `link`
// is removed and a new file made in its place: the file it leads to is
// looked at only for `heads`, and its folder must take the new file
// (system). A success when nothing stands in the way; a name that changes
// meanwhile is left to the opening to tell.
OpenResult replacing_refusal(const std::string& path, bool link, const std::vector<std::string_view>& heads = {});

// Removes the file of the run (`device`, `inode`) under `name`, a
// temporary name (its last six characters chosen by mkstemp), only while
// the name stands for it: moved first to a name of its own (the same with
// six other characters, one that no file holds: the rename replaces
// nothing), it is removed there once it is seen to be that file, and
// another file that another program put under the name meanwhile goes
// back under it. True when the file was there and is gone.
bool remove_made_file(const char* name, dev_t device, ino_t inode);

// Removes the temporary file of every replacement of the run, where its
// name still stands for the file made: lstat and unlink alone,
// async-signal-safe, for the handler of a second stop signal.
void remove_temporary_files();

}  // namespace dorvix
