// The map through the program: menus 2001 and 2002 run on catalogues, the
// Si-Sh file they write, the epicentres on the page against PROJ, maps
// where epicentres have no image, the window taken from the extraction
// bounds, and the point menu inside the run.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <random>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "catalogue/generated_catalogue.hpp"
#include "catalogue/real_data.hpp"
#include "geometry/angles.hpp"
#include "map/line_files_fixture.hpp"
#include "map/sish_file.hpp"
#include "numbers/edit.hpp"
#include "support/draw_fixture.hpp"
#include "support/program_run.hpp"
#include "support/projection_fixture.hpp"
#include "support/raster.hpp"

namespace dorvix::testing {
namespace {

constexpr double degree = std::numbers::pi / 180;
constexpr double points_per_cm = 28.35;

const std::string sish_title =
    "       Date       Time Latitu Longitu Depth Strik  Dip  Rake S1_azi S1_pl S2_azi S2_pl S3_azi S3_pl Sv AzSHmx";

// A row as the layout gives it: 07:05 after five blanks, a strike of 359.6 as "360.",
// an SHmax azimuth of 270 degrees folded to 90, and of 359.96 to 0.0.
TEST(SishFile, HeaderAndRowLayout) {
  EXPECT_EQ(sish_header(), sish_title);
  EXPECT_EQ(sish_header().size(), 109u);
  SishRow r{"2010-06-01", "07:05", 43.61f, -120.2f, 7.24f, 359.6f, 45.0f, -90.4f};
  r.az = {-0.5f, 3.0f, 1.0f};
  r.pl = {-0.1f, 0.2f, 1.2f};
  r.isv = -3;
  r.azsh = static_cast<real>(270 * degree);
  const std::string row = sish_row(r);
  EXPECT_EQ(row,
            " 2010-06-01      07:05  43.61 -120.20   7.2  360.  45.  -90.  -28.6  -5.7  171.9  11.5   57.3  68.8 3    "
            "90.0");
  EXPECT_EQ(row.size(), 109u);
  // Azimuths that round to the end their range leaves out: the other end.
  r.az = {static_cast<real>(-179.96 * degree), static_cast<real>(179.96 * degree), -0.5f};
  r.azsh = static_cast<real>(359.96 * degree);
  EXPECT_EQ(sish_row(r).substr(61), " 180.0  -5.7  180.0  11.5  -28.6  68.8 3     0.0");
  // A field too wide is filled with asterisks, the columns kept.
  r.depth = 12345.0f;
  EXPECT_EQ(sish_row(r).substr(38, 5), "*****");
}

// The row edited in place against its fields edited one by one as texts,
// over seeded random rows: values within their fields and beyond them,
// negative zeros, azimuths at the ends of their ranges.
TEST(SishFile, RowsEditedInPlaceMatchTheirFieldsEditedAsTexts) {
  const unsigned seed = 25;
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
  const auto angle = [&](float span) {  // radians, now and then near a half turn
    const float a = unit(random) * span;
    return random() % 4 == 0 ? std::nextafter(static_cast<float>(std::numbers::pi), a) * (a < 0 ? -1.0f : 1.0f) : a;
  };
  const auto folded = [](double v, double from, double to) {
    const std::string f = edit::f(v, 6, 1);
    return f == edit::f(from, 6, 1) ? edit::f(to, 6, 1) : f;
  };
  for (int n = 0; n < 20000; ++n) {
    const float scale = n % 8 == 0 ? 1.0e5f : n % 8 == 1 ? 1.0e-3f : 200.0f;
    SishRow r{"2010-06-01", n % 2 == 0 ? "07:05" : "23:59", unit(random) * scale, unit(random) * scale,
              unit(random) * scale, unit(random) * scale, unit(random) * scale, n % 16 == 3 ? -0.0f : unit(random) * scale};
    for (std::size_t k = 0; k < 3; ++k) {
      r.az[k] = angle(3.2f);
      r.pl[k] = angle(1.6f);
    }
    r.isv = static_cast<int>(random() % 25) - 12;
    r.azsh = std::fabs(angle(6.3f));
    std::string want = " " + edit::a(r.date, 10) + " " + edit::a(r.time, 10);
    for (const auto& [v, w, d] : {std::tuple{r.lat, 6, 2}, {r.lon, 7, 2}, {r.depth, 5, 1}, {r.strike, 5, 0},
                                  {r.dip, 4, 0}, {r.rake, 5, 0}}) {
      want += " " + edit::f(v, w, d);
    }
    for (std::size_t k = 0; k < 3; ++k) {
      want += " " + folded(deg(r.az[k]), -180, 180) + " " + edit::f(deg(r.pl[k]), 5, 1);
    }
    want += " " + edit::i(std::abs(r.isv), 1) + "  " + folded(std::fmod(deg(r.azsh), 180.0f) + 0.0f, 180, 0);
    ASSERT_EQ(sish_row(r), want) << "seed " << seed << ", row " << n;
  }
}

// A run of the program in a fresh directory whose plots are written in the
// Compressed dialect (plain paths: "np", "x y M", "x y L").
struct MapRun {
  TempDir dir;
  ProgramRun run;
  MapRun() { write_file(dir / "kavro7_ini.txt", "  F   1 P    1\n"); }
  void go(const Lines& answers) { run = run_dorvix(dir, answers); }
  Lines plot() const { return split_lines(read_file(dir / "map.ps")); }
  Lines sish() const { return split_lines(read_file(dir / "sish.txt")); }
  int count(const std::string& line) const {
    return static_cast<int>(std::count(run.lines.begin(), run.lines.end(), line));
  }
};

// Map menu answers that switch off what a test does not look at.
const Lines no_lines_no_points{"340", "n", "343", "n"};
// The first RUN of a map menu: the plot opened with its default settings.
const Lines first_run{"1000", "", "map.ps"};
// Leave the map, quit, and the Return that closes the plot.
const Lines leave{"99", "9999", ""};

// A catalogue file of HASH lines.
void write_catalogue(const MapRun& m, const std::string& name, const Lines& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\n";
  write_file(m.dir / name, text);
}

// The map menu as the user sees it, its unlisted help option, the line
// before the symbol menu, and a run's steps announced in order: without
// data, the point and line-file menus off.
TEST(MapDriver, MenuHelpAndTheStepsOfARun) {
  MapRun m;
  m.go(script({{"2001"}, no_lines_no_points, {"900", "310", "", "341", "n", "400", "12.5"}, first_run, leave}));
  EXPECT_EQ(m.run.status, 0);
  const std::string section(32, '-'), rule43(43, '-');
  const Lines head{menu_tail, " @ subroutine mapseis    ", " @" + std::string(42, '=')};
  auto menu = [&](const std::string& epicentres, const std::string& threshold) {
    Lines l = head;
    for (const std::string& s : Lines{rule43,
                                      "SET UP:",
                                      section,
                                      "PLOT:",
                                      "plot file name: seis.map.ps         ",
                                      "open plot file  ..............10",
                                      "scaling ......................11",
                                      "plot parameters ..............12",
                                      "scale to fit grid ............15 T",
                                      "close file = end plot ........20",
                                      section,
                                      "MAP:",
                                      "projection ..................300",
                                      "Epicenter symbol type .......310",
                                      "Symbols size + Sh type ......315",
                                      "lat long grid ...............320",
                                      "grid bounds from test bounds 330",
                                      "Plot contours ...............340 F",
                                      "plot epicenters .............341 " + epicentres,
                                      "plot sh directions ..........342 T",
                                      "plot symbol lat-long ........343 F",
                                      section,
                                      "DATA:",
                                      "maximum nb of data =  60000",
                                      "current nb of data =      0",
                                      "plunge threshold for isv ....400 " + threshold,
                                      rule43,
                                      "RUN = CREATE MAP ...........1000",
                                      "EXIT .........................99"}) {
      l.push_back(" " + s);
    }
    l.push_back(menu_tail);
    return l;
  };
  EXPECT_TRUE(has_block(m.run.lines, menu("T", "   0.000")));
  EXPECT_TRUE(has_block(m.run.lines, menu("F", "  12.500")));
  Lines help = head;
  help.insert(help.end(), {" " + std::string(43, '='), " " + std::string(16, ' ') + "HELP DESK:" + std::string(17, ' ')});
  EXPECT_TRUE(has_block(m.run.lines, help));
  EXPECT_TRUE(contains(m.run.lines, " choose epicenter symbol            "));
  // The titles between the rules of the run's announcements.
  const std::string rule36 = " " + std::string(36, '=');
  Lines titles;
  for (auto it = m.run.lines.begin(); it != m.run.lines.end(); ++it) {
    if (*it != rule36) continue;
    for (++it; it != m.run.lines.end() && *it != rule36; ++it) titles.push_back(*it);
  }
  EXPECT_EQ(titles, (Lines{" PLOTTING INFORMATION", " SCALING GRID IN A4 Portrait", " PLOTTING LAT LONG GRID",
                           " PROJECTING EPICENTERS", " LONG, LAT --> X, Y", " PLOTTING STRESS DIRECTIONS"}));
  expect_renders(m.dir / "map.ps");
}

// Van der Grinten draws a point less than half a degree from its central
// meridian on that meridian: a window of 10..10.4E about 10.2E has no
// width to fit to the page. Its RUN from a command file is refused in a
// box before the plot file is opened, whole as the user sees it: the
// command file stops there, the keyboard answers the box and leaves, and
// no plot file is written.
TEST(MapDriver, AWindowWithoutWidthStopsTheCommandFileBeforeThePlotOpens) {
  MapRun m;
  const Lines commands = join({{"2001", "300", "25", "99", "1", "10.2", "99", "99"},
                               {"320", "10", "40 40.4 0.1", "20", "10 10.4 0.1", "99"},
                               no_lines_no_points,
                               first_run,
                               leave});
  std::string text;
  for (const auto& a : commands) text += a + "\n";
  write_file(m.dir / "commands.txt", text);
  m.go(join({{"", "5000", "5001", "commands.txt", ""}, leave}));
  EXPECT_EQ(m.run.status, 0);
  const std::string stars(43, '*'), blank(37, ' ');
  const Lines want = join({{" New value =          1000"},
                           menu_head("endaltsi"),
                           {" Command file commands.txt closed", " Standard input redirected from keyboard",
                            " Level 2 standard output enabled", " " + stars, " " + stars, " ***" + blank + "***",
                            " ***        subroutine mapseis           ***", " ***" + blank + "***",
                            " ***                ERROR                ***", " ***" + blank + "***", " " + stars,
                            " " + stars, " LAT-LONG GRID WINDOW WITHOUT WIDTH ON THE MAP",
                            " under projection  25 Van der Grinten, sphere",
                            " all its points fall on one vertical line: no scale fits them to the page",
                            " ==> NO MAP DRAWN: WIDEN OR MOVE THE WINDOW (320),",
                            " ==> OR CHANGE THE PROJECTION OR ITS PARAMETERS (300)",
                            " READ FROM LINE     19 OF THE COMMAND FILE", " ===> COMMAND FILE STOPPED",
                            " ===> HIT RETURN TO CONTINUE", " " + stars},
                           menu_head("mapseis")});
  const Lines& l = m.run.lines;
  const auto from = std::find(l.begin(), l.end(), want.front());
  ASSERT_GE(l.end() - from, static_cast<long>(want.size()));
  EXPECT_EQ(Lines(from, from + static_cast<long>(want.size())), want);
  std::vector<std::string> files;
  for (const auto& e : std::filesystem::directory_iterator(m.dir.path())) files.push_back(e.path().filename());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"commands.txt", "kavro7_ini.txt"}));
}

