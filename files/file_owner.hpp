#pragma once
// What a file written in place of an existing one keeps of it: its owner
// and group where the system lets the runner give them, its permissions,
// its access control list and its other extended attributes; and the
// files whose name a replacement could never take.

#include <string>

#include <sys/types.h>

namespace dorvix {

// Gives `fd`, the file written to replace the file `old` (both open), what
// `old` has: its group wherever the system allows it (always as root; as
// another user, a group the user belongs to), its owner where it allows it
// (root), its permissions `mode` without the setuid and setgid bits (a
// write would have cleared them), its ACL and its other extended
// attributes, but none that a write would have cleared or made untrue (a
// file's capabilities, its integrity records). What the system refuses
// stays the runner's, as an editor that saves by renaming leaves it. False,
// with errno, when the permissions cannot be set.
bool keep_owner(int old, int fd, mode_t mode);

// True when no file can be renamed onto the existing file `path` (a link
// followed) by the runner, who cannot then replace it: it is another
// user's, in a folder with the sticky bit that is not the runner's either,
// and the runner is not root.
bool sticky_refuses(const std::string& path);

}  // namespace dorvix
