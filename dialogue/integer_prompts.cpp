// Integer prompts and the two small text utilities they use.

#include <string>

#include "dialogue/answers.hpp"
#include "dialogue/boxes.hpp"
#include "dialogue/command_file_end.hpp"
#include "dialogue/prompt_lines.hpp"
#include "dialogue/prompts.hpp"
#include "numbers/edit.hpp"
#include "numbers/number_parse.hpp"

namespace dorvix {

using prompt::say;
using prompt::separator;

void textlen(int& ifirst, int& ilast, std::string_view ctext) {
  ifirst = 1;
  ilast = static_cast<int>(ctext.size());
  while (ifirst < ilast && ctext[static_cast<std::size_t>(ifirst - 1)] == ' ') ++ifirst;
  while (ilast > ifirst && ctext[static_cast<std::size_t>(ilast - 1)] == ' ') --ilast;
}

std::string_view trimmed(std::string_view ctext) {
  int first = 0, last = 0;
  textlen(first, last, ctext);
  if (last < first) return {};
  return ctext.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
}

void integlen(int& nlen, int ival) { nlen = edit::digits(ival); }

namespace {

constexpr std::size_t answer_width = 20;

void echo(int ival) { say("New value =  " + edit::i(ival, 12)); }

void default_lines(int idef) {
  if (!iocom.lwito(2)) return;
  say("or return for default value");
  say("Default = " + edit::i(idef, 12));
}

// The range "[min,max]" with each bound in exactly its own width.
std::string range_text(int ivmin, int ivmax) {
  return "[" + edit::i(ivmin, edit::digits(ivmin)) + "," + edit::i(ivmax, edit::digits(ivmax)) + "]";
}

void out_of_range_box(const Header& h, std::string_view p, int ival, int ivmin, int ivmax) {
  const CommandFileStop stop = stop_command_file();
  errorhead(h);
  say(std::string(p) + " = " + edit::i(ival, 12));
  say("outside " + range_text(ivmin, ivmax));
  stop.say_where();
  errortail00();
}

// One buffered answer: reads the line, applies the default rule and reads
// the first item. Returns false for an unreadable answer.
bool buffered_answer(int& ival, const int& idef) {
  std::string line;
  read_answer(line);
  const std::string cans = prompt::buffered(line, answer_width);
  if (prompt::takes_default(cans)) {
    ival = idef;
    return true;
  }
  return parse_int(prompt::first_item(cans), ival);
}

// One free-form answer: blank lines are passed over, the first item of the
// first line holding one is read, the rest of that line is discarded.
bool free_answer(int& ival) {
  std::string line;
  for (;;) {
    read_answer(line);
    const auto start = line.find_first_not_of(" \t\r");
    if (start == std::string::npos) continue;
    return parse_int(prompt::first_item(std::string_view(line).substr(start)), ival);
  }
}

}  // namespace

void inintegdef(int& ival, std::string_view cprompt, const int& idef, int& istat) {
  static constexpr Header h{"inintegdef", "1.3", "08-03-2000"};
  istat = 0;
  const auto p = trimmed(cprompt);
  for (;;) {
    separator();
    prompt::question(p);
    default_lines(idef);
    if (buffered_answer(ival, idef)) break;
    prompt::unreadable_box(h, p);
  }
  echo(ival);
  separator();
}

void ininteg1(int& ival, std::string_view cprompt, int& istat) {
  static constexpr Header h{"ininteg1", "1.1", "08-03-2000"};
  istat = 0;
  const auto p = trimmed(cprompt);
  for (;;) {
    separator();
    prompt::question(p);
    if (free_answer(ival)) break;
    prompt::unreadable_box(h, p);
  }
  echo(ival);
  separator();
}

void inintegdefnp(int& ival, std::string_view cprompt, const int& idef, int& istat) {
  static constexpr Header h{"inintegdefn", "1.10", "07-10-96"};
  istat = 0;
  separator(true);
  for (;;) {
    say("Enter " + std::string(cprompt));
    say("or return for default value");
    say("Default = " + edit::i(idef, 12));
    if (buffered_answer(ival, idef)) break;
    const CommandFileStop stop = stop_command_file();
    errorhead(h);
    say("could not read " + std::string(cprompt));
    stop.say_where();
    say("             RETRYING              ");
    errortail0(0);
  }
  separator(true);
}

void inintegvindef(int& ival, std::string_view cprompt, const int& idef, int ivmin, int ivmax, int& istat) {
  static constexpr Header h{"inintegvind", "1.3", "08-03-2000"};
  const std::string range = range_text(ivmin, ivmax);
  istat = 0;
  const auto p = trimmed(cprompt);
  // The default is taken once, on entry: a caller passing one variable as
  // value and default would otherwise be offered the number just refused.
  bool moved = false;
  const int def = prompt::accepted_default(idef, ivmin, ivmax, moved);
  for (;;) {
    separator();
    prompt::question(p);
    say("inside  " + range);
    if (moved) {
      prompt::moved_default_line(edit::i(idef, edit::digits(idef)), edit::i(def, edit::digits(def)));
      moved = false;
    }
    default_lines(def);
    if (!buffered_answer(ival, def)) {
      prompt::unreadable_box(h, p);
      continue;
    }
    if (ivmin <= ival && ival <= ivmax) break;
    out_of_range_box(h, p, ival, ivmin, ivmax);
  }
  echo(ival);
  separator();
}

void inintegvin1(int& ival, std::string_view cprompt, int ivmin, int ivmax, int& istat) {
  static constexpr Header h{"inintegvin1", "1.1", "08-03-2000"};
  const std::string range = range_text(ivmin, ivmax);
  istat = 0;
  const auto p = trimmed(cprompt);
  for (;;) {
    separator();
    prompt::question(p);
    say("inside  " + range);
    if (!free_answer(ival)) {
      prompt::unreadable_box(h, p);
      continue;
    }
    if (ivmin <= ival && ival <= ivmax) break;
    out_of_range_box(h, p, ival, ivmin, ivmax);
  }
  echo(ival);
  separator();
}

}  // namespace dorvix
