#pragma once
// Up to four named fixed parameters of a family of curves, each a name with
// a real, integer or text value.

#include <array>
#include <string>

#include "numbers/real.hpp"

namespace dorvix {

inline constexpr int max_fixed_parameters = 4;

// Slot i (1..4) of each array is at index i - 1.
struct PfixBlock {
  template <class T>
  using Slots = std::array<T, max_fixed_parameters>;
  Slots<real> pfix{};  // real value
  int nparfix = 0;     // number of slots in use, 0..4
  Slots<std::string> pfixname = blank_slots(5);    // name, 5 characters
  Slots<std::string> pfixvalue = blank_slots(12);  // value as text, 12 characters
  Slots<std::string> pfixinfo = blank_slots(17);   // one-line description, 17 characters
  Slots<int> ipfix{};      // integer value
  Slots<int> ipfixtype{};  // 0 name only, 1 real, 2 integer, 3 text

  static Slots<std::string> blank_slots(std::size_t width) {
    Slots<std::string> s;
    s.fill(std::string(width, ' '));
    return s;
  }
};

inline PfixBlock pfixblock;

}  // namespace dorvix
