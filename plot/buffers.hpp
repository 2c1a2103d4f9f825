#pragma once
// Shared scratch buffers of the drawing routines. Each user fills a buffer
// just before use and every user overwrites it, so drawing calls do not
// nest. Point k (1-based) of a buffer is at index k - 1.

#include <array>

#include "numbers/real.hpp"

namespace dorvix {

inline constexpr int device_buffer_points = 501;
inline constexpr int curve_buffer_points = 1000;

// Device points (PostScript points) handed to the device level; also the
// chunk size of long polylines.
struct PltBuff1 {
  std::array<real, device_buffer_points> xdevbuff{};
  std::array<real, device_buffer_points> ydevbuff{};
};

// Curve samples in user units (arcs, great circles, line files, points).
struct Cc2dBuff {
  std::array<real, curve_buffer_points> xp{};
  std::array<real, curve_buffer_points> yp{};
};

// Curve samples with a third coordinate (projected line files, great
// circles before projection).
struct Cc3dBuff {
  std::array<real, curve_buffer_points> xe{};
  std::array<real, curve_buffer_points> ye{};
  std::array<real, curve_buffer_points> ze{};
};

inline PltBuff1 pltbuff1;
inline Cc2dBuff cc2dbuff;
inline Cc3dBuff cc3dbuff;

}  // namespace dorvix
