#include "colfile/data_records.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "colfile/column_layout.hpp"
#include "colfile/dialogue_lines.hpp"
#include "colfile/file_passes.hpp"
#include "colfile/header_lines.hpp"
#include "dialogue/boxes.hpp"
#include "dialogue/cut_lines.hpp"
#include "files/list_read.hpp"
#include "files/units.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

using colfile::at;
using colfile::count_line;
using colfile::shown;

namespace {

constexpr Header getfreal_header{"getfreal", " 5.2", "15-01-2008"};

// Width of the line counts of the report and of the record numbers.
constexpr int lines_width = 5;

void lines_line(std::string_view text, int n, std::string_view more = {}) {
  count_line(text, n, more, lines_width);
}

// An array column beyond the array is brought back into it.
void check_array_columns(int& ierr, int& ncolused, int ncolmax) {
  ReadRealSetup& rs = readrealsetup;
  ncolused = 0;
  for (int v = 1; v <= rs.nvar; ++v) {
    int& j = rs.jcol[at(v)];
    if (j < 1 || j > ncolmax) {
      errorhead(getfreal_header);
      count_line("         variable nb   =", v);
      count_line("array col nb to fill   =", j);
      count_line("max array col nb       =", ncolmax);
      j = j < 1 ? 1 : ncolmax;
      count_line("==> RESET array col nb =", j);
      say("==> NEED TO GO BACK TO SETTINGS");
      say("==> AND READ THE FILE AGAIN");
      errortail00();
      ierr = 2;
    }
    ncolused = std::max(ncolused, j);
  }
}

// What the reading of the records met.
struct Reading {
  int nread = 0;
  int bad_record = 0;     // the record that could not be read, 0: none
  bool full = false;      // the array was filled
  int split = 0;          // records taken from more than one line
  int first_split = 0;    // the first of them
  bool dropped = false;   // the file ended inside a record
};

// One record: nfcol numbers into rr. A number left without a value stays
// NaN, which the file cannot hold (the reader refuses nan): it is missing.
ReadResult read_record(int iunit, int nfcol, int& lines_taken) {
  ReadRealSetup& rs = readrealsetup;
  lines_taken = 0;
  if (nfcol == 0) {
    // A record of no number still takes one line.
    std::string line;
    return colfile::read_line(iunit, line);
  }
  std::fill_n(rs.rr.begin(), nfcol, std::numeric_limits<real>::quiet_NaN());
  ListRead in([iunit, &lines_taken](std::string& line) {
    const ReadResult r = colfile::read_line(iunit, line);
    if (r == ReadResult::ok && !colfile::blank_line(line)) ++lines_taken;
    return r;
  });
  for (int k = 1; k <= nfcol && in.ok(); ++k) in >> rs.rr[at(k)];
  if (!in.ok()) return in.status();
  const bool missing = std::any_of(rs.rr.begin(), rs.rr.begin() + nfcol, [](real x) { return std::isnan(x); });
  return missing ? ReadResult::error : ReadResult::ok;
}

Reading read_records(int iunit, Columns rdat, int ndatmax) {
  const ReadRealSetup& rs = readrealsetup;
  const int nfcol = std::clamp(rs.nfcol, 0, max_file_columns);
  Reading out;
  for (int n = 1; n <= ndatmax; ++n) {
    int lines_taken = 0;
    const ReadResult r = read_record(iunit, nfcol, lines_taken);
    if (r == ReadResult::error) {
      out.bad_record = n;
      return out;
    }
    if (r == ReadResult::end_of_file) {
      out.dropped = lines_taken > 0;
      return out;
    }
    if (lines_taken > 1 && out.split++ == 0) out.first_split = n;
    for (int v = 1; v <= rs.nvar; ++v) rdat[at(rs.jcol[at(v)])][at(n)] = rs.rr[at(rs.jfcol[at(v)])];
    out.nread = n;
  }
  out.full = true;
  return out;
}

// Records that took numbers from several lines read as the file's author
// may not have meant: one line short of a number moves every later pair.
void split_box(const Reading& r, int nfcol) {
  if (r.split == 0 && !r.dropped) return;
  warninghead(getfreal_header);
  if (r.split > 0) {
    lines_line("RECORDS TAKEN FROM MORE THAN ONE LINE:", r.split);
    lines_line("FIRST OF THEM: RECORD NB             :", r.first_split);
  }
  if (r.dropped) say("INCOMPLETE LAST RECORD DROPPED");
  count_line("==> EACH RECORD IS", nfcol, "NUMBERS: CHECK THE FILE");
  warningtail00();
}

void report(int nread, int ncolused, int ncolmax, int ndatmax, std::string_view fname, std::string_view title,
            SetupMode mode) {
  const ReadRealSetup& rs = readrealsetup;
  submenuhead(getfreal_header);
  if (mode.silent()) {
    ItemLine()
        .text("Stored")
        .integer(rs.nvar, colfile::count_width)
        .text("variables and")
        .integer(nread, colfile::count_width)
        .text("lines")
        .write();
  } else {
    ItemLine().text("Input file name:").text(shown(fname)).write();
    ItemLine().text("Title:").text(shown(title)).write();
    say("    Number of variable status");
    count_line("Could read up to:", max_variables);
    count_line("Actually read   :", rs.nvar);
    say("        Array status             ");
    lines_line("Could read up to:", ndatmax, "lines");
    lines_line("Actually read   :", nread, "lines");
    count_line("Can use up to   :", ncolmax, "columns");
    count_line("Actually used   :", ncolused, "columns");
  }
  colfile::file_line(fname, "closed");
  menutail();
}

}  // namespace

void getfreal(int& ierr, int& nread, int& ncolused, Columns rdat, std::string_view fname, int iunit,
              SetupMode mode) {
  const ReadRealSetup& rs = readrealsetup;
  const int ncolmax = static_cast<int>(rdat.size());
  std::size_t lines = rdat.empty() ? 0 : rdat.front().size();
  for (const auto& column : rdat) lines = std::min(lines, column.size());
  const int ndatmax = static_cast<int>(lines);
  ierr = 0;
  check_array_columns(ierr, ncolused, ncolmax);

  std::string title(own_title_width, ' ');
  int title_status = 0;
  getftitle1(title_status, title, fname, iunit, rs.ititle, 0);

  const auto failure = [&](std::string_view what, int n) {
    errorhead(getfreal_header);
    count_line("WHILE READING", n, what);
    ItemLine().text("IN FILE:").text(shown(fname)).write();
    ierr = 1;
    colfile::rewind(iunit);
    colfile::file_line(fname, "rewound");
    errortail00();
  };

  bool ended = false;
  if (const int bad = colfile::skip_lines(iunit, rs.iskip, ended); bad != 0) return failure("th HEADER LINE", bad);

  const Reading r = read_records(iunit, rdat, ndatmax);
  if (r.bad_record != 0) return failure("th DATA LINE", r.bad_record);
  if (r.full) {
    // The rows beyond the array are counted, a pipe's too: it is read to
    // its end.
    const std::optional<long long> left = colfile::rows_left(iunit);
    warninghead(getfreal_header);
    say("The array size has been reached");
    say("==> the data may not have been fully read");
    if (left) ItemLine().text("==> rows left unread:").integer(*left, 0).write();
    warningtail00();
  }
  split_box(r, rs.nfcol);
  nread = r.nread;
  cut_lines_box(getfreal_header, iunit);
  units().close(iunit);
  report(nread, ncolused, ncolmax, ndatmax, fname, title, mode);
}

}  // namespace dorvix
