#include "dialogue/boxes.hpp"

#include <algorithm>
#include <string>

#include "dialogue/faces.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/prompts.hpp"
#include "files/stops.hpp"
#include "files/units.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

namespace {

// The lines of a box's head and tail are written as they are laid out,
// with nothing built: the memory box, after memory ran out, has them so.

void err(std::string_view text) { put_items(iocom.iuerout, {text}); }

void rule(char c) {
  char line[44];
  line[0] = ' ';
  std::fill(line + 1, line + 44, c);
  put(iocom.iuerout, {line, sizeof line});
}

// Width of the field between the ends of a framed line.
constexpr std::size_t field_width = 35;

void framed(char c, std::string_view field) {
  const char ends[] = {c, c, c};
  char padded[field_width];
  std::fill(std::copy_n(field.begin(), std::min(field.size(), field_width), padded), padded + field_width, ' ');
  put_items(iocom.iuerout, {{ends, 3}, {padded, field_width}, {ends, 3}});
}

// The field that names the box's routine: "subroutine" and the routine's
// name blank-padded to 11.
void framed_routine(char c, const Header& h) {
  constexpr std::string_view words = "       subroutine ";
  char field[field_width];
  std::fill(std::copy(words.begin(), words.end(), field), field + field_width, ' ');
  const std::string_view name = h.name;
  std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 11), field + words.size());
  framed(c, {field, field_width});
}

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
  framed_routine('/', h);
  framed('/', "              WARNING");
  rule('/');
}

void errorhead(const Header& h) {
  rule('*');
  rule('*');
  framed('*', "");
  framed_routine('*', h);
  framed('*', "");
  framed('*', "               ERROR");
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
