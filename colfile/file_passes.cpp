#include "colfile/file_passes.hpp"

#include <vector>

#include "files/units.hpp"

namespace dorvix::colfile {

namespace {

// The lines read so far from the one pipe that is the column file, and
// where the current pass stands among them.
struct KeptLines {
  int unit = 0;
  long long opening = 0;  // the opening of the file they were read from
  std::vector<std::string> lines;
  std::size_t next = 0;  // the next line the pass reads from them
};

KeptLines kept;

// The kept lines of the file open on iunit when it cannot be rewound (a
// pipe); nothing for a file on a disk, which is read as it stands. A new
// opening starts with none.
KeptLines* kept_lines(int iunit) {
  if (!units().is_open(iunit) || units().can_rewind(iunit)) return nullptr;
  const long long opening = units().opening(iunit);
  if (kept.unit != iunit || kept.opening != opening) kept = KeptLines{iunit, opening, {}, 0};
  return &kept;
}

}  // namespace

ReadResult read_line(int iunit, std::string& line) {
  KeptLines* k = kept_lines(iunit);
  if (k == nullptr) return units().read_line(iunit, line);
  if (k->next < k->lines.size()) {
    line = k->lines[k->next++];
    return ReadResult::ok;
  }
  const ReadResult r = units().read_line(iunit, line);
  if (r == ReadResult::ok) {
    k->lines.push_back(line);
    k->next = k->lines.size();
  }
  return r;
}

ListRead::LineSource lines_of(int iunit) {
  return [iunit](std::string& line) { return read_line(iunit, line); };
}

void rewind(int iunit) {
  if (KeptLines* k = kept_lines(iunit)) {
    k->next = 0;
  } else {
    units().rewind(iunit);
  }
}

std::optional<long long> rows_left(int iunit) {
  long long rows = 0;
  std::string line;
  if (KeptLines* k = kept_lines(iunit)) {
    for (; k->next < k->lines.size(); ++k->next) rows += blank_line(k->lines[k->next]) ? 0 : 1;
  }
  for (;;) {
    const ReadResult r = units().read_line(iunit, line);
    if (r == ReadResult::end_of_file) return rows;
    if (r == ReadResult::error) return std::nullopt;
    rows += blank_line(line) ? 0 : 1;
  }
}

}  // namespace dorvix::colfile
