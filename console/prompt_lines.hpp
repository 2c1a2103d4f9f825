#pragma once
// Lines and answer handling shared by the prompts (internal to the console).

#include <string>
#include <string_view>

#include "console/frames.hpp"
#include "console/iocom.hpp"

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
// "==> RETRYING".
void unreadable_box(const Header& h, std::string_view p);

}  // namespace dorvix::prompt
