#pragma once
// The maps of one subplot, for the frame set-up. Internal to the plot
// library.

#include "numbers/real.hpp"

namespace dorvix {

// The current subplot, or subplot 1 while none has been selected.
int current_subplot();
// The user-to-device map of subplot s (1..35) from its frame.
void compose_user_to_device(int s);
// The centimetre-to-user map of subplot s; false, and the map left as it
// was, when its frame has no inverse.
bool compose_centimetre_to_user(int s);
// One user point of the current subplot to device points, in place.
void point_to_device(real& x, real& y);

}  // namespace dorvix
