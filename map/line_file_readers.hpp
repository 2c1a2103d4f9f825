#pragma once
// The readers of the line files drawn from the map's line-file menu, one
// per file type, each reading the file open on unit 2 to its end (or to a
// record it cannot read) and drawing its lines as it goes:
//   1 UTIG coast         first record: value count (i3, two a point: 499
//                        points at most), first point (latitude f6.1,
//                        longitude f7.1) and 16 step code pairs;
//                        continuation records of 20 pairs
//   2 IGN coast          code1, code2, longitude, latitude (i1,i1,2(1x,f9.4));
//                        a line is the records with its first record's codes
//   3 GEBCO              "code npts", then npts "latitude longitude" records
//   4 USGS ascii dump    "latitude longitude" records; a blank record or a
//                        latitude of -998 or less ends a line
//   5 GSHHS ascii        a fixed header (id, npts, level, area, west, east,
//                        south, north), then npts "longitude latitude" records
// (type 6, selection polygons, is in map/selection_polygons.hpp). Types 1,
// 2 and 5 are clipped to the window when clipping is on; GSHHS polygons
// then also are left out whole when their bounds lie outside it.
//
// While the second output level is on, each reader lists the lines it
// reads in a small table on the standard output unit.

#include <initializer_list>
#include <string>
#include <string_view>

#include "files/units.hpp"
#include "map/line_file_window.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// The unit line files are read on, and the length of their names.
inline constexpr int line_file_unit = 2;
inline constexpr std::size_t line_file_name_width = 30;

// One file being drawn.
struct LineFileRun {
  std::string name;   // as opened
  std::string title;  // of the listing
  LineWindow window;
  bool clipped = true;
  int nline = 0;  // lines counted
};

// How reading a file ended: at its end; at a record that could not be
// read (`cut_short` then names the line an end of file came inside, or a
// fixed-layout record ending before its last field belongs to, when it
// did).
enum class ReadEnd { end_of_file, failure };
struct ReadOutcome {
  ReadEnd end = ReadEnd::end_of_file;
  std::string cut_short;
};

ReadOutcome read_utig(LineFileRun& run);
ReadOutcome read_ign(LineFileRun& run);
ReadOutcome read_gebco(LineFileRun& run);
ReadOutcome read_usgs(LineFileRun& run);
ReadOutcome read_gshhs(LineFileRun& run);

// Two reals in free format from the next record of unit 2 that is not
// blank, read from that record alone: end of file, unreadable, a record
// with fewer than two numbers, or one that leaves either without a value
// (a slash, a null value) is not ok. A record cut short is never completed
// from the record after it.
ReadResult read_value_pair(real& a, real& b);
// The same, `cut_short` set when the record held fewer than two numbers.
ReadResult read_value_pair(real& a, real& b, bool& cut_short);

// The listing (second output level only): a rule of 65 "-", the title, a
// rule when `rule_after_title`, then the column labels (each right-aligned
// in 7 characters, or cut to 7) and a rule when there are labels.
void listing_head(std::string_view title, std::initializer_list<std::string_view> labels, bool rule_after_title);

}  // namespace dorvix
