#pragma once
// Rasters of plot pages rendered by Ghostscript, to check where ink lies.

#include <filesystem>
#include <vector>

namespace dorvix::testing {

// A grey raster of one page: width, height and one byte per pixel from the
// top row down; empty when the page could not be rendered.
struct Raster {
  int width = 0, height = 0;
  std::vector<unsigned char> pixels;
  bool ink(int px, int py) const {
    if (px < 0 || py < 0 || px >= width || py >= height) return false;
    return pixels[static_cast<std::size_t>(py) * static_cast<std::size_t>(width) + static_cast<std::size_t>(px)] < 250;
  }
};

// Page `page` (from 1) of a PostScript file at 144 dots an inch.
Raster render(const std::filesystem::path& ps, int page = 1);

// Pixels with ink in the square of half-side `half` cm around a paper
// point (cm from the lower-left corner of the page).
int ink_around(const Raster& r, double xcm, double ycm, double half);

}  // namespace dorvix::testing