// Three runs with the Si-Sh file on: a header and a row a mechanism each
// time, then, stress directions off, a warning and nothing more written.
// A plunge threshold of 80 degrees set in the same session makes the
// normal fault's vertical axis (P, plunging 75 degrees) unclear: it is
// listed, drawn as the others and written with the positive index.
TEST(MapDriver, SiShFileOfEachRun) {
  MapRun m;
  // A thrust, a normal fault and a vertical strike-slip fault: SHmax across
  // the thrust's strike, along the normal fault's, 45 degrees from the
  // strike-slip fault's.
  write_catalogue(m, "cat.hash",
                  {hash_line(1, 34.5, -117.25, 6.0, 10, 45, 90), hash_line(2, 35.25, -118.5, 12.5, 30, 60, -90),
                   hash_line(3, 33.75, -116.0, 3.0, 40, 90, 0)});
  m.go(script({read_script("1001", "cat.hash"),
               {"7", "y", "2001", "sish.txt"},
               no_lines_no_points,
               {"400", "80"},
               first_run,
               {"1000", "", "342", "n", "1000", "", ""},
               leave}));
  EXPECT_EQ(m.run.status, 0);
  EXPECT_TRUE(has_block(m.run.lines, {" Si-Sh OUTPUT IS ON BUT STRESS DIRECTIONS ARE OFF (342)",
                                      " ==> NO Si-Sh ROW WRITTEN FOR THIS MAP"}));
  EXPECT_EQ(m.count(" PLOTTING STRESS DIRECTIONS"), 2);
  const Lines rows = m.sish();
  ASSERT_EQ(rows.size(), 8u);
  const Lines want_start{" 2010-06-01      07:05  34.50 -117.25   6.0   10.  45.   90.",
                         " 2010-06-01      07:05  35.25 -118.50  12.5   30.  60.  -90.",
                         " 2010-06-01      07:05  33.75 -116.00   3.0   40.  90.    0."};
  const Lines want_end{"3   100.0", "1    30.0", "2   175.0"};
  for (std::size_t run = 0; run < 2; ++run) {
    EXPECT_EQ(rows[4 * run], sish_title);
    for (std::size_t k = 0; k < 3; ++k) {
      const std::string& row = rows[4 * run + 1 + k];
      EXPECT_EQ(row.size(), 109u);
      EXPECT_EQ(row.substr(0, 60), want_start[k]);
      EXPECT_EQ(row.substr(100), want_end[k]);
    }
  }
  // The listing: its header once a mechanism, a row for the normal fault
  // only (SHmax along its strike, P plunging 75 degrees); its symbol is
  // drawn from the positive index, without a warning.
  EXPECT_EQ(m.count(" data nb|isv| azshmax| azim.S1|plung.S1| azim.S2|plung.S2| azim.S3|plung.S3"), 6);
  const auto listed = [&](const std::string& start) {
    return std::ranges::count_if(m.run.lines, [&](const std::string& l) { return l.starts_with(start); });
  };
  EXPECT_EQ(listed("       1|"), 2);
  EXPECT_EQ(listed("       1| -1|   210.0|   -60.0|    75.0|"), 2);
  EXPECT_EQ(m.count(" isv outside [1,3]"), 0);
  expect_renders(m.dir / "map.ps");
}

