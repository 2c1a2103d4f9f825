#include "console/file_opener.hpp"

#include <algorithm>
#include <filesystem>

#include "console/answers.hpp"
#include "console/boxes.hpp"
#include "console/edit.hpp"
#include "console/frames.hpp"
#include "console/iocom.hpp"
#include "console/item_lines.hpp"
#include "console/prompts.hpp"
#include "console/run_end.hpp"
#include "console/units.hpp"

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

// The chooser's answer: one keyboard line; empty (or blank) is a cancel.
bool chosen_path(std::string& path) {
  std::string line;
  read_answer(unit_keyboard, line);
  path = std::string(without_blanks(line));
  return !path.empty();
}

// A file to be written that exists already: only the user's Yes lets it
// be replaced, as a save dialog asks. A file that must be new is removed
// then; one that may exist is written from its start by the open.
// Directories and other special files are never removed; the open then
// fails as for any name that cannot be opened.
bool replace_allowed(const std::string& path, FileStatus status) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const auto st = fs::symlink_status(path, ec);
  if (ec || !fs::exists(st)) return true;
  if (!fs::is_regular_file(st) && !fs::is_symlink(st)) return true;
  bool replace = false;
  int istat = 0;
  inlogicdef(replace, "replace existing file " + path, false, istat);
  if (!replace) return false;
  if (status == FileStatus::new_file) fs::remove(path, ec);
  return true;
}

// The error box for a name longer than the caller's field.
void too_long_box(std::string_view name, std::size_t limit, bool silent) {
  errorhead(opener);
  say("FILE NAME TOO LONG: " + std::string(name));
  say("more than " + edit::i(static_cast<long long>(limit), 0) + " characters");
  say(silent ? "===> STOPPING EXECUTION" : "===> RETRYING");
  errortail00();
  if (silent) end_run(exit_stopped_by_program);
}

}  // namespace

void opef2(std::string& cname, std::string_view cexpl, int iunit, std::string_view cstatus, int iflag,
           std::size_t width) {
  const FileStatus status = file_status(cstatus);
  const bool silent = iflag != 0;
  const std::string expl(trimmed(cexpl));
  const std::string prompt_text = edit::pad(expl + " file name", prompt_width);
  std::string name(without_trailing_blanks(cname));

  for (;;) {
    submenuhead(opener);
    say("OPENING " + expl + " FILE");
    menutail();

    bool chosen = true;  // false: the chooser was cancelled
    std::size_t limit = width;
    if (!silent && iocom.iuin == unit_keyboard) {
      say("Choose " + std::string(trimmed(prompt_text)));
      std::string path;
      chosen = chosen_path(path);
      if (chosen && path.size() <= limit) {
        // The name is the user's even when the replacement is declined, so
        // that the box that follows names the file the user chose.
        name = path;
        // A file this run holds open on another unit is never offered for
        // replacement: the open below refuses it.
        chosen = status == FileStatus::old_file || units().unit_holding(path, iunit, status) != 0 ||
                 replace_allowed(path, status);
      } else if (chosen) {
        too_long_box(path, limit, false);
        continue;
      }
    } else if (!silent) {
      std::string answer;
      int istat = 0;
      inchardef(answer, prompt_text, name, istat, answer_width);
      name = std::string(without_trailing_blanks(answer));
      limit = std::min(width, answer_width - 1);
    }
    if (chosen && name.size() > limit) {
      too_long_box(name, limit, silent);
      continue;
    }

    if (chosen && units().open(iunit, name, status)) {
      cname = units().name(iunit);
      return;
    }

    // The name is shown in the caller's whole field, as the caller holds it.
    const std::string field = edit::pad(name, std::max(width, name.size()));
    const int holder = chosen ? units().unit_holding(name, iunit, status) : 0;
    if (silent) {
      errorhead(opener);
      say("COULD NOT OPEN FILE " + field);
      if (holder != 0) say("already open for unit = " + edit::i(holder, 4));
      say("for unit = " + edit::i(iunit, 4));
      say("===> STOPPING EXECUTION");
      errortail00();
      end_run(exit_stopped_by_program);
    }
    warninghead(opener);
    say("COULD NOT OPEN FILE " + field);
    if (holder != 0) say("already open for unit = " + edit::i(holder, 4));
    say("===> RETRYING");
    warningtail00();
  }
}

}  // namespace dorvix
