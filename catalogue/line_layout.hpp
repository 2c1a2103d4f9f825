#pragma once
// The two fixed-column catalogue line layouts, each defined once as a table
// of fields: the FPFIT line (141 columns) and the HASH line (114 columns).
// Reading, writing and the tabulated rows all work from these tables (see
// line_codec.hpp).
//
// A field owns fixed columns (first column 1-based, width); columns that
// belong to no field are ignored on reading and blank on writing. Fields
// are read as an integer, a real with implied decimals or one character,
// and written as an integer (a real value as its nearest integer, halves
// away from zero), a real with `decimals` decimals or the character.

#include <array>
#include <span>
#include <string_view>
#include <variant>

#include "catalogue/store.hpp"

namespace dorvix {

// Layouts, numbered as the store's data types.
enum class Layout { fpfit = itype_fpfit, hash = itype_hash };

enum class FieldKind : unsigned char { integer, real, character };

// Where a field lives in the store: an array of the store (a two-plane
// array means its plane 0), or nowhere for the FPFIT position fields, which
// the codec turns into latitude and longitude. The position fields, and
// the store's latitude and longitude, are read and held in double
// precision.
using IntColumn = FpsBlk::Column<int> FpsBlk::*;
using RealColumn = FpsBlk::Column<real> FpsBlk::*;
using CharColumn = FpsBlk::Column<char> FpsBlk::*;
using PlaneColumn = FpsBlk::Planes FpsBlk::*;
using DoubleColumn = FpsBlk::Column<double> FpsBlk::*;
using StoreColumn = std::variant<std::monostate, IntColumn, RealColumn, CharColumn, PlaneColumn, DoubleColumn>;

struct LineField {
  int number;           // field number in its layout, from 1
  int col;              // first column, from 1
  int width;            // number of columns
  FieldKind read;       // how the columns are read
  int decimals;         // implied decimals of a real read; decimals of a real written
  FieldKind write;      // how the value is written
  bool zero_filled;     // an integer written with leading zeros to the full width
  StoreColumn store;    // store field
  real offset;          // stored = read + offset; written = stored - offset
  std::string_view title;  // column title of the tabulated table
  std::string_view name;   // what the field holds, as a box names it
};

struct LineLayout {
  Layout id;
  int length;  // columns of a written line
  std::span<const LineField> fields;  // in column order
};

namespace layout_detail {
using enum FieldKind;
inline constexpr std::monostate position{};  // FPFIT latitude or longitude part

inline constexpr std::array<LineField, 35> fpfit_fields{{
    {1, 1, 4, integer, 0, integer, false, &FpsBlk::iyear1, 0, "Year", "year"},
    {2, 5, 2, integer, 0, integer, true, &FpsBlk::imonth1, 0, "Month", "month"},
    {3, 7, 2, integer, 0, integer, true, &FpsBlk::iday1, 0, "Day", "day"},
    {4, 10, 2, integer, 0, integer, true, &FpsBlk::ihour1, 0, "Hour", "hour"},
    {5, 12, 2, integer, 0, integer, true, &FpsBlk::imn1, 0, "mn", "minute"},
    {6, 14, 6, real, 2, real, false, &FpsBlk::sec1, 0, "seconds", "seconds"},
    {7, 20, 3, real, 0, integer, false, position, 0, "latitude(\xA1)", "latitude degrees"},
    {8, 23, 1, character, 0, character, false, position, 0, "hemis", "hemisphere letter"},
    {9, 24, 5, real, 2, real, false, position, 0, "latitude(')", "latitude minutes"},
    {10, 29, 4, real, 0, integer, false, position, 0, "longitude(\xA1)", "longitude degrees"},
    {11, 33, 1, character, 0, character, false, position, 0, "hemis", "direction letter"},
    {12, 34, 5, real, 2, real, false, position, 0, "longitude(')", "longitude minutes"},
    {13, 39, 7, real, 2, real, false, &FpsBlk::depth1, 0, "depth", "depth"},
    {14, 48, 5, real, 2, real, false, &FpsBlk::rmag1, 0, "magn", "magnitude"},
    {15, 53, 3, integer, 0, integer, false, &FpsBlk::isp1, 0, "#PS", "number of P and S readings"},
    {16, 56, 4, real, 0, integer, false, &FpsBlk::azgap1, 0, "azgap", "azimuthal gap"},
    {17, 60, 5, real, 1, real, false, &FpsBlk::dnst1, 0, "dist", "distance to the nearest station"},
    {18, 65, 5, real, 2, real, false, &FpsBlk::rmstt, 0, "RMStt", "rms residual"},
    {19, 70, 5, real, 1, real, false, &FpsBlk::exy1, 0, "Eh", "horizontal error"},
    {20, 75, 5, real, 1, real, false, &FpsBlk::ez1, 0, "Ev", "vertical error"},
    {21, 82, 1, character, 0, character, false, &FpsBlk::cmtyp1, 0, "Magtype", "magnitude type"},
    // The line gives plane 1 by its dip direction, strike + 90 degrees.
    {22, 84, 3, real, 0, integer, false, &FpsBlk::strike1, -90.0f, "Dip_dir", "dip direction"},
    {23, 88, 2, real, 0, integer, false, &FpsBlk::dip1, 0, "Dip", "dip"},
    {24, 90, 4, real, 0, integer, false, &FpsBlk::rake1, 0, "Rake", "rake"},
    {25, 96, 4, real, 2, real, false, &FpsBlk::qual1, 0, "misfit1", "misfit"},
    {26, 101, 3, integer, 0, integer, false, &FpsBlk::ipick1, 0, "#picks", "number of polarities"},
    {27, 105, 5, real, 2, real, false, &FpsBlk::qual2, 0, "misfit2", "second misfit"},
    {28, 111, 4, real, 2, real, false, &FpsBlk::qual3, 0, "stndist", "station-distribution ratio"},
    {29, 116, 4, real, 2, real, false, &FpsBlk::ratio1, 0, "ratio_p", "ratio"},
    {30, 122, 2, real, 0, integer, false, &FpsBlk::estrike1, 0, "Estrike", "strike uncertainty"},
    {31, 125, 2, real, 0, integer, false, &FpsBlk::edip1, 0, "Edip", "dip uncertainty"},
    {32, 128, 2, real, 0, integer, false, &FpsBlk::erake1, 0, "Erake", "rake uncertainty"},
    {33, 130, 1, character, 0, character, false, &FpsBlk::cflag1, 0, "Cvgc", "convergence flag"},
    {34, 131, 1, character, 0, character, false, &FpsBlk::cflag2, 0, "mult", "multiple-solution flag"},
    {35, 132, 10, integer, 0, integer, false, &FpsBlk::id1, 0, "ID", "event identifier"},
}};

inline constexpr std::array<LineField, 21> hash_fields{{
    {1, 1, 4, integer, 0, integer, false, &FpsBlk::iyear1, 0, "Year", "year"},
    {2, 6, 2, integer, 0, integer, false, &FpsBlk::imonth1, 0, "Month", "month"},
    {3, 9, 2, integer, 0, integer, false, &FpsBlk::iday1, 0, "Day", "day"},
    {4, 12, 2, integer, 0, integer, false, &FpsBlk::ihour1, 0, "Hour", "hour"},
    {5, 15, 2, integer, 0, integer, false, &FpsBlk::imn1, 0, "mn", "minute"},
    {6, 18, 6, real, 3, real, false, &FpsBlk::sec1, 0, "seconds", "seconds"},
    {7, 25, 8, integer, 0, integer, false, &FpsBlk::id1, 0, "ID", "event identifier"},
    {8, 34, 9, real, 5, real, false, &FpsBlk::rlat1, 0, "latitude", "latitude"},
    {9, 44, 10, real, 5, real, false, &FpsBlk::rlong1, 0, "longitude", "longitude"},
    {10, 55, 7, real, 3, real, false, &FpsBlk::depth1, 0, "depth", "depth"},
    {11, 63, 6, real, 3, real, false, &FpsBlk::rmag1, 0, "magn", "magnitude"},
    // Whole numbers in the line, reals in the store.
    {12, 70, 4, integer, 0, integer, false, &FpsBlk::strike1, 0, "Strike", "strike"},
    {13, 75, 3, integer, 0, integer, false, &FpsBlk::dip1, 0, "Dip", "dip"},
    {14, 79, 4, integer, 0, integer, false, &FpsBlk::rake1, 0, "Rake", "rake"},
    {15, 84, 3, integer, 0, integer, false, &FpsBlk::qual1, 0, "RMS_p1", "fault-plane uncertainty"},
    {16, 88, 3, integer, 0, integer, false, &FpsBlk::qual2, 0, "RMS_p2", "auxiliary-plane uncertainty"},
    {17, 92, 4, integer, 0, integer, false, &FpsBlk::ipick1, 0, "#_P", "number of P polarities"},
    {18, 97, 5, real, 2, real, false, &FpsBlk::qual3, 0, "misfit_P", "misfit of the polarities"},
    {19, 103, 4, integer, 0, integer, false, &FpsBlk::ipick2, 0, "#_S/P", "number of S/P ratios"},
    {20, 108, 5, real, 2, real, false, &FpsBlk::ratio1, 0, "misfit_S/P", "misfit of the S/P ratios"},
    {21, 114, 1, character, 0, character, false, &FpsBlk::cflag1, 0, "qual", "quality"},
}};
}  // namespace layout_detail

inline constexpr LineLayout fpfit_layout{Layout::fpfit, 141, layout_detail::fpfit_fields};
inline constexpr LineLayout hash_layout{Layout::hash, 114, layout_detail::hash_fields};

inline constexpr const LineLayout& line_layout(Layout id) {
  return id == Layout::fpfit ? fpfit_layout : hash_layout;
}

// Numbers of the FPFIT position fields.
namespace fpfit_field {
inline constexpr int lat_degrees = 7, hemisphere = 8, lat_minutes = 9;
inline constexpr int lon_degrees = 10, direction = 11, lon_minutes = 12;
}  // namespace fpfit_field

}  // namespace dorvix
