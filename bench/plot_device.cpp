// Writing PostScript at device level: polylines and texts into a plot file,
// in the compressed and the plain dialect.

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "dialogue/console_units.hpp"
#include "files/units.hpp"
#include "plot/device.hpp"
#include "scratch_plot.hpp"

namespace {

using namespace dorvix;

// A 500-point polyline (the device chunk of the drawing layer), a spiral
// with coordinates of every magnitude on the sheet.
void BM_deline(benchmark::State& state) {
  const auto file = bench::open_scratch_plot(static_cast<int>(state.range(0)));
  constexpr int n = 500;
  std::vector<real> x0(n), y0(n);
  for (int i = 0; i < n; ++i) {
    const real r = 0.5f * static_cast<real>(i);
    x0[static_cast<std::size_t>(i)] = 297.5f + r * std::cos(0.1f * static_cast<real>(i));
    y0[static_cast<std::size_t>(i)] = 421.0f + r * std::sin(0.1f * static_cast<real>(i));
  }
  std::vector<real> x = x0, y = y0;
  for (auto _ : state) {
    deline(x, y, n);
  }
  state.SetItemsProcessed(state.iterations() * n);
  bench::close_scratch_plot(file);
}
BENCHMARK(BM_deline)->Arg(1)->Arg(2);

void BM_detext2(benchmark::State& state) {
  const auto file = bench::open_scratch_plot(static_cast<int>(state.range(0)));
  plt2blk.justif = 6;
  plt2blk.txtangle = 30;
  for (auto _ : state) {
    real x = 100, y = 200;
    detext2(x, y, "M 5.3 (1987) 12:34");
  }
  state.SetItemsProcessed(state.iterations());
  bench::close_scratch_plot(file);
}
BENCHMARK(BM_detext2)->Arg(1)->Arg(3);

}  // namespace
