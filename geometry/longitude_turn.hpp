#pragma once
// The turn of longitude around a middle meridian: the longitudes from half
// a turn west of it (included) to half a turn east of it (excluded),
// degrees. Of the longitudes that name one meridian (175, -185, 535, ...)
// it holds one, the nearest to the middle.
//
// The map draws its epicentres, the point menu's points and the points of
// line files not clipped in the turn around its window's middle
// (map/line_file_window.hpp), so that a window given eastwards past 180
// degrees (165..190) shows an event read at -175 at 185, beside its
// neighbours. The extraction tests place each epicentre in the turn around
// the middle of their longitude bounds, or of their lat-long polygon,
// before testing it, and so keep what such a map draws; the read report
// gives the longitudes' extent in that turn, in that of the bounds when
// both tests are on (selection_turn, extraction_criteria.hpp).

#include <string_view>

#include "numbers/real.hpp"

namespace dorvix {

// What a menu says when a longitude minimum above its maximum is refused:
// a window across 180 degrees is given eastwards past it.
inline constexpr std::string_view antimeridian_window_hint = "(a window across the antimeridian: e.g. 170 to 190)";

class LongitudeTurn {
 public:
  static constexpr real turn = 360.0f;

  explicit LongitudeTurn(real middle) : west_(middle - 0.5f * turn) {}

  // The longitude of the turn that names the same meridian as `lon`. A
  // longitude already in the turn is returned as it is; any other is
  // moved by whole turns exactly (the reduction is made in double
  // precision, so that a longitude of many turns lands on its own
  // meridian) and then rounded once to single precision.
  real nearest(real lon) const {
    if (lon >= west_ && lon < west_ + turn) return lon;
    return moved(lon);
  }

 private:
  real moved(real lon) const;

  real west_;  // half a turn west of the middle
};

}  // namespace dorvix
