#pragma once
// How a unit file is asked to open a file, and why an opening failed.

#include <optional>
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
  sticky,           // another user's file in a sticky folder: no rename of the runner's can replace it
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

}  // namespace dorvix
