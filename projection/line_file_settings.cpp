#include "projection/line_file_settings.hpp"

#include "dialogue/frames.hpp"

namespace dorvix {

void contours1_initialise() {
  submenuhead(contours1_header);
  say("INITIALIZING MAP CONTOURS");
  contours_settings = {.ptsdeg = 10.0f, .lclip = true};
}

}  // namespace dorvix
