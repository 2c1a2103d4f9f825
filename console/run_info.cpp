#include "console/run_info.hpp"

#include <array>

#include "console/answers.hpp"
#include "console/edit.hpp"
#include "console/frames.hpp"
#include "console/item_lines.hpp"
#include "console/prompts.hpp"
#include "console/system_info.hpp"

namespace dorvix {

namespace {

// Widths of the pieces of the machine description.
constexpr std::size_t os_width = 9;
constexpr std::size_t cpu_width = 8;
constexpr std::size_t clock_width = 6;

struct Processor {
  long long code;
  std::string_view text;
};

// Processor type codes and their names.
constexpr std::array<Processor, 15> processors{{
    {0, "M68000"},
    {2, "M68020"},
    {3, "M68030"},
    {4, "M68040"},
    {257, "PPC601"},
    {259, "PPC603"},
    {260, "PPC604"},
    {262, "PPC603e"},
    {263, "PPC603ev"},
    {264, "PPC750"},
    {265, "PPC604e"},
    {266, "PPC604ev"},
    {268, "PPC7400"},
    {272, "PPC7450"},
    {273, "PPC7455"},
}};

// A number in at most 4 columns, trimmed (asterisks when it needs more).
std::string short_number(long long v) { return std::string(trimmed(edit::i(v, 4))); }

// Hexadecimal digits right-aligned in 4 columns, trimmed.
std::string short_hex(long long v) {
  constexpr int columns = 4;
  std::string digits;
  auto u = static_cast<unsigned long long>(v);
  do {
    digits.insert(digits.begin(), "0123456789ABCDEF"[u % 16]);
    u /= 16;
  } while (u != 0);
  return digits.size() > columns ? std::string(columns, '*') : digits;
}

std::string operating_system() {
  long long version = 0;
  if (system_query("sysv", version) != query_answered) return "MacOS?";
  return edit::pad("MacOS" + short_hex(version), os_width);
}

std::string processor() {
  long long code = 0;
  if (system_query("cput", code) != query_answered) return "CPU?";
  for (const auto& p : processors) {
    if (p.code == code) return std::string(p.text);
  }
  return edit::pad("CPU#" + short_number(code), cpu_width);
}

// The clock rate in whole GHz from 1 GHz up, else in whole MHz; the
// fraction is dropped. The quotient is taken in whole numbers: in single
// precision a rate just below 1 GHz would round up to "1000MHz", which
// does not fit its 6 characters.
std::string clock_rate() {
  long long hz = 0;
  if (system_query("pclk", hz) != query_answered) return "?MHz";
  constexpr long long one_ghz = 1000000000;
  constexpr long long one_mhz = 1000000;
  const bool ghz = hz >= one_ghz;
  const long long whole = hz / (ghz ? one_ghz : one_mhz);
  return edit::pad(short_number(whole) + (ghz ? "GHz" : "MHz"), clock_width);
}

// Lines 11 to 18 of the banner: who wrote the program and how to reach them.
constexpr std::array<std::string_view, 8> author_lines{
    "@ Earthquake focal mechanisms: catalogues,", "@ maps and stereonets in PostScript",  "@",
    "@ Author:      the dorvix developers",       "@ Institution: the dorvix project",    "@",
    "@ Contact:     through the issue tracker",   "@              of the dorvix project",
};

}  // namespace

void c8time(std::string& ctime, const DateTime& t) {
  ctime.clear();
  edit::i(ctime, t.hour, 2, 2);
  ctime += ':';
  edit::i(ctime, t.minute, 2, 2);
  ctime += ':';
  edit::i(ctime, t.second, 2, 2);
}

void c8time(std::string& ctime) { c8time(ctime, get_time()); }

void c10date(std::string& cdate, const DateTime& t) {
  cdate.clear();
  edit::i(cdate, t.day, 2, 2);
  cdate += '-';
  edit::i(cdate, t.month, 2, 2);
  cdate += '-';
  edit::i(cdate, t.year, 4, 4);
}

void c10date(std::string& cdate) { c10date(cdate, get_time()); }

void hostname(std::string& chost, std::size_t width) {
  const std::string os = operating_system();
  const std::string cpu = processor();
  const std::string rate = clock_rate();
  chost =
      edit::pad(std::string(trimmed(os)) + "-" + std::string(trimmed(cpu)) + "-" + std::string(trimmed(rate)), width);
}

void username(std::string& cuser, std::size_t width) { cuser = edit::pad("Mac user", width); }

void progheadbc(std::string_view cname, std::string_view cver, std::string_view cdate) {
  std::string host;
  hostname(host);
  const DateTime now = get_time();
  std::string time, date;
  c8time(time, now);
  c10date(date, now);

  const std::string at_rule(43, '@');
  const std::string dash_rule = "@" + std::string(42, '-');
  say(at_rule);
  say("@");
  ItemLine().text("@       MAIN PROGRAM:").text(trimmed(cname)).write();
  ItemLine().text("@            Version:").text(cver).write();
  ItemLine().text("@               Date:").text(cdate).write();
  say("@");
  say(dash_rule);
  ItemLine().text("@ Running on:").text(date).text("at:").text(time).write();
  ItemLine().text("@ On system:").text(trimmed(host)).write();
  say(dash_rule);
  for (auto line : author_lines) say(line);
  say("@ Report of any problem is appreciated ");
  say(dash_rule);
  say("@         HIT RETURN TO CONTINUE");
  say(at_rule);

  // The pause takes whatever line comes; the end of the input ends the run.
  std::string line;
  read_answer(line);
}

void smaininfo(std::string_view cname, std::string_view cver, std::string_view cdate, int /*idum*/) {
  runinfocom.cmainnam = edit::pad(cname, run_name_width);
  runinfocom.cmainver = edit::pad(cver, run_version_width);
  runinfocom.cmaindat = edit::pad(cdate, run_date_width);
  const DateTime now = get_time();
  c10date(runinfocom.crundate, now);
  c8time(runinfocom.cruntime, now);
  username(runinfocom.cuser);
  hostname(runinfocom.chost);
}

}  // namespace dorvix
