// The map's line files: the world's shorelines at GSHHG intermediate
// resolution (some 460,000 points, made at run time by
// bench/line_files.sh into the folder DORVIX_LINE_FILES_DIR) drawn from
// the line-file menu as the map's drawing run calls it, under code 15, the
// answers coming from a command file: GSHHS polygons clipped to the
// window and not, and the same points as a GEBCO file and as a USGS dump
// (neither clipped). One run a
// repetition; the plot file is opened before and closed after it, out of
// the time.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "dialogue/console_units.hpp"
#include "files/units.hpp"
#include "map/line_files.hpp"
#include "plot/draw.hpp"
#include "projection/graticule.hpp"
#include "projection/projection_menu.hpp"
#include "scratch_plot.hpp"

namespace {

using namespace dorvix;

constexpr int command_unit = 15;

// The folder of the data, or nothing when the script did not make it.
const char* data_dir() { return std::getenv("DORVIX_LINE_FILES_DIR"); }

// Start-up as the program's: angles, graticule and projection (code 15),
// the console on a sink.
void start_up() {
  static std::istringstream keyboard;
  static std::ostringstream sink;
  static const bool done = [] {
    units().set_console(keyboard, sink);
    GridValues grid;
    sllgrid3(grid, setup::initialise);
    int iproj = 0;
    sprojll2(iproj, setup::initialise);
    return true;
  }();
  (void)done;
  sink.str("");
}

void draw(benchmark::State& state, const std::string& answers) {
  if (data_dir() == nullptr) {
    state.SkipWithError("DORVIX_LINE_FILES_DIR not set: run bench/line_files.sh");
    return;
  }
  std::filesystem::current_path(data_dir());
  start_up();
  std::ofstream("bench.cmd") << answers;
  for (auto _ : state) {
    state.PauseTiming();
    const auto plot = bench::open_scratch_plot(dialect_compressed);
    int s = 1;
    ssubplot(s, setup::passed);
    real x0 = 10, y0 = 14, xx = 2.5f, xy = 0, yx = 0, yy = 2.5f;
    sus2cm1(x0, y0, xx, xy, yx, yy, setup::passed);
    units().open(command_unit, "bench.cmd", FileStatus::old_file);
    iocom.iuin = command_unit;
    iocom.lcomfop = true;
    iocom.lwito(2) = false;
    state.ResumeTiming();

    contours1(-180.0f, 180.0f, -80.0f, 84.0f, setup::passed);

    state.PauseTiming();
    units().close(command_unit);
    units().flush(50);
    // What was drawn: the size of the plot file.
    state.counters["plot_MB"] = static_cast<double>(std::filesystem::file_size(plot)) / 1.0e6;
    bench::close_scratch_plot(plot);
    state.ResumeTiming();
  }
}

void BM_gshhs_clipped(benchmark::State& state) { draw(state, "5\nworld.gshhs\n99\n"); }
void BM_gshhs_not_clipped(benchmark::State& state) { draw(state, "10\nn\n5\nworld.gshhs\n99\n"); }
void BM_gebco(benchmark::State& state) { draw(state, "3\nworld.gebco\n99\n"); }
void BM_usgs(benchmark::State& state) { draw(state, "4\nworld.usgs\n99\n"); }

BENCHMARK(BM_gshhs_clipped)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_gshhs_not_clipped)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_gebco)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_usgs)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
