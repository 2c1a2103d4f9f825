#include "dialogue/geometry_notices.hpp"

#include <cstddef>
#include <string>
#include <string_view>

#include "dialogue/boxes.hpp"
#include "dialogue/frames.hpp"
#include "files/stops.hpp"
#include "geometry/notices.hpp"
#include "numbers/edit.hpp"
#include "numbers/real.hpp"

namespace dorvix {

namespace {

constexpr Header cc2lln_header{"cc2lln", " 3.3", "22-04-2009"};
constexpr Header se1232eu_header{"se1232eu", " 2.0", "29-09-2003"};
// eu2se123 is the other half of the same pair and shares its release.
constexpr Header eu2se123_header{"eu2se123", " 2.0", "29-09-2003"};

void not_unit_warning(int n, int i, real vx, real vy, real vz, real r) {
  warninghead(cc2lln_header);
  const int out = iocom.iuout;
  put(out, " Expecting unitary V = (Vx,Vy,Vz)");
  put(out, " Loop final   index = " + edit::i(n, 6));
  put(out, " Loop current index = " + edit::i(i, 6));
  put(out, " Vx = " + edit::f(vx, 8, 4) + " Vy = " + edit::f(vy, 8, 4) + " Vz = " + edit::f(vz, 8, 4));
  put(out, " ||V|| = " + edit::f(r, 8, 4));
  put(out, " V is not unitary");
  put(out, " ==> Normalizing it to 1");
  warningtail00();
}

std::string i6(std::size_t k) { return edit::i(static_cast<long long>(k), 6); }
std::string f85(real v) { return edit::f(v, 8, 5); }

// Box of a clamped element (3,3): v as found, reset the value it became; a
// warning within rounding, an error beyond.
void report_clamp(std::size_t k, real v, real reset, bool warning) {
  const bool above = v > 1.0f;
  if (warning) {
    warninghead(se1232eu_header);
  } else {
    errorhead(se1232eu_header);
  }
  const int out = iocom.iuout;
  put(out, " data number = " + i6(k));
  put(out, " Vertical s3");
  if (above) {
    put(out, warning ? " 1 < se(3,3) = " + f85(v) + " < 1+eps" : " 1 < se(3,3) = " + f85(v));
  } else {
    put(out, warning ? " -1-eps < se(3,3) = " + f85(v) + " < -1" : " se(3,3) = " + f85(v) + " < -1");
  }
  put(out, " ===> reset se(3,3) = " + f85(reset));
  if (warning) {
    warningtail00();
  } else {
    errortail00();
  }
}

// A count beyond the arrays is a fault of the caller: the run stops, as an
// index out of bounds would stop it.
[[noreturn]] void out_of_bounds(std::string_view routine, std::size_t entry, std::size_t size) {
  errorhead(routine == eu2se123_header.name ? eu2se123_header : se1232eu_header);
  put(iocom.iuout, " index out of bounds: entry " + edit::i(static_cast<long long>(entry), 0) +
                       " of arrays of " + edit::i(static_cast<long long>(size), 0));
  errorstop(2);
  end_run(exit_stopped_by_program);  // errorstop(2) does not return
}

}  // namespace

void show_geometry_notices() {
  geometry_notices = {.vector_not_unit = not_unit_warning,
                      .vertical_clamped = report_clamp,
                      .arrays_too_short = out_of_bounds};
}

void trigoset() {
  submenuhead({"trigoset", " 7.1", "15-12-2008"});
  put(iocom.iuout, " Initializing /trig/ block");
  put(iocom.iuout, " Initializing /anglerad/ block");
}

}  // namespace dorvix
