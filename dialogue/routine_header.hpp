#pragma once
// The header record that names a routine in the frames and boxes it
// prints.

#include <string_view>

namespace dorvix {

// Header record of a routine that prints frames or boxes: name (shown
// blank-padded to 11 characters), version (4) and date (10).
struct Header {
  std::string_view name;
  std::string_view version;
  std::string_view date;
};

}  // namespace dorvix
