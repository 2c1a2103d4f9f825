// Selections across 180 degrees through the program: the published GCMT
// catalogue (467 events of magnitude 7 and above) read with longitude
// bounds and lat-long polygons around the Tonga-Kermadec-Fiji zone, given
// eastwards past 180 degrees, westwards past -180 and within -180..180;
// the events kept against those counted here from the catalogue's own
// longitudes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "real_data.hpp"
#include "support/program_run.hpp"

namespace dorvix::testing {
namespace {

// A rectangle of longitude and latitude, degrees.
struct Window {
  double west, east, south, north;
};

// The events of the catalogue inside the window: by their longitude as
// read, or, for a window past 180 degrees, by the one of lon - 360, lon and
// lon + 360 that lies in it.
std::vector<long long> inside(const std::vector<CsvRow>& rows, const Window& w, bool past_180) {
  std::vector<long long> ids;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const double lat = rows[k].number(3), lon = rows[k].number(4);
    bool in_longitude = false;
    for (const double shift : past_180 ? std::vector<double>{-360, 0, 360} : std::vector<double>{0}) {
      in_longitude = in_longitude || (w.west <= lon + shift && lon + shift <= w.east);
    }
    if (in_longitude && w.south <= lat && lat <= w.north) ids.push_back(static_cast<long long>(k + 1));
  }
  return ids;
}

const Lines reversed_bounds_box = {" " + std::string(43, '*'),
                                   " " + std::string(43, '*'),
                                   " ***                                     ***",
                                   " ***        subroutine setseistest       ***",
                                   " ***                                     ***",
                                   " ***                ERROR                ***",
                                   " ***                                     ***",
                                   " " + std::string(43, '*'),
                                   " " + std::string(43, '*'),
                                   " longitude minimum must not be above its maximum",
                                   " (a window across the antimeridian: e.g. 170 to 190)",
                                   " ==> ENTER THEM AGAIN",
                                   " ===> HIT RETURN TO CONTINUE",
                                   " " + std::string(43, '*')};

// Bounds and lat-long polygons keep what a map of their window draws: the
// 93 events of 40S-10S, 165E-170W whether the window is given as 165..190
// or -195..-170, bounds 165..-170 refused at the menu (and the maximum
// then given as 190), and windows within -180..180 the events whose
// longitudes, as read, lie in them.
TEST(SelectionAcross180, BoundsAndLatLongPolygonsKeepWhatTheMapOfTheirWindowDraws) {
  const std::vector<CsvRow> rows = real_data_table("gcmt_m7plus_fm.csv");
  ASSERT_EQ(rows.size(), 467u);
  std::string catalogue;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const CsvRow& r = rows[k];
    catalogue += hash_line(static_cast<long long>(k + 1), r.number(3), r.number(4), r.number(5),
                           static_cast<int>(r.number(7)), static_cast<int>(r.number(8)),
                           static_cast<int>(r.number(9))) +
                 "\n";
  }
  const Lines zone{"10", "y", "100", "y", "110", "-40", "-10", "200", "y", "210"};
  const Lines polygon{"10", "y", "250", "y", "252", "polygon.txt"};
  const auto bounds = [&zone](Lines answers) {
    Lines all = zone;
    all.insert(all.end(), answers.begin(), answers.end());
    return all;
  };
  struct Case {
    const char* name;
    Lines criteria;
    Window window;
    bool past_180;
    std::size_t kept;  // as counted in the zone by hand
  };
  const Case cases[] = {
      {"bounds eastwards past 180", bounds({"165", "190"}), {165, 190, -40, -10}, true, 93},
      {"bounds westwards past -180", bounds({"-195", "-170"}), {-195, -170, -40, -10}, true, 93},
      {"bounds reversed, then corrected", bounds({"165", "-170", "", "", "190"}), {165, 190, -40, -10}, true, 93},
      {"bounds east of the antimeridian", bounds({"165", "180"}), {165, 180, -40, -10}, false, 49},
      {"bounds west of the antimeridian", bounds({"-180", "-170"}), {-180, -170, -40, -10}, false, 44},
      {"bounds around Greenwich", {"10", "y", "200", "y", "210", "-100", "100"}, {-100, 100, -90, 90}, false, 133},
      {"lat-long polygon eastwards past 180", polygon, {165, 190, -40, -10}, true, 93},
      {"lat-long polygon westwards past -180", polygon, {-195, -170, -40, -10}, true, 93},
      {"lat-long polygon west of the antimeridian", polygon, {-180, -170, -40, -10}, false, 44},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    write_file(dir / "gcmt.hash", catalogue);
    const Window& w = c.window;
    // Counter-clockwise from the south-west corner, sides straight in
    // longitude and latitude.
    write_file(dir / "polygon.txt", "4 2\n" + std::to_string(w.west) + " " + std::to_string(w.south) + "\n" +
                                        std::to_string(w.east) + " " + std::to_string(w.south) + "\n" +
                                        std::to_string(w.east) + " " + std::to_string(w.north) + "\n" +
                                        std::to_string(w.west) + " " + std::to_string(w.north) + "\n");
    const ProgramRun run = run_dorvix(dir, script({read_script("1001", "gcmt.hash", c.criteria), {"1100", "9999"}}));
    EXPECT_EQ(run.status, 0);
    const std::vector<long long> want = inside(rows, w, c.past_180);
    EXPECT_EQ(want.size(), c.kept);
    EXPECT_EQ(listed_ids(run.lines), want);
    EXPECT_EQ(has_block(run.lines, reversed_bounds_box), std::string(c.name).find("reversed") != std::string::npos);
  }
}

}  // namespace
}  // namespace dorvix::testing
