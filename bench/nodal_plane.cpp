// Second nodal plane of a full store: 60000 mechanisms, plane 1 to plane 2,
// as the catalogue reader computes it for every retained line.

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "catalogue/nodal_plane.hpp"
#include "catalogue/store.hpp"

namespace {

using namespace dorvix;

void BM_SecondPlaneOfAFullStore(benchmark::State& state) {
  auto blk = std::make_unique<FpsBlk>();
  std::mt19937 gen(1);
  std::uniform_real_distribution<float> strike(0, 360), dip(0, 90), rake(-180, 180);
  for (std::size_t i = 0; i < FpsBlk::n; ++i) {
    blk->strike1[0][i] = strike(gen);
    blk->dip1[0][i] = dip(gen);
    blk->rake1[0][i] = rake(gen);
  }
  for (auto _ : state) {
    for (std::size_t i = 0; i < FpsBlk::n; ++i) {
      nodalpladrdeg(blk->strike1[1][i], blk->dip1[1][i], blk->rake1[1][i], blk->strike1[0][i], blk->dip1[0][i],
                    blk->rake1[0][i]);
    }
    benchmark::DoNotOptimize(blk->strike1[1].data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(FpsBlk::n));
}
BENCHMARK(BM_SecondPlaneOfAFullStore)->Unit(benchmark::kMillisecond);

}  // namespace
