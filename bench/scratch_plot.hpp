#pragma once
// A scratch plot file for the plotting benchmarks: opened on unit 50 with
// its prolog and the attributes of a new plot, removed again afterwards.

#include <filesystem>
#include <string>

#include "dialogue/console_units.hpp"
#include "files/units.hpp"
#include "plot/device.hpp"

namespace dorvix::bench {

inline std::filesystem::path open_scratch_plot(int dialect) {
  const auto file = std::filesystem::temp_directory_path() / ("dorvix-bench-" + std::to_string(dialect) + ".ps");
  units().open(50, file.string(), FileStatus::unknown);
  psparams.ipsunit = 50;
  psparams.ipstype = dialect;
  psparams.psorient = "P  ";
  psparams.ipspage = 1;
  psparams.ipspath = 0;
  psprolog(1, "bench.ps");
  iocom.lplotop = true;
  splotparam2(setup::all_subplots);
  return file;
}

inline void close_scratch_plot(const std::filesystem::path& file, bool remove = true) {
  psend();
  iocom.lplotop = false;
  if (remove) std::filesystem::remove(file);
}

}  // namespace dorvix::bench
