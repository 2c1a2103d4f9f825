#pragma once
// Lines and answer handling shared by the prompts (internal to the console).

#include <string>
#include <string_view>

#include "dialogue/console_units.hpp"
#include "dialogue/frames.hpp"

namespace dorvix::prompt {

using dorvix::say;
// The dotted separator, at output level 2 only (or always when forced).
void separator(bool always = false);
// " Enter " + the trimmed question.
void question(std::string_view p);
// The first `width` characters of an answer line, blank-filled.
std::string buffered(std::string_view line, std::size_t width);
// True when an answer takes the default: first character blank, CR or LF.
bool takes_default(std::string_view answer);
// The first item of an answer: up to a blank, tab, comma, slash or the end.
std::string_view first_item(std::string_view answer);
// The unreadable-answer box: "could not read" and the question, then
// "==> RETRYING". A command file that gave the answer is stopped there
// (command_file.hpp), so that the question is asked again at the keyboard;
// so are the prompts' other refusals.
void unreadable_box(const Header& h, std::string_view p);

// The default a ranged prompt offers: `def` when [vmin, vmax] holds it,
// else the nearest bound (vmin for a default that is not a number), so
// that no prompt offers a value it would refuse. `moved` tells which. An
// empty range (vmin > vmax, or a bound not a number) moves nothing.
template <class T>
T accepted_default(T def, T vmin, T vmax, bool& moved) {
  moved = false;
  if (!(vmin <= vmax) || (def >= vmin && def <= vmax)) return def;
  moved = true;
  return def > vmax ? vmax : vmin;
}
// Said once, under the range, when the default was moved:
// "==> <in force> IS OUTSIDE THE RANGE: DEFAULT SET TO <offered>".
void moved_default_line(std::string_view in_force, std::string_view offered);

}  // namespace dorvix::prompt
