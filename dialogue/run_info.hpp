#pragma once
// Run identification and the start-up banner. The identification of the
// main program, the user, the host and the start of the run is recorded
// once at start-up; the plotting subsystem records the plotting routine at
// work and writes the whole record into its plot captions.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/clock.hpp"

namespace dorvix {

// Field lengths of the run identification.
inline constexpr std::size_t run_name_width = 11;
inline constexpr std::size_t run_version_width = 4;
inline constexpr std::size_t run_date_width = 10;
inline constexpr std::size_t run_user_width = 10;
inline constexpr std::size_t run_host_width = 25;
inline constexpr std::size_t run_time_width = 8;

// Texts are blank-padded to their field lengths once written; a field not
// yet written holds no text at all.
struct RunInfoCom {
  std::string cmainnam;  // main program: name (11), version (4), date (10)
  std::string csubnam;   // plotting routine at work: the same three fields,
  std::string cmainver;  //   recorded by record_plotting_routine
  std::string csubver;
  std::string cmaindat;
  std::string csubdat;
  std::string cuser;     // user name (10)
  std::string chost;     // description of the machine (25)
  std::string crundate;  // date of the run, dd-mm-yyyy
  std::string cruntime;  // time of the run, hh:mm:ss
};

inline RunInfoCom runinfocom;

// The start-up banner with the program's name, version and date, the date,
// time and machine of the run; then waits for one line of input.
void progheadbc(std::string_view cname, std::string_view cver, std::string_view cdate);

// Records the main program's identification, the date and time (one clock
// reading), the user and the machine in runinfocom. The fourth argument is
// not read.
void smaininfo(std::string_view cname, std::string_view cver, std::string_view cdate, int idum);

// Records the plotting routine at work (name, version and date) in
// runinfocom, for the plot captions.
void record_plotting_routine(std::string_view cname, std::string_view cver, std::string_view cdate);

// The time of day as hh:mm:ss, from a new clock reading or a given one.
void c8time(std::string& ctime);
void c8time(std::string& ctime, const DateTime& t);
// The date as dd-mm-yyyy, from a new clock reading or a given one.
void c10date(std::string& cdate);
void c10date(std::string& cdate, const DateTime& t);

// One-line description of the machine: the operating system with its
// release, the processor's architecture and its clock rate, joined by "-"
// (at most 25 characters), as "Linux6.1-x86_64-2GHz"; a piece the platform
// does not give shows "?" ("OS?", "Linux?", "CPU?", "?MHz"). Blank-padded
// or cut to `width`.
void hostname(std::string& chost, std::size_t width = run_host_width);

// The user name, a fixed text, blank-padded or cut to `width`.
void username(std::string& cuser, std::size_t width = run_user_width);

}  // namespace dorvix
