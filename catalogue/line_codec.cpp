#include "catalogue/line_codec.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "console/edit.hpp"
#include "console/fixed_fields.hpp"

namespace dorvix {

namespace {

constexpr std::size_t max_fields = 35;
constexpr real minutes_per_degree = 60.0f;
// Whole numbers beyond this magnitude are no longer exact: such a value is
// written as asterisks in any integer field.
constexpr double largest_integer = 1.0e15;

std::size_t index(const LineField& f) { return static_cast<std::size_t>(f.number - 1); }

// Where a field's value lives in the store, as the alternative of its
// StoreColumn.
enum class Target : std::size_t { none, int_column, real_column, char_column, plane_column };
Target target(const LineField& f) { return static_cast<Target>(f.store.index()); }

// The fields of one line as read, by field number - 1, kept until every
// field has read so that a line that does not read leaves the slot as it
// was. Each field fills the member of its kind only.
struct ReadValues {
  std::array<int, max_fields> integer;
  std::array<real, max_fields> number;
  std::array<char, max_fields> letter;
};

char letter_at(std::string_view line, int col) {
  const auto k = static_cast<std::size_t>(col - 1);
  return k < line.size() ? line[k] : ' ';
}

// Reads the line's fields; false (with the field) at the first one that
// does not read.
bool read_fields(const LineLayout& layout, std::string_view line, ReadValues& v, int& bad_field) {
  for (const LineField& f : layout.fields) {
    const std::size_t k = index(f);
    bool read = true;
    switch (f.read) {
      case FieldKind::integer:
        read = read_field_int(line, f.col, f.width, v.integer[k]);
        break;
      case FieldKind::real:
        read = read_field_real(line, f.col, f.width, f.decimals, v.number[k]);
        break;
      case FieldKind::character:
        v.letter[k] = letter_at(line, f.col);
        break;
    }
    if (!read) {
      bad_field = f.number;
      return false;
    }
  }
  return true;
}

// stored = read + offset, in single precision; a field without offset is
// stored as read (a negative zero stays negative).
real stored_value(real r, real offset) { return offset != 0.0f ? r + offset : r; }
real written_value(real stored, real offset) { return offset != 0.0f ? stored - offset : stored; }

// A field read as a number, as a real.
real real_read(const LineField& f, const ReadValues& v) {
  const std::size_t k = index(f);
  return f.read == FieldKind::integer ? static_cast<real>(v.integer[k]) : v.number[k];
}

void fill_slot(const LineLayout& layout, const ReadValues& v, FpsBlk& blk, std::size_t slot) {
  for (const LineField& f : layout.fields) {
    const std::size_t k = index(f);
    switch (target(f)) {
      case Target::int_column:
        (blk.**std::get_if<IntColumn>(&f.store))[slot] =
            f.read == FieldKind::integer ? v.integer[k] : static_cast<int>(v.number[k]);
        break;
      case Target::real_column:
        (blk.**std::get_if<RealColumn>(&f.store))[slot] = stored_value(real_read(f, v), f.offset);
        break;
      case Target::plane_column:
        (blk.**std::get_if<PlaneColumn>(&f.store))[0][slot] = stored_value(real_read(f, v), f.offset);
        break;
      case Target::char_column:
        (blk.**std::get_if<CharColumn>(&f.store))[slot] = v.letter[k];
        break;
      case Target::none:
        break;
    }
  }
}

bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// FPFIT position: degrees + minutes / 60, signed by the letters.
void fpfit_position_to_slot(const ReadValues& v, FpsBlk& blk, std::size_t slot, LineRead& result) {
  using namespace fpfit_field;
  auto number = [&](int field) { return v.number[static_cast<std::size_t>(field - 1)]; };
  auto letter = [&](int field) { return v.letter[static_cast<std::size_t>(field - 1)]; };
  FpfitPosition& p = result.position;
  p.lat_degrees = number(lat_degrees);
  p.lat_minutes = number(lat_minutes);
  p.hemisphere = letter(hemisphere);
  p.lon_degrees = number(lon_degrees);
  p.lon_minutes = number(lon_minutes);
  p.direction = letter(direction);

  real lat = p.lat_degrees + p.lat_minutes / minutes_per_degree;
  switch (p.hemisphere) {
    case 'S':
    case 's':
      lat = -lat;
      break;
    case 'N':
    case 'n':
    case ' ':
      break;
    default:
      // Taken as north; only a letter is reported, as the FPFIT writers
      // treat every character but S as north.
      result.unknown_hemisphere = is_letter(p.hemisphere);
  }
  real lon = p.lon_degrees + p.lon_minutes / minutes_per_degree;
  switch (p.direction) {
    case 'W':
    case 'w':
    case ' ':
      lon = -lon;
      break;
    case 'E':
    case 'e':
      break;
    default:
      // FPFIT writers mark east by E alone: any character that is not a
      // letter (the Alaska examples carry a digit) means west. Another
      // letter is reported and taken as east.
      if (is_letter(p.direction)) {
        result.unknown_direction = true;
      } else {
        lon = -lon;
      }
  }
  blk.rlat1[slot] = lat;
  blk.rlong1[slot] = lon;
}

// The FPFIT position fields of a slot as written: whole degrees (fraction
// cut off) and minutes of |angle|, the minutes rounded only when written,
// so 44.99999 gives 44 and 60.00.
struct WrittenPosition {
  real degrees[2], minutes[2];  // latitude, longitude
  char letter[2];               // hemisphere, direction

  WrittenPosition(const FpsBlk& blk, std::size_t slot) {
    const real angle[2] = {blk.rlat1[slot], blk.rlong1[slot]};
    for (int k = 0; k < 2; ++k) {
      const real a = std::fabs(angle[k]);
      degrees[k] = std::trunc(a);
      minutes[k] = (a - degrees[k]) * minutes_per_degree;
    }
    letter[0] = angle[0] < 0.0f ? 'S' : ' ';
    letter[1] = angle[1] < 0.0f ? ' ' : 'E';
  }

