#pragma once
// The PostScript driver's default settings, kept between runs in the file
// kavro7_ini.txt of the current directory: one record of 14 fixed columns,
//   col 2-3 overlay (T or F), 5-7 copies, 9-11 orientation, 13-14 dialect,
// every other column blank ("  F   1 P    2" holds the defaults). When the
// program writes the file, a line of blanks follows the record; only the
// first line is read.

#include <optional>
#include <string>
#include <string_view>

#include "files/unit_file.hpp"

namespace dorvix {

inline constexpr std::string_view default_settings_file = "kavro7_ini.txt";

// Copies a plot file may ask for.
inline constexpr int min_copies = 1;
inline constexpr int max_copies = 999;

struct DefaultSettings {
  bool loverlay = false;         // the plot is an overlay
  int ncopies = 1;               // number of copies
  std::string psorient = "P  ";  // page orientation code
  int ipstype = 2;               // PostScript dialect
};

// The columns of a whole record.
inline constexpr std::size_t settings_record_width = 14;

// The fields a record cut short lacks: those its line does not hold whole,
// which keep their defaults.
struct LackingSettings {
  std::size_t columns = settings_record_width;  // the columns of the line read
  bool overlay = false, copies = false, orientation = false, dialect = false;
  bool any() const { return overlay || copies || orientation || dialect; }
};

// Reads a record. A dialect outside 1..3 becomes 2 and a number of copies
// outside 1..999 becomes 1; an orientation code is taken as it stands, a
// blank one as portrait. A line shorter than the record (a file cut short)
// gives each field it does not hold whole its default, and says which in
// `lacking`. Returns false, leaving `s` unchanged, for a line that holds no
// readable record (an empty or blank line, or fields that cannot be read).
bool parse_default_settings(std::string_view line, DefaultSettings& s, LackingSettings* lacking = nullptr);
// The 14-character record of `s`.
std::string default_settings_record(const DefaultSettings& s);

// What reading the settings file found.
enum class SettingsFile {
  read,          // a record was read
  unread,        // no file, an empty one, or one that could not be opened: it may be written
  not_settings,  // something else: its first line holds no record, or it is no file; never written
};

// Reads the file on `unit` (opened and closed here); the defaults in `s`
// unless a record was read. Only a file is opened: a pipe or a device
// under the name is not waited for. `found`, when given, receives what
// the name stood for: the file read, or nothing when there was none;
// `lacking` what a record read lacks.
SettingsFile read_default_settings(DefaultSettings& s, int unit, std::optional<FileId>* found = nullptr,
                                   LackingSettings* lacking = nullptr);
// Writes the file on `unit`: the record and a line of blanks, as a new
// file or in place of the one there (which is kept when the new one
// cannot be written whole); a file reached through a link is replaced
// the same way, the link kept. With `found` (from the reading) only what
// was found is replaced, and nothing found means a new file: a name that
// stands for something else now is left as it is. A file that could never
// be replaced (another user's, in a sticky folder) is refused before
// anything is written. What became of the file: its reason is "" or why
// it could not be created or written.
FileEnd write_default_settings(const DefaultSettings& s, int unit, const std::optional<FileId>* found = nullptr);

}  // namespace dorvix
