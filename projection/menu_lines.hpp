#pragma once
// Lines of the projection dialogues, on the standard output unit: a text
// one blank in (layout (1x,a)), or a text followed, after one blank, by a
// number (layouts (1x,a,1x,iW) and (1x,a,1x,fW.D), the latter with an
// optional unit after one more blank).

#include <string_view>

#include "console/real.hpp"

namespace dorvix {

void text_line(std::string_view text);
void text_integer_line(std::string_view text, int value, int width);
void text_real_line(std::string_view text, real value, int width, int decimals, std::string_view unit = {});

}  // namespace dorvix
