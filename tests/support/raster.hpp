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

// Each page of a plot file taken out alone, as page-selection tools take
// it by the page comments: the head before the first page, the page from
// its comment to the next, the trailer. For each page, the number of
// pixels in which it renders alone otherwise than within the whole file;
// -1 for a page that is blank or not rendered within the file (its
// comparison would tell nothing). Nothing for a file without page
// comments or trailer.
std::vector<long> pages_alone_differences(const std::filesystem::path& ps);

// For each of the first `pages` pages of the plot file `a`, the number of
// pixels in which it renders otherwise than the same page of `b`; -1 when
// one of them is not rendered.
std::vector<long> pages_differences(const std::filesystem::path& a, const std::filesystem::path& b, int pages);

}  // namespace dorvix::testing
