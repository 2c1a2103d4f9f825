#include "catalogue/line_codec.hpp"

#include <algorithm>
#include <cmath>

#include "console/edit.hpp"
#include "console/fixed_fields.hpp"

namespace dorvix {

namespace {

constexpr std::size_t max_fields = 35;
constexpr real minutes_per_degree = 60.0f;
// Whole numbers beyond this magnitude are no longer exact: such a value is
// written as asterisks in any integer field.
constexpr double largest_integer = 1.0e15;

// The value of every field of one line, by field number - 1: numbers as
// doubles (exact for the 32-bit integers and the single-precision reals
// of the store), characters as they stand.
struct FieldValues {
  std::array<double, max_fields> number{};
  std::array<char, max_fields> letter{};
};

std::size_t index(const LineField& f) { return static_cast<std::size_t>(f.number - 1); }

char letter_at(std::string_view line, int col) {
  const auto k = static_cast<std::size_t>(col - 1);
  return k < line.size() ? line[k] : ' ';
}

// Cuts the line into its fields; false (with the field) at the first one
// that does not read.
bool cut_fields(const LineLayout& layout, std::string_view line, FieldValues& v, int& bad_field) {
  for (const LineField& f : layout.fields) {
    const std::size_t k = index(f);
    switch (f.read) {
      case FieldKind::integer: {
        int i = 0;
        if (!read_field_int(line, f.col, f.width, i)) {
          bad_field = f.number;
          return false;
        }
        v.number[k] = i;
        break;
      }
      case FieldKind::real: {
        real r = 0;
        if (!read_field_real(line, f.col, f.width, f.decimals, r)) {
          bad_field = f.number;
          return false;
        }
        v.number[k] = r;
        break;
      }
      case FieldKind::character:
        v.letter[k] = letter_at(line, f.col);
        break;
    }
  }
  return true;
}

// stored = read + offset, in single precision; a field without offset is
// stored as read (a negative zero stays negative).
real stored_value(double v, real offset) {
  const auto r = static_cast<real>(v);
  return offset != 0.0f ? r + offset : r;
}
real written_value(real stored, real offset) { return offset != 0.0f ? stored - offset : stored; }

void fill_slot(const LineLayout& layout, const FieldValues& v, FpsBlk& blk, std::size_t slot) {
  for (const LineField& f : layout.fields) {
    const std::size_t k = index(f);
    if (const auto* c = std::get_if<IntColumn>(&f.store)) {
      (blk.**c)[slot] = static_cast<int>(v.number[k]);
    } else if (const auto* c = std::get_if<RealColumn>(&f.store)) {
      (blk.**c)[slot] = stored_value(v.number[k], f.offset);
    } else if (const auto* c = std::get_if<PlaneColumn>(&f.store)) {
      (blk.**c)[0][slot] = stored_value(v.number[k], f.offset);
    } else if (const auto* c = std::get_if<CharColumn>(&f.store)) {
      (blk.**c)[slot] = v.letter[k];
    }
  }
}

void take_slot(const LineLayout& layout, const FpsBlk& blk, std::size_t slot, FieldValues& v) {
  for (const LineField& f : layout.fields) {
    const std::size_t k = index(f);
    if (const auto* c = std::get_if<IntColumn>(&f.store)) {
      v.number[k] = (blk.**c)[slot];
    } else if (const auto* c = std::get_if<RealColumn>(&f.store)) {
      v.number[k] = written_value((blk.**c)[slot], f.offset);
    } else if (const auto* c = std::get_if<PlaneColumn>(&f.store)) {
      v.number[k] = written_value((blk.**c)[0][slot], f.offset);
    } else if (const auto* c = std::get_if<CharColumn>(&f.store)) {
      v.letter[k] = (blk.**c)[slot];
    }
  }
}

double& number(FieldValues& v, int field) { return v.number[static_cast<std::size_t>(field - 1)]; }
char& letter(FieldValues& v, int field) { return v.letter[static_cast<std::size_t>(field - 1)]; }

bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// FPFIT position: degrees + minutes / 60, signed by the letters.
void fpfit_position_to_slot(FieldValues& v, FpsBlk& blk, std::size_t slot, LineRead& result) {
  using namespace fpfit_field;
  FpfitPosition& p = result.position;
  p.lat_degrees = static_cast<real>(number(v, lat_degrees));
  p.lat_minutes = static_cast<real>(number(v, lat_minutes));
  p.hemisphere = letter(v, hemisphere);
  p.lon_degrees = static_cast<real>(number(v, lon_degrees));
  p.lon_minutes = static_cast<real>(number(v, lon_minutes));
  p.direction = letter(v, direction);

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

// Whole degrees (fraction cut off) and minutes of |angle|: the minutes are
// rounded only when written, so 44.99999 gives 44 and 60.00.
void split_degrees(real angle, int degrees_field, int minutes_field, FieldValues& v) {
  const real a = std::fabs(angle);
  const real whole = std::trunc(a);
  number(v, degrees_field) = whole;
  number(v, minutes_field) = (a - whole) * minutes_per_degree;
}

void fpfit_position_from_slot(const FpsBlk& blk, std::size_t slot, FieldValues& v) {
  using namespace fpfit_field;
  const real lat = blk.rlat1[slot], lon = blk.rlong1[slot];
  letter(v, hemisphere) = lat < 0.0f ? 'S' : ' ';
  split_degrees(lat, lat_degrees, lat_minutes, v);
  letter(v, direction) = lon < 0.0f ? ' ' : 'E';
  split_degrees(lon, lon_degrees, lon_minutes, v);
}

void values_from_slot(const LineLayout& layout, const FpsBlk& blk, std::size_t slot, FieldValues& v) {
  take_slot(layout, blk, slot, v);
  if (layout.id == Layout::fpfit) fpfit_position_from_slot(blk, slot, v);
}

// A whole number of a field: the nearest integer, halves away from zero.
void edit_integer(std::string& out, double v, int width, bool zero_filled) {
  if (!(std::fabs(v) < largest_integer)) {
    out.append(static_cast<std::size_t>(width), '*');
    return;
  }
  auto i = static_cast<long long>(v);  // toward zero, then the half away
  const double rest = v - static_cast<double>(i);
  if (rest >= 0.5) {
    ++i;
  } else if (rest <= -0.5) {
    --i;
  }
  if (zero_filled) {
    edit::i(out, i, width, width);
  } else {
    edit::i(out, i, width);
  }
}

void edit_field(std::string& out, const LineField& f, const FieldValues& v, bool zero_fill, LineWrite& result) {
  const std::size_t start = out.size();
  const std::size_t k = index(f);
  switch (f.write) {
    case FieldKind::character:
      out += v.letter[k];
      return;
    case FieldKind::integer:
      edit_integer(out, v.number[k], f.width, zero_fill && f.zero_filled);
      break;
    case FieldKind::real:
      edit::f(out, v.number[k], f.width, f.decimals);
      break;
  }
  // A numeric field of asterisks only is a value that did not fit.
  if (out.size() > start && out[start] == '*' &&
      std::all_of(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), [](char c) { return c == '*'; })) {
    if (result.overflows++ == 0) result.first_overflow = f.number;
  }
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
  FieldValues v;
  if (!cut_fields(layout, line, v, result.bad_field)) {
    result.status = LineStatus::unreadable;
    return result;
  }
  fill_slot(layout, v, blk, slot);
  if (id == Layout::fpfit) fpfit_position_to_slot(v, blk, slot, result);
  return result;
}

namespace {

// The fields of a slot edited one after the other: at their columns for a
// catalogue line, separated by TABs (and never zero-filled) for a table row.
enum class Joining { columns, tabs };

LineWrite write_fields(Layout id, const FpsBlk& blk, std::size_t slot, std::string& out, Joining joining) {
  const LineLayout& layout = line_layout(id);
  FieldValues v;
  values_from_slot(layout, blk, slot, v);
  LineWrite result;
  out.clear();
  for (const LineField& f : layout.fields) {
    if (joining == Joining::tabs) {
      if (f.number > 1) out += '\t';
    } else if (const auto before = static_cast<std::size_t>(f.col - 1); out.size() < before) {
      out.append(before - out.size(), ' ');
    }
    edit_field(out, f, v, joining == Joining::columns, result);
  }
  if (joining == Joining::columns) out.resize(static_cast<std::size_t>(layout.length), ' ');
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
