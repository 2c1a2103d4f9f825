#pragma once
// The PostScript driver's state: the unit of the plot file, its dialect,
// page, open-path flag, font and text size, and the page orientation.
// The drawing state (plot/drawing_state.hpp) names every field.

#include <array>
#include <string>
#include <string_view>

#include "numbers/real.hpp"

namespace dorvix {

// PostScript dialects of the plot file.
inline constexpr int dialect_compressed = 1;   // prolog macros ("M", "L", "sk", ...)
inline constexpr int dialect_news = 2;         // plain operators
inline constexpr int dialect_illustrator = 3;  // Adobe Illustrator 88 EPSF

inline constexpr int nfonts = 16;

// The PostScript names of the fonts 1 to 16 (index k - 1).
inline constexpr std::array<std::string_view, nfonts> font_names = {
    "Helvetica",   "Helvetica-Bold",   "Helvetica-Oblique",   "Helvetica-BoldOblique",
    "Times-Roman", "Times-Bold",       "Times-Italic",        "Times-BoldItalic",
    "Courier",     "Courier-Bold",     "Courier-Oblique",     "Courier-BoldOblique",
    "Symbol",      "Symbol-Bold",      "Symbol-Oblique",      "Symbol-BoldOblique",
};

struct PsParams {
  int ipsunit = 50;    // unit of the plot file (also of kavro7_ini.txt while it is read or written)
  int ipsfont = 0;     // current font, 1 to 16
  int ipstype = 0;     // dialect, 1 to 3
  int ipspage = 0;     // current page number
  int ipspath = 0;     // 1 while a path is open and not yet stroked
  real txtsize = 0;    // text size in PostScript points
  // Font designators of the open file's dialect, read as fonts(k), k = 1..16
  // (dialect 1: the prolog's font macros; 2: "/Helvetica"...; 3: "Helvetica"...).
  struct Fonts {
    std::array<std::string, nfonts> name{};
    std::string& operator()(int k) { return name.at(static_cast<std::size_t>(k - 1)); }
    const std::string& operator()(int k) const { return name.at(static_cast<std::size_t>(k - 1)); }
  } fonts;
  // Page orientation, 3 characters: "P  " portrait, "LUS" landscape US
  // Letter, "LA4" landscape A4 (any other code from a hand-edited settings
  // file is kept and gives neither bounding box nor rotation).
  std::string psorient = "P  ";
};

inline PsParams psparams;

// The font the texts are written in: ipsfont, or font 1 for a number out
// of range.
inline int text_font(const PsParams& p) { return p.ipsfont >= 1 && p.ipsfont <= nfonts ? p.ipsfont : 1; }

// Names of the dialects as the menus show them, cpstype(1..3).
inline constexpr std::array<std::string_view, 3> cpstype_names = {"Compressed", "NeWS", "Illustrator v.2 = 88"};
inline std::string_view cpstype(int k) { return cpstype_names.at(static_cast<std::size_t>(k - 1)); }

}  // namespace dorvix
