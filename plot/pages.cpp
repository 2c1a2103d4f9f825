// Page breaks and the trailer of the plot file.

#include <ostream>
#include <string>

#include "console/boxes.hpp"
#include "console/frames.hpp"
#include "console/item_lines.hpp"
#include "console/units.hpp"
#include "plot/device.hpp"
#include "plot/ps_stream.hpp"

namespace dorvix {

namespace {

constexpr Header psend_header{"psend", " 1.0", "07-12-2026"};

// A plot file that could not be written to its end (a full disk), and
// why: a new one stops short at its last whole line, without its
// trailer; one that was to replace an older plot is removed, and the
// older plot kept.
void plot_write_failure_box(const std::string& name, const FileEnd& e) {
  errorhead(psend_header);
  ItemLine().text("WHILE WRITING PLOT FILE").text(name).write();
  say(e.reason);
  say(e.kind == FileEnd::Kind::old_kept ? "==> THE OLD PLOT FILE IS KEPT" : "==> THE PLOT FILE IS INCOMPLETE");
  errortail00();
}

}  // namespace

void intnewpage() {
  psstrokepath();
  ps::record("gsave showpage");
  ps::record("%%End Page");
  ps::record("grestore");
  ++psparams.ipspage;
  ps::page_record(psparams.ipspage);
}

void pstrailer() {
  psstrokepath();
  if (psparams.ipstype == dialect_illustrator) {
    for (std::string_view l : {"%%PageTrailer", "%%Trailer", "Adobe_Illustrator881 /terminate get exec",
                               "Adobe_customcolor /terminate get exec", "Adobe_cshow /terminate get exec",
                               "Adobe_packedarray /terminate get exec", "%%EOF"}) {
      ps::record(l);
    }
  } else {
    ps::record("showpage");
    ps::record("%%End Page");
    ps::record("%%Trailer");
    std::string line = "%%Pages:";
    ps::page_number(line, psparams.ipspage);
    ps::record(line);
    ps::record("%%EOF");
  }
}

void psend() {
  pstrailer();
  const std::string name = units().name(psparams.ipsunit);
  const FileEnd e = units().finish(psparams.ipsunit);
  if (!e.reason.empty()) plot_write_failure_box(name, e);
}

}  // namespace dorvix
