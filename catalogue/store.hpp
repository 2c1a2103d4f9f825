#pragma once
// The mechanism store: the current catalogue, up to 60000 focal mechanisms
// held as parallel arrays indexed by slot. Slot numbers run from 1 in the
// dialogue; in the arrays slot k is index k - 1. Only the catalogue reader
// fills the store, and each complete read replaces its content.
//
// The two-plane arrays are indexed [plane][slot], plane 0 the nodal plane
// as read and plane 1 the second plane computed from it, so that one plane
// of every mechanism is one contiguous array (the map and diagram drivers
// receive a plane as an array).

#include <array>
#include <cstddef>
#include <string_view>

#include "numbers/real.hpp"

namespace dorvix {

// Capacity of the store: the bound of every array below.
inline constexpr int ndatmax = 60000;

// A text of exactly N characters (blank-padded when stored).
template <std::size_t N>
struct FixedText {
  std::array<char, N> c{};
  std::string_view view() const { return {c.data(), N}; }
  void assign(std::string_view s) {
    for (std::size_t k = 0; k < N; ++k) c[k] = k < s.size() ? s[k] : ' ';
  }
};

// Data types of the store.
inline constexpr int itype_empty = 0;
inline constexpr int itype_fpfit = 1;
inline constexpr int itype_hash = 2;

struct FpsBlk {
  static constexpr std::size_t n = ndatmax;
  template <typename T>
  using Column = std::array<T, n>;
  using Planes = std::array<Column<real>, 2>;

  int ndata = 0;  // number of stored mechanisms, 0 to 60000
  int itype = 0;  // 0 nothing read, 1 FPFIT, 2 HASH

  // Origin time.
  Column<int> iyear1{}, imonth1{}, iday1{}, ihour1{}, imn1{};
  Column<int> isp1{};    // number of P and S readings (FPFIT)
  Column<int> ipick1{};  // number of first-motion polarities
  Column<int> ipick2{};  // number of S/P ratios (HASH)
  Column<int> id1{};     // event identifier
  Column<real> sec1{};   // seconds of the origin time
  Column<real> ratio1{};  // FPFIT "ratio_p"; HASH misfit of the S/P ratios
  // Epicentre, decimal degrees, north and east positive. Double: a HASH
  // line gives five decimals, more than a single-precision longitude
  // holds beyond 128 degrees (-172.10000 would come back as -172.10001).
  // The geometry takes them in single precision.
  Column<double> rlat1{}, rlong1{};
  Column<real> depth1{}, rmag1{};
  Column<real> azgap1{}, dnst1{}, rmstt{};  // FPFIT: gap, nearest station, rms residual
  Planes strike1{}, dip1{}, rake1{};        // degrees, [plane][slot]
  Column<real> estrike1{}, edip1{}, erake1{};  // FPFIT uncertainties of plane 1
  Column<real> exy1{}, ez1{};                  // FPFIT location errors
  Column<real> qual1{}, qual2{}, qual3{};      // FPFIT misfit1, misfit2, stndist; HASH RMS_p1, RMS_p2, misfit_P
  Column<real> xd1{}, yd1{};  // projected map position, written by the map driver only
  Column<char> cmtyp1{};      // magnitude type (FPFIT)
  Column<char> cflag1{};      // FPFIT convergence flag; HASH quality letter
  Column<char> cflag2{};      // FPFIT multiple-solution flag
  Column<FixedText<10>> cdate1{};    // "yyyy-mm-dd"
  Column<FixedText<5>> ctime1{};     // "hh:mm"
  Column<FixedText<16>> fpslabel{};  // "yyyy-mm-dd hh:mm"
};

// The one store of the run, zero at program start.
inline FpsBlk fpsblk;

// Builds cdate1, ctime1 and fpslabel of a slot (index) from its date and
// time fields: the year right-aligned in 4 columns, the month, day, hour
// and minute in 2 digits with leading zeros.
void set_date_texts(FpsBlk& blk, std::size_t slot);

}  // namespace dorvix
