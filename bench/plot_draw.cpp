// Drawing in user units: the user-to-device conversion alone, and long
// polylines, symbols and arcs written into a plot file.

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/angles.hpp"
#include "console/iocom.hpp"
#include "console/units.hpp"
#include "plot/draw.hpp"
#include "scratch_plot.hpp"

namespace {

using namespace dorvix;

// Opens a scratch plot file in the Compressed dialect with the default
// attributes and a frame of 1 cm per user unit in subplot 1.
std::filesystem::path open_scratch() {
  static const bool angles_set = [] {
    trigoset();  // as at start-up; says so once
    return true;
  }();
  (void)angles_set;
  const auto file = dorvix::bench::open_scratch_plot(dialect_compressed);
  int s = 1;
  ssubplot(s, 1);
  real x0 = 1, y0 = 1, xx = 1, xy = 0, yx = 0, yy = 1;
  sus2cm1(x0, y0, xx, xy, yx, yy, 1);
  return file;
}

// n points of a spiral on the sheet, in user units (cm).
void spiral(int n, std::vector<real>& x, std::vector<real>& y) {
  x.resize(static_cast<std::size_t>(n));
  y.resize(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const real t = 0.01f * static_cast<real>(i);
    x[static_cast<std::size_t>(i)] = 9.5f + 0.5f * t * std::cos(t);
    y[static_cast<std::size_t>(i)] = 13.0f + 0.5f * t * std::sin(t);
  }
}

// The conversion of 1000 user points to device points, in place.
void BM_us2de(benchmark::State& state) {
  const auto file = open_scratch();
  std::vector<real> x0, y0;
  spiral(1000, x0, y0);
  std::vector<real> x = x0, y = y0;
  for (auto _ : state) {
    us2de(x, y, x, y, 1000);
    benchmark::DoNotOptimize(x.data());
    x = x0;
    y = y0;
  }
  state.SetItemsProcessed(state.iterations() * 1000);
  bench::close_scratch_plot(file);
}
BENCHMARK(BM_us2de);

// A polyline of 1000 user points: two device paths.
void BM_usline(benchmark::State& state) {
  const auto file = open_scratch();
  std::vector<real> x, y;
  spiral(1000, x, y);
  for (auto _ : state) usline(x, y, 1000);
  state.SetItemsProcessed(state.iterations() * 1000);
  bench::close_scratch_plot(file);
}
BENCHMARK(BM_usline);

// 1000 symbols in one call: the stroked circle (type 1) and the five-spoke
// star (type 17).
void BM_ussymbol(benchmark::State& state) {
  const auto file = open_scratch();
  std::vector<real> x, y;
  spiral(1000, x, y);
  plt2blk.symbsize = 0.4f;
  plt2blk.symbtype = static_cast<int>(state.range(0));
  for (auto _ : state) ussymbol(x, y, 1000);
  state.SetItemsProcessed(state.iterations() * 1000);
  bench::close_scratch_plot(file);
}
BENCHMARK(BM_ussymbol)->Arg(1)->Arg(17);

// A full circle of 360 points through the running point.
void BM_uscircle(benchmark::State& state) {
  const auto file = open_scratch();
  for (auto _ : state) uscircle(9.5f, 13.0f, 5.0f, 360);
  state.SetItemsProcessed(state.iterations() * 360);
  bench::close_scratch_plot(file);
}
BENCHMARK(BM_uscircle);

}  // namespace
