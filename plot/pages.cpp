// Page breaks and the trailer of the plot file.

#include <string>

#include "dialogue/boxes.hpp"
#include "dialogue/command_file_end.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "files/units.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "plot/ps_stream.hpp"

namespace dorvix {

namespace {

constexpr Header psend_header{"psend", " 1.0", "07-12-2026"};

// A plot file that could not be written to its end (a full disk), or
// take the name of the plot it replaces, and why: a new one stops short at
// its last whole line, without its trailer; one that was to replace an
// older plot is removed, and the older plot kept, or, when whole, stays
// under its temporary name. A command file stops here, as at any failed
// write.
void plot_write_failure_box(const std::string& name, const FileEnd& e) {
  const CommandFileStop stop = stop_command_file();
  errorhead(psend_header);
  ItemLine().text("WHILE WRITING PLOT FILE").text(name).write();
  say(e.reason);
  if (e.kind == FileEnd::Kind::old_kept) {
    say("==> THE OLD PLOT FILE IS KEPT");
  } else if (e.kind != FileEnd::Kind::name_lost) {
    say("==> THE PLOT FILE IS INCOMPLETE");
  }
  if (!e.kept_as.empty()) say("==> THE NEW PLOT FILE IS KEPT AS " + e.kept_as);
  stop.say_where();
  errortail00();
}

// What a page draws with, set at its start. After "gsave showpage" and
// "grestore" a page finds what the page before it left; taken out alone
// by its page comment, after the prolog, it would find what the prolog
// leaves. Setting it here makes the two the same: the line width, which
// the prolog leaves at the interpreter's, and the colour in force, when
// it is not the prolog's. That is the colour last written, even when its
// entry of the table changed since: dialect 3 writes no colour for texts,
// which take the colour in force, and the next line writes its own.
// Texts set their font and size, and polygons their fill colour, each
// time.
void page_settings() {
  real points = 0;
  lengthcm2de(points, plt2blk.linewidth);
  intslinewidth(points);
  const std::string colour = colour_in_force();
  if (colour.empty() || colour == prolog_colour()) return;  // nothing known, or what the prolog leaves
  ps::record(colour + "setrgbcolor");
}

// The trailer's count of the pages.
void page_count() {
  std::string line = "%%Pages:";
  ps::page_number(line, psparams.ipspage);
  ps::record(line);
}

}  // namespace

void intnewpage() {
  psstrokepath();
  if (psparams.ipstype == dialect_illustrator && psparams.ipspage == 1) head_of_pages();
  ps::record("gsave showpage");
  ps::record("%%End Page");
  ps::record("grestore");
  ++psparams.ipspage;
  ps::page_record(psparams.ipspage);
  page_settings();
}

void pstrailer() {
  psstrokepath();
  if (psparams.ipstype == dialect_illustrator) {
    // A drawing of one page is shown by the program that places it; the
    // last of several pages needs its showpage as the others have theirs,
    // and their count, which their head defers to the trailer.
    const bool pages = psparams.ipspage > 1;
    if (pages) ps::record("showpage");
    ps::record("%%PageTrailer");
    ps::record("%%Trailer");
    if (pages) page_count();
    for (std::string_view l : {"Adobe_Illustrator881 /terminate get exec", "Adobe_customcolor /terminate get exec",
                               "Adobe_cshow /terminate get exec", "Adobe_packedarray /terminate get exec", "%%EOF"}) {
      ps::record(l);
    }
  } else {
    ps::record("showpage");
    ps::record("%%End Page");
    ps::record("%%Trailer");
    page_count();
    ps::record("%%EOF");
  }
}

void psend() {
  pstrailer();
  // (Straight from the file's buffer: a write that a stop signal cuts
  // short ends the run at once.)
  if (UnitFile* file = units().output_file(psparams.ipsunit)) file->flush();
  const std::string name = units().name(psparams.ipsunit);
  const FileEnd e = units().close(psparams.ipsunit);
  if (!e.reason.empty()) plot_write_failure_box(name, e);
}

}  // namespace dorvix
