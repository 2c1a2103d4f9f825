#pragma once
// Message lines of the plot library on the standard output unit: a blank
// column, then the text.

#include <string>
#include <string_view>

#include "console/frames.hpp"
#include "console/iocom.hpp"

namespace dorvix::plotmsg {

inline void say(std::string_view text) {
  std::string line = " ";
  line += text;
  put(iocom.iuout, line);
}

}  // namespace dorvix::plotmsg