// No data, with the window from the extraction bounds of a fresh start
// (the whole globe) under Mercator: the caption says 0, the graticule
// fills its box although the poles have no image, the Si-Sh file gets its
// header only.
TEST(MapDriver, RunWithNoDataOnTheWholeGlobe) {
  MapRun empty;
  empty.go(script({{"7", "y", "2001", "sish.txt", "330"}, no_lines_no_points, first_run, leave}));
  EXPECT_EQ(empty.run.status, 0);
  EXPECT_EQ(empty.sish(), Lines{sish_title});
  EXPECT_EQ(empty.count(" PLOTTING STRESS DIRECTIONS"), 1);
  EXPECT_EQ(empty.count(" ///                ERROR                ///"), 0);
  const Lines plot = empty.plot();
  EXPECT_TRUE(std::ranges::any_of(plot, [](const std::string& l) { return l.starts_with("(Number of data: 0)"); }));
  // The graticule's lines and ticks (every "x y L"): the full turn of
  // longitude spans the box's 17 cm, and the ticks.
  double xmin = 1e9, xmax = -1e9, ymin = 1e9, ymax = -1e9;
  for (const std::string& line : plot) {
    double x = 0, y = 0;
    char op[4] = {};
    if (std::sscanf(line.c_str(), "%lf %lf %3s", &x, &y, op) != 3 || std::string(op) != "L") continue;
    xmin = std::min(xmin, x);
    xmax = std::max(xmax, x);
    ymin = std::min(ymin, y);
    ymax = std::max(ymax, y);
  }
  const double width = (xmax - xmin) / points_per_cm, height = (ymax - ymin) / points_per_cm;
  EXPECT_TRUE(width > 16.9 && width < 17.6 && height > 10.0 && height < 26.0) << width << " x " << height;
  expect_renders(empty.dir / "map.ps");
}

