// What reading a line file costs per point record: nothing allocated. A
// world coast holds some 460,000 point records; each is read and parsed in
// place, so a file of many records allocates no more than a file of few.
// The test binary counts its allocations (allocation_count.hpp).

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "allocation_count.hpp"
#include "line_files_fixture.hpp"

namespace dorvix::testing {
namespace {

// A GEBCO line and a GSHHS polygon of n points each (records of some 30
// characters, as in GSHHG), along the 45th parallel from 10 degrees east.
void write_lines(const std::function<std::filesystem::path(const std::string&)>& path, const std::string& name,
                 int n) {
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
  write_file(path(name + ".gebco"), gebco);
  write_file(path(name + ".gshhs"), gshhs);
}

TEST_F(LineFileTest, PointRecordsAreReadWithoutAllocating) {
  const auto in_test_dir = [this](const std::string& name) { return path(name); };
  // Names of one length: the console says the same.
  write_lines(in_test_dir, "small", 10);
  write_lines(in_test_dir, "large", 2010);
  struct Case {
    std::string what;
    std::initializer_list<std::string> few, many;
  };
  for (const Case& c : {Case{"GEBCO", {"3", "small.gebco", "99"}, {"3", "large.gebco", "99"}},
                        Case{"GSHHS clipped", {"5", "small.gshhs", "99"}, {"5", "large.gshhs", "99"}},
                        Case{"GSHHS not clipped", {"10", "n", "5", "small.gshhs", "10", "y", "99"},
                             {"10", "n", "5", "large.gshhs", "10", "y", "99"}}}) {
    SCOPED_TRACE(c.what);
    // Once before counting: buffers that grow to their size once a run.
    run(0, 30, 30, 60, c.many);
    const auto counted = [&](std::initializer_list<std::string> answers) {
      screen();
      drawn();
      const long long before = allocations_so_far();
      run(0, 30, 30, 60, answers);
      const long long n = allocations_so_far() - before;
      EXPECT_TRUE(contains(screen_lines(), " total nb of plotted curves =       1"));
      return n;
    };
    const long long few = counted(c.few);
    EXPECT_EQ(counted(c.many), few) << "2000 more point records";
  }
}

}  // namespace
}  // namespace dorvix::testing
