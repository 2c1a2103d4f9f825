// The map's point menu called as the map's run calls it, on a plot open
// with the map's frame: its menu and settings, typed points and real
// epicentre lists projected against PROJ, points with no place on the
// map, and what Ghostscript finds drawn.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <filesystem>
#include <numbers>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "colfile/column_fixture.hpp"
#include "map/point_menu.hpp"
#include "numbers/edit.hpp"
#include "plot/buffers.hpp"
#include "plot/running_point_values.hpp"
#include "projection/origin.hpp"
#include "projection/parameter_setters.hpp"
#include "projection/state.hpp"
#include "support/map_fixture.hpp"
#include "support/pipe_writer.hpp"
#include "support/program_run.hpp"

namespace dorvix::testing {
namespace {

const Lines menu_body = {" -------------------------------------------", " MAPPING POINTS",
                         " -------------------------------------------", " use projection .............13 T",
                         " screen listing .............14 T", " line color .................51      1",
                         " fill color .................52      1", " symbol type ................53     -5",
                         " symbol size ................54    0.300", " X or longitude .............10    0.000",
                         " Y or latitude ..............20    0.000", " -------------------------------------------",
                         " Plot single point (x,y ) ..100", " Plot set of point (file) ..200",
                         " -------------------------------------------", " RETURN TO MAIN .............99"};
const Lines warning_head = {" " + std::string(43, '/'), " ///        subroutine mappoint          ///",
                            " ///               WARNING               ///", " " + std::string(43, '/')};
const std::string listing_head = " | nb|X-long  |Y-lat   |";
const std::string rule = " " + std::string(22, '=');

class PointMenuTest : public MapTest {
 protected:
  void SetUp() override {
    MapTest::SetUp();
    default_colour_table();
    bool iproj = true;
    mappoint(iproj, setup::initialise);
    initialised = screen_lines();
  }

  // One call of the menu with these answers; its screen lines.
  Lines run(bool iproj, const std::vector<std::string>& answers) {
    std::string script;
    for (const auto& a : answers) script += a + "\n";
    type_raw(script);
    try {
      mappoint(iproj, setup::menu_from_passed);
    } catch (const RunEnded&) {
      ADD_FAILURE() << "the answers ran out";
    }
    return screen_lines();
  }

  // Projection `code` with its oblique centre and its origin at (lon0,
  // lat0) degrees, set silently.
  void use(int code, real lon0, real lat0) {
    real lon = lon0, lat = lat0;
    soblique(lon, lat, setup::passed);
    projtype.iproj = code;
    sllorig(lon, lat, setup::passed);
    screen();
    drawn();
  }

