#include "dialogue/end_pictures.hpp"

#include <array>
#include <string>

#include "dialogue/console_units.hpp"
#include "dialogue/faces.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/prompts.hpp"
#include "dialogue/run_info.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

namespace {

// The basement rock of the fault pictures is marked '$' in the rows below
// and shown as the section sign, the character it is drawn with on the
// program's first platform.
constexpr char basement_mark = '$';
constexpr std::string_view basement = "\u00a7";

// An empty row, the rows of the picture, each blank-padded to its columns
// and after the indent, and another empty row.
template <std::size_t N>
void draw(const std::array<std::string_view, N>& rows, std::size_t columns, std::size_t indent) {
  const std::string lead(indent, ' ');
  put(iocom.iuout, lead + "  ");
  for (auto row : rows) {
    std::string line = lead;
    for (char c : edit::pad(row, columns)) {
      if (c == basement_mark) {
        line += basement;
      } else {
        line += c;
      }
    }
    put(iocom.iuout, line);
  }
  put(iocom.iuout, lead + "  ");
}

constexpr std::size_t indent_one = 1;

}  // namespace

void carmag33() {
  static constexpr std::array<std::string_view, 7> rows{
      "              -------------", "              | 8 | 1 | 6 |", "              |---|---|---|",
      "              | 3 | 5 | 7 |", "              |---|---|---|", "              | 4 | 9 | 2 |",
      "              -------------",
  };
  draw(rows, 30, indent_one);
}

void sator() {
  static constexpr std::array<std::string_view, 5> rows{
      "                 S A T O R", "                 A R E P O", "                 T E N E T",
      "                 O P E R A", "                 R O T A S",
  };
  draw(rows, 30, indent_one);
}

void tetrakis() {
  static constexpr std::array<std::string_view, 6> rows{
      "",
      "                     O",
      "                   O   O",
      "                 O   O   O",
      "               O   O   O   O",
      "",
  };
  draw(rows, 30, indent_one);
}

void tetratemple1() {
  static constexpr std::array<std::string_view, 13> rows{
      "",
      "                     O",
      "                  O     O",
      "               O     O     O",
      "            O     O     O     O",
      "            ===================",
      "              | |   | |   | |",
      "              | |   | |   | |",
      "              | |   | |   | |",
      "              | |   | |   | |",
      "              | |   | |   | |",
      "           =====================",
      "",
  };
  draw(rows, 35, indent_one);
}

void tetratemple2() {
  // Seen from its right: the right slope of the roof and the right side
  // recede up to the right.
  static constexpr std::array<std::string_view, 18> rows{
      "",
      "           O  / / / / /",
      "               / / / / /",
      "         O   O  / / / / /",
      "                 / / / / /",
      "       O   O   O  / / / / /",
      "                   / / / / /",
      "     O   O   O   O  / / / / /",
      "                     / / / / /",
      "  ===================/ / / / /",
      "    | |   | |   | | |/ / / / /",
      "    | |   | |   | | |/ / / / /",
      "    | |   | |   | | |/ / / / /",
      "    | |   | |   | | |/ / / / /",
      "    | |   | |   | | |/ / / / /",
      " /===================/ / / /",
      " =====================",
      "",
  };
  draw(rows, 35, indent_one);
}

void happyface() { draw_face(Mouth::up); }

void endfun1() {
  static constexpr std::array<std::string_view, 8> rows{
      "      ___       .-~~~~~~~-.        ___",       "     /   \\     /  (o) (o)  \\      /   \\",
      "    ( o o )    |     ^     |     ( o o )",     "|-oo0-(_)-0oo------------------oo0-(_)-0oo-|",
      "|                                          |", "|            THAT'S ALL FOLKS!             |",
      "|                                          |", "|------------------------------------------|",
  };
  draw(rows, 44, indent_one);
}

void offsetnf() {
  // Layers - & - 0 = # over the basement; each block one row lower than
  // the one on its left: the hanging walls have gone down.
  static constexpr std::array<std::string_view, 10> rows{
      "--+",
      "&&&\\-------------+",
      "----\\&&&&&&&&&&&&&\\-------------+",
      "00000\\-------------\\&&&&&&&&&&&&&\\---------",
      "======\\0000000000000\\-------------\\&&&&&&&&",
      "#######\\=============\\0000000000000\\-------",
      "$$$$$$$$\\#############\\=============\\000000",
      "$$$$$$$$$\\$$$$$$$$$$$$$\\#############\\=====",
      "$$$$$$$$$$\\$$$$$$$$$$$$$\\$$$$$$$$$$$$$\\####",
      "$$$$$$$$$$$\\$$$$$$$$$$$$$\\$$$$$$$$$$$$$\\$$$",
  };
  draw(rows, 43, indent_one);
}

void offsetrf() {
  // The same layers; the faults lean the other way and the hanging walls
  // have gone up.
  static constexpr std::array<std::string_view, 10> rows{
      "------------+",
      "&&&&&&&&&&&/-------------+",
      "----------/&&&&&&&&&&&&&/-------------+",
      "000000000/-------------/&&&&&&&&&&&&&/-----",
      "========/0000000000000/-------------/&&&&&&",
      "#######/=============/0000000000000/-------",
      "$$$$$$/#############/=============/00000000",
      "$$$$$/$$$$$$$$$$$$$/#############/=========",
      "$$$$/$$$$$$$$$$$$$/$$$$$$$$$$$$$/##########",
      "$$$/$$$$$$$$$$$$$/$$$$$$$$$$$$$/$$$$$$$$$$$",
  };
  draw(rows, 43, indent_one);
}

void maintail(std::string_view cname, std::string_view cver, std::string_view /*cdate*/) {
  std::string time;
  c8time(time);  // one reading: the time shown and the picture
  say(at_rule);
  ItemLine().text("@ PROGRAM").text(trimmed(cname)).write();
  ItemLine().text("@ Version:").text(cver).write();
  ItemLine().text("@ EXECUTION TERMINATED AT:").text(time).write();
  say("@" + std::string(42, '-'));
  static constexpr std::array<void (*)(), 10> by_last_digit{
      happyface, sator, carmag33, endfun1, tetrakis, tetratemple1, tetratemple2, offsetnf, offsetrf, tetrakis,
  };
  const char digit = time.size() == 8 ? time[7] : '0';
  const int k = digit >= '0' && digit <= '9' ? digit - '0' : 0;
  by_last_digit[static_cast<std::size_t>(k)]();
  say(at_rule);
}

}  // namespace dorvix
