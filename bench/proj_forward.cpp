// Forward projection of 1,000,000 points under each map projection code,
// side by side with PROJ (proj_trans_generic) on the same points under the
// equivalent projection. Items per second is points per second.

#include <benchmark/benchmark.h>
#include <proj.h>

#include <cmath>
#include <cstring>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "files/units.hpp"
#include "geometry/angles.hpp"
#include "projection/codes.hpp"
#include "projection/ellipsoid.hpp"
#include "projection/equal_area_conic.hpp"
#include "projection/lambert_conic.hpp"
#include "projection/oblique.hpp"
#include "projection/polyconic.hpp"
#include "projection/state.hpp"

namespace {

using dorvix::real;

constexpr std::size_t point_count = 1'000'000;

struct Setting {
  int code;
  std::string proj;                      // PROJ's parameters
  double lon_low, lon_high, lat_low, lat_high;  // degrees, where both have values
};

// Start-up parameters (latitudes 30 and 60, oblique centre (0, 45), GRS80),
// an angle of view of 90 degrees for the perspective, 2 degrees between
// the central and the true-scale meridian of code 14, and each code's
// derived constants.
void set_up(int code) {
  using namespace dorvix;
  llpparam = {};
  llorig = {};
  llpparam.latp1 = rad(30.0f);
  llpparam.latp2 = rad(60.0f);
  llpparam.longp2 = rad(2.0f);
  llpparam.anglep1 = rad(180.0f);
  a2b.ab = oblique_matrix(0.0f, rad(45.0f));
  int iell = 1;
  sellipsoid(iell, setup::passed);
  switch (code) {
    case 3: slcc2(); break;
    case 4: slcce2(); break;
    case 11:
    case 12:
      llpparam.anglep1 = rad(90.0f);
      llpparam.pconst1 = std::sin(0.5f * llpparam.anglep1);
      llpparam.pconst2 = std::cos(0.5f * llpparam.anglep1);
      break;
    case 14: simwpoly2(); break;
    case 19: salbesph2(); break;
    case 20: sbonnesph2(); break;
    default: break;
  }
}

std::vector<Setting> settings() {
  const std::string ell = " +a=1 +b=" + std::to_string(6356752.5 / 6378137.0);
  const std::string h = " +h=" + std::to_string(1 / std::sin(3.14159265358979 / 4) - 1);
  return {
      {1, "+proj=tmerc +R=1", -80, 80, -80, 80},
      {2, "+proj=tmerc" + ell, -10, 10, -80, 80},
      {3, "+proj=lcc +R=1 +lat_1=30 +lat_2=60", -170, 170, -70, 85},
      {4, "+proj=lcc +lat_1=30 +lat_2=60" + ell, -170, 170, -70, 85},
      {5, "+proj=laea +R=1 +lat_0=90", -180, 180, -80, 90},
      {6, "+proj=laea +R=1 +lat_0=45", -60, 60, -20, 85},
      {7, "+proj=stere +R=1 +lat_0=90", -180, 180, -60, 90},
      {8, "+proj=stere +R=1 +lat_0=45", -60, 60, -20, 85},
      {9, "+proj=ortho +R=1 +lat_0=90", -180, 180, 1, 90},
      {10, "+proj=ortho +R=1 +lat_0=45", -40, 40, 10, 80},
      {11, "+proj=nsper +R=1 +lat_0=90" + h, -180, 180, 46, 90},
      {12, "+proj=nsper +R=1 +lat_0=45" + h, -25, 25, 25, 65},
      {13, "+proj=poly +R=1", -150, 150, -80, 80},
      {14, "+proj=imw_p +lat_1=30 +lat_2=60 +lon_1=2" + ell, -10, 10, 28, 62},
      {15, "+proj=merc +R=1", -180, 180, -85, 85},
      {16, "+proj=merc" + ell, -180, 180, -85, 85},
      {17, "+proj=gnom +R=1 +lat_0=90", -180, 180, 25, 90},
      {18, "+proj=gnom +R=1 +lat_0=45", -40, 40, 10, 80},
      {19, "+proj=aea +R=1 +lat_1=30 +lat_2=30", -180, 180, -85, 85},
      {20, "+proj=bonne +R=1 +lat_1=30", -180, 180, -85, 85},
      {21, "+proj=bonne +R=1 +lat_1=90", -180, 180, -85, 85},
      {22, "+proj=sinu +R=1", -180, 180, -85, 85},
      {23, "+proj=cea +R=1", -180, 180, -85, 85},
      {24, "+proj=moll +R=1", -180, 180, -85, 85},
      {25, "+proj=vandg +R=1", -180, 180, -85, 85},
  };
}

// The same pseudo-random points for both, in radians.
struct PointSet {
  std::vector<real> lon, lat;
  std::vector<double> lon_d, lat_d;
};

PointSet points_for(const Setting& s) {
  std::mt19937 random(20240 + static_cast<unsigned>(s.code));
  std::uniform_real_distribution<double> lon(s.lon_low, s.lon_high), lat(s.lat_low, s.lat_high);
  PointSet p;
  for (std::size_t i = 0; i < point_count; ++i) {
    const real lo = dorvix::rad(static_cast<real>(lon(random)));
    const real la = dorvix::rad(static_cast<real>(std::fmin(lat(random), 89.999)));
    p.lon.push_back(lo);
    p.lat.push_back(la);
    p.lon_d.push_back(lo);
    p.lat_d.push_back(la);
  }
  return p;
}

void ours(benchmark::State& state, Setting s) {
  set_up(s.code);
  const PointSet p = points_for(s);
  std::vector<real> x(point_count), y(point_count);
  const auto forward = dorvix::find_projection_code(s.code)->forward;
  for (auto _ : state) {
    forward(x, y, p.lon, p.lat, static_cast<int>(point_count));
    benchmark::DoNotOptimize(x.data());
    benchmark::DoNotOptimize(y.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * point_count));
}

void proj(benchmark::State& state, Setting s) {
  const PointSet p = points_for(s);
  PJ_CONTEXT* context = proj_context_create();
  PJ* projection = proj_create(context, s.proj.c_str());
  if (projection == nullptr) {
    state.SkipWithError(("PROJ refuses " + s.proj).c_str());
    proj_context_destroy(context);
    return;
  }
  std::vector<double> x(point_count), y(point_count);
  for (auto _ : state) {
    state.PauseTiming();  // PROJ works in place: fresh input each time
    std::memcpy(x.data(), p.lon_d.data(), point_count * sizeof(double));
    std::memcpy(y.data(), p.lat_d.data(), point_count * sizeof(double));
    state.ResumeTiming();
    proj_trans_generic(projection, PJ_FWD, x.data(), sizeof(double), point_count, y.data(), sizeof(double),
                       point_count, nullptr, 0, 0, nullptr, 0, 0);
    benchmark::DoNotOptimize(x.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * point_count));
  proj_destroy(projection);
  proj_context_destroy(context);
}

// The dialogue of the set-up routines is not wanted on the terminal.
std::ostringstream quiet;

bool register_all() {
  dorvix::units().set_console(std::cin, quiet);
  for (const Setting& s : settings()) {
    const std::string name = "code" + std::string(s.code < 10 ? "0" : "") + std::to_string(s.code) + "/" +
                             std::string(dorvix::find_projection_code(s.code)->routine);
    benchmark::RegisterBenchmark((name + "/ours").c_str(), ours, s)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/proj").c_str(), proj, s)->Unit(benchmark::kMillisecond);
  }
  return true;
}

const bool registered = register_all();

}  // namespace
