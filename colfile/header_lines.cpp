#include "colfile/header_lines.hpp"

#include <algorithm>

#include "colfile/column_layout.hpp"
#include "colfile/dialogue_lines.hpp"
#include "colfile/file_passes.hpp"
#include "dialogue/boxes.hpp"
#include "files/list_read.hpp"
#include "files/units.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

using colfile::at;
using colfile::count_line;
using colfile::shown;
using colfile::skip_lines;

namespace {

constexpr Header getftitle1_header{"getftitle1", " 1.3", "15-01-2008"};
constexpr Header getfnamcol_header{"getfnamcol", "1.00", "28-09-98  "};

constexpr std::string_view untitled = "Untitled";

void rewound_line(std::string_view fname) {
  ItemLine().text("INPUT FILE").text(shown(fname)).text("IS REWOUND").write();
}

}  // namespace

void colfile::default_column_names(std::span<std::string> namfcol, int nfcol) {
  for (int k = 1; k <= nfcol; ++k) namfcol[at(k)] = edit::pad(numbered_name("File.col.", k), column_name_width);
}

int colfile::skip_lines(int iunit, int last, bool& ended) {
  std::string line;
  ended = false;
  for (int n = 1; n <= last; ++n) {
    const ReadResult r = colfile::read_line(iunit, line);
    if (r == ReadResult::error) return n;
    if (r == ReadResult::end_of_file) {
      ended = true;
      return 0;
    }
  }
  return 0;
}

void getftitle1(int& ierr, std::string& title, std::string_view fname, int iunit, int ititle, int ilflag) {
  const Header& h = getftitle1_header;
  ierr = 0;
  title = edit::pad(untitled, title.size());
  const std::string name = shown(fname);
  if (ititle < 1) {
    warninghead(h);
    ItemLine().text("Input file name  :").text(name).write();
    count_line("Title line nb =", ititle);
    say("==> NOT ATTEMPTING TO READ TITLE");
    ItemLine().text("Title set to default:").text(shown(title)).write();
    ItemLine().text("INPUT FILE").text(name).text("UNTOUCHED").write();
    warningtail00();
    return;
  }

  bool ended = false;
  if (const int bad = skip_lines(iunit, ititle - 1, ended); bad != 0) {
    errorhead(h);
    count_line("READING ERROR WHILE SKIPPING", bad, "th LINE");
    ierr = 2;
  } else if (!ended) {
    std::string text(untitled);
    ListRead in(colfile::lines_of(iunit));
    in >> text;
    if (in.status() == ReadResult::error) {
      errorhead(h);
      count_line("WHILE TRYING TO READ TITLE IN", ititle, "th LINE");
      ierr = 1;
    } else {
      title = edit::pad(text, title.size());
    }
  }

  colfile::rewind(iunit);
  if (ierr == 0) {
    if (ilflag % 2 == 0) {
      submenuhead(h);
      ItemLine().text("Input file name:").text(name).write();
      ItemLine().text("Read title from header:").text(shown(title)).write();
      rewound_line(fname);
      menutail();
    }
    return;
  }
  say("==> COULD NOT READ TITLE");
  ItemLine().text("IN INPUT FILE:").text(name).write();
  ItemLine().text("==> SETTING title =").text(shown(title)).write();
  rewound_line(fname);
  errortail00();
}

void getfnamcol(int& ierr, std::span<std::string> namfcol, int nfcol, std::string_view fname, int iunit,
                int iheader, int ilflag) {
  const Header& h = getfnamcol_header;
  ierr = 0;
  nfcol = std::clamp(nfcol, 0, static_cast<int>(namfcol.size()));
  colfile::default_column_names(namfcol, nfcol);
  const auto list_names = [&] {
    for (int k = 1; k <= nfcol; ++k) {
      ItemLine().text("Name of column").integer(k, colfile::count_width).text(shown(namfcol[at(k)])).write();
    }
  };
  const std::string name = shown(fname);
  if (iheader < 1) {
    warninghead(h);
    ItemLine().text("Input file name  :").text(name).write();
    count_line("Column headers line nb =", iheader);
    say("==> NOT ATTEMPTING TO READ HEADERS");
    say("==> Headers set to defaults:");
    if (ilflag == 0) list_names();
    warningtail00();
    return;
  }

  bool ended = false;
  if (const int bad = skip_lines(iunit, iheader - 1, ended); bad != 0) {
    errorhead(h);
    count_line("WHILE SKIPPING", bad, "th LINE");
    ierr = 2;
  } else if (!ended) {
    // One read of nfcol texts; with none to read the line is still passed.
    ReadResult r = ReadResult::ok;
    if (nfcol == 0) {
      std::string line;
      r = colfile::read_line(iunit, line);
    } else {
      ListRead in(colfile::lines_of(iunit));
      for (int k = 1; k <= nfcol && in.ok(); ++k) {
        std::string text = namfcol[at(k)];
        in >> text;
        if (in.ok()) namfcol[at(k)] = edit::pad(text, column_name_width);
      }
      r = in.status();
    }
    if (r == ReadResult::error) {
      errorhead(h);
      count_line("WHILE TRYING TO READ HEADERS IN", iheader, "th LINE");
      ierr = 1;
    }
  }

  colfile::rewind(iunit);
  if (ierr == 0) {
    submenuhead(h);
    if (ilflag == 0) {
      ItemLine().text("Input file name  :").text(name).write();
      list_names();
    }
    rewound_line(fname);
    menutail();
    return;
  }
  ItemLine().text("IN FILE:").text(name).write();
  rewound_line(fname);
  errortail00();
}

}  // namespace dorvix
