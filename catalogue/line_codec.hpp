#pragma once
// Reading and writing catalogue lines of the FPFIT and HASH layouts
// (line_layout.hpp) from and into one slot of the mechanism store.
//
// Reading cuts the line into its fields with the fixed-column reader
// (blanks ignored, an all-blank field is zero, implied decimals, a short
// line read as if padded with blanks), then fills the slot. FPFIT lines
// carry the latitude and longitude as degrees, a letter and minutes, and
// plane 1 by its dip direction: the slot receives signed decimal degrees
// and the strike (dip direction - 90, not brought into 0..360).
// Hemisphere letters: N, n or blank north, S or s south; E or e east,
// W, w or blank west. Any other letter is reported and the position is
// taken as north or east; a character that is not a letter counts as blank
// (north, west), as in the files FPFIT itself writes.
//
// Writing edits each field right-aligned in its columns; a value too wide
// for its field fills it with asterisks, which the result reports.

#include <cstddef>
#include <string>
#include <string_view>

#include "catalogue/line_layout.hpp"
#include "catalogue/store.hpp"

namespace dorvix {

// True when the line holds nothing but blanks or tabs (or nothing).
bool is_blank_line(std::string_view line);

enum class LineStatus {
  read,        // the slot holds the line
  blank,       // the line holds only blanks; the slot is untouched
  unreadable,  // a field does not hold a number of its kind; the slot is untouched
};

// The FPFIT position fields as they stand in the line.
struct FpfitPosition {
  real lat_degrees = 0, lat_minutes = 0;
  char hemisphere = ' ';
  real lon_degrees = 0, lon_minutes = 0;
  char direction = ' ';
};

struct LineRead {
  LineStatus status = LineStatus::read;
  int bad_field = 0;  // number of the first unreadable field
  // FPFIT only: a hemisphere letter that is none of N, n, S, s (the
  // latitude was taken as north), a direction letter that is none of E, e,
  // W, w (the longitude was taken as east), and the fields the warnings show.
  bool unknown_hemisphere = false;
  bool unknown_direction = false;
  FpfitPosition position{};
};

// Reads one catalogue line into slot `slot` (an index, 0 to 59999) of the
// store: only the fields the layout carries are written; the second nodal
// plane, the date texts, ndata and itype are left to the caller.
LineRead read_catalogue_line(Layout layout, std::string_view line, FpsBlk& blk, std::size_t slot);

struct LineWrite {
  int overflows = 0;       // number of fields filled with asterisks
  int first_overflow = 0;  // number of the first of them
  bool overflowed() const { return overflows > 0; }
};

// The catalogue line of a slot, always exactly the layout's length
// (replaces the content of `line`).
LineWrite write_catalogue_line(Layout layout, const FpsBlk& blk, std::size_t slot, std::string& line);

// The row of a slot in the tabulated table of the layout: the values of
// the line's fields in their widths, separated by TAB characters, integers
// blank-filled (not zero-filled). Replaces the content of `row`.
LineWrite write_table_row(Layout layout, const FpsBlk& blk, std::size_t slot, std::string& row);

// The title line of the tabulated table: a blank, then each field's title
// in apostrophes, separated by TAB characters.
std::string table_title_line(Layout layout);

}  // namespace dorvix
