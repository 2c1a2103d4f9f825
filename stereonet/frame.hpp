#pragma once
// The frame of a stereonet in the current subplot: the primitive circle of
// radius 1 user unit, the two diameters, ticks every 10 degrees outside
// the circle, the labels at the projected north and east points and four
// optional corner labels; and the set-ups that keep the frame's settings.

#include <array>
#include <string>

#include "dialogue/setup_mode.hpp"

namespace dorvix {

inline constexpr int frame_labels = 6;
inline constexpr std::size_t frame_label_width = 15;

// The frame's settings, zero (blank) until initialised.
struct Stefram2 {
  int nptfram = 0;                          // points of the primitive circle per turn
  std::array<bool, frame_labels> llabel{};  // draw flags (those of labels 3 to 6 are read)
  bool ldrawax = false;                     // the two diameters
  bool ldrawtic = false;                    // the ticks
  // Label texts of 15 characters: 1 at north, 2 at east, 3 to 6 at the
  // upper right, lower right, lower left and upper left corners.
  std::array<std::string, frame_labels> label{
      std::string(frame_label_width, ' '), std::string(frame_label_width, ' '), std::string(frame_label_width, ' '),
      std::string(frame_label_width, ' '), std::string(frame_label_width, ' '), std::string(frame_label_width, ' ')};
};
inline Stefram2 stefram2;

// Draws the frame in the current subplot; the text angle and justification
// of the plot attributes are the same afterwards.
void repstereo();

// The frame's settings, under the mode `inter` (dialogue/setup_mode.hpp):
// the defaults are set (announced) and labels 3 to 6 reset, which
// setup::net_defaults does alone; even modes show the frame menu.
void srepstereo0(SetupMode inter);
// One label (ilabel 1 to 6, text, draw flag idraw 0 or 1) and its menu,
// under the mode `inter`: the label's default is announced. A label number
// outside 1..6 becomes 6, a flag other than 0 or 1 becomes 0, each with an
// error box and the menu (the stored label then the start). Every mode
// stores.
void srepstereolabel1(std::string& text, int& idraw, int& ilabel, SetupMode inter);
// Points of the primitive circle, under the mode `inter`: the default 200,
// announced; every mode stores.
void srepstereonp(int& npts, SetupMode inter);

}  // namespace dorvix
