// The sheet of the plot and the box of a text on it.

#include "plot/sheet.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "geometry/angles.hpp"
#include "plot/device.hpp"
#include "plot/plot_attributes.hpp"
#include "plot/ps_stream.hpp"
#include "plot/psparams.hpp"

namespace dorvix {

namespace {

// Advances of the glyphs a label is made of, in text sizes, by family of
// the standard fonts (fonts 1-4 Helvetica, 5-8 Times, 9-12 Courier, 13-16
// Symbol; their bold and oblique faces advance as their plain one), and the
// widest glyph of each for any other character.
struct Advances {
  real digit, point, minus, blank, other;
};
constexpr std::array<Advances, 4> advances = {{
    {0.556f, 0.278f, 0.333f, 0.278f, 1.015f},  // Helvetica
    {0.5f, 0.25f, 0.333f, 0.25f, 1.0f},        // Times
    {0.6f, 0.6f, 0.6f, 0.6f, 0.6f},            // Courier
    {0.5f, 0.25f, 0.549f, 0.25f, 1.042f},      // Symbol
}};
constexpr int faces_per_family = 4;

// Above the baseline the digits of every standard font reach at most
// this far, in text sizes, and their round ones dip this far below it.
constexpr real digit_top = 0.75f, digit_dip = 0.05f;
// Any other text, at most: its size above the baseline, a quarter below.
constexpr real text_top = 1.0f, text_dip = 0.25f;

bool digit_text(std::string_view t) {
  return std::all_of(t.begin(), t.end(),
                     [](char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == ' '; });
}

real advance(const Advances& a, char c) {
  if (c >= '0' && c <= '9') return a.digit;
  if (c == '.') return a.point;
  if (c == '-') return a.minus;
  if (c == ' ') return a.blank;
  return a.other;
}

// The text as detext2 writes it: trimmed of blanks under a negative
// justification.
std::string_view written(std::string_view text, int justif) {
  if (justif >= 0) return text;
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return text.substr(text.empty() ? 0 : text.size() - 1);
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

Sheet page_sheet() {
  constexpr real a4_short = 595, a4_long = 842, letter_short = 612, letter_long = 792;
  if (psparams.psorient == "LA4") return {a4_long, a4_short};
  if (psparams.psorient == "LUS") return {letter_long, letter_short};
  return {a4_short, a4_long};
}

DeviceBox text_box(real x, real y, std::string_view text, int justif) {
  const std::string_view t = written(text, justif);
  const int a = std::abs(justif);
  const real size = static_cast<real>(ps::font_points(psparams.txtsize));
  const Advances& adv = advances[static_cast<std::size_t>((text_font(psparams) - 1) / faces_per_family)];
  real width = 0;
  for (char c : t) width += advance(adv, c) * size;
  // Along the text from its anchor: the start of the baseline, moved back
  // by half or all of the width for a centred or right-aligned text.
  const int h = a % 4;
  const real u0 = h == 2 ? -0.5f * width : h == 3 ? -width : 0.0f;
  // Across it: the baseline, moved down from a middle or top anchor in
  // dialects 1 and 2 (Illustrator's text objects stand on their anchor).
  const real v0 =
      psparams.ipstype == dialect_illustrator ? 0.0f : -0.5f * psparams.txtsize * static_cast<real>(a / 4);
  const bool digits = digit_text(t);
  const real v_low = v0 - (digits ? digit_dip : text_dip) * size, v_high = v0 + (digits ? digit_top : text_top) * size;
  const real theta = rad(std::fmod(plt2blk.txtangle, 360.0f));
  const real c = std::isfinite(theta) ? std::cos(theta) : 1.0f, s = std::isfinite(theta) ? std::sin(theta) : 0.0f;
  const real far = std::numeric_limits<real>::infinity();
  DeviceBox b{far, far, -far, -far};
  for (real u : {u0, u0 + width}) {
    for (real v : {v_low, v_high}) {
      const real px = x + u * c - v * s, py = y + u * s + v * c;
      b.xmin = std::min(b.xmin, px), b.xmax = std::max(b.xmax, px);
      b.ymin = std::min(b.ymin, py), b.ymax = std::max(b.ymax, py);
    }
  }
  return b;
}

bool on_sheet(const DeviceBox& b, const Sheet& s) {
  return b.xmin >= 0 && b.ymin >= 0 && b.xmax <= s.width && b.ymax <= s.height;
}

}  // namespace dorvix
