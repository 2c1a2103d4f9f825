// What reading a line file costs per point record: nothing allocated. A
// world coast holds some 460,000 point records; each is read and parsed in
// place, so a file of many records allocates no more than a file of few.
// The test binary counts its allocations (allocation_count.hpp).

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "allocation_count.hpp"
#include "line_files_fixture.hpp"

namespace dorvix::testing {
namespace {

// A GEBCO line and a GSHHS polygon of n points each (records of some 30
// characters, as in GSHHG), along the 45th parallel from 10 degrees east.
std::pair<std::string, std::string> gebco_and_gshhs(int n) {
  std::string gebco = "1 " + std::to_string(n) + "\n", gshhs;
  char rec[100];
  std::snprintf(rec, sizeof rec, "  %6d%8d%2d  %13.3f%10.5f%10.5f%10.5f%10.5f\n", 1, n, 1, 0.0, 10.0, 20.0, 44.0, 46.0);
  gshhs = rec;
  for (int k = 0; k < n; ++k) {
    const double lon = 10.0 + 10.0 * k / n, lat = 45.0 + 0.5 * (k % 2);
    std::snprintf(rec, sizeof rec, "%.10f %.10f\n", lat, lon);
    gebco += rec;
    std::snprintf(rec, sizeof rec, "%.10f %.10f\n", lon, lat);
    gshhs += rec;
  }
  return {gebco, gshhs};
}

TEST_F(LineFileTest, PointRecordsAreReadWithoutAllocating) {
  // Names of one length: the console says the same.
  for (const auto& [name, n] : {std::pair{"small", 10}, std::pair{"large", 2010}}) {
    const auto [gebco, gshhs] = gebco_and_gshhs(n);
    write_file(path(std::string(name) + ".gebco"), gebco);
    write_file(path(std::string(name) + ".gshhs"), gshhs);
  }
  struct Case {
    std::string what, choice, extension;
    bool clipped;
  };
  for (const Case& c : {Case{"GEBCO", "3", ".gebco", true}, Case{"GSHHS clipped", "5", ".gshhs", true},
                        Case{"GSHHS not clipped", "5", ".gshhs", false}}) {
    SCOPED_TRACE(c.what);
    const auto draw_file = [&](const std::string& name) {
      if (c.clipped) {
        run(0, 30, 30, 60, {c.choice, name + c.extension, "99"});
      } else {
        run(0, 30, 30, 60, {"10", "n", c.choice, name + c.extension, "10", "y", "99"});
      }
    };
    // Once before counting: buffers that grow to their size once a run.
    draw_file("large");
    const auto counted = [&](const std::string& name) {
      screen();
      drawn();
      const long long before = allocations_so_far();
      draw_file(name);
      const long long n = allocations_so_far() - before;
      EXPECT_TRUE(contains(screen_lines(), " total nb of plotted curves =       1"));
      return n;
    };
    const long long few = counted("small");
    EXPECT_EQ(counted("large"), few) << "2000 more point records";
  }
}

}  // namespace
}  // namespace dorvix::testing