  Lines initialised;
};

TEST_F(PointMenuTest, StartsFromItsDefaultsAndLeavingRestoresTheAttributesOfEntry) {
  EXPECT_EQ(initialised, join({menu_head("mappoint"), {" " + edit::pad("INITIALIZING PARAMETERS", 43)}}));
  // The attributes in force on entry, then the menu's own changed.
  const auto attributes = [](SetupMode mode, int line, int fill, int type, real size) {
    slinecolor(line, mode);
    sfillcolor(fill, mode);
    ssymboltype(type, mode);
    ssymbolsize(size, mode);
    return std::tuple{line, fill, type, size};
  };
  const auto on_entry = attributes(setup::passed, 3, 4, 7, 0.5f);
  const Lines first = run(true, {"51", "2", "52", "5", "53", "-3", "54", "0.7", "99"});
  EXPECT_TRUE(has_block(first, join({menu_head("mappoint"), menu_body, {menu_tail}})));
  EXPECT_EQ(attributes(setup::stored, 0, 0, 0, 0), on_entry);
  // The menu keeps its own values for the next call.
  const Lines second = run(false, {"99"});
  EXPECT_TRUE(has_block(second, {" use projection .............13 F", " screen listing .............14 T",
                             " line color .................51      2", " fill color .................52      5",
                             " symbol type ................53     -3", " symbol size ................54    0.700"}));
}

TEST_F(PointMenuTest, ATypedPointIsDrawnWhereItIsOrWhereItProjects) {
  // Unprojected, (2, 3) is 15.0 cm, 15.5 cm on the map's frame: one filled
  // pentagon of 0.3 cm, vertex up, around it (half the line width beyond).
  EXPECT_TRUE(has_block(run(false, {"10", "2", "20", "3", "100", "99"}),
                    {rule, " NO PROJECTION", " X, Y = input ", rule, rule, " PLOTTING LOCATION", rule, rule,
                     " Plotted coordinates:", rule, listing_head, " |  1|   2.000|   3.000|", rule}));
  // Projected under the start-up Mercator with its origin at (0, 45): the
  // equator at the origin's meridian lies ln tan(67.5 deg) below it.
  const Lines projected = run(true, {"10", "0", "20", "0", "100", "99"});
  EXPECT_TRUE(has_block(projected, {rule, " PROJECTING LOCATIONS", " LONG, LAT (input) --> X, Y", rule,
                                " PLOTTING LOCATION", rule, rule, " Plotted coordinates:", rule,
                                listing_head, " |  1|   0.000|  -0.881|", rule}));
  EXPECT_EQ(ptblock.ipt, 2);
  close_plot();
  DORVIX_REQUIRE_TOOL("gs");
  const auto box = drawn_box(path("test.ps"));
  ASSERT_EQ(box.size(), 4u);
  const double pt = 28.35, r = 0.15 * pt, slack = 0.6;
  const double cx = 15.0 * pt, cy = 15.5 * pt, px = 10.0 * pt, py = (8.0 - 2.5 * 0.8814) * pt;
  EXPECT_NEAR(box[0], px - 0.951 * r, slack);
  EXPECT_NEAR(box[1], py - 0.809 * r, slack);
  EXPECT_NEAR(box[2], cx + 0.951 * r, slack);
  EXPECT_NEAR(box[3], cy + r, slack);
}

TEST_F(PointMenuTest, RealEpicentreListsProjectAsProjProjectsThem) {
  DORVIX_REQUIRE_TOOL("proj");
  struct Case {
    std::string file, hex;
    int code;
    std::string proj;
    double scale;
    real lon0, lat0;  // oblique centre and origin
  };
  const std::vector<Case> cases = {
      {"sed_switzerland_points.txt", "sed_switzerland_points.hex", 15, "+proj=merc +R=1", 1, 0, 45},
      {"sed_switzerland_points.txt", "sed_switzerland_points.hex", 6, "+proj=laea +R=1 +lat_0=46.8 +lon_0=8.2", 0.5,
       8.2f, 46.8f},
      // 1200 points: the first 1000 read, with the reader's warning; the
      // row number 1000 overflows its three columns.
      {"scedc_hash_2018_points.txt", "scedc_hash_2018_points.hex", 15, "+proj=merc +R=1", 1, 0, 45},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.proj + " " + c.file);
    const std::filesystem::path real_dir(DORVIX_REAL_DATA_DIR);
    std::filesystem::copy_file(real_dir / c.file, path(c.file), std::filesystem::copy_options::overwrite_existing);
    use(c.code, c.lon0, c.lat0);
    const Lines out = run(true, {"200", c.file, "", "", "", "", "", "", "99"});
    const auto want = hex_values(real_dir / c.hex);
    const int n = std::min<int>(static_cast<int>(want.size()), curve_buffer_points);
    Points points;
    points.add(c.lon0, c.lat0);
    for (int k = 0; k < n; ++k) {
      points.add(std::bit_cast<real>(want[static_cast<std::size_t>(k)][0]),
                 std::bit_cast<real>(want[static_cast<std::size_t>(k)][1]));
    }
    const auto reference = proj_forward(c.proj, points);
    ASSERT_EQ(reference.size(), points.lon.size());
    for (int k = 0; k < n; ++k) {
      const auto& p = reference[static_cast<std::size_t>(k + 1)];
      ASSERT_TRUE(p.has_value());
      const auto at = static_cast<std::size_t>(k);
      EXPECT_NEAR(cc2dbuff.xp[at], c.scale * (p->first - reference[0]->first), 1e-5) << "row " << k + 1;
      EXPECT_NEAR(cc2dbuff.yp[at], c.scale * (p->second - reference[0]->second), 1e-5) << "row " << k + 1;
    }
    EXPECT_TRUE(has_block(out, {" INPUT FILE HAS BEEN READ", " NB OF DATA = " + edit::i(n, 6), " ====> GOING TO PLOT"}));
    // n rows numbered in turn, n symbols, nothing left out or clipped.
    const Lines listing = from_line(out, listing_head);
    ASSERT_GT(listing.size(), static_cast<std::size_t>(n) + 1);
    for (int k = 1; k <= n; ++k) {
      EXPECT_TRUE(listing[static_cast<std::size_t>(k)].starts_with(" |" + edit::i(k, 3) + "|")) << k;
    }
    EXPECT_EQ(listing[static_cast<std::size_t>(n) + 1], rule);
    EXPECT_EQ(paths_of(drawn()).size(), static_cast<std::size_t>(n));
    EXPECT_FALSE(has_block(out, warning_head));
  }
}

// Why a projected point has no place on the map.
const Lines no_place{" (latitude beyond 90 degrees, longitude of 131072 degrees or more,",
                     "  or no image under this projection)"};

// A point with no place on the map gets no symbol and is counted once;
// its row stays in the listing. The poles have no image under Mercator; a
// latitude beyond a pole is no point of the globe under any projection,
// even one whose formula would place it (the equal-area map folds it back
// over the pole).
// Taken as they stand, map coordinates too far for the plot file (a
// station list in metres) are left out in the same way.
TEST_F(PointMenuTest, PolesUnderMercatorAndLatitudesBeyondThemAreCountedNotDrawn) {
  write_file(path("poles.txt"), "'Poles'\n'lon' 'lat'\n0 90\n0 -90\n10 95\n");
  write_file(path("metres.txt"), "'UTM'\n'E' 'N'\n600000 5100000\n2 3\n1e30 0\n");
  struct Case {
    std::string file;
    bool project;
    int code;
    real lon0, lat0;
    int left_out;
    Lines rows;
  };
  const std::vector<Case> cases = {
      {"poles.txt", true, 15, 0, 45, 3,
       {" |  1|   0.000|********|", " |  2|   0.000|********|", " |  3|********|********|"}},
      {"poles.txt", true, 6, 8.2f, 46.8f, 1, {" |  3|********|********|"}},
      {"metres.txt", false, 15, 0, 45, 2,
       {" |  1|********|********|", " |  2|   2.000|   3.000|", " |  3|********|   0.000|"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file + " " + std::to_string(c.code));
    use(c.code, c.lon0, c.lat0);
    const Lines out = run(c.project, {"200", c.file, "", "", "", "", "", "", "99"});
    EXPECT_EQ(paths_of(drawn()).size(), static_cast<std::size_t>(3 - c.left_out));
    EXPECT_TRUE(has_block(out, join({warning_head,
                                 {" POINTS WITH NO PLACE ON THE MAP:" + edit::i(c.left_out, 7)},
                                 c.project ? no_place : Lines{" (too far from the map for the plot file)"},
                                 {" ==> NOT PLOTTED"}})));
    EXPECT_EQ(std::count(out.begin(), out.end(), " ///               WARNING               ///"), 1);
    EXPECT_FALSE(std::ranges::any_of(out, [](const std::string& l) { return l.find(" in meters = ") != l.npos; }));
    EXPECT_TRUE(has_block(out, c.rows));
    EXPECT_EQ(from_line(out, listing_head).at(4), rule);
  }
}

// Longitudes of many turns under Mercator (the window -80..80, whose turn
// runs from -180 to 180): those whose single-precision value is placed to
// a hundredth of a degree are drawn on their own meridian, moved by whole
// turns exactly (131071.9921875 less 364 turns is 31.9921875, -99999.9921875
// plus 278 turns 80.0078125, 540 less 2 turns -180); those from 131072 on,
// whose neighbours are 1/64 degree or more apart (1e10 and 123456789 among
// them, once drawn at 100 and -164), have no place and are counted.
TEST_F(PointMenuTest, LongitudesOfManyTurnsAreDrawnOnTheirMeridianOrCounted) {
  write_file(path("turns.txt"), "'Turns'\n'lon' 'lat'\n1e10 0\n123456789 0\n131072 0\n131071.9921875 0\n"
                                "-99999.9921875 0\n540 0\n");
  use(15, 0, 45);
  const Lines out = run(true, {"200", "turns.txt", "", "", "", "", "", "", "99"});
  EXPECT_TRUE(has_block(out, join({warning_head, {" POINTS WITH NO PLACE ON THE MAP:" + edit::i(3, 7)}, no_place})));
  EXPECT_TRUE(has_block(out, {listing_head, " |  1|********|********|", " |  2|********|********|",
                              " |  3|********|********|"}));
  EXPECT_EQ(paths_of(drawn()).size(), 3u);
  const double placed[] = {31.9921875, 80.0078125, -180};
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_NEAR(cc2dbuff.xp[3 + k], placed[k] * std::numbers::pi / 180, 1e-6) << "row " << 4 + k;
  }
}

// The column dialogue of the menu's reading names the columns from the
// file's second line and changes only the file column of a variable.
TEST_F(PointMenuTest, TheFileColumnOfAVariableIsAllThatChanges) {
  write_file(path("depths.txt"), "'Stations'\n'lon' 'lat' 'depth'\n7.5 46.2 3\n8.0 46.5 12\n");
  const Lines out = run(false, {"200", "depths.txt", "", "2", "3", "", "", "99"});
  EXPECT_TRUE(has_block(out, {" | 1|X-long    | 1|lon       | 1|lon       | 1", " | 2|Y-lat     | 2|lat       | 2|lat       | 2"}));
  EXPECT_TRUE(has_block(out, {" | 1|X-long    | 1|lon       | 1|lon       | 1", " | 2|Y-lat     | 2|depth     | 3|depth     | 2"}));
  EXPECT_TRUE(has_block(out, {" " + std::string(42, '.'), " Enter New file column nb"}));
  for (const std::string question : {" Enter New variable name", " Enter New array column nb"}) {
    EXPECT_FALSE(contains(out, question)) << question;
  }
  EXPECT_TRUE(has_block(out, {listing_head, " |  1|   7.500|   3.000|", " |  2|   8.000|  12.000|", rule}));
}

TEST_F(PointMenuTest, AFileNotReadDrawsAndListsNothing) {
  write_file(path("stations.txt"), "'Stations'\n'lon' 'lat'\n7.5 46.2\n8.0 46.5\n");
  const Lines out = run(true, {"200", "stations.txt", "", "", "99", "", "99"});
  EXPECT_TRUE(has_block(out, join({warning_head, {" INPUT FILE HAS NOT BEEN READ", " ====> NO DATA", " ====> SKIPPING PLOT"}})));
  EXPECT_FALSE(has_block(out, {" PLOTTING LOCATION"}) || has_block(out, {" Plotted coordinates:"}));
  EXPECT_TRUE(drawn().empty());
  EXPECT_FALSE(units().is_open(12));
}

// Through the program: the map's RUN opens the menu, a file of three
// points is read and listed as Mercator places them (the origin at (0, 45)
// degrees), the menu comes back, and 99 lets the run go on. A pipe is read
// as the file is, though its dialogue reads its first lines several times.
TEST(PointMenuRun, OpensInsideTheMapRunAndListsTheFileAsPlotted) {
  const std::string stations = "'Stations'\n'lon' 'lat'\n0 45\n0 0\n90 45\n";
  for (const bool pipe : {false, true}) {
    SCOPED_TRACE(pipe ? "pipe" : "file");
    TempDir dir;
    write_file(dir / "kavro7_ini.txt", "  F   1 P    1\n");
    std::optional<PipeWriter> writer;
    if (pipe) {
      writer.emplace(dir / "stations.txt", stations);
    } else {
      write_file(dir / "stations.txt", stations);
    }
    const ProgramRun run = run_dorvix(dir, {"", "2001", "340", "n", "1000", "", "map.ps", "200", "stations.txt", "",
                                            "", "", "99", "99", "9999", ""});
    EXPECT_EQ(run.status, 0);
    const Lines menu = join({menu_head("mappoint"), menu_body, {menu_tail}});
    const Lines prompt = {" " + std::string(42, '.'), " Enter your choice"};
    EXPECT_TRUE(has_block(run.lines, join({menu, prompt, {" New value =           200"}})));
    EXPECT_TRUE(has_block(run.lines, {" Name of column   1 lon", " Name of column   2 lat"}));
    EXPECT_TRUE(has_block(run.lines, {" Input file name: stations.txt", " Title: Stations",
                                      "     Number of variable status", " Could read up to:  99",
                                      " Actually read   :   2", "         Array status             ",
                                      " Could read up to:  1000 lines", " Actually read   :     3 lines",
                                      " Can use up to   :   2 columns", " Actually used   :   2 columns",
                                      " input file stations.txt closed", menu_tail}));
    EXPECT_TRUE(has_block(run.lines, join({{" INPUT FILE HAS BEEN READ", " NB OF DATA =      3", " ====> GOING TO PLOT",
                                            rule, " PROJECTING LOCATIONS", " LONG, LAT (input) --> X, Y", rule,
                                            " PLOTTING LOCATION", rule, rule, " Plotted coordinates:", rule,
                                            listing_head, " |  1|   0.000|   0.000|", " |  2|   0.000|  -0.881|",
                                            " |  3|   1.571|   0.000|", rule},
                                           menu, prompt, {" New value =            99"}})));
    EXPECT_TRUE(has_block(run.lines, {" PLOTTING EPICENTERS"}));
    expect_renders(dir.path() / "map.ps");
  }
}

}  // namespace
}  // namespace dorvix::testing