// An Illustrator file of a map placed 5 m left of the sheet (not fitted,
// origin at -500 cm): the anchors of the graticule's labels fill their
// eight columns, and still stand apart from the number before them.
TEST(MapDriver, IllustratorNumbersStandApartFarOffTheSheet) {
  MapRun m;
  write_file(m.dir / "kavro7_ini.txt", "  F   1 P    3\n");
  m.go(script({{"2001", "15", "n", "11", "y", "-500", "", "", "", "", ""}, first_run, {"99", "99"}, leave}));
  EXPECT_EQ(m.run.status, 0);
  const Lines plot = m.plot();
  EXPECT_TRUE(std::ranges::any_of(plot, [](const std::string& l) { return l.find(" -14076.0 ") != l.npos; }));
  const std::regex touching("[0-9.]-[0-9]");
  for (const std::string& l : plot) {
    const bool numbers = !l.starts_with('(') && !l.starts_with('%');
    EXPECT_FALSE(numbers && std::regex_search(l, touching)) << l;
  }
  expect_renders(m.dir / "map.ps");
}

// Centres of the closed polygons of n vertices (the last repeats the
// first) in a plot, cm.
std::vector<std::pair<double, double>> centres(const Lines& plot, std::size_t vertices) {
  std::vector<std::pair<double, double>> found;
  for (const Path& p : paths_of(plot)) {
    if (p.points.size() != vertices + 1 || p.end.rfind("cp", 0) != 0) continue;
    double x = 0, y = 0;
    for (std::size_t k = 0; k < vertices; ++k) {
      x += p.points[k].first;
      y += p.points[k].second;
    }
    found.emplace_back(x / static_cast<double>(vertices) / points_per_cm,
                       y / static_cast<double>(vertices) / points_per_cm);
  }
  return found;
}

