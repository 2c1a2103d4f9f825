// The dispatcher against the projection routine it dispatches to: 1,000,000
// points projected by projlln under the current code, and by the code's
// routine called directly, for a conic (3), an oblique azimuthal (8), a
// cylindrical (15) and a pseudocylindrical projection (24). Items per
// second is points per second.

#include <benchmark/benchmark.h>

#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "files/units.hpp"
#include "geometry/angles.hpp"
#include "projection/codes.hpp"
#include "projection/dispatcher.hpp"
#include "projection/projection_menu.hpp"
#include "projection/state.hpp"

namespace {

using dorvix::real;

constexpr std::size_t point_count = 1'000'000;

struct PointSet {
  std::vector<real> lon, lat;
};

// Points of the hemisphere around the default origin, where every code
// here has an image.
const PointSet& points() {
  static const PointSet p = [] {
    std::mt19937 random(20100416);
    std::uniform_real_distribution<float> lon(-170.0f, 170.0f), lat(-60.0f, 85.0f);
    PointSet s;
    for (std::size_t i = 0; i < point_count; ++i) {
      s.lon.push_back(dorvix::rad(lon(random)));
      s.lat.push_back(dorvix::rad(lat(random)));
    }
    return s;
  }();
  return p;
}

// The projection set up as the program does, silently, under `code`.
void use(int code) {
  int c = code;
  dorvix::sprojll2(c, dorvix::setup::passed);
}

// `project` over the whole point set, under `code`.
template <class Project>
void measure(benchmark::State& state, int code, Project project) {
  use(code);
  const PointSet& p = points();
  std::vector<real> x(point_count), y(point_count);
  for (auto _ : state) {
    project(x, y, p.lon, p.lat, static_cast<int>(point_count));
    benchmark::DoNotOptimize(x.data());
    benchmark::DoNotOptimize(y.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * point_count));
}

void through_projlln(benchmark::State& state, int code) { measure(state, code, dorvix::projlln); }

void routine_itself(benchmark::State& state, int code) {
  measure(state, code, dorvix::find_projection_code(code)->forward);
}

// The dialogue of the set-up routines is not wanted on the terminal.
std::ostringstream quiet;

bool register_all() {
  dorvix::units().set_console(std::cin, quiet);
  int iproj = 0;
  dorvix::sprojll2(iproj, dorvix::setup::initialise);
  for (const int code : {3, 8, 15, 24}) {
    const std::string name = "code" + std::string(code < 10 ? "0" : "") + std::to_string(code) + "/" +
                             std::string(dorvix::find_projection_code(code)->routine);
    benchmark::RegisterBenchmark((name + "/projlln").c_str(), through_projlln, code)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/routine").c_str(), routine_itself, code)->Unit(benchmark::kMillisecond);
  }
  return true;
}

const bool registered = register_all();

}  // namespace
