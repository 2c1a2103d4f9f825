#include "projection/menu_lines.hpp"

#include <string>

#include "console/edit.hpp"
#include "console/frames.hpp"
#include "console/iocom.hpp"

namespace dorvix {

namespace {

std::string start(std::string_view text) {
  std::string line = " ";
  line += text;
  return line;
}

}  // namespace

void text_line(std::string_view text) { put(iocom.iuout, start(text)); }

void text_integer_line(std::string_view text, int value, int width) {
  std::string line = start(text);
  line += ' ';
  edit::i(line, value, width);
  put(iocom.iuout, line);
}

void text_real_line(std::string_view text, real value, int width, int decimals, std::string_view unit) {
  std::string line = start(text);
  line += ' ';
  edit::f(line, value, width, decimals);
  if (!unit.empty()) {
    line += ' ';
    line += unit;
  }
  put(iocom.iuout, line);
}

}  // namespace dorvix
