#pragma once
// How a unit file is asked to open a file, why an opening failed, and
// what replacing a file would fail on.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_id.hpp"

namespace dorvix {

// Why a file could not be opened.
enum class OpenFailure {
  none,
  system,           // the system's error number tells
  in_use,           // another program holds the file's lock
  held_by_unit,     // this run holds the file open on another unit
  device,           // a device, not a file of lines
  changed,          // the name stands for another file than the one named (OpenRequest::named)
  not_replaceable,  // an existing file that does not begin as the caller asks (OpenRequest::heads)
  replacement,      // the temporary file of a replacement could not be made (error)
};

struct OpenResult {
  OpenFailure failure = OpenFailure::none;
  int error = 0;  // the system's error number (system, replacement)
  int unit = 0;   // the unit that holds the file (held_by_unit)
  explicit operator bool() const { return failure == OpenFailure::none; }
};

// How a file is opened, besides reading or writing.
struct OpenRequest {
  // Writing: an existing file (or a link) under the name is refused; a
  // pipe or a terminal is written all the same.
  bool must_be_new = false;
  // Writing: the file the user agreed to replace. Only that file is
  // replaced: a name that stands for another file now, or for a link, is
  // refused (changed).
  std::optional<FileId> named;
  // Writing: an existing file that is not empty is replaced only when it
  // begins with one of these (none: any file); read on the file opened,
  // under its lock.
  std::vector<std::string_view> heads;
  // Reading: only a file of lines; a pipe, a device or a folder is
  // refused (device, or EISDIR) without waiting for a pipe's writer.
  bool files_only = false;
};

// What replacing the existing file `path` would fail on, before anything
// is written, judged by the runner's rights as the system judges the
// calls the replacement makes: the file itself, opened for writing to
// hold its lock (a read-only file, unless root runs the program; system,
// its error), and its folder, where the new text is made under a
// temporary name (replacement, its error). For a `link` only its folder,
// where the link is removed and a file made in its place (system). A
// success when the runner's rights do not stand in the way.
OpenResult replacing_refusal(const std::string& path, bool link);

}  // namespace dorvix