  real number(int field) const {
    using namespace fpfit_field;
    switch (field) {
      case lat_degrees: return degrees[0];
      case lat_minutes: return minutes[0];
      case lon_degrees: return degrees[1];
      default: return minutes[1];
    }
  }
  char character(int field) const { return field == fpfit_field::hemisphere ? letter[0] : letter[1]; }
};

// A whole number of a field in place: the nearest integer, halves away
// from zero.
bool edit_integer(char* field, double v, int width, bool zero_filled) {
  if (!(std::fabs(v) < largest_integer)) {
    std::memset(field, '*', static_cast<std::size_t>(width));
    return false;
  }
  auto i = static_cast<long long>(v);  // toward zero, then the half away
  const double rest = v - static_cast<double>(i);
  if (rest >= 0.5) {
    ++i;
  } else if (rest <= -0.5) {
    --i;
  }
  return edit::i_field(field, i, width, zero_filled ? width : 1);
}

// A numeric field of a real value in place, as its kind is written.
bool edit_number(char* field, const LineField& f, real v, bool zero_fill) {
  if (f.write == FieldKind::integer) return edit_integer(field, v, f.width, zero_fill && f.zero_filled);
  return edit::f_field(field, v, f.width, f.decimals);
}

// One field of a slot edited in place at `field`; false when its value
// did not fit (the field then holds asterisks).
bool edit_field(char* field, const LineField& f, const FpsBlk& blk, std::size_t slot, const WrittenPosition* position,
                bool zero_fill) {
  switch (target(f)) {
    case Target::int_column: {
      const int v = (blk.**std::get_if<IntColumn>(&f.store))[slot];
      if (f.write == FieldKind::integer) return edit::i_field(field, v, f.width, zero_fill && f.zero_filled ? f.width : 1);
      return edit::f_field(field, static_cast<double>(v), f.width, f.decimals);
    }
    case Target::real_column:
      return edit_number(field, f, written_value((blk.**std::get_if<RealColumn>(&f.store))[slot], f.offset), zero_fill);
    case Target::plane_column:
      return edit_number(field, f, written_value((blk.**std::get_if<PlaneColumn>(&f.store))[0][slot], f.offset),
                         zero_fill);
    case Target::char_column:
      *field = (blk.**std::get_if<CharColumn>(&f.store))[slot];
      return true;
    case Target::none:
      if (f.write == FieldKind::character) {
        *field = position->character(f.number);
        return true;
      }
      return edit_number(field, f, position->number(f.number), zero_fill);
  }
  return true;
}

}  // namespace

bool is_blank_line(std::string_view line) {
  // Tabs too: a line of white space holds no mechanism, and reading it as
  // an unreadable line would empty the store.
  return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

LineRead read_catalogue_line(Layout id, std::string_view line, FpsBlk& blk, std::size_t slot) {
  LineRead result;
  if (is_blank_line(line)) {
    result.status = LineStatus::blank;
    return result;
  }
  const LineLayout& layout = line_layout(id);
  ReadValues v;
  if (!read_fields(layout, line, v, result.bad_field)) {
    result.status = LineStatus::unreadable;
    return result;
  }
  fill_slot(layout, v, blk, slot);
  if (id == Layout::fpfit) fpfit_position_to_slot(v, blk, slot, result);
  return result;
}

namespace {

// The fields of a slot edited one after the other, in place in a line
// blank-filled once: at their columns for a catalogue line, separated by
// TABs (and never zero-filled) for a table row.
enum class Joining { columns, tabs };

// Columns a field takes in a table row (a character field one).
std::size_t row_width(const LineField& f) {
  return f.write == FieldKind::character ? 1 : static_cast<std::size_t>(f.width);
}

std::size_t row_length(const LineLayout& layout) {
  std::size_t n = layout.fields.size() - 1;  // the TABs
  for (const LineField& f : layout.fields) n += row_width(f);
  return n;
}

LineWrite write_fields(Layout id, const FpsBlk& blk, std::size_t slot, std::string& out, Joining joining) {
  const LineLayout& layout = line_layout(id);
  const bool columns = joining == Joining::columns;
  out.assign(columns ? static_cast<std::size_t>(layout.length) : row_length(layout), ' ');
  char* const text = out.data();
  std::optional<WrittenPosition> position;
  if (layout.id == Layout::fpfit) position.emplace(blk, slot);
  LineWrite result;
  std::size_t at = 0;  // the next field's place in a table row
  for (const LineField& f : layout.fields) {
    char* field = nullptr;
    if (columns) {
      field = text + (f.col - 1);
    } else {
      if (f.number > 1) text[at++] = '\t';
      field = text + at;
      at += row_width(f);
    }
    if (!edit_field(field, f, blk, slot, position ? &*position : nullptr, columns) && result.overflows++ == 0) {
      result.first_overflow = f.number;
    }
  }
  return result;
}

}  // namespace

LineWrite write_catalogue_line(Layout id, const FpsBlk& blk, std::size_t slot, std::string& line) {
  return write_fields(id, blk, slot, line, Joining::columns);
}

LineWrite write_table_row(Layout id, const FpsBlk& blk, std::size_t slot, std::string& row) {
  return write_fields(id, blk, slot, row, Joining::tabs);
}

std::string table_title_line(Layout id) {
  std::string line = " ";
  for (const LineField& f : line_layout(id).fields) {
    if (f.number > 1) line += '\t';
    line += '\'';
    line += f.title;
    line += '\'';
  }
  return line;
}

}  // namespace dorvix
