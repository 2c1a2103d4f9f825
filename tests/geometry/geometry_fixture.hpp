#pragma once
// Geometry tests run with the in-memory console (boxes of the geometry
// routines are checked as transcripts).

#include <cmath>
#include <string>
#include <vector>

#include "geometry/angles.hpp"
#include "support/console_fixture.hpp"

namespace dorvix::testing {

using GeometryTest = ConsoleTest;

// Units in the last place between two floats.
inline long ulps_apart(float a, float b) {
  long n = 0;
  for (float x = std::fmin(a, b); x < std::fmax(a, b) && n < 1000; x = std::nextafter(x, b > a ? b : a)) ++n;
  return n;
}

// Difference of two angles in degrees, brought into [-180, 180].
inline double angle_difference(double a, double b) {
  double d = std::fmod(a - b, 360.0);
  if (d > 180.0) d -= 360.0;
  if (d < -180.0) d += 360.0;
  return d;
}

// The lines of a warning box of the error units around its message lines,
// with the pause answered.
inline std::vector<std::string> warning_box(const std::string& routine, const std::vector<std::string>& message) {
  const std::string rule = " " + std::string(43, '/');
  std::string name = "       subroutine " + routine;
  name.resize(35, ' ');
  std::vector<std::string> box{rule, " /// " + name + " ///",
                               " /// " + std::string(14, ' ') + "WARNING" + std::string(14, ' ') + " ///", rule};
  box.insert(box.end(), message.begin(), message.end());
  box.push_back(" ===> HIT RETURN TO CONTINUE");
  box.push_back(rule);
  return box;
}

}  // namespace dorvix::testing

namespace dorvix::testing {

// The lines of an error box (recoverable: a plain tail with its pause).
inline std::vector<std::string> error_box(const std::string& routine, const std::vector<std::string>& message) {
  const std::string rule = " " + std::string(43, '*');
  auto framed = [](std::string field) {
    field.resize(35, ' ');
    return " *** " + field + " ***";
  };
  std::vector<std::string> box{rule,
                               rule,
                               framed(""),
                               framed("       subroutine " + routine),
                               framed(""),
                               framed(std::string(15, ' ') + "ERROR"),
                               framed(""),
                               rule,
                               rule};
  box.insert(box.end(), message.begin(), message.end());
  box.push_back(" ===> HIT RETURN TO CONTINUE");
  box.push_back(rule);
  return box;
}

}  // namespace dorvix::testing
