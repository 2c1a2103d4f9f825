// Real prompts.

#include <algorithm>
#include <cmath>
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

namespace {

constexpr std::size_t answer_width = 20;

void echo(real val) { say("New value =  " + edit::g(val, 12, 6)); }

bool buffered_answer(real& val, const real& def) {
  std::string line;
  read_answer(line);
  const std::string cans = prompt::buffered(line, answer_width);
  if (prompt::takes_default(cans)) {
    val = def;
    return true;
  }
  return parse_real(prompt::first_item(cans), val);
}

// A magnitude that ignores a bound that is not a number.
real magnitude(real v) { return std::isnan(v) ? 0.0f : std::fabs(v); }

// The most decimals a bound is given: a single-precision value's
// significant digits, for a bound above a hundred-millionth.
constexpr int most_bound_decimals = 9;

// A bound in fixed point in w columns with at least d decimals: as many
// more as it needs to be read back as itself, so that the range shown is
// the range the prompt holds to (the line thickness's lowest 0.01 among
// bounds of one decimal is "0.01", not "0.0").
std::string fixed_bound(real v, int w, int d) {
  std::string text = edit::f(v, w, d);
  if (!std::isfinite(v)) return text;
  for (int more = d; more <= most_bound_decimals; ++more) {
    const std::string shortest = edit::f(v, 0, more);
    real back = 0.0f;
    if (parse_real(shortest, back) && back == v) {
      if (more > d) text = edit::f(v, std::max(w, static_cast<int>(shortest.size())), more);
      break;
    }
  }
  return text;
}

// The layout of the range bounds, chosen by the larger bound magnitude.
std::string range_bound(real v, real m) {
  if (m < 10.0f) return fixed_bound(v, 6, 3);
  if (m < 100.0f) return fixed_bound(v, 7, 3);
  if (m < 1000.0f) return fixed_bound(v, 7, 2);
  if (m < 1.0e6f) return fixed_bound(v, 9, 1);
  if (m < 1.0e10f) return fixed_bound(v, 13, 1);
  return edit::g(v, 20, 1);
}

}  // namespace

void inrealdef(real& val, std::string_view cprompt, const real& def, int& istat) {
  static constexpr Header h{"inrealdef", "1.2", "08-03-2000"};
  istat = 0;
  const auto p = trimmed(cprompt);
  for (;;) {
    separator();
    prompt::question(p);
    if (iocom.lwito(2)) {
      say("or return for default value");
      say("Default = " + edit::g(def, 12, 6));
    }
    if (buffered_answer(val, def)) break;
    prompt::unreadable_box(h, p);
  }
  echo(val);
  separator();
}

void inrealvindef(real& val, std::string_view cprompt, const real& def, real vmin, real vmax, int& istat) {
  static constexpr Header h{"inrealvinde", "1.5", "15-11-2005"};
  const real m = std::max(magnitude(vmin), magnitude(vmax));
  const std::string bounds = range_bound(vmin, m) + "," + range_bound(vmax, m) + "]";
  // The default is taken once, on entry (see inintegvindef).
  bool moved = false;
  const real offered = prompt::accepted_default(def, vmin, vmax, moved);
  const real md = std::max({m, magnitude(val), magnitude(offered)});
  istat = 0;
  const auto p = trimmed(cprompt);
  auto default_text = [&] {
    if (md < 10.0f) return edit::f(offered, 6, 3);
    if (md < 100.0f) return edit::f(offered, 7, 3);
    if (md < 1000.0f) return edit::f(offered, 7, 2);
    return edit::g(offered, 20, 1);
  };
  for (;;) {
    separator();
    prompt::question(p);
    say("inside  [" + bounds);
    if (moved) {
      prompt::moved_default_line(trimmed(edit::g(def, 12, 6)), trimmed(edit::g(offered, 12, 6)));
      moved = false;
    }
    if (iocom.lwito(2)) {
      say("or return for default value");
      say("Default = " + default_text());
    }
    if (!buffered_answer(val, offered)) {
      prompt::unreadable_box(h, p);
      continue;
    }
    if (vmin <= val && val <= vmax) break;
    const CommandFileStop stop = stop_command_file();
    errorhead(h);
    say(std::string(p) + " = " + edit::g(val, 12, 6));
    say("outside [" + bounds);
    stop.say_where();
    errortail00();
  }
  echo(val);
  separator();
}

}  // namespace dorvix
