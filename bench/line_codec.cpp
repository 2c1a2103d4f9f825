// Reading and writing 60000 catalogue lines of each layout, one store slot
// a line, as the catalogue reader and writer do. The lines are the
// published SCEDC HASH file and the northern California FPFIT example,
// repeated to fill the store.

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/line_codec.hpp"
#include "catalogue/store.hpp"

namespace {

using namespace dorvix;

std::vector<std::string> lines_of(const std::string& name) {
  std::vector<std::string> lines;
  for (const char* dir : {DORVIX_SOURCE_DIR "/../shared/data/real/", DORVIX_SOURCE_DIR "/../../shared/data/real/"}) {
    std::ifstream in(dir + name);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    if (!lines.empty()) break;
  }
  return lines;
}

// 60000 lines cycled from a published file.
std::vector<std::string> full_store_of(const std::string& name) {
  const auto source = lines_of(name);
  std::vector<std::string> lines;
  if (source.empty()) return lines;
  lines.reserve(FpsBlk::n);
  while (lines.size() < FpsBlk::n) lines.push_back(source[lines.size() % source.size()]);
  return lines;
}

void read_lines(benchmark::State& state, Layout layout, const std::string& file) {
  const auto lines = full_store_of(file);
  if (lines.empty()) {
    state.SkipWithError(("missing " + file).c_str());
    return;
  }
  auto blk = std::make_unique<FpsBlk>();
  for (auto _ : state) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      benchmark::DoNotOptimize(read_catalogue_line(layout, lines[i], *blk, i));
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(lines.size()));
}

void write_lines(benchmark::State& state, Layout layout, const std::string& file) {
  const auto lines = full_store_of(file);
  if (lines.empty()) {
    state.SkipWithError(("missing " + file).c_str());
    return;
  }
  auto blk = std::make_unique<FpsBlk>();
  for (std::size_t i = 0; i < lines.size(); ++i) read_catalogue_line(layout, lines[i], *blk, i);
  std::string line;
  for (auto _ : state) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      benchmark::DoNotOptimize(write_catalogue_line(layout, *blk, i, line));
      benchmark::DoNotOptimize(line.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(lines.size()));
}

const std::string hash_file = "scedc_hash_2018.hash";
const std::string fpfit_file = "fpfit_usgs_example_hinv_ncal1997.fpfit";

void BM_ReadHashLines(benchmark::State& state) { read_lines(state, Layout::hash, hash_file); }
void BM_ReadFpfitLines(benchmark::State& state) { read_lines(state, Layout::fpfit, fpfit_file); }
void BM_WriteHashLines(benchmark::State& state) { write_lines(state, Layout::hash, hash_file); }
void BM_WriteFpfitLines(benchmark::State& state) { write_lines(state, Layout::fpfit, fpfit_file); }

BENCHMARK(BM_ReadHashLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFpfitLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteHashLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFpfitLines)->Unit(benchmark::kMillisecond);

}  // namespace