// The largest distance, cm, between points on paper and PROJ's points
// brought onto them by one scale and one shift (least squares).
double fit_residual(const std::vector<std::pair<double, double>>& paper, const std::vector<ProjPoint>& proj) {
  const auto n = static_cast<double>(paper.size());
  double mx = 0, my = 0, mu = 0, mv = 0;
  for (std::size_t i = 0; i < paper.size(); ++i) {
    mx += proj[i]->first / n;
    my += proj[i]->second / n;
    mu += paper[i].first / n;
    mv += paper[i].second / n;
  }
  double num = 0, den = 0;
  for (std::size_t i = 0; i < paper.size(); ++i) {
    const double dx = proj[i]->first - mx, dy = proj[i]->second - my;
    num += dx * (paper[i].first - mu) + dy * (paper[i].second - mv);
    den += dx * dx + dy * dy;
  }
  // PROJ's points all in one place (none read) match nothing.
  if (!(den > 0)) return HUGE_VAL;
  const double s = num / den;
  double worst = 0;
  for (std::size_t i = 0; i < paper.size(); ++i) {
    const double ex = mu + s * (proj[i]->first - mx), ey = mv + s * (proj[i]->second - my);
    worst = std::max(worst, std::hypot(paper[i].first - ex, paper[i].second - ey));
  }
  return worst;
}

// The Swiss catalogue on three maps: each epicentre's square where PROJ
// puts it (up to the map's scale and place), ink there on the rendered
// page, and the point menu's pentagons from the same epicentres' column
// file on the very same spots.
TEST(MapDriver, EpicentresLieWhereProjPutsThem) {
  DORVIX_REQUIRE_TOOL("proj");
  DORVIX_REQUIRE_TOOL("gs");
  Lines catalogue;
  Points points;
  for (const CsvRow& r : real_data_table("sed_switzerland_fm.csv")) {
    catalogue.push_back(hash_line(1, r.number(3), r.number(4), std::max(0.0, r.number(5)),
                                  static_cast<int>(r.number(7)), static_cast<int>(r.number(8)),
                                  static_cast<int>(r.number(9))));
    points.add(r.number(4), r.number(3));
  }
  // Without the fit, the map keeps the frame it starts with: the origin's
  // image at (10, 8) cm, 2.5 cm a unit.
  struct Map {
    Lines choice;
    std::string proj;
    bool fitted = true;
  } maps[] = {{{}, "+proj=merc +R=1"},
              {{"300", "3", "99", "99", "99", "99", "99"}, "+proj=lcc +R=1 +lat_1=30 +lat_2=60 +lon_0=0"},
              {{"300", "1", "99", "99", "99"}, "+proj=tmerc +R=1 +lon_0=0"},
              {{"15", "n"}, "+proj=merc +R=1", false}};
  for (const Map& map : maps) {
    SCOPED_TRACE(map.proj);
    MapRun m;
    write_catalogue(m, "sed.hash", catalogue);
    std::filesystem::copy_file(real_data_dir() / "sed_switzerland_points.txt", m.dir / "points.txt");
    const Lines window{"320", "10", "44.5 48.5 0.5", "20", "5 11.5 0.5", "99"};
    const Lines point_menu{"200", "points.txt", "", "", "", "", "", "", "99"};
    m.go(script({read_script("1001", "sed.hash"),
                 {"2001"},
                 map.choice,
                 window,
                 {"340", "n", "342", "n"},
                 first_run,
                 point_menu,
                 leave}));
    EXPECT_EQ(m.run.status, 0);
    EXPECT_TRUE(contains(m.run.lines, " NB OF DATA =    629"));
    const Lines plot = m.plot();
    const auto squares = centres(plot, 4);
    const auto pentagons = centres(plot, 5);
    ASSERT_EQ(squares.size(), 629u);
    ASSERT_EQ(pentagons.size(), 629u);
    const auto reference = proj_forward(map.proj, points);
    ASSERT_EQ(reference.size(), 629u);
    EXPECT_LT(fit_residual(squares, reference), 0.01);
    // The epicentre symbols take the major stress symbol's size, 0.4 cm
    // wide on paper whatever the map's scale.
    for (const Path& p : paths_of(plot)) {
      if (p.points.size() != 5 || p.end.rfind("cp", 0) != 0) continue;
      const auto [lo, hi] = std::ranges::minmax_element(p.points, {}, [](const auto& q) { return q.first; });
      EXPECT_NEAR((hi->first - lo->first) / points_per_cm, 0.4, 0.002);
      break;
    }
    if (!map.fitted) {
      Points origin;
      origin.add(0, 45);
      const auto o = proj_forward(map.proj, origin);
      ASSERT_TRUE(o.size() == 1 && o[0]);
      double worst = 0;
      for (std::size_t i = 0; i < squares.size(); ++i) {
        worst = std::max(worst, std::hypot(squares[i].first - (10 + 2.5 * (reference[i]->first - o[0]->first)),
                                           squares[i].second - (8 + 2.5 * (reference[i]->second - o[0]->second))));
      }
      EXPECT_LT(worst, 0.01);
    }
    const Raster page = render(m.dir / "map.ps");
    ASSERT_GT(page.width, 0);
    int without_ink = 0;
    double apart = 0;
    for (std::size_t i = 0; i < squares.size(); ++i) {
      without_ink += ink_around(page, squares[i].first, squares[i].second, 0.05) == 0 ? 1 : 0;
      apart =
          std::max(apart, std::hypot(squares[i].first - pentagons[i].first, squares[i].second - pentagons[i].second));
    }
    EXPECT_EQ(without_ink, 0);
    EXPECT_LT(apart, 0.002);
    expect_renders(m.dir / "map.ps");
  }
}

