#include "console/boxes.hpp"

#include <string>

#include "console/edit.hpp"
#include "console/frames.hpp"
#include "console/prompts.hpp"
#include "console/run_end.hpp"
#include "console/units.hpp"

namespace dorvix {

namespace {

void err(std::string_view text) { put(iocom.iuerout, std::string(" ") += text); }

void rule(char c) { put(iocom.iuerout, " " + std::string(43, c)); }

void framed(char c, std::string_view field) {
  const std::string ends(3, c);
  put(iocom.iuerout, " " + ends + " " + edit::pad(field, 35) + " " + ends);
}

std::string subroutine_field(const Header& h) { return "       subroutine " + header_name(h); }

// The pause of the plain tails; any line, or the end of input, ends it.
void pause() {
  const std::string_view text =
      iocom.lcomfop ? " ===> HIT RETURN TO RESUME COMMANDS" : " ===> HIT RETURN TO CONTINUE";
  std::string line;
  for (;;) {
    put(iocom.iuerout, text);
    if (units().read_line(iocom.iuerin, line) != ReadResult::error) return;
  }
}

bool ask_on_error_units(std::string_view question, bool default_answer) {
  bool answer = default_answer;
  int istat = 0;
  inlogicdef2(answer, question, default_answer, iocom.iuerin, iocom.iuerout, istat);
  return answer;
}

[[noreturn]] void stop_after(std::initializer_list<std::string_view> lines, int status) {
  for (auto l : lines) err(l);
  rule('*');
  end_run(status);
}

void outdated_picture(std::string_view name) {
  static constexpr int widths[] = {24, 20, 16, 12, 8, 4};
  auto row = [](int w) {
    const int margin = (24 - w) / 2;
    put(iocom.iuerout, " " + std::string(static_cast<std::size_t>(margin), ' ') +
                           std::string(static_cast<std::size_t>(w), '@') +
                           std::string(static_cast<std::size_t>(margin), ' '));
  };
  for (int w : widths) row(w);
  row(24);
  put(iocom.iuerout, " " + edit::pad("OUTDATED    " + std::string(name), 24));
  row(24);
  for (int k = 5; k >= 0; --k) row(widths[k]);
}

}  // namespace

void warninghead(const Header& h) {
  rule('/');
  framed('/', subroutine_field(h));
  framed('/', std::string(14, ' ') + "WARNING" + std::string(14, ' '));
  rule('/');
}

void errorhead(const Header& h) {
  rule('*');
  rule('*');
  framed('*', "");
  framed('*', subroutine_field(h));
  framed('*', "");
  framed('*', std::string(15, ' ') + "ERROR" + std::string(15, ' '));
  framed('*', "");
  rule('*');
  rule('*');
}

void warningtail00() {
  if (iocom.lpause) pause();
  rule('/');
}

void errortail00() {
  if (iocom.lpause) pause();
  rule('*');
}

void errortail01(int lfatal) {
  const bool unrecoverable = lfatal == 1;
  if (unrecoverable) {
    sorryface();
    err("UNRECOVERABLE ERROR =====> QUITTING ADVISED");
  } else {
    err("RECOVERABLE ERROR ====> CAN RESUME EXECUTION");
  }
  if (ask_on_error_units("STOP", unrecoverable)) {
    // The user chose to stop: an orderly end with a success status.
    stop_after({"EXECUTION STOPPED AFTER ERROR"}, exit_success);
  }
  if (unrecoverable) {
    err("ENTERING THE TWILIGHT ZONE OF COMPUTING !");
    err("THE VALIDITY OF WHAT FOLLOWS IS QUESTIONABLE");
  } else {
    err("RESUMING EXECUTION");
  }
  pause();
  rule('*');
}

void errorstop(int igrav) {
  switch (igrav) {
    case 0:
      err("RECOVERABLE ERROR ==> RESUMING EXECUTION ADVISED");
      if (ask_on_error_units("RESUME", true)) {
        err("RESUMING EXECUTION");
        return;
      }
      stop_after({"EXECUTION STOPPED BY USER", "AFTER RECOVERABLE ERROR"}, exit_success);
    case 1:
      sorryface();
      err("UNRECOVERABLE ERROR ==> QUITTING ADVISED");
      if (ask_on_error_units("STOP  ", true)) {
        stop_after({"EXECUTION STOPPED BY USER", "AFTER UNRECOVERABLE ERROR", "Copying the above information",
                    "and sending it to the program author", "might be helpful"},
                   exit_success);
      }
      err("ENTERING THE TWILIGHT ZONE OF COMPUTING !");
      err("THE VALIDITY OF WHAT FOLLOWS IS QUESTIONABLE");
      err("RESUMING EXECUTION");
      return;
    case 2:
      sorryface();
      stop_after({"UNRECOVERABLE ERROR", "EXECUTION STOPPED BY PROGRAM", "Copying the above information",
                  "and sending it to the program author", "might be helpful"},
                 exit_stopped_by_program);
    default:
      return;
  }
}

void warningtail0(int /*idum*/) {
  outdated_picture("warningtail0");
  warningtail00();
}

void errortail0(int /*idum*/) {
  outdated_picture("errortail0");
  errortail00();
}

void sorryface() {
  // 18 rows of 40 columns: a round outline of "&" (12 wide at top and
  // bottom, 36 wide at mid-height), two eyes and a turned-down mouth.
  struct Span {
    int row, first, last;
  };
  static constexpr Span outline[] = {
      {1, 13, 24}, {2, 9, 12}, {2, 25, 28}, {3, 7, 8}, {3, 29, 30}, {4, 5, 6}, {4, 31, 32}, {5, 4, 4}, {5, 33, 33},
      {6, 3, 3},   {6, 34, 34}, {7, 2, 2}, {7, 35, 35}, {8, 1, 1}, {8, 36, 36}, {9, 1, 1},  {9, 36, 36},
      {10, 1, 1},  {10, 36, 36}, {11, 1, 1}, {11, 36, 36}, {12, 2, 2}, {12, 35, 35}, {13, 3, 3}, {13, 34, 34},
      {14, 4, 4},  {14, 33, 33}, {15, 5, 6}, {15, 31, 32}, {16, 7, 8}, {16, 29, 30}, {17, 9, 12}, {17, 25, 28},
      {18, 13, 24},
      // eyes
      {7, 11, 13}, {7, 24, 26}, {8, 11, 13}, {8, 24, 26},
      // mouth
      {12, 13, 24}, {13, 10, 12}, {13, 25, 27}, {14, 8, 9}, {14, 28, 29},
  };
  std::string rows[18];
  for (auto& r : rows) r.assign(40, ' ');
  for (const Span& sp : outline) {
    for (int c = sp.first; c <= sp.last; ++c) rows[sp.row - 1][static_cast<std::size_t>(c - 1)] = '&';
  }
  put(iocom.iuout, "      ");
  for (const auto& r : rows) put(iocom.iuout, "    " + r);
  put(iocom.iuout, "      ");
}

}  // namespace dorvix
