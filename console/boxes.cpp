#include "console/boxes.hpp"

#include <string>

#include "console/edit.hpp"
#include "console/faces.hpp"
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

// The pause of the plain tails: one read of the error input; any line, the
// end of the input or a failed read ends it (never a loop: the question
// that follows the box meets the end of the input and ends the run).
void pause() {
  put(iocom.iuerout, iocom.lcomfop ? " ===> HIT RETURN TO RESUME COMMANDS" : " ===> HIT RETURN TO CONTINUE");
  std::string line;
  units().read_line(iocom.iuerin, line);
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

void sorryface() { draw_face(Mouth::down); }

}  // namespace dorvix