// A window across 180 degrees (170..195) under the codes that take
// longitudes as they come: an event written at -175, its stress symbol and
// a point typed at -175 are drawn at 185, beside the event at 185E and the
// coast read at -176..-174, all where PROJ puts them (up to the map's
// scale and place), nothing off the page; the Si-Sh file keeps -175.
TEST(MapDriver, EventsAndPointsAcross180AreDrawnInTheWindowsTurn) {
  DORVIX_REQUIRE_TOOL("proj");
  char b[64];
  std::snprintf(b, sizeof b, " +a=1 +b=%.10g", 6356752.5 / 6378137.0);
  struct Case {
    int code, setters;  // the code and the answers its set-up takes
    std::string proj;
  };
  for (const Case& c : {Case{15, 2, "+proj=merc +R=1"}, {16, 3, "+proj=merc" + std::string(b)},
                        {19, 3, "+proj=aea +R=1 +lat_1=30 +lat_2=30"}, {20, 3, "+proj=bonne +R=1 +lat_1=30"},
                        {21, 2, "+proj=bonne +R=1 +lat_1=90"}, {22, 2, "+proj=sinu +R=1"}, {23, 2, "+proj=cea +R=1"}}) {
    SCOPED_TRACE(c.code);
    MapRun m;
    write_catalogue(m, "ev.hash", {hash_line(1, 55, -175, 10, 0, 45, 90), hash_line(2, 60, 185, 10, 0, 45, 90)});
    write_file(m.dir / "coast.gebco", "1 2\n55 -176\n55 -174\n");
    Lines projection{"300", std::to_string(c.code)};
    projection.insert(projection.end(), static_cast<std::size_t>(c.setters), "99");
    m.go(script({read_script("1001", "ev.hash"),
                 {"7", "y", "2001", "sish.txt"},
                 projection,
                 {"320", "10", "40 70 5", "20", "170 195 5", "99"},
                 first_run,
                 {"10", "-175", "20", "55", "100", "99"},
                 {"3", "coast.gebco", "99"},
                 leave}));
    EXPECT_EQ(m.run.status, 0);
    const Lines rows = m.sish();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].substr(23, 14), " 55.00 -175.00");
    EXPECT_EQ(rows[2].substr(23, 14), " 60.00  185.00");
    const Lines plot = m.plot();
    // Every path across the page, the stress symbols' among them.
    for (const Path& p : paths_of(plot)) {
      for (const auto& [x, y] : p.points) EXPECT_TRUE(x >= 0 && x <= 21 * points_per_cm) << x << " " << y;
    }
    // The epicentres' squares (0.4 cm wide, apart from the bars of the
    // stress symbols), the point's pentagon and the coast's two points.
    std::vector<std::pair<double, double>> drawn;
    for (const Path& p : paths_of(plot)) {
      if (p.points.size() != 5 || p.end.rfind("cp", 0) != 0) continue;
      const auto [xl, xh] = std::ranges::minmax_element(p.points, {}, [](const auto& q) { return q.first; });
      const auto [yl, yh] = std::ranges::minmax_element(p.points, {}, [](const auto& q) { return q.second; });
      if (std::fabs(xh->first - xl->first - yh->second + yl->second) > 0.01 * points_per_cm) continue;
      drawn.emplace_back((xl->first + xh->first) / 2 / points_per_cm, (yl->second + yh->second) / 2 / points_per_cm);
    }
    const auto pentagons = centres(plot, 5);
    drawn.insert(drawn.end(), pentagons.begin(), pentagons.end());
    const std::vector<Path> paths = paths_of(plot);
    ASSERT_FALSE(paths.empty());
    for (const auto& [x, y] : paths.back().points) drawn.emplace_back(x / points_per_cm, y / points_per_cm);
    Points geo;
    for (const auto& [lon, lat] : {std::pair{185, 55}, {185, 60}, {185, 55}, {184, 55}, {186, 55}}) geo.add(lon, lat);
    const auto reference = proj_forward(c.proj + " +over", geo);
    ASSERT_EQ(drawn.size(), reference.size());
    EXPECT_LT(fit_residual(drawn, reference), 0.01);
    expect_renders(m.dir / "map.ps");
  }
}

