// Numbers written into texts as the PostScript output writes its
// coordinates: 1000 plot coordinates in centimetres with two decimals in
// the shortest fixed-point form, and 1000 integers in their shortest form.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "dialogue/number_writers.hpp"

namespace {

using namespace dorvix;

// Coordinates across an A4 page, in points (28.35 to the centimetre),
// both signs, with fractions.
std::vector<real> page_coordinates() {
  std::vector<real> xs;
  for (int k = 0; k < 1000; ++k) xs.push_back(static_cast<real>((k * 7919) % 84000 - 2000) / real(100.0));
  return xs;
}

void coordinates_with_two_decimals(benchmark::State& state) {
  const auto xs = page_coordinates();
  std::string ctext(10, ' ');
  int nchar = 0;
  for (auto _ : state) {
    for (real x : xs) {
      real2charf1(ctext, nchar, 2, 10, x);
      benchmark::DoNotOptimize(ctext.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(xs.size()));
}
BENCHMARK(coordinates_with_two_decimals);

void integers_shortest(benchmark::State& state) {
  std::string ctext(10, ' ');
  int nchar = 0;
  for (auto _ : state) {
    for (int k = -500; k < 500; ++k) {
      intg2char(ctext, nchar, 10, k * 4099);
      benchmark::DoNotOptimize(ctext.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(integers_shortest);

}  // namespace
