#pragma once
// The Si-Sh file: the stress directions of the mapped mechanisms, one
// header line per map run and one row per mechanism, 109 characters each,
// in fixed columns:
//   2-11 date, 13-22 time, 24-29 latitude (f6.2), 31-37 longitude (f7.2),
//   39-43 depth (f5.1), 45-49 strike (f5.0), 51-54 dip (f4.0), 56-60 rake
//   (f5.0), then azimuth (f6.1) and plunge (f5.1) of S1 (P), S2 (B) and S3
//   (T) in 62-99, the index of the vertical axis in 101 and the SHmax
//   azimuth folded into [0, 180) in 104-109. Angles in degrees. Azimuths
//   are written within their range as rounded: SHmax 0.0 to 179.9, the
//   axes above -180.0 up to 180.0.

#include <cstddef>
#include <string>
#include <string_view>

#include "numbers/real.hpp"
#include "stereonet/principal_axes.hpp"

namespace dorvix {

// Length of the header line and of a row.
inline constexpr std::size_t sish_width = 109;

// The header line: each title right-aligned in its column, or cut to it.
std::string sish_header();

// One mechanism's row. date (10 characters) and time (5 characters) as the
// store holds them; position and the nodal plane in degrees; the axes
// (P, B, T) in radians as computed; isv the index of the vertical axis
// (written without sign); azsh the SHmax azimuth in [0, 2 pi).
struct SishRow {
  std::string_view date, time;
  real lat = 0, lon = 0, depth = 0, strike = 0, dip = 0, rake = 0;
  AxisAngles az{}, pl{};
  int isv = 0;
  real azsh = 0;
};
// The row edited in place over the sish_width characters at `line`.
void sish_row(char* line, const SishRow& r);
// The same as a text.
std::string sish_row(const SishRow& r);

}  // namespace dorvix
