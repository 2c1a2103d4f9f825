#include "dialogue/cut_lines.hpp"

#include <string>
#include <string_view>

#include "dialogue/boxes.hpp"
#include "dialogue/item_lines.hpp"
#include "files/units.hpp"

namespace dorvix {

namespace {

void box(const Header& h, const CutLines& cut, std::string_view file) {
  warninghead(h);
  ItemLine().text("LINES CUT AT " + std::to_string(UnitFile::max_line) + " CHARACTERS =").integer(cut.count, 10).write();
  ItemLine().text("FIRST OF THEM IS LINE NUMBER    =").integer(cut.first, 10).write();
  ItemLine().text("IN FILE:").text(file).write();
  say("=> THE REST OF THESE LINES WAS NOT READ");
  warningtail00();
}

}  // namespace

void cut_lines_box(const Header& h, int unit) {
  const CutLines cut = units().cut_lines(unit);
  if (cut.count > 0) box(h, cut, units().name(unit));
}

void cut_answer_box(const Header& h, long long line) { box(h, {1, line}, "standard input"); }

}  // namespace dorvix
