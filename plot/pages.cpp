// Page breaks and the trailer of the plot file.

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

// A plot file that could not be written to its end (a full disk): the
// drawing it holds stops short at its last whole line, without its
// trailer.
void plot_write_failure_box(const std::string& name) {
  errorhead(psend_header);
  ItemLine().text("WHILE WRITING PLOT FILE").text(name).write();
  say("==> THE PLOT FILE IS INCOMPLETE");
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

void psend() {
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
  // (Straight from the file's buffer: a write that a stop signal cuts
  // short ends the run at once.)
  UnitFile* file = units().output_file(psparams.ipsunit);
  const bool written = file != nullptr && file->flush();
  const std::string name = units().name(psparams.ipsunit);
  units().close(psparams.ipsunit, !written);
  if (!written) plot_write_failure_box(name);
}

}  // namespace dorvix
