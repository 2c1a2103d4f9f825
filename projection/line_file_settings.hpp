#pragma once
// The two settings the line-file drawer keeps for the whole run, and its
// initialise entry. They live beside the projection because the
// projection set-up initialises them each time it is itself initialised
// (at start-up, and after the dispatcher's reset of a bad code); the
// line-file drawer hands its own initialise modes here.

#include "dialogue/routine_header.hpp"
#include "numbers/real.hpp"

namespace dorvix {

struct ContoursSettings {
  // Points per degree of arc sampled along the sides of selection
  // polygons; a selection-polygon file replaces it by its header's value.
  real ptsdeg = 0;
  // Clip the line types that support it (UTIG, IGN, GSHHS) to the window.
  bool lclip = false;
};
inline ContoursSettings contours_settings;

// The settings as the line-file drawer's menu sets them, and the density
// as a selection-polygon file's header replaces it.
inline void set_sampling_density(real ptsdeg) { contours_settings.ptsdeg = ptsdeg; }
inline void set_line_clipping(bool on) { contours_settings.lclip = on; }

// The header record of the line-file drawer.
inline constexpr Header contours1_header{"contours1", " 7.4", "13-05-2010"};

// Initialise entry of the line-file drawer (its defaults): prints its
// head and "INITIALIZING MAP CONTOURS", sets ptsdeg = 10 and lclip = true.
// The window bounds of the drawer's call carry nothing here.
void contours1_initialise();

}  // namespace dorvix
