#include "catalogue/line_codec.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

#include "numbers/edit.hpp"
#include "numbers/fixed_fields.hpp"

namespace dorvix {

namespace {

constexpr double minutes_per_degree = 60.0;
// Whole numbers beyond this magnitude are no longer exact: such a value is
// written as asterisks in any integer field.
constexpr double largest_integer = 1.0e15;

// Where a field's value lives in the store, as the alternative of its
// StoreColumn.
enum class Target : std::size_t { none, int_column, real_column, char_column, plane_column, double_column };
constexpr Target target(const LineField& f) { return static_cast<Target>(f.store.index()); }

// A real field read in double precision: the store's latitude and
// longitude, and the FPFIT position fields they are made of.
constexpr bool read_in_double(const LineField& f) {
  return f.read == FieldKind::real && (target(f) == Target::double_column || target(f) == Target::none);
}

// The code of each layout is made from its table at compile time: every
// field of the table becomes its own few instructions (its columns, kind
// and store array known), with no look-up of the table per field and line.
// `layout` is one of the layouts of line_layout.hpp.
template <const LineLayout& layout>
constexpr bool numbered_in_order() {
  for (std::size_t k = 0; k < layout.fields.size(); ++k) {
    if (layout.fields[k].number != static_cast<int>(k) + 1) return false;
  }
  return true;
}
static_assert(numbered_in_order<fpfit_layout>() && numbered_in_order<hash_layout>());

// ---- Reading -----------------------------------------------------------------

// The fields of one line as read, by field number - 1, kept until every
// field has read so that a line that does not read leaves the slot as it
// was. Each field fills the member of its kind only.
template <std::size_t N>
struct ReadValues {
  std::array<int, N> integer;
  std::array<real, N> number;
  std::array<double, N> fine;  // the reals read in double precision
  std::array<char, N> letter;
};

char letter_at(std::string_view line, int col) {
  const auto k = static_cast<std::size_t>(col - 1);
  return k < line.size() ? line[k] : ' ';
}

template <const LineLayout& layout, std::size_t I, std::size_t N>
bool read_field(std::string_view line, ReadValues<N>& v) {
  constexpr const LineField& f = layout.fields[I];
  if constexpr (f.read == FieldKind::integer) {
    return read_field_int(line, f.col, f.width, v.integer[I]);
  } else if constexpr (read_in_double(f)) {
    return read_field_real(line, f.col, f.width, f.decimals, v.fine[I]);
  } else if constexpr (f.read == FieldKind::real) {
    return read_field_real(line, f.col, f.width, f.decimals, v.number[I]);
  } else {
    v.letter[I] = letter_at(line, f.col);
    return true;
  }
}

// stored = read + offset, in single precision; a field without offset is
// stored as read (a negative zero stays negative).
real stored_value(real r, real offset) { return offset != 0.0f ? r + offset : r; }
real written_value(real stored, real offset) { return offset != 0.0f ? stored - offset : stored; }

template <const LineLayout& layout, std::size_t I, std::size_t N>
void store_field(const ReadValues<N>& v, FpsBlk& blk, std::size_t slot) {
  constexpr const LineField& f = layout.fields[I];
  constexpr Target t = target(f);
  // A field read as a number, as a real.
  const auto as_real = [&] { return f.read == FieldKind::integer ? static_cast<real>(v.integer[I]) : v.number[I]; };
  if constexpr (t == Target::int_column) {
    (blk.*std::get<IntColumn>(f.store))[slot] =
        f.read == FieldKind::integer ? v.integer[I] : static_cast<int>(v.number[I]);
  } else if constexpr (t == Target::real_column) {
    (blk.*std::get<RealColumn>(f.store))[slot] = stored_value(as_real(), f.offset);
  } else if constexpr (t == Target::plane_column) {
    (blk.*std::get<PlaneColumn>(f.store))[0][slot] = stored_value(as_real(), f.offset);
  } else if constexpr (t == Target::double_column) {
    static_assert(read_in_double(f) && f.offset == 0.0f);
    (blk.*std::get<DoubleColumn>(f.store))[slot] = v.fine[I];
  } else if constexpr (t == Target::char_column) {
    (blk.*std::get<CharColumn>(f.store))[slot] = v.letter[I];
  }
}

bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// FPFIT position: degrees + minutes / 60, signed by the letters, in
// double precision, so that the writer gives back the degrees and minutes
// of every line (in single precision a longitude of 2048 degrees or more
// loses its minutes' last decimal).
template <std::size_t N>
void fpfit_position_to_slot(const ReadValues<N>& v, FpsBlk& blk, std::size_t slot, LineRead& result) {
  using namespace fpfit_field;
  auto number = [&](int field) { return v.fine[static_cast<std::size_t>(field - 1)]; };
  auto letter = [&](int field) { return v.letter[static_cast<std::size_t>(field - 1)]; };
  FpfitPosition& p = result.position;
  p.lat_degrees = static_cast<real>(number(lat_degrees));
  p.lat_minutes = static_cast<real>(number(lat_minutes));
  p.hemisphere = letter(hemisphere);
  p.lon_degrees = static_cast<real>(number(lon_degrees));
  p.lon_minutes = static_cast<real>(number(lon_minutes));
  p.direction = letter(direction);

  double lat = number(lat_degrees) + number(lat_minutes) / minutes_per_degree;
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
  double lon = number(lon_degrees) + number(lon_minutes) / minutes_per_degree;
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

template <const LineLayout& layout, std::size_t... I>
LineRead read_line_fields(std::string_view line, FpsBlk& blk, std::size_t slot, std::index_sequence<I...>) {
  LineRead result;
  ReadValues<sizeof...(I)> v;
  // Field after field, up to the first that does not read.
  const bool read = ((read_field<layout, I>(line, v) || (result.bad_field = layout.fields[I].number, false)) && ...);
  if (!read) {
    result.status = LineStatus::unreadable;
    return result;
  }
  (store_field<layout, I>(v, blk, slot), ...);
  if constexpr (layout.id == Layout::fpfit) fpfit_position_to_slot(v, blk, slot, result);
  return result;
}

template <const LineLayout& layout>
LineRead read_line_fields(std::string_view line, FpsBlk& blk, std::size_t slot) {
  return read_line_fields<layout>(line, blk, slot, std::make_index_sequence<layout.fields.size()>{});
}

// ---- Writing -----------------------------------------------------------------

// The FPFIT position fields of a slot as written: whole degrees (fraction
// cut off) and minutes of |angle|, the minutes rounded only when written,
// so 44.99999 gives 44 and 60.00.
struct WrittenPosition {
  double degrees[2], minutes[2];  // latitude, longitude
  char letter[2];                 // hemisphere, direction

  WrittenPosition(const FpsBlk& blk, std::size_t slot) {
    const double angle[2] = {blk.rlat1[slot], blk.rlong1[slot]};
    for (int k = 0; k < 2; ++k) {
      const double a = std::fabs(angle[k]);
      degrees[k] = std::trunc(a);
      minutes[k] = (a - degrees[k]) * minutes_per_degree;
    }
    letter[0] = angle[0] < 0.0 ? 'S' : ' ';
    letter[1] = angle[1] < 0.0 ? ' ' : 'E';
  }

  double number(int field) const {
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

// The fields of a slot are edited one after the other, in place in a line
// blank-filled once: at their columns for a catalogue line, separated by
// TABs (and never zero-filled) for a table row.
enum class Joining { columns, tabs };

// Columns a field takes in a table row (a character field one).
constexpr std::size_t row_width(const LineField& f) {
  return f.write == FieldKind::character ? 1 : static_cast<std::size_t>(f.width);
}

// Where field I stands in a table row, and the length of a row.
template <const LineLayout& layout>
constexpr std::size_t row_place(std::size_t field) {
  std::size_t at = 0;
  for (std::size_t k = 0; k < field; ++k) at += row_width(layout.fields[k]) + 1;
  return at;
}
template <const LineLayout& layout, std::size_t I>
constexpr std::size_t row_at = row_place<layout>(I);
template <const LineLayout& layout>
constexpr std::size_t row_length = row_place<layout>(layout.fields.size() - 1) + row_width(layout.fields.back());

// Field I of a slot edited in place; false when its value did not fit
// (the field then holds asterisks).
// Each field's editor is written out in place (flattened), so that its
// width and decimals are constants of the few instructions of its usual
// route; the general routes stay calls.
template <const LineLayout& layout, std::size_t I, Joining joining>
[[gnu::flatten]] bool write_field(char* text, const FpsBlk& blk, std::size_t slot, const WrittenPosition* position) {
  constexpr const LineField& f = layout.fields[I];
  constexpr Target t = target(f);
  constexpr std::size_t at = joining == Joining::columns ? static_cast<std::size_t>(f.col - 1) : row_at<layout, I>;
  char* const field = text + at;
  constexpr bool zero_filled = joining == Joining::columns && f.zero_filled;
  // A real value (single or double precision) as its kind is written.
  const auto number = [&](auto v) {
    if constexpr (f.write == FieldKind::integer) {
      return edit_integer(field, v, f.width, zero_filled);
    } else {
      return edit::f_field(field, v, f.width, f.decimals);
    }
  };
  if constexpr (t == Target::int_column) {
    const int v = (blk.*std::get<IntColumn>(f.store))[slot];
    if constexpr (f.write == FieldKind::integer) {
      return edit::i_field(field, v, f.width, zero_filled ? f.width : 1);
    } else {
      return edit::f_field(field, static_cast<double>(v), f.width, f.decimals);
    }
  } else if constexpr (t == Target::real_column) {
    return number(written_value((blk.*std::get<RealColumn>(f.store))[slot], f.offset));
  } else if constexpr (t == Target::plane_column) {
    return number(written_value((blk.*std::get<PlaneColumn>(f.store))[0][slot], f.offset));
  } else if constexpr (t == Target::double_column) {
    return number((blk.*std::get<DoubleColumn>(f.store))[slot]);
  } else if constexpr (t == Target::char_column) {
    *field = (blk.*std::get<CharColumn>(f.store))[slot];
    return true;
  } else if constexpr (f.write == FieldKind::character) {
    *field = position->character(f.number);
    return true;
  } else {
    return number(position->number(f.number));
  }
}

template <const LineLayout& layout, Joining joining, std::size_t... I>
LineWrite write_line_fields(const FpsBlk& blk, std::size_t slot, std::string& out, std::index_sequence<I...>) {
  out.assign(joining == Joining::columns ? static_cast<std::size_t>(layout.length) : row_length<layout>, ' ');
  char* const text = out.data();
  if constexpr (joining == Joining::tabs) ((I > 0 ? void(text[row_at<layout, I> - 1] = '\t') : void()), ...);
  std::optional<WrittenPosition> position;
  if constexpr (layout.id == Layout::fpfit) position.emplace(blk, slot);
  LineWrite result;
  const auto note = [&](bool fits, int number) {
    if (!fits && result.overflows++ == 0) result.first_overflow = number;
  };
  (note(write_field<layout, I, joining>(text, blk, slot, position ? &*position : nullptr), layout.fields[I].number),
   ...);
  return result;
}

template <Joining joining>
LineWrite write_fields(Layout id, const FpsBlk& blk, std::size_t slot, std::string& out) {
  if (id == Layout::fpfit) {
    return write_line_fields<fpfit_layout, joining>(blk, slot, out, std::make_index_sequence<fpfit_layout.fields.size()>{});
  }
  return write_line_fields<hash_layout, joining>(blk, slot, out, std::make_index_sequence<hash_layout.fields.size()>{});
}

}  // namespace

bool is_blank_line(std::string_view line) {
  // Tabs too: a line of white space holds no mechanism, and reading it as
  // an unreadable line would empty the store.
  return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

LineRead read_catalogue_line(Layout id, std::string_view line, FpsBlk& blk, std::size_t slot) {
  if (is_blank_line(line)) {
    LineRead result;
    result.status = LineStatus::blank;
    return result;
  }
  if (id == Layout::fpfit) return read_line_fields<fpfit_layout>(line, blk, slot);
  return read_line_fields<hash_layout>(line, blk, slot);
}

LineWrite write_catalogue_line(Layout id, const FpsBlk& blk, std::size_t slot, std::string& line) {
  return write_fields<Joining::columns>(id, blk, slot, line);
}

LineWrite write_table_row(Layout id, const FpsBlk& blk, std::size_t slot, std::string& row) {
  return write_fields<Joining::tabs>(id, blk, slot, row);
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
