#include "files/existing_file.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace dorvix {

int open_as_written(const std::string& path, bool read_head) {
  return ::open(path.c_str(), (read_head ? O_RDWR : O_WRONLY) | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
}

bool held_by_another(int fd, int kind) { return ::flock(fd, kind | LOCK_NB) != 0 && errno == EWOULDBLOCK; }

bool begins_with_one_of(int fd, const std::vector<std::string_view>& heads) {
  std::size_t longest = 0;
  for (const std::string_view h : heads) longest = std::max(longest, h.size());
  std::string head(longest, '\0');
  const ssize_t n = ::pread(fd, head.data(), longest, 0);
  head.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return std::any_of(heads.begin(), heads.end(), [&](std::string_view h) { return head.starts_with(h); });
}

bool empty_or_begins_with_one_of(const std::string& path, const std::vector<std::string_view>& heads) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  const bool begins =
      ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && (st.st_size == 0 || begins_with_one_of(fd, heads));
  ::close(fd);
  return begins;
}

}  // namespace dorvix
