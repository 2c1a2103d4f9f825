// Selections through the program: the published GCMT catalogue (467
// events of magnitude 7 and above) in the HASH layout, read with bounds and
// polygons around the Tonga-Kermadec-Fiji zone and the Aleutian-Kamchatka-
// Kuril arc, across 180 degrees and within -180..180; the events kept, and
// the read report's extent of the longitudes, against those counted here
// from the catalogue's own table.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogue/dialogue_helpers.hpp"
#include "real_data.hpp"
#include "support/program_run.hpp"

namespace dorvix::testing {
namespace {

// The catalogue in the HASH layout, its events numbered from 1 in the
// table's order.
std::string gcmt_catalogue(const std::vector<CsvRow>& rows) {
  std::string catalogue;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const CsvRow& r = rows[k];
    catalogue += hash_line(static_cast<long long>(k + 1), r.number(3), r.number(4), r.number(5),
                           static_cast<int>(r.number(7)), static_cast<int>(r.number(8)),
                           static_cast<int>(r.number(9))) +
                 "\n";
  }
  return catalogue;
}

// The longitude in the turn around `middle`, where a map of a window of
// that middle draws it.
double in_turn(double lon, double middle) {
  while (lon < middle - 180) lon += 360;
  while (lon >= middle + 180) lon -= 360;
  return lon;
}

using Corners = std::vector<std::array<double, 2>>;  // longitude, latitude; anticlockwise

// Inside a window given west to east, its longitudes in its own turn.
std::function<bool(const CsvRow&)> in_window(double west, double east, double south, double north) {
  return [=](const CsvRow& r) {
    const double lon = in_turn(r.number(4), (west + east) / 2), lat = r.number(3);
    return west <= lon && lon <= east && south <= lat && lat <= north;
  };
}

// On the left of, or on, the line of every side (straight in longitude and
// latitude, the longitude in the turn around `middle`), or the plane of
// every side's great circle seen from outside the sphere: the inside of a
// convex polygon, and what a non-convex one keeps.
std::function<bool(const CsvRow&)> left_of_every_side(const Corners& corners, double middle, bool great_circles) {
  return [=](const CsvRow& r) {
    const double d = std::acos(-1.0) / 180;
    const auto vec = [d](const std::array<double, 2>& p) {
      return std::array<double, 3>{std::cos(p[1] * d) * std::cos(p[0] * d), std::cos(p[1] * d) * std::sin(p[0] * d),
                                   std::sin(p[1] * d)};
    };
    const std::array<double, 2> q{in_turn(r.number(4), middle), r.number(3)};
    for (std::size_t k = 0; k < corners.size(); ++k) {
      const auto &a = corners[k], &b = corners[(k + 1) % corners.size()];
      const auto u = vec(a), v = vec(b), p = vec(q);
      const double s = great_circles ? p[0] * (u[1] * v[2] - u[2] * v[1]) + p[1] * (u[2] * v[0] - u[0] * v[2]) +
                                           p[2] * (u[0] * v[1] - u[1] * v[0])
                                     : (b[0] - a[0]) * (q[1] - a[1]) - (b[1] - a[1]) * (q[0] - a[0]);
      if (s < 0) return false;
    }
    return true;
  };
}

std::string extent_line(const char* label, double read, double kept) {
  char buf[64];
  std::snprintf(buf, sizeof buf, " | %s | %10.3f | %10.3f |", label, read, kept);
  return buf;
}

// Bounds and lat-long polygons keep what a map of their window draws: the
// 93 events of 40S-10S, 165E-170W whether the window is given as 165..190
// or -195..-170, and a window within -180..180 the events read within it.
// A study of the Aleutian-Kamchatka-Kuril arc: bounds given the wrong way
// round are refused with a hint and asked again (a command file that gave
// them stops there); polygons listed clockwise are taken anticlockwise,
// with a line that says so; a non-convex one keeps the part on the left of
// every side, after a box that names the corner where it turns the other
// way; corners written across 180 (150, then -160) are placed nearest the
// one before (200), but for a side written once round the globe. The read
// report gives the longitudes' extent in the turn of a window across 180,
// and as read otherwise; with both a longitude test and a polygon, in the
// turn of the longitude test's bounds.
TEST(SelectionAcross180, SelectionsKeepWhatTheySayAndReportItInTheirWindowsTurn) {
  const std::vector<CsvRow> rows = real_data_table("gcmt_m7plus_fm.csv");
  ASSERT_EQ(rows.size(), 467u);
  const auto read_with = [](Lines criteria) { return read_script("1001", "gcmt.hash", criteria); };
  const auto zone = [&](Lines longitudes) {
    Lines all{"10", "y", "100", "y", "110", "-40", "-10", "200", "y", "210"};
    all.insert(all.end(), longitudes.begin(), longitudes.end());
    return read_with(all);
  };
  const Lines polygon = read_with({"10", "y", "250", "y", "252", "polygon.txt"});
  // The polygon's box of warnings needs a Return before the read.
  const Lines warned_polygon{"1000", "100", "10", "y", "250", "y", "252", "polygon.txt", "99", "", "1001", "gcmt.hash"};
  const std::string clockwise = " POLYGON CORNERS RUN CLOCKWISE => TAKEN ANTICLOCKWISE";
  const auto refused = [](const std::string& name, const std::string& hint, Lines where) {
    return join({error_head("setseistest"), {" " + name + " minimum must not be above its maximum", " " + hint},
                 where, {" ==> ENTER THEM AGAIN", " ===> HIT RETURN TO CONTINUE"}});
  };
  const auto not_convex = [](const std::string& corner, const std::string& sides) {
    return join({warning_head("spolygontst"),
                 {" THE POLYGON IS NOT CONVEX:", " IT TURNS THE OTHER WAY AT", " Vertex # longitud latitude", corner,
                  " => KEPT: ONLY THE PART OF ITS INSIDE THAT", "    LIES INSIDE THE " + sides + " OF EVERY EDGE;",
                  "    NOT WHAT LIES BEYOND THE TWO EDGES", "    AT SUCH A CORNER", " ===> HIT RETURN TO CONTINUE"}});
  };
  const Corners arc{{143, 40}, {160, 48}, {200, 49}, {200, 55}, {165, 58}, {140, 45}};
  const auto aleutians = in_window(150, 200, 40, 51.5);
  struct Case {
    const char* name;
    Lines answers;     // after the banner, to the listing
    std::string file;  // the command file, or the polygon file
    std::function<bool(const CsvRow&)> keeps;
    std::size_t kept;              // as counted in the table
    std::optional<double> middle;  // of a window across 180
    Lines block;                   // a box or a line the console holds
  };
  const Case cases[] = {
      {"bounds eastwards past 180", zone({"165", "190"}), "", in_window(165, 190, -40, -10), 93, 177.5, {}},
      {"bounds westwards past -180", zone({"-195", "-170"}), "", in_window(-195, -170, -40, -10), 93, -182.5, {}},
      {"longitude reversed, then corrected", zone({"165", "-170", "", "", "190"}), "", in_window(165, 190, -40, -10),
       93, 177.5, refused("longitude", "(a window across the antimeridian: e.g. 170 to 190)", {})},
      {"bounds east of 180", zone({"165", "180"}), "", in_window(165, 180, -40, -10), 49, std::nullopt, {}},
      {"bounds west of -180", zone({"-180", "-170"}), "", in_window(-180, -170, -40, -10), 44, std::nullopt, {}},
      {"bounds around Greenwich", read_with({"10", "y", "200", "y", "210", "-100", "100"}), "",
       in_window(-100, 100, -90, 90), 133, std::nullopt, {}},
      {"lat-long polygon eastwards past 180", polygon, "4 2\n165 -40\n190 -40\n190 -10\n165 -10\n",
       in_window(165, 190, -40, -10), 93, 177.5, {}},
      {"lat-long polygon westwards past -180", polygon, "4 2\n-195 -40\n-170 -40\n-170 -10\n-195 -10\n",
       in_window(-195, -170, -40, -10), 93, -182.5, {}},
      {"bounds -178 to -172 with a lat-long polygon eastwards past 180",
       read_with({"10", "y", "200", "y", "210", "-178", "-172", "250", "y", "252", "polygon.txt"}),
       "4 2\n165 -40\n190 -40\n190 -10\n165 -10\n", in_window(-178, -172, -40, -10), 32, std::nullopt, {}},
      {"lat-long polygon west of -180", polygon, "4 2\n-180 -40\n-170 -40\n-170 -10\n-180 -10\n",
       in_window(-180, -170, -40, -10), 44, std::nullopt, {}},
      {"latitude 60 to 40 in a command file",
       {"5000", "5001", "commands.txt", "", "40", "60", "99", "1001", "gcmt.hash"},
       "1000\n100\n10\ny\n100\ny\n110\n60\n40\n99\n1001\ngcmt.hash\n1100\n", in_window(-180, 180, 40, 60), 63,
       std::nullopt,
       refused("latitude", "(south is negative: e.g. -40 to -10 for 40S to 10S)",
               {" READ FROM LINE      9 OF THE COMMAND FILE", " ===> COMMAND FILE STOPPED"})},
      {"depth 100 to 10", read_with({"10", "y", "300", "y", "310", "100", "10", "", "10", "100"}), "",
       [](const CsvRow& r) { return 10 <= r.number(5) && r.number(5) <= 100; }, 357, std::nullopt,
       refused("depth", "(depths grow downwards: e.g. 10 to 100)", {})},
      {"rake 170 to -170, then two intervals",
       read_with({"10", "y", "500", "y", "510", "170", "-170", "", "", "180", "520", "y", "530", "-180", "-170"}), "",
       [](const CsvRow& r) { return std::abs(r.number(9)) >= 170 || std::abs(r.number(12)) >= 170; }, 44,
       std::nullopt, refused("rake 1", "(an interval across 180 is two: e.g. 170 to 180 and -180 to -170)", {})},
      {"Aleutian bounds 150 to 200", read_with({"10", "y", "200", "y", "210", "150", "200", "100", "y", "110", "40",
                                                "51.5"}),
       "", aleutians, 12, 175, {}},
      {"lat-long box clockwise", polygon, "4 2\n150 51.5\n200 51.5\n200 40\n150 40\n", aleutians, 12, 175,
       {clockwise}},
      {"lat-long box clockwise, written across 180", polygon, "4 2\n150 51.5\n-160 51.5\n-160 40\n150 40\n",
       aleutians, 12, 175, {clockwise}},
      {"lat-long box round the globe", polygon, "4 2\n-180 -90\n180 -90\n180 90\n-180 90\n",
       in_window(-180, 180, -90, 90), 467, std::nullopt, {}},
      {"great-circle box clockwise", polygon, "4 1\n150 51.5\n200 51.5\n200 40\n150 40\n",
       left_of_every_side({{150, 40}, {200, 40}, {200, 51.5}, {150, 51.5}}, 175, true), 18, 175, {clockwise}},
      {"arc not convex, written across 180", warned_polygon, "6 2\n143 40\n160 48\n-160 49\n-160 55\n165 58\n140 45\n",
       left_of_every_side(arc, 170, false), 6, 170, not_convex("        2  160.000   48.000", "LINE")},
      {"arc not convex, great circles clockwise", warned_polygon,
       "6 1\n140 45\n165 58\n200 55\n200 49\n160 48\n143 40\n", left_of_every_side(arc, 170, true), 11, 170,
       join({{clockwise}, not_convex("        5  160.000   48.000", "GREAT CIRCLE")})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    write_file(dir / "gcmt.hash", gcmt_catalogue(rows));
    write_file(dir / (c.answers[0] == "5000" ? "commands.txt" : "polygon.txt"), c.file);
    const ProgramRun run = run_dorvix(dir, script({c.answers, {"1100", "9999"}}));
    EXPECT_EQ(run.status, 0);
    std::vector<long long> want;
    double read_min = 1e4, read_max = -1e4, kept_min = 1e4, kept_max = -1e4;
    for (std::size_t k = 0; k < rows.size(); ++k) {
      const double lon = c.middle ? in_turn(rows[k].number(4), *c.middle) : rows[k].number(4);
      read_min = std::min(read_min, lon);
      read_max = std::max(read_max, lon);
      if (!c.keeps(rows[k])) continue;
      want.push_back(static_cast<long long>(k + 1));
      kept_min = std::min(kept_min, lon);
      kept_max = std::max(kept_max, lon);
    }
    EXPECT_EQ(want.size(), c.kept);
    EXPECT_EQ(listed_ids(run.lines), want);
    EXPECT_TRUE(has_block(run.lines, {extent_line("Long  maxi", read_max, kept_max),
                                      extent_line("Long  mini", read_min, kept_min)}));
    EXPECT_TRUE(has_block(run.lines, c.block));
    EXPECT_EQ(count(run.lines, " ==> ENTER THEM AGAIN"), has(c.block, " ==> ENTER THEM AGAIN") ? 1u : 0u);
    EXPECT_EQ(has(run.lines, clockwise), has(c.block, clockwise));
  }
}

}  // namespace
}  // namespace dorvix::testing
