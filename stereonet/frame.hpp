#pragma once
// The frame of a stereonet in the current subplot: the primitive circle of
// radius 1 user unit, the two diameters, ticks every 10 degrees outside
// the circle, the labels at the projected north and east points and four
// optional corner labels; and the set-ups that keep the frame's settings.

#include <array>
#include <string>

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

// The frame's settings: modes 4 and 5 set the defaults (announced), 4 to 7
// reset labels 3 to 6; even modes show the frame menu.
void srepstereo0(int inter);
// One label (ilabel 1 to 6, text, draw flag idraw 0 or 1) and its menu:
// modes 2 and 3 start from the stored label, 4 and 5 from the label's
// default (announced), others from the values passed. A label number
// outside 1..6 becomes 6, a flag other than 0 or 1 becomes 0, each with an
// error box and the menu. Every mode stores.
void srepstereolabel1(std::string& text, int& idraw, int& ilabel, int inter);
// Points of the primitive circle: modes 2 and 3 the stored number, 4 and 5
// 200 (announced), others the value passed; even modes show the menu;
// every mode stores.
void srepstereonp(int& npts, int inter);

}  // namespace dorvix
