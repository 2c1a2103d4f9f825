#pragma once
// The levels of a family of curves: nlev values from vlevi to vlevf with
// the increment vlevd, one curve per level.

#include <string>

#include "numbers/real.hpp"

namespace dorvix {

struct PlevBlock {
  real vlevi = 0;  // initial level; also the value of a single level
  real vlevf = 0;  // final level
  real vlevd = 0;  // increment
  int nlev = 0;    // number of level curves
  // Name of the level parameter (5 characters), the description of the
  // levels (51) and the name followed by it (56).
  std::string levname = std::string(5, ' ');
  std::string levtext = std::string(51, ' ');
  std::string levlabel = std::string(56, ' ');
};

inline PlevBlock plevblock;

}  // namespace dorvix
