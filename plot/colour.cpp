// Colour records. A colour is written only while colour plotting is on,
// and the line, fill and text colours only when they differ from the
// colour last written (plt2blk.icurcol), so long runs of lines in one
// colour carry one colour record.
//
// The text of an entry's red, green and blue is edited once and kept: a
// map draws a hundred thousand polygons in a few colours. Each kept text
// carries the components it was edited from, bit for bit, and is edited
// again when they differ, so that no change of the colour table, by
// whatever route, can leave an old text in use.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

#include "dialogue/console_units.hpp"
#include "plot/device.hpp"
#include "plot/ps_stream.hpp"

namespace dorvix {

namespace {

// The edited text of one entry and the components it shows.
struct KeptRgb {
  std::array<std::uint32_t, 3> key{};
  bool edited = false;
  std::array<char, ps::rgb_size> text{};
};
std::array<KeptRgb, ncolour_entries> kept_rgb;

// "  r.rrr   g.ggg   b.bbb setrgbcolor": each component in 6 columns with 3
// decimals and a blank; the same in all three dialects.
void colour_record(int index) {
  if (index < 0 || index > max_colour_index) return;
  char line[ps::rgb_size + 16];
  std::string_view rgb = ps::rgb_text(index);
  std::memcpy(line, rgb.data(), rgb.size());
  constexpr std::string_view op = "setrgbcolor";
  std::memcpy(line + rgb.size(), op.data(), op.size());
  ps::record(std::string_view(line, rgb.size() + op.size()));
}

}  // namespace

namespace ps {

std::string_view rgb_text(int index) {
  const auto k = static_cast<std::size_t>(index);
  const std::array<std::uint32_t, 3> key{std::bit_cast<std::uint32_t>(plt2blk.red.at(k)),
                                         std::bit_cast<std::uint32_t>(plt2blk.green.at(k)),
                                         std::bit_cast<std::uint32_t>(plt2blk.blue.at(k))};
  KeptRgb& kept = kept_rgb[k];
  if (!kept.edited || kept.key != key) {
    std::string line;
    rgb(line, index);
    // Three fields of 6 columns and their blanks: nothing else fits them.
    line.resize(rgb_size, ' ');
    std::memcpy(kept.text.data(), line.data(), rgb_size);
    kept.key = key;
    kept.edited = true;
  }
  return {kept.text.data(), rgb_size};
}

bool colour_change(int index) {
  if (plt2blk.icolor != 1 || index == plt2blk.icurcol) return false;
  plt2blk.icurcol = index;
  return index >= 0 && index <= max_colour_index;
}

}  // namespace ps

namespace {

// Black as the text of a colour record's red, green and blue.
std::string black_rgb() {
  std::string text;
  for (int k = 0; k < 3; ++k) {
    ps::fraction(text, 0.0f);
    text += ' ';
  }
  return text;
}

// The colour in force while plt2blk.icurcol names no entry (-1), in the
// same form: black once colour plotting was switched off, and after an
// opening that wrote no colour (the interpreter's own); the colour an
// entry was written in last, when the entry changed since; empty when not
// known (the beginning of an overlay, drawn over another plot).
std::string colour_of_no_entry;

}  // namespace

void psblackcolor() {
  psstrokepath();
  colour_of_no_entry = black_rgb();
  ps::record(colour_of_no_entry + "setrgbcolor");
  plt2blk.icurcol = -1;
}

void forget_colour_index(bool black) {
  plt2blk.icurcol = -1;
  colour_of_no_entry = black ? black_rgb() : std::string();
}

void colour_entry_changing(int index) {
  if (!iocom.lplotop || index != plt2blk.icurcol) return;
  psstrokepath();
  colour_of_no_entry = ps::rgb_text(index);
  plt2blk.icurcol = -1;
}

std::string colour_in_force() {
  if (plt2blk.icolor != 1) return black_rgb();
  if (plt2blk.icurcol == -1) return colour_of_no_entry;
  if (plt2blk.icurcol < 0 || plt2blk.icurcol > max_colour_index) return {};
  return std::string(ps::rgb_text(plt2blk.icurcol));
}

void psrgbcolor(int kind) {
  if (plt2blk.icolor != 1) return;
  switch (kind) {
    case -1:
      plt2blk.icurcol = 1;
      colour_record(1);
      break;
    case 0:
      colour_record(plt2blk.icurcol);
      break;
    case 1:
      if (ps::colour_change(plt2blk.linecol)) colour_record(plt2blk.linecol);
      break;
    case 2:
      if (ps::colour_change(plt2blk.fillcol)) colour_record(plt2blk.fillcol);
      break;
    case 3:
      if (ps::colour_change(plt2blk.textcol)) colour_record(plt2blk.textcol);
      break;
    default:
      break;
  }
}

}  // namespace dorvix
