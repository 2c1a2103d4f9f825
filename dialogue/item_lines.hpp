#pragma once
// Report lines built item by item, each item after one blank (the layout
// of list-style report lines: " Problem in subroutine: sname"). Every
// console line of more than one item is built with it.

#include <string>
#include <string_view>

#include "dialogue/console_units.hpp"
#include "dialogue/frames.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

class ItemLine {
 public:
  ItemLine& text(std::string_view t) {
    line_ += ' ';
    line_ += t;
    return *this;
  }
  // An integer right-aligned in w columns.
  ItemLine& integer(long long v, int w) {
    line_ += ' ';
    edit::i(line_, v, w);
    return *this;
  }
  // A real in fixed point, w columns with d decimals.
  ItemLine& fixed(double v, int w, int d) {
    line_ += ' ';
    edit::f(line_, v, w, d);
    return *this;
  }
  // Writes the line on the standard output unit (or on `unit`).
  void write() const { put(iocom.iuout, line_); }
  void write(int unit) const { put(unit, line_); }
  const std::string& str() const { return line_; }

 private:
  std::string line_;
};

// A line of one item is say() of dialogue/frames.hpp.

// A text and a real in F8.3, the line of a value in the set-up menus.
inline void value_line(std::string_view text, double v) { ItemLine().text(text).fixed(v, 8, 3).write(); }

}  // namespace dorvix
