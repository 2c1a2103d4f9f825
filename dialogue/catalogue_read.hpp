#pragma once
// The file the catalogue was read from in this run (the data-file table's
// input slot), held open by a descriptor that reads nothing until the slot
// opens another: while it is held its inode cannot pass to another file,
// so a file under any name is that file exactly when it has that inode (a
// file that replaced it has another). The opener asks it before a file is
// written over.

#include <optional>
#include <string>

#include "files/unit_file.hpp"

namespace dorvix {

// Holds the file named `path` as the catalogue read, when it is still the
// file `id` opened; lets the one held before go.
void hold_catalogue_read(const std::string& path, const std::optional<FileId>& id);

// True when `id` is the file the catalogue was (or is being) read from: a
// file to be written under any of its names is that file, and no other
// file is, not even one made after it was replaced or removed.
bool is_catalogue_read(const FileId& id);

}  // namespace dorvix
