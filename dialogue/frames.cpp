#include "dialogue/frames.hpp"

#include <string>

#include "files/units.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

void put(int unit, std::string_view line) { units().write_line(unit, line); }

void put_items(int unit, std::initializer_list<std::string_view> items) {
  UnitTable& table = units();
  std::size_t left = items.size();
  for (const std::string_view item : items) {
    table.write(unit, " ");
    if (--left == 0) {
      table.write_line(unit, item);
    } else {
      table.write(unit, item);
    }
  }
}

void say(std::string_view text) { put_items(iocom.iuout, {text}); }

void dash_rule() { say(std::string(43, '-')); }

std::string header_name(const Header& h) { return edit::pad(h.name, 11); }

namespace {

void unit_line(std::string_view label, int unit) {
  std::string line = " ";
  line += label;
  line += ' ';
  edit::i(line, unit, 2);
  put(iocom.iuout, line);
}

void switch_line(std::string_view label, bool on) {
  std::string line = " ";
  line += label;
  line += ' ';
  edit::l(line, on, 2);
  put(iocom.iuout, line);
}

void rule(std::string_view r) {
  std::string line = " ";
  line += r;
  put(iocom.iuout, line);
}

}  // namespace

void initsio() {
  iocom = IoCom{};
  submenuhead({"initsio", " 3.2", "2010-06-21"});
  put(iocom.iuout, " INITIALIZING INPUT/OUTPUT");
  unit_line("standard  input unit        =", iocom.iuin);
  unit_line("standard output unit        =", iocom.iuout);
  unit_line("error     input unit        =", iocom.iuerin);
  unit_line("error    output unit        =", iocom.iuerout);
  switch_line("minimum output enabled      :", iocom.lwito(1));
  switch_line("more    output enabled      :", iocom.lwito(2));
  switch_line("maximum output enabled      :", iocom.lwito(3));
  switch_line("command file open status    :", iocom.lcomfop);
  switch_line("plot    file open status    :", iocom.lplotop);
  switch_line("pause after warning or error:", iocom.lpause);
  menutail();
}

void mainmenuhead(const Header& h) {
  rule(at_rule);
  put(iocom.iuout, " @ main program " + header_name(h));
  rule(at_equals_rule);
}

void submenuhead(const Header& h) {
  rule(at_rule);
  put(iocom.iuout, " @ subroutine " + header_name(h));
  rule(at_equals_rule);
}

void menutail() { rule(at_rule); }

void subhead(const Header& h) {
  if (!iocom.lwito(3)) return;
  rule(at_rule);
  put(iocom.iuout, " @ subroutine  " + header_name(h));
  put(iocom.iuout, " @ version " + edit::pad(h.version, 4) + " on " + edit::pad(h.date, 10));
  rule(at_rule);
}

void subtail(const Header& h) {
  if (!iocom.lwito(3)) return;
  rule(at_rule);
  put(iocom.iuout, " @ exiting " + header_name(h));
  rule(at_rule);
}

}  // namespace dorvix
