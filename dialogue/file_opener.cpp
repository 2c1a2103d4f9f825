#include "dialogue/file_opener.hpp"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <initializer_list>
#include <optional>

#include "dialogue/answers.hpp"
#include "dialogue/boxes.hpp"
#include "dialogue/catalogue_read.hpp"
#include "dialogue/command_file_end.hpp"
#include "dialogue/console_units.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/prompts.hpp"
#include "files/replacement.hpp"
#include "files/stops.hpp"
#include "files/units.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

namespace {

constexpr Header opener{"opef2", " 3.8", "24-08-2005"};

// The prompt text: the explanation and " file name", in 40 characters.
constexpr std::size_t prompt_width = 40;
// The text prompt looks at the first 80 characters of an answer, so a
// typed name can be told too long only up to 79 characters.
constexpr std::size_t answer_width = 80;

std::string_view without_trailing_blanks(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::string_view without_blanks(std::string_view s) {
  s = without_trailing_blanks(s);
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return s;
}

const std::string no_name = "NO FILE NAME GIVEN";

// Where the name came from, which decides what a failure does: a silent
// open ends the run; a name read from a command file stops the command
// file, whose next lines were meant for other questions.
struct Source {
  bool silent = false;
  long long command_line = 0;  // the command file's line that held the name; 0: not read there
};

// The box of a failed attempt: the lines saying what failed and why, then
// the verdict. A command file is ended first, so that the questions, and
// the pause of the box, come back to the keyboard.
void failure_box(std::initializer_list<std::string> lines, const Source& from, int iunit, bool error) {
  const CommandFileStop stop = from.command_line > 0 ? stop_command_file() : CommandFileStop{};
  if (error || from.silent) {
    errorhead(opener);
  } else {
    warninghead(opener);
  }
  for (const std::string& l : lines) say(l);
  if (from.silent) {
    say("for unit = " + edit::i(iunit, 4));
    say("===> STOPPING EXECUTION");
    errortail00();
    end_run(exit_stopped_by_program);
  }
  stop.say_where();
  say("===> RETRYING");
  if (error) {
    errortail00();
  } else {
    warningtail00();
  }
}

// The error box for a name longer than the caller's field.
void too_long_box(std::string_view name, std::size_t limit, const Source& from, int iunit) {
  failure_box({"FILE NAME TOO LONG: " + std::string(name), "more than " + edit::i(static_cast<long long>(limit), 0) +
                                                               " characters"},
              from, iunit, true);
}

// The chooser's answer: one keyboard line; empty (or blank) is a cancel.
bool chosen_path(std::string& path) {
  std::string line;
  read_answer(unit_keyboard, line);
  path = std::string(without_blanks(line));
  return !path.empty();
}

// What a name to be written stands for now.
struct Existing {
  bool exists = false;  // the name is taken (by a link that leads nowhere too)
  bool link = false;    // the name is a symbolic link
  std::filesystem::file_type target = std::filesystem::file_type::not_found;  // what it leads to
  std::optional<FileId> id;  // the name's own identity
  // A file, or a link to a file or to nothing: what is replaced when the
  // name is written anew. A pipe or a terminal is written as it is, and
  // the open refuses anything else (a folder, a disk) with its reason.
  bool replaceable() const {
    using std::filesystem::file_type;
    return exists && (target == file_type::regular || (link && target == file_type::not_found));
  }
};

Existing existing(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const auto own = fs::symlink_status(path, ec);
  if (ec || !fs::exists(own)) return {};
  Existing e{true, fs::is_symlink(own), own.type(), name_id(path)};
  if (e.link) e.target = fs::status(path, ec).type();
  return e;
}

// A link about to be replaced goes, so that what it leads to stays as it
// is; the open then writes a new file in its place. Only the link that
// was looked at goes: a name that stands for something else now is left
// as it is. The reason of a failure, or "".
std::string remove_link(const std::string& path, const Existing& e, FileStatus& status) {
  if (name_id(path) != e.id) return open_failure_text({OpenFailure::changed, 0, 0}, path);
  std::error_code ec;
  std::filesystem::remove(path, ec);
  if (ec) return open_failure_text({OpenFailure::system, ec.value(), 0}, path);
  status = FileStatus::new_file;
  return "";
}

// A file to be written that exists already: only the user's Yes lets it
// be replaced, as a save dialog asks; the question says when the name is
// a link, and when it is the catalogue this run read (by whatever name).
// The open then replaces that file and no other, once it holds its lock
// (a file that must be new is opened as one that may exist); a link is
// replaced by a new file. What its replacement would fail on (another
// program holding it, the runner's rights, a sticky folder) is refused
// without asking, before anything is written: a Yes could only be met by
// the refusal. The reason of a refusal, or "".
std::string replace_refusal(const std::string& path, FileStatus& status, OpenRequest& how) {
  const Existing e = existing(path);
  if (!e.replaceable()) return "";
  if (const OpenResult r = replacing_refusal(path, e.link); !r) return open_failure_text(r, path);
  std::string question = (e.link ? "replace existing link " : "replace existing file ") + path;
  if (!e.link && e.id && is_catalogue_read(*e.id)) question += ", the catalogue read";
  bool replace = false;
  int istat = 0;
  inlogicdef(replace, question, false, istat);
  if (!replace) return "FILE EXISTS, NOT REPLACED";
  if (e.link) return remove_link(path, e, status);
  status = FileStatus::unknown;
  how.named = e.id;
  return "";
}

// What a name given without a question (typed, given) that may stand for
// a file (status unknown) is written as: a file is replaced only when it
// is one of the `replaceable`, which the open reads again on the file it
// opens, and never when its replacement would fail. A link is judged by
// the file it leads to and replaced by a new file, that file kept. The
// reason of a refusal, or "".
std::string unasked_refusal(const std::string& path, const ReplaceableFiles& replaceable, FileStatus& status,
                            OpenRequest& how) {
  how.heads.assign(replaceable.heads.begin(), replaceable.heads.end());
  const Existing e = existing(path);
  if (!e.replaceable()) return "";
  if (const OpenResult r = replacing_refusal(path, e.link, how.heads); !r) {
    return r.failure == OpenFailure::not_replaceable ? std::string(replaceable.refusal) : open_failure_text(r, path);
  }
  if (!e.link) return "";
  how.heads.clear();
  return remove_link(path, e, status);
}

}  // namespace

std::string open_failure_text(const OpenResult& r, const std::string& path) {
  switch (r.failure) {
    case OpenFailure::in_use:
      return "IN USE BY ANOTHER PROGRAM";
    case OpenFailure::held_by_unit:
      return "already open for unit = " + edit::i(r.unit, 4);
    case OpenFailure::device:
      return "IS A DEVICE, NOT A FILE";
    case OpenFailure::changed:
      return "CHANGED WHILE THE QUESTION WAITED";
    case OpenFailure::not_replaceable:
      return "EXISTS, NOT REPLACED";
    case OpenFailure::replacement:
      return "ITS REPLACEMENT CANNOT BE WRITTEN BESIDE IT: " + system_reason(r.error);
    case OpenFailure::sticky:
      return "ANOTHER USER'S FILE IN A STICKY FOLDER: IT CANNOT BE REPLACED";
    case OpenFailure::system:
    case OpenFailure::none:
      break;
  }
  // A pipe is opened for writing only while a program reads from it.
  std::error_code ec;
  if (r.error == ENXIO && std::filesystem::is_fifo(path, ec)) return "NO PROGRAM READS FROM IT";
  return system_reason(r.error);
}

void opef2(std::string& cname, std::string_view cexpl, int iunit, std::string_view cstatus, int iflag,
           std::size_t width, const ReplaceableFiles& replaceable) {
  const FileStatus status = file_status(cstatus);
  const std::string expl(trimmed(cexpl));
  const std::string prompt_text = edit::pad(expl + " file name", prompt_width);
  std::string name(without_trailing_blanks(cname));

  for (;;) {
    submenuhead(opener);
    say("OPENING " + expl + " FILE");
    menutail();

    Source from{iflag != 0, 0};
    // A command file with no line left hands this question to the
    // keyboard, where a name is chosen as usual (an empty answer there
    // names nothing).
    if (!from.silent && iocom.lcomfop && units().at_end(iocom.iuin)) command_file_ended();

    std::string refusal;  // why the name is not opened; "" to open it
    FileStatus open_status = status;
    OpenRequest how;
    std::size_t limit = width;
    if (!from.silent && iocom.iuin == unit_keyboard) {
      say("Choose " + std::string(trimmed(prompt_text)));
      std::string path;
      if (!chosen_path(path)) {
        failure_box({no_name}, from, iunit, false);
        continue;
      }
      if (path.size() > limit) {
        too_long_box(path, limit, from, iunit);
        continue;
      }
      // The name is the user's even when the replacement is declined, so
      // that the box that follows names the file the user chose.
      name = path;
      // A file this run holds open on another unit is never offered for
      // replacement: the open below refuses it.
      if (status != FileStatus::old_file && units().unit_holding(path, iunit, status) == 0) {
        refusal = replace_refusal(path, open_status, how);
      }
    } else {
      if (!from.silent) {
        std::string answer;
        int istat = 0;
        inchardef(answer, prompt_text, name, istat, answer_width);
        name = std::string(without_trailing_blanks(answer));
        limit = std::min(width, answer_width - 1);
        if (iocom.lcomfop) from.command_line = units().line_number(iocom.iuin);
      }
      if (name.empty()) {
        failure_box({no_name}, from, iunit, false);
        continue;
      }
      if (name.size() > limit) {
        too_long_box(name, limit, from, iunit);
        continue;
      }
      // (A file this run holds open on another unit is refused by the open
      // below, which names the unit.)
      if (status == FileStatus::unknown && units().unit_holding(name, iunit, status) == 0) {
        refusal = unasked_refusal(name, replaceable, open_status, how);
      }
    }

    if (refusal.empty()) {
      const OpenResult r = units().open(iunit, name, open_status, how);
      if (r) {
        cname = units().name(iunit);
        return;
      }
      refusal = r.failure == OpenFailure::not_replaceable ? std::string(replaceable.refusal)
                                                           : open_failure_text(r, name);
    }
    // The name is shown in the caller's whole field, as the caller holds it.
    failure_box({"COULD NOT OPEN FILE " + edit::pad(name, std::max(width, name.size())), refusal}, from, iunit, false);
  }
}

}  // namespace dorvix
