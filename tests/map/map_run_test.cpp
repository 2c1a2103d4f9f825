// The map run and its driver called directly: a Si-Sh file that cannot be
// written (a full disk) is reported and closed while the drawing goes on;
// the caption's place; the plot attributes given back.

#include "map/map_run.hpp"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "dialogue/data_files.hpp"
#include "files/units.hpp"
#include "map/map_driver.hpp"
#include "projection/graticule.hpp"
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
  std::array<real, n> xd{}, yd{}, depth{6, 12, 3};
  std::array<double, n> lon{-117.25, -118.5, -116.0}, lat{34.5, 35.25, 33.75};
  std::array<real, n> strike{10, 30, 40}, dip{45, 60, 90}, rake{90, -90, 0};
  std::array<FixedText<10>, n> date{};
  std::array<FixedText<5>, n> time{};
  const MapData d{.xd = xd, .yd = yd, .rlong = lon, .rlat = lat, .depth = depth, .date1 = date, .time1 = time,
                  .azd1 = strike, .dipd1 = dip, .rakd1 = rake, .ndat = n, .ndatdim = n, .iouk = iouk, .lsish = true,
                  .ksub = 1};
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

// A run that draws only its caption: the run information centred under
// the top of the page at 10.5 cm, the number of data at 2 cm from the
// left, both from 28 cm up; the justification in force is given back.
TEST_F(MapTest, TheCaptionStandsAtTheTopAndLeavesTheJustification) {
  GridValues grid;
  sllgrid3(grid, setup::stored);
  grid.igrid = 0;
  sllgrid3(grid, setup::passed);
  int justification = 7;
  stextalign(justification, setup::passed);
  MapSwitches s;
  s.lscalegrid = s.lcontours = s.lepicenter = s.lshdir = s.lsymbll = false;
  const MapData d{.ndat = 0, .iouk = 2, .lsish = false, .ksub = 1};
  map_run(d, s);
  const Lines lines = drawn();
  Lines moves;
  for (const std::string& l : lines) {
    if (l.ends_with(" M")) moves.push_back(l);
  }
  // Points: 28.35 a centimetre; the three lines of the run information
  // each centred on its point.
  EXPECT_EQ(moves, (Lines{"297.68 793.80 M", "297.68 783.17 M", "297.68 772.54 M", "56.70 793.80 M"}));
  EXPECT_EQ(count_of(lines, "sl -2 div 0 G"), 3);
  EXPECT_EQ(lines.back(), "(Number of data: 0) show");
  stextalign(justification, setup::stored);
  EXPECT_EQ(justification, 7);
}

// The driver gives back, as the user leaves it, the symbol size and type
// it found with the plot open, which a RUN with epicentres changes.
TEST_F(MapTest, TheDriverGivesBackTheSymbolsItFound) {
  std::array<real, 1> xd{}, yd{}, none{};
  std::array<double, 1> nowhere{};
  std::array<FixedText<10>, 1> date{};
  std::array<FixedText<5>, 1> time{};
  const MapData d{.xd = xd, .yd = yd, .rlong = nowhere, .rlat = nowhere, .depth = none, .date1 = date, .time1 = time,
                  .azd1 = none, .dipd1 = none, .rakd1 = none, .ndat = 0, .ndatdim = 1, .iouk = 2, .lsish = false,
                  .ksub = 1};
  mapseis4(d, setup::initialise);
  real size = 0.7f;
  int type = 5;
  ssymbolsize(size, setup::passed);
  ssymboltype(type, setup::passed);
  // No lines or points, no fit; RUN appends to the open page; leave.
  type_raw("340\nn\n343\nn\n15\nn\n1000\n2\n99\n");
  mapseis4(d, setup::menu_from_passed);
  EXPECT_TRUE(contains(screen_lines(), " PLOTTING EPICENTERS"));
  size = 0;
  type = 0;
  ssymbolsize(size, setup::stored);
  ssymboltype(type, setup::stored);
  EXPECT_EQ(size, 0.7f);
  EXPECT_EQ(type, 5);
}

}  // namespace
}  // namespace dorvix::testing
