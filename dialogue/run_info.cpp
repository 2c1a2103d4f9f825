#include "dialogue/run_info.hpp"

#include <algorithm>
#include <array>
#include <utility>

#include "dialogue/answers.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/prompts.hpp"
#include "numbers/edit.hpp"
#include "platform/system_info.hpp"

namespace dorvix {

namespace {

// Widths of the pieces of the machine description: 25 characters in all
// with the two "-" between them.
constexpr std::size_t os_width = 9;
constexpr std::size_t cpu_width = 8;
constexpr std::size_t clock_width = 6;

// A number in at most 4 columns, trimmed (asterisks when it needs more).
std::string short_number(long long v) { return std::string(trimmed(edit::i(v, 4))); }

// A piece cut to its width, its blanks dropped.
std::string piece(std::string_view text, std::size_t width) {
  std::string p;
  for (const char c : text) {
    if (c != ' ' && c != '\t') p += c;
  }
  return p.substr(0, width);
}

// The leading "major.minor" of a release ("6.1.0-18-amd64" gives 6 and 1);
// empty when it does not begin with a digit.
std::pair<std::string_view, std::string_view> release_numbers(std::string_view release) {
  auto digits = [](std::string_view s) { return s.substr(0, std::min(s.find_first_not_of("0123456789"), s.size())); };
  const std::string_view major = digits(release);
  if (major.empty() || release.size() <= major.size() + 1 || release[major.size()] != '.') return {major, {}};
  return {major, digits(release.substr(major.size() + 1))};
}

// The system's name and release ("Linux6.1"), the minor number dropped
// when the whole does not fit; "?" for what the platform does not say.
std::string operating_system(const SystemInfo& s) {
  if (!s.system || piece(*s.system, os_width).empty()) return "OS?";
  const std::string name = piece(*s.system, os_width);
  const auto [major, minor] = release_numbers(s.release ? std::string_view(*s.release) : std::string_view());
  if (major.empty()) return piece(name + "?", os_width);
  const std::string full = name + std::string(major) + (minor.empty() ? "" : "." + std::string(minor));
  return full.size() <= os_width ? full : piece(name + std::string(major), os_width);
}

std::string processor(const SystemInfo& s) {
  const std::string p = s.processor ? piece(*s.processor, cpu_width) : std::string();
  return p.empty() ? "CPU?" : p;
}

// The clock rate in whole GHz from 1 GHz up, else in whole MHz; the
// fraction is dropped. The quotient is taken in whole numbers: in single
// precision a rate just below 1 GHz would round up to "1000MHz", which
// does not fit its 6 characters.
std::string clock_rate(const SystemInfo& s) {
  if (!s.clock_hz || *s.clock_hz <= 0) return "?MHz";
  constexpr long long one_ghz = 1000000000;
  constexpr long long one_mhz = 1000000;
  const bool ghz = *s.clock_hz >= one_ghz;
  const long long whole = *s.clock_hz / (ghz ? one_ghz : one_mhz);
  return piece(short_number(whole) + (ghz ? "GHz" : "MHz"), clock_width);
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
  const SystemInfo s = system_info();
  chost = edit::pad(operating_system(s) + "-" + processor(s) + "-" + clock_rate(s), width);
}

void username(std::string& cuser, std::size_t width) { cuser = edit::pad("Mac user", width); }

void progheadbc(std::string_view cname, std::string_view cver, std::string_view cdate) {
  std::string host;
  hostname(host);
  const DateTime now = get_time();
  std::string time, date;
  c8time(time, now);
  c10date(date, now);

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

void record_plotting_routine(std::string_view cname, std::string_view cver, std::string_view cdate) {
  runinfocom.csubnam = edit::pad(cname, run_name_width);
  runinfocom.csubver = edit::pad(cver, run_version_width);
  runinfocom.csubdat = edit::pad(cdate, run_date_width);
}

}  // namespace dorvix
