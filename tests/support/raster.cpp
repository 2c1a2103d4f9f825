#include "support/raster.hpp"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <numeric>
#include <string>

#include "support/console_fixture.hpp"
#include "support/tools.hpp"

namespace dorvix::testing {

namespace {

constexpr int dpi = 144;
constexpr double pixels_per_point = dpi / 72.0;

// Pixel of a paper point in cm.
int column_of(double xcm) { return static_cast<int>(std::lround(xcm * 28.35 * pixels_per_point)); }
int row_of(const Raster& r, double ycm) {
  return r.height - 1 - static_cast<int>(std::lround(ycm * 28.35 * pixels_per_point));
}

}  // namespace

Raster render(const std::filesystem::path& ps, int page) {
  TempDir out;
  const auto pgm = out / "page.pgm";
  const std::string p = std::to_string(page);
  const auto r = run_command("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pgmraw -r" + std::to_string(dpi) +
                             " -dFirstPage=" + p + " -dLastPage=" + p + " -sOutputFile=" +
                             shell_quote(pgm.string()) + " " + shell_quote(ps.string()));
  Raster raster;
  if (r.status != 0) return raster;
  std::ifstream in(pgm, std::ios::binary);
  // The header: "P5", width, height and the largest value, with comment
  // lines ("# ...") between them; one blank before the pixels.
  auto token = [&in] {
    std::string t;
    while (in >> t && t[0] == '#') std::getline(in, t);
    return t;
  };
  if (token() != "P5") return raster;
  raster.width = std::stoi(token());
  raster.height = std::stoi(token());
  token();
  in.get();
  raster.pixels.resize(static_cast<std::size_t>(raster.width) * static_cast<std::size_t>(raster.height));
  in.read(reinterpret_cast<char*>(raster.pixels.data()), static_cast<std::streamsize>(raster.pixels.size()));
  return raster;
}

int ink_around(const Raster& r, double xcm, double ycm, double half) {
  const int c = column_of(xcm), w = row_of(r, ycm);
  const int h = static_cast<int>(half * 28.35 * pixels_per_point);
  int n = 0;
  for (int dy = -h; dy <= h; ++dy) {
    for (int dx = -h; dx <= h; ++dx) n += r.ink(c + dx, w + dy) ? 1 : 0;
  }
  return n;
}

namespace {

// Pixels in which two rasters of one size differ; -1 when their sizes
// differ (one of them not rendered).
long pixels_apart(const Raster& a, const Raster& b) {
  if (a.pixels.size() != b.pixels.size()) return -1;
  return std::inner_product(a.pixels.begin(), a.pixels.end(), b.pixels.begin(), 0L, std::plus<>(),
                            std::not_equal_to<>());
}

}  // namespace

std::vector<long> pages_differences(const std::filesystem::path& a, const std::filesystem::path& b, int pages) {
  std::vector<long> d;
  for (int page = 1; page <= pages; ++page) d.push_back(pixels_apart(render(a, page), render(b, page)));
  return d;
}

std::vector<long> pages_alone_differences(const std::filesystem::path& ps) {
  const std::vector<std::string> lines = split_lines(read_file(ps));
  // Where each page starts, and the trailer.
  std::vector<std::ptrdiff_t> starts;
  for (auto l = lines.begin(); l != lines.end(); ++l) {
    if (l->starts_with("%%Page:")) starts.push_back(l - lines.begin());
  }
  const auto trailer = std::find(lines.begin(), lines.end(), "%%Trailer");
  if (starts.empty() || trailer == lines.end()) return {};
  starts.push_back(trailer - lines.begin());

  TempDir dir;
  std::vector<long> differences;
  for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
    std::string text;
    const auto add = [&](std::ptrdiff_t from, std::ptrdiff_t to) {
      for (auto l = lines.begin() + from; l != lines.begin() + to; ++l) text += *l + "\n";
    };
    add(0, starts.front());
    add(starts[k], starts[k + 1]);
    add(starts.back(), static_cast<std::ptrdiff_t>(lines.size()));
    const auto alone = dir / "page.ps";
    write_file(alone, text);
    const Raster within = render(ps, static_cast<int>(k + 1)), by_itself = render(alone);
    const bool blank = std::none_of(within.pixels.begin(), within.pixels.end(), [](unsigned char p) { return p < 250; });
    differences.push_back(blank ? -1 : pixels_apart(within, by_itself));
  }
  return differences;
}

}  // namespace dorvix::testing
