#include "dialogue/range_checks.hpp"

#include <string>

#include "dialogue/boxes.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/prompts.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

namespace {

// Message lines: integers in 12 columns, reals in fixed point in 15
// columns with 6 decimals.
constexpr int int_width = 12;
constexpr int real_width = 15;
constexpr int real_decimals = 6;

// The quantity as it heads a value line: the trimmed name and " =".
std::string quantity(std::string_view cvar) { return std::string(trimmed(cvar)) + " ="; }

void origin_lines(std::string_view csub) {
  ItemLine().text("Problem originated in :").write();
  ItemLine().text("subroutine:").text(trimmed(csub)).write();
}

}  // namespace

void cinvin(int ival, int imin, int imax, std::string_view csub, std::string_view cvar, int& istat) {
  static constexpr Header h{"cinvin", " 3.1", "11-03-2000"};
  istat = 0;
  if (imin <= ival && ival <= imax) return;
  istat = 1;
  errorhead(h);
  ItemLine().text(quantity(cvar)).integer(ival, int_width).write();
  ItemLine().text("outside [").integer(imin, int_width).text(",").integer(imax, int_width).text("]").write();
  origin_lines(csub);
  errortail01(1);
}

void cinmax(int ival, int imax, std::string_view csub, std::string_view cvar, int& istat) {
  static constexpr Header h{"cinmax", " 3.2", "11-03-2000"};
  istat = 0;
  if (ival <= imax) return;
  istat = 1;
  errorhead(h);
  ItemLine().text(quantity(cvar)).integer(ival, int_width).text("> max =").integer(imax, int_width).write();
  origin_lines(csub);
  errortail01(1);
}

void crevin2(std::string_view cvar, real& val, real vmin, real vmax, std::string_view csub, int igrav, int& istat) {
  static constexpr Header h{"crevin", " 3.0", "29-11-2001"};
  istat = 0;
  if (!(val < vmin) && !(val > vmax)) return;  // inclusive; NaN passes
  istat = 1;
  if (igrav == 0) {
    warninghead(h);
  } else {
    errorhead(h);
  }
  ItemLine().text("Problem in subroutine:").text(trimmed(csub)).write();
  ItemLine()
      .text(quantity(cvar))
      .fixed(val, real_width, real_decimals)
      .text("outside [")
      .fixed(vmin, real_width, real_decimals)
      .text(",")
      .fixed(vmax, real_width, real_decimals)
      .text("]")
      .write();
  if (igrav != 4) {
    val = val < vmin ? vmin : vmax;
    ItemLine().text("==> RESET " + quantity(cvar)).fixed(val, real_width, real_decimals).write();
  }
  switch (igrav) {
    case 0:
      warningtail00();
      return;
    case 1:
      errortail00();
      return;
    case 2:
      errorstop(0);
      errortail00();
      return;
    case 3:
      break;
    case 4:
      errorstop(2);
      return;
    default: {
      constexpr int applied = 3;
      ItemLine().text("unknown  gravity =").integer(igrav, int_width).write();
      ItemLine().text("==> RESET gravity =").integer(applied, int_width).write();
      break;
    }
  }
  errorstop(1);
  errortail00();
}

}  // namespace dorvix
