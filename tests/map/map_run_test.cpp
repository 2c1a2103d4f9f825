// A map run whose Si-Sh file cannot be written (a full disk): the failure
// is reported, the file closed, and the drawing goes on.

#include "map/map_run.hpp"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "console/data_files.hpp"
#include "console/units.hpp"
#include "support/map_fixture.hpp"
#include "support/program_run.hpp"

namespace dorvix::testing {
namespace {

TEST_F(MapTest, ASiShFileThatCannotBeWrittenIsReportedAndClosed) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  initfio(1, 2, 1);
  constexpr int iouk = 2;
  ASSERT_TRUE(units().open(fiocom.iouf(iouk), "/dev/full", FileStatus::unknown));
  fiocom.iopou(iouk) = true;
  fiocom.oufnam(iouk) = "full.sish";

  constexpr int n = 3;
  std::array<real, n> xd{}, yd{}, lon{-117.25f, -118.5f, -116.0f}, lat{34.5f, 35.25f, 33.75f}, depth{6, 12, 3};
  std::array<real, n> strike{10, 30, 40}, dip{45, 60, 90}, rake{90, -90, 0};
  std::array<FixedText<10>, n> date{};
  std::array<FixedText<5>, n> time{};
  MapData d{xd, yd, lon, lat, depth, date, time, strike, dip, rake, n, iouk, true, 1};
  MapSwitches s;
  s.lcontours = false;
  s.lsymbll = false;
  type({"", ""});  // the boxes' pauses
  map_run(d, s);

  const Lines screen = screen_lines();
  EXPECT_TRUE(has_block(screen, {" WHILE WRITING Si-Sh FILE full.sish", " ==> ROWS OF THIS MAP ARE MISSING FROM IT",
                                 " ==> closing the file"}));
  EXPECT_FALSE(fiocom.iopou(iouk));
  // The stress symbols were drawn all the same.
  EXPECT_FALSE(drawn().empty());
}

}  // namespace
}  // namespace dorvix::testing
