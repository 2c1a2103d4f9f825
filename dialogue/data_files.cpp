#include "dialogue/data_files.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "dialogue/catalogue_read.hpp"
#include "dialogue/file_opener.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "files/stops.hpp"
#include "files/units.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

namespace {

constexpr Header initfio_header{"initfio", "1.00", "25-03-94  "};
constexpr Header listfio_header{"listfio", "1.00", "25-03-94  "};
constexpr Header opefin_header{"opefin", "1.00", "25-03-94  "};
constexpr Header clofin_header{"clofin", "1.00", "25-03-94  "};
constexpr Header opefou_header{"opefou", "1.00", "25-03-94  "};
constexpr Header clofou_header{"clofou", "1.00", "25-03-94  "};

constexpr int first_input_unit = 10;   // input file i is on unit 10 + i
constexpr int first_output_unit = 20;  // output file i is on unit 20 + i

// One slot of the table, input or output, with the words that name it.
struct Slot {
  int& unit;
  bool& open;
  std::string& name;
  std::string& expl;
};

struct Kind {
  std::string_view opening;  // "OPENING  INPUT FILE"
  std::string_view word;     // "INPUT FILE"
  std::string_view status;   // of the opener
  const Header& open_header;
  const Header& close_header;
};

const Kind input{"OPENING  INPUT FILE", "INPUT FILE", "old", opefin_header, clofin_header};
const Kind output{"OPENING OUTPUT FILE", "OUTPUT FILE", "new", opefou_header, clofou_header};

Slot input_slot(int i) { return {fiocom.iuinf(i), fiocom.iopin(i), fiocom.infnam(i), fiocom.infexpl(i)}; }
Slot output_slot(int i) { return {fiocom.iouf(i), fiocom.iopou(i), fiocom.oufnam(i), fiocom.oufexpl(i)}; }

void list_slot(int i, const Slot& s) {
  ItemLine().text("FILE INDEX   =").integer(i, 2).write();
  ItemLine().text(" explanation :").text(edit::pad(s.expl, data_file_text_width)).write();
  ItemLine().text("    filename =").text(edit::pad(s.name, data_file_text_width)).write();
  ItemLine().text("      opened :").text(s.open ? "T" : "F").write();
  ItemLine().text("        unit =").integer(s.unit, 2).write();
  say(std::string(14, '-'));
}

void count_error_head() {
  const std::string stars(36, '*');
  say(stars);
  say("***           ERROR              ***");
  say(stars);
}

void open_slot(const Kind& k, int ifile, int count, Slot (*slot)(int), std::string_view cexpl, int iflag) {
  subhead(k.open_header);
  if (ifile >= 1 && ifile <= count) {
    Slot s = slot(ifile);
    dash_rule();
    if (!s.open) {
      s.expl = edit::pad(cexpl, data_file_text_width);
      ItemLine().text(k.opening).integer(ifile, 2).write();
      dash_rule();
      std::string name = s.name;
      opef2(name, s.expl, s.unit, k.status, iflag, data_file_text_width);
      // An output file counts its lines, for a failed write to tell how
      // many it keeps (give_up_output).
      units().count_lines(s.unit);
      if (&k == &input) hold_catalogue_read(name, units().identity(s.unit));
      s.name = edit::pad(name, data_file_text_width);
      s.open = true;
    } else {
      ItemLine().text(k.word).integer(ifile, 2).text("ALREADY OPENED !").write();
      dash_rule();
    }
  }
  listfio(0);
  subtail(k.open_header);
}

void close_slot(const Kind& k, int ifile, int count, Slot (*slot)(int)) {
  subhead(k.close_header);
  if (ifile >= 1 && ifile <= count) {
    Slot s = slot(ifile);
    dash_rule();
    const std::string name = edit::pad(s.name, data_file_text_width);
    if (s.open) {
      const FileEnd e = units().close(s.unit);
      ItemLine().text(k.word).text(name).text("CLOSED").write();
      // Its last text reaches the file, or a replacement its name, only now.
      if (!e.reason.empty()) {
        say("==> " + e.reason);
        if (e.kind == FileEnd::Kind::old_kept) {
          say("==> THE OLD FILE IS KEPT, NOT REPLACED");
        } else if (e.kind != FileEnd::Kind::name_lost) {
          say("==> THE FILE ENDS AT ITS LAST WHOLE LINE");
        }
        if (!e.kept_as.empty()) say("==> THE NEW FILE IS KEPT AS " + e.kept_as);
      }
      s.open = false;
    } else {
      ItemLine().text(k.word).text(name).text("ALREADY CLOSED !").write();
    }
    dash_rule();
  }
  listfio(0);
  subtail(k.close_header);
}

}  // namespace

void initfio(int nin, int nout, int iflag) {
  subhead(initfio_header);
  submenuhead(initfio_header);
  dash_rule();
  say("       INITIALIZING I/O FILES");
  dash_rule();
  if (nin < 0 || nin > max_input_files) {
    count_error_head();
    ItemLine().text("    number of  input files   =").integer(nin, 2).write();
    ItemLine().text("max number of  input files   =").integer(max_input_files, 2).write();
    say(std::string(36, '*'));
    end_run(exit_stopped_by_program);
  }
  fiocom.nfin = nin;
  if (nout < 0 || nout > max_output_files) {
    count_error_head();
    say(std::string(36, '*'));
    end_run(exit_stopped_by_program);
  }
  fiocom.nfout = nout;
  const std::string blank(data_file_text_width, ' ');
  for (int i = 1; i <= max_input_files; ++i) {
    fiocom.iopin(i) = false;
    fiocom.infnam(i) = blank;
    fiocom.infexpl(i) = blank;
    fiocom.iuinf(i) = first_input_unit + i;
  }
  for (int i = 1; i <= max_output_files; ++i) {
    fiocom.iopou(i) = false;
    fiocom.oufnam(i) = blank;
    fiocom.oufexpl(i) = blank;
    fiocom.iouf(i) = first_output_unit + i;
  }
  listfio(iflag);
  subtail(initfio_header);
}

void listfio(int /*idum*/) {
  subhead(listfio_header);
  dash_rule();
  say("             I/O FILES STATUS");
  dash_rule();
  ItemLine().text("NUMBER OF  INPUT FILES   =").integer(fiocom.nfin, 2).write();
  dash_rule();
  for (int i = 1; i <= fiocom.nfin; ++i) list_slot(i, input_slot(i));
  dash_rule();
  ItemLine().text("NUMBER OF OUTPUT FILES   =").integer(fiocom.nfout, 2).write();
  dash_rule();
  for (int i = 1; i <= fiocom.nfout; ++i) list_slot(i, output_slot(i));
  subtail(listfio_header);
}

void opefin(int ifile, std::string_view cexpl, int iflag) {
  open_slot(input, ifile, fiocom.nfin, input_slot, cexpl, iflag);
}

void clofin(int ifile, int /*iflag*/) { close_slot(input, ifile, fiocom.nfin, input_slot); }

void opefou(int ifile, std::string_view cexpl, int iflag) {
  open_slot(output, ifile, fiocom.nfout, output_slot, cexpl, iflag);
}

void clofou(int ifile, int /*iflag*/) { close_slot(output, ifile, fiocom.nfout, output_slot); }

std::optional<FileEnd> give_up_output(int ifile) {
  if (!fiocom.iopou(ifile)) return std::nullopt;
  return units().abandon(fiocom.iouf(ifile));
}

}  // namespace dorvix