// An orthographic map centred at 45 degrees north: the events on the far
// side of the globe get no symbol, and one box counts them; no point at
// infinity reaches the plot.
TEST(MapDriver, EpicentresOnTheFarSideAreCountedOnce) {
  Lines catalogue;
  int far = 0;
  for (const CsvRow& r : real_data_table("gcmt_m7plus_fm.csv")) {
    catalogue.push_back(hash_line(1, r.number(3), r.number(4), r.number(5), static_cast<int>(r.number(7)),
                                  static_cast<int>(r.number(8)), static_cast<int>(r.number(9))));
    const double lat = r.number(3) * degree, lon = r.number(4) * degree, lat0 = 45 * degree;
    const double cos_distance = std::sin(lat) * std::sin(lat0) + std::cos(lat) * std::cos(lat0) * std::cos(lon);
    ASSERT_GT(std::fabs(cos_distance), 1e-4) << r[0];
    far += cos_distance < 0 ? 1 : 0;
  }
  ASSERT_GT(far, 100);
  MapRun m;
  write_catalogue(m, "gcmt.hash", catalogue);
  m.go(script({read_script("1001", "gcmt.hash"),
               {"7", "y", "2001", "sish.txt", "300", "10", "99", "99", "99"},
               no_lines_no_points,
               first_run,
               {""},
               leave}));
  EXPECT_EQ(m.run.status, 0);
  EXPECT_TRUE(contains(m.run.lines, " EPICENTERS WITH NO PLACE ON THE MAP:" + edit::i(far, 7)));
  EXPECT_EQ(m.count(" ///               WARNING               ///"), 1);
  EXPECT_EQ(m.count(" ///                ERROR                ///"), 0);
  // Every event keeps its row; epicentres and stress symbols only on the
  // near side (two arrows or bars each way, and the circle under them).
  EXPECT_EQ(m.sish().size(), 1 + catalogue.size());
  const auto near = static_cast<std::size_t>(467 - far);
  EXPECT_EQ(centres(m.plot(), 4).size(), near);
  expect_renders(m.dir / "map.ps");
}

