#pragma once
// Lines of a console transcript: the head of a routine's menu frame and
// pieces joined in order.

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace dorvix::testing {

using Lines = std::vector<std::string>;

// The head of a menu frame naming a routine (name blank-padded to 11).
inline Lines menu_head(const std::string& name) {
  std::string padded = name;
  padded.resize(std::max<std::size_t>(name.size(), 11), ' ');
  return {" " + std::string(43, '@'), " @ subroutine " + padded, " @" + std::string(42, '=')};
}

// Lines joined in order.
inline Lines join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

}  // namespace dorvix::testing
