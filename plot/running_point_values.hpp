#pragma once
// The running point: a parameter that takes np equally spaced values from
// pti to ptf with the increment ptd, one per point of a sampled curve
// (arcs, great circles, lines of line files). The curve drawer stores the
// point of value pt at index ipt of the curve buffer cc2dbuff. The
// drawing state (plot/drawing_state.hpp) names every field.

#include <string>

#include "numbers/real.hpp"

namespace dorvix {

struct PtBlock {
  real pt = 0;     // current value of the running point
  real pti = 0;    // initial value
  real ptf = 0;    // final value
  real ptd = 0;    // increment
  real rnp = 0;    // np as a real
  real rnseg = 0;  // rnp - 1: the number of segments
  int np = 0;      // number of points of a curve, 1..1000 (the curve buffer)
  int ipt = 0;     // index of the current point, 1..np
  // Name of the running parameter (5 characters), the description of its
  // range (" init = ", pti, " final = ", ptf, " inc = ", ptd: 51
  // characters) and the name followed by that description (56 characters).
  std::string ptname = std::string(5, ' ');
  std::string pttext = std::string(51, ' ');
  std::string ptlabel = std::string(56, ' ');
};

inline PtBlock ptblock;

// The point a curve drawer is at: index ipt of the curve buffer, of value
// pt. The drawers of other subsystems keep the running point current
// through it.
inline void set_running_point(int ipt, real pt) {
  ptblock.ipt = ipt;
  ptblock.pt = pt;
}
// The index alone, for a listing of points that counts its rows with it.
inline void set_running_index(int ipt) { ptblock.ipt = ipt; }

}  // namespace dorvix