// Both nodal planes of a mechanism give the same vertical axis and the
// same SHmax: a generated catalogue with vertical and horizontal planes of
// oblique slip (P and T then plunge equally), and the SCEDC catalogue.
// Every azimuth is written within its range as rounded: SHmax in
// [0.0, 179.9], the axes in (-180.0, 180.0].
TEST(MapDriver, BothNodalPlanesGiveTheSameStressDirections) {
  Lines generated;
  for (int strike = 0; strike < 360; strike += 10) {
    for (const int dip : {0, 90}) {
      for (const int rake : {30, 45, 60, 120, 135, 150, -30, -45, -60, -120, -135, -150}) {
        generated.push_back(hash_line(1, 34.0 + strike / 400.0, -117.0 - rake / 400.0, 5.0, strike, dip, rake));
      }
    }
  }
  CatalogueGenerator g(17);
  for (int k = 0; k < 1000; ++k) generated.push_back(g.line(CatalogueLayout::hash));
  const Lines scedc = real_data_lines("scedc_hash_2018.hash");
  for (const Lines* catalogue : {static_cast<const Lines*>(&generated), &scedc}) {
    MapRun m;
    write_catalogue(m, "cat.hash", *catalogue);
    m.go(script({read_script("1001", "cat.hash"),
                 {"7", "y", "2001", "sish.txt", "341", "n"},
                 no_lines_no_points,
                 first_run,
                 {"99", "2002", "1000", ""},
                 leave}));
    EXPECT_EQ(m.run.status, 0);
    const Lines rows = m.sish();
    const std::size_t n = catalogue->size();
    ASSERT_EQ(rows.size(), 2 * (n + 1));
    int out_of_range = 0;
    for (const std::string& row : rows) {
      if (row == sish_title) continue;
      const double shmax = std::stod(row.substr(103));
      out_of_range += shmax >= 0.0 && shmax <= 179.9 && row.substr(103) != "  -0.0" ? 0 : 1;
      for (const std::size_t column : {61, 74, 87}) {
        const double azimuth = std::stod(row.substr(column, 6));
        out_of_range += azimuth > -180.0 && azimuth <= 180.0 ? 0 : 1;
      }
    }
    EXPECT_EQ(out_of_range, 0);
    int different = 0;
    for (std::size_t i = 1; i <= n; ++i) {
      const std::string& one = rows[i];
      const std::string& two = rows[n + 1 + i];
      const double gap = std::fabs(std::stod(one.substr(103)) - std::stod(two.substr(103)));
      const bool same = one.substr(100, 1) == two.substr(100, 1) && std::min(gap, 180 - gap) <= 0.1001;
      different += same ? 0 : 1;
      EXPECT_TRUE(same) << one << "\n" << two;
      if (different > 5) break;
    }
  }
}

// The line-file menu closes the run, after the stress symbols: a GSHHS
// file of the Aegean shores drawn where PROJ puts its points, typed at the
// keyboard and from a command file (whose menus show their heads only).
TEST(MapDriver, LineFilesCloseTheRun) {
  DORVIX_REQUIRE_TOOL("proj");
  const std::vector<Polyline> reference = reference_lines("gshhg_aegean.lines");
  ASSERT_EQ(reference.size(), 4u);
  Points points;
  for (const Polyline& l : reference) {
    for (const auto& [lon, lat] : l) points.add(lon, lat);
  }
  const auto at = proj_forward(proj_mercator, points);
  const Lines answers = join({read_script("1001", "cat.hash"),
                              {"2001", "320", "10", "34 42 1", "20", "19 30 1", "99", "343", "n"},
                              first_run,
                              {"5", "gshhg_aegean.gshhs", "99"},
                              {"99", "9999", ""}});
  for (const bool command_file : {false, true}) {
    SCOPED_TRACE(command_file ? "command file" : "keyboard");
    MapRun m;
    write_catalogue(m, "cat.hash",
                    {hash_line(1, 38.0, 24.0, 6.0, 10, 45, 90), hash_line(2, 36.5, 27.0, 9.0, 120, 60, -90)});
    write_file(m.dir / "gshhg_aegean.gshhs", read_file(real_data_dir() / "gshhg_aegean.gshhs"));
    if (command_file) {
      std::string text;
      for (const auto& a : answers) text += a + "\n";
      write_file(m.dir / "commands.txt", text);
      m.go({"", "5000", "5001", "commands.txt"});
    } else {
      m.go(script({answers}));
    }
    EXPECT_EQ(m.run.status, 0);
    const Lines& l = m.run.lines;
    const auto stress = std::find(l.begin(), l.end(), " PLOTTING STRESS DIRECTIONS");
    const auto contours = std::find(l.begin(), l.end(), " PLOTTING LAT LONG CONTOURS");
    const auto drawn = std::find(l.begin(), l.end(), " total nb of plotted curves =       4");
    EXPECT_TRUE(stress < contours && contours < drawn && drawn != l.end());
    EXPECT_TRUE(contains(l, " input file gshhg_aegean.gshhs closed"));
    EXPECT_EQ(contains(l, " MAPPING CONTOURS"), !command_file);
    // The last four paths are the shores, point for point at PROJ's
    // places up to the map's scale and place.
    const std::vector<Path> paths = paths_of(m.plot());
    ASSERT_GE(paths.size(), 4u);
    std::vector<std::pair<double, double>> shore;
    for (auto p = paths.end() - 4; p != paths.end(); ++p) {
      for (const auto& [x, y] : p->points) shore.emplace_back(x / points_per_cm, y / points_per_cm);
    }
    ASSERT_EQ(shore.size(), at.size());
    EXPECT_LT(fit_residual(shore, at), 0.01);
    expect_renders(m.dir / "map.ps");
  }
}

}  // namespace
}  // namespace dorvix::testing
