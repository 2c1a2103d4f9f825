#pragma once
// The looks a file to be written takes at the file that stands under its
// name: its opening, its lock and its first characters.

#include <string>
#include <string_view>
#include <vector>

namespace dorvix {

// Opens `path` for writing as it stands: a link is not followed, a pipe
// is not waited for (without a reader the opening fails, ENXIO); for
// reading too when `read_head`, so that its first characters can be read.
// The descriptor, or -1 with errno.
int open_as_written(const std::string& path, bool read_head);

// True when another program holds the lock of `fd` (a file system without
// locks holds none); `kind` is LOCK_SH or LOCK_EX, which is then held.
bool held_by_another(int fd, int kind);

// True when the file `fd` begins with one of `heads`.
bool begins_with_one_of(int fd, const std::vector<std::string_view>& heads);

// True when `path` leads to a file (a link followed) that is empty or
// begins with one of `heads`.
bool empty_or_begins_with_one_of(const std::string& path, const std::vector<std::string_view>& heads);

}  // namespace dorvix
