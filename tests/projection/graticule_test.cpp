// The graticule end to end: drawn into plot files under every code with
// the fit of the map, its lines read back against PROJ, its breaks at
// infinity and at the maps' edges, its report and labels, every file
// rendered by Ghostscript; and its settings with every refusal.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "dialogue/console_units.hpp"
#include "geometry/angles.hpp"
#include "projection/graticule.hpp"
#include "projection/origin.hpp"
#include "projection/parameter_setters.hpp"
#include "projection/projection_menu.hpp"
#include "support/draw_fixture.hpp"
#include "support/program_run.hpp"
#include "support/projection_fixture.hpp"

namespace dorvix::testing {
namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double cm = 28.35;  // points
// The box the map is fitted into, points.
constexpr double box_x0 = 2 * cm, box_x1 = 19 * cm, box_y0 = 2 * cm, box_y1 = 28 * cm;

using Point = std::pair<double, double>;

// A plot file's line paths in order (each from its move), and its texts
// with the points they are written from (the move before each).
struct Drawing {
  std::vector<std::vector<Point>> runs;
  Lines texts;
  std::vector<Point> anchors;
};

Drawing read_drawing(const Lines& lines) {
  Drawing d;
  bool in_path = false;
  Point moved{};
  for (const std::string& l : lines) {
    std::istringstream in(l);
    double x = 0, y = 0;
    std::string op;
    if (l == "np" || l == "sk") {
      in_path = l == "np";
      if (in_path) d.runs.emplace_back();
    } else if (!l.empty() && l.front() == '(') {
      d.texts.push_back(l.substr(1, l.rfind(')') - 1));
      d.anchors.push_back(moved);
    } else if (in >> x >> y >> op && (op == "M" || op == "L")) {
      if (op == "M") moved = {x, y};
      if (in_path) d.runs.back().emplace_back(x, y);
    }
  }
  return d;
}

class GraticuleTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    reset_projection_state();
    initialise_projection();
    screen();
  }
  // The code chosen without menus, the perspective seen under 90 degrees.
  static void use(int code) {
    real angle = 90;
    if (code == 11 || code == 12) sangle1(angle, setup::passed);
    sprojll2(code, setup::passed);
  }
  static void window(real latmin, real latmax, real lonmin, real lonmax, real latinc = 10, real loninc = 10,
                     int type = 1, real tic = 1, int npgrid = 3) {
    GridValues grid{.latmin = latmin, .latmax = latmax, .lonmin = lonmin, .lonmax = lonmax, .latinc = latinc,
                    .loninc = loninc, .npgrid = npgrid, .ticsize = tic, .nptick = 2, .igrid = type, .ndec = 1};
    sllgrid3(grid, setup::passed);
  }
  // A new plot file, the map fitted into the box as the map driver's run
  // fits it, the graticule drawn; the file's drawing.
  Drawing draw(const std::string& name) {
    if (iocom.lplotop) close_plot();
    open_plot(1, "P  ", 1, name);
    int s = 1;
    ssubplot(s, setup::passed);
    real xmin = 0, ymin = 0, xmax = 0, ymax = 0, x0 = 2, y0 = 2, xl = 17, yl = 26;
    int ixy = 1;
    extrllgrid(xmin, ymin, xmax, ymax);
    sus2cm3(x0, y0, xl, yl, xmin, xmax, ymin, ymax, ixy, setup::passed);
    drawllgrid();
    psstrokepath();
    return read_drawing(drawn_lines());
  }
  // Map coordinates of a point of the file, and the fit's points per unit.
  static Point device(real x, real y) {
    us2de(std::span(&x, 1), std::span(&y, 1), std::span<const real>(&x, 1), std::span<const real>(&y, 1), 1);
    return {x, y};
  }
  static double scale() { return device(1, 0).first - device(0, 0).first; }
  static double user_x(const Point& p) { return (p.first - device(0, 0).first) / scale(); }
};

TEST_F(GraticuleTest, DefaultGraticuleAgreesWithProj) {
  DORVIX_REQUIRE_TOOL("proj");
  // Its paths as drawn, degrees: meridians east to west from the south,
  // ticks under and over, parallels south to north from the east, ticks
  // right and left; each a move and draws from the move's point.
  std::vector<std::vector<Point>> paths;
  const auto add = [&](Point from, double dlon, double dlat, int n) {
    paths.push_back({from});
    for (int j = 0; j <= n; ++j) paths.back().emplace_back(from.first + j * dlon, from.second + j * dlat);
  };
  const auto at = [](int i) { return 80.0 - 160.0 * i / 16; };
  for (int i = 0; i <= 16; ++i) add({at(i), -80}, 0, 160.0 / 3, 3);
  for (int i = 0; i <= 16; ++i) add({at(i), -80}, 0, -0.5, 2);
  for (int i = 0; i <= 16; ++i) add({at(i), 80}, 0, 0.5, 2);
  for (int i = 0; i <= 16; ++i) add({80, -at(i)}, -160.0 / 3, 0, 3);
  for (int i = 0; i <= 16; ++i) add({80, -at(i)}, 0.5, 0, 2);
  for (int i = 0; i <= 16; ++i) add({-80, -at(i)}, -0.5, 0, 2);
  // The labels' points, 1.5 tick lengths beyond each edge, in the same order.
  std::vector<Point> labels;
  for (int i = 0; i <= 16; ++i) labels.emplace_back(at(i), -81.5);
  for (int i = 0; i <= 16; ++i) labels.emplace_back(at(i), 81.5);
  for (int i = 0; i <= 16; ++i) labels.emplace_back(81.5, -at(i));
  for (int i = 0; i <= 16; ++i) labels.emplace_back(-81.5, -at(i));
  struct Case {
    int code;
    std::string proj;
    double scale = 1;         // ours = scale * PROJ
    double tolerance = 1e-5;  // map units, besides the file's two decimals
  };
  for (const Case& c : {Case{3, "+proj=lcc +R=1 +lat_1=30 +lat_2=60"}, {7, "+proj=stere +R=1 +lat_0=90", 0.5},
                        {15, "+proj=merc +R=1"}, {22, "+proj=sinu +R=1"}, {25, "+proj=vandg +R=1", 1 / pi},
                        // Mollweide's auxiliary angle is tabulated to 0.1 degree.
                        {24, "+proj=moll +R=1", 1 / std::sqrt(2.0), 2e-3}}) {
    SCOPED_TRACE(c.proj);
    use(c.code);
    const Drawing d = draw("code" + std::to_string(c.code) + ".ps");
    ASSERT_EQ(d.runs.size(), paths.size());
    Points geo;
    geo.add(0, 45);  // the origin
    for (const auto& p : paths)
      for (const auto& [lon, lat] : p) geo.add(lon, lat);
    for (const auto& [lon, lat] : labels) geo.add(lon, lat);
    const auto r = proj_forward(c.proj, geo);
    ASSERT_EQ(r.size(), geo.lon.size());
    const double k = scale(), tolerance = 0.006 + c.tolerance * k;
    const Point o = device(0, 0);
    std::size_t n = 1;
    for (std::size_t i = 0; i < paths.size(); ++i) {
      ASSERT_EQ(d.runs[i].size(), paths[i].size()) << "path " << i;
      for (const auto& [x, y] : d.runs[i]) {
        ASSERT_TRUE(r[n]);
        EXPECT_NEAR(x - o.first, c.scale * (r[n]->first - r[0]->first) * k, tolerance) << i;
        EXPECT_NEAR(y - o.second, c.scale * (r[n]->second - r[0]->second) * k, tolerance) << i;
        ++n;
      }
    }
    // Each label written from its point: x as projected, y moved by the
    // same amount along an edge (the justification's row).
    ASSERT_EQ(d.anchors.size(), labels.size());
    std::vector<Point> want;
    double shift[4] = {};
    for (std::size_t i = 0; i < labels.size(); ++i, ++n) {
      ASSERT_TRUE(r[n]);
      want.emplace_back(c.scale * (r[n]->first - r[0]->first) * k, c.scale * (r[n]->second - r[0]->second) * k);
      shift[i / 17] += (d.anchors[i].second - o.second - want[i].second) / 17;
    }
    for (std::size_t i = 0; i < labels.size(); ++i) {
      EXPECT_NEAR(d.anchors[i].first - o.first, want[i].first, tolerance) << "label " << i;
      EXPECT_NEAR(d.anchors[i].second - o.second - shift[i / 17], want[i].second, tolerance) << "label " << i;
    }
  }
}

TEST_F(GraticuleTest, FitsTheBoxUnderEveryCodeWithoutPointsAtInfinity) {
  struct Case {
    int code;
    real latmin = -80, latmax = 80, lonmin = -80, lonmax = 80;
  };
  std::vector<Case> cases;
  for (int code = 1; code <= 25; ++code) cases.push_back({code});
  // Windows reaching the poles under Mercator, and across the horizons of
  // the gnomonic and the orthographic.
  cases.insert(cases.end(), {{15, -90, 90, -180, 180}, {17, -30, 60, -120, 120}, {18, -90, 90, -180, 180},
                             {10, -90, 90, -180, 180}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    use(c.code);
    const std::string name = "fit" + std::to_string(c.code) + "_" + std::to_string(static_cast<int>(c.latmax));
    // Ticks of no length: every line of the graticule inside the box, to
    // the file's two decimals, and the map filling its width or its height.
    window(c.latmin, c.latmax, c.lonmin, c.lonmax, 10, 10, 1, 0);
    const Drawing lines = draw(name + "_lines.ps");
    ASSERT_GT(lines.runs.size(), 4u);
    double xmin = 1e9, xmax = -1e9, ymin = 1e9, ymax = -1e9;
    for (const auto& run : lines.runs) {
      for (const auto& [x, y] : run) {
        EXPECT_TRUE(x >= box_x0 - 0.011 && x <= box_x1 + 0.011 && y >= box_y0 - 0.011 && y <= box_y1 + 0.011)
            << x << " " << y;
        xmin = std::min(xmin, x), xmax = std::max(xmax, x), ymin = std::min(ymin, y), ymax = std::max(ymax, y);
      }
    }
    EXPECT_TRUE(xmax - xmin > box_x1 - box_x0 - 0.03 || ymax - ymin > box_y1 - box_y0 - 0.03)
        << xmax - xmin << " x " << ymax - ymin;
    // With ticks and labels: nothing clipped by the plot library, no box,
    // and what Ghostscript finds drawn within the box widened by them.
    window(c.latmin, c.latmax, c.lonmin, c.lonmax);
    screen();
    draw(name + ".ps");
    const std::string console = screen();
    EXPECT_EQ(console.find("in meters"), std::string::npos);
    EXPECT_EQ(console.find("HIT RETURN"), std::string::npos);
    close_plot();
    DORVIX_REQUIRE_TOOL("gs");
    const auto bbox = drawn_box(path(name + ".ps"));
    ASSERT_EQ(bbox.size(), 4u);
    const double margin = 2.5 * cm;
    EXPECT_TRUE(bbox[0] >= box_x0 - margin && bbox[1] >= box_y0 - margin && bbox[2] <= box_x1 + margin &&
                bbox[3] <= box_y1 + margin);
  }
}

// Through the program, under the gnomonic, over windows that reach its
// horizon (at infinity) or stop just short of it: centred on 30E 50N, a
// window whose edges run along the horizon (the meridian 30E at 40S, the
// equator at 60W and 120E) and the same with its western edge moved by
// 0.01 to 1 degree; centred on a pole and 0.01 degree from it, the
// northern hemisphere; the polar aspect from 1N, and over a window 80 to
// 85 degrees from the pole. Its graticule reaches 80 degrees from the
// centre, or, for a window farther out, 10 degrees past the window's
// nearest point, short of 89 degrees: without ticks every line
// lies inside the box and the map fills its width or its height, and a
// window moved a little gives nearly the same map. With ticks and labels,
// nothing is drawn outside the page, and Ghostscript renders it.
TEST(GraticuleRun, AGnomonicWindowNearTheHorizonFillsTheBox) {
  struct Case {
    Lines projection;
    std::string lat, lon;
    bool like_previous;  // nearly the same map as the case before
  };
  const Lines centre_30_50 = {"18", "99", "1", "30", "2", "50", "99", "1", "30", "2", "50", "99"};
  const Lines north_pole = {"18", "99", "1", "0", "2", "90", "99", "1", "0", "2", "90", "99"};
  const Lines near_pole = {"18", "99", "1", "0", "2", "89.99", "99", "1", "0", "2", "89.99", "99"};
  const std::vector<Case> cases = {{centre_30_50, "-40 90 10", "-60 120 10", false},
                                   {centre_30_50, "-40 90 10", "-60.01 120 10", true},
                                   {centre_30_50, "-40 90 10", "-59.99 120 10", true},
                                   {centre_30_50, "-40 90 10", "-59.9 120 10", true},
                                   {centre_30_50, "-40 90 10", "-59 120 10", true},
                                   {north_pole, "0 90 10", "-180 180 10", false},
                                   {near_pole, "0 90 10", "-180 180 10", true},
                                   {{"17", "99", "99"}, "1 90 10", "-180 180 10", true},
                                   {{"17", "99", "99"}, "5 10 1", "0 30 10", false},
                                   {{"17", "99", "99"}, "5.01 10 1", "0 30 10", true}};
  const double page_x = 595, page_y = 842;
  std::vector<double> previous;
  for (const Case& c : cases) {
    std::string trace = c.lat + " / " + c.lon + ", code";
    for (const std::string& a : c.projection) trace += " " + a;
    SCOPED_TRACE(trace);
    std::vector<double> extent;
    for (const char* tick : {"0", "1"}) {
      TempDir dir;
      write_file(dir / "kavro7_ini.txt", "  F   1 P    1\n");  // the Compressed dialect
      Lines answers = {"", "2001", "300"};
      answers.insert(answers.end(), c.projection.begin(), c.projection.end());
      answers.insert(answers.end(), {"320", "10", c.lat, "20", c.lon, "33", tick, "99", "340", "n", "343", "n", "1000",
                                     "", "map.ps", "99", "9999", ""});
      const ProgramRun run = run_dorvix(dir, answers);
      EXPECT_EQ(run.status, 0);
      const Drawing d = read_drawing(split_lines(read_file(dir / "map.ps")));
      double xmin = 1e9, xmax = -1e9, ymin = 1e9, ymax = -1e9;
      for (const auto& path : d.runs) {
        for (const auto& [x, y] : path) {
          xmin = std::min(xmin, x), xmax = std::max(xmax, x), ymin = std::min(ymin, y), ymax = std::max(ymax, y);
        }
      }
      if (std::string(tick) == "0") {
        EXPECT_TRUE(xmin >= box_x0 - 0.011 && xmax <= box_x1 + 0.011 && ymin >= box_y0 - 0.011 &&
                    ymax <= box_y1 + 0.011)
            << xmin << ".." << xmax << " x " << ymin << ".." << ymax;
        EXPECT_TRUE(xmax - xmin > box_x1 - box_x0 - 0.03 || ymax - ymin > box_y1 - box_y0 - 0.03)
            << xmax - xmin << " x " << ymax - ymin;
        extent = {xmin, xmax, ymin, ymax};
        continue;
      }
      EXPECT_TRUE(xmin >= 0 && xmax <= page_x && ymin >= 0 && ymax <= page_y)
          << xmin << ".." << xmax << " x " << ymin << ".." << ymax;
      for (const auto& [x, y] : d.anchors) EXPECT_TRUE(x >= 0 && x <= page_x && y >= 0 && y <= page_y) << x << " " << y;
      DORVIX_REQUIRE_TOOL("gs");
      expect_renders(dir / "map.ps");
    }
    if (c.like_previous) {
      ASSERT_EQ(previous.size(), 4u);
      for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(extent[i], previous[i], 2.0) << i;
    }
    previous = extent;
  }
}

// Through the program, windows no map can be fitted to, the plot file
// opened before the RUN (its first page empty), are refused in a box
// before anything is drawn, and windows a little off them are drawn and
// fitted on a page of their own. Under the gnomonic, windows at the edge
// of its reach (89 degrees from the centre): the polar aspect about the
// north pole over latitudes -4..1 and -4.01..0.99 (89 and 89.01 degrees
// away), and the oblique about 30E 50N over the meridian 30E at 39.5S
// (89.5 degrees) and over 60S to 80S (110 degrees, behind the horizon);
// the same a little nearer the centre (88.99, 88.5 degrees) are drawn.
// Under every other code, a window the fit finds no width or height in:
// Van der Grinten's within the half degree about its central meridian
// that it draws on that meridian (the window 10..10.4E about 10.2E), and
// not 0.6 degree from it; a sliver at the pole that single precision
// rounds to one parallel under the cylindrical equal-area (89.99..90N),
// and not from 89.9N, or to one point at the apex of the ellipsoid's
// conformal conic (89.9999..90N), and not from 89.999N (ticks of 0.00002
// degree, to stay on its page); a window on the far side of the oblique
// orthographic about 30E 50N, and one beyond the poles of the ellipsoid's
// Mercator, where no point has an image. With the fit off (15) nothing
// fails: the Van der Grinten window is drawn at the subplot's scale, on
// one line as the projection places it. Ticks of 0.01 degree, but for a 20 degree Mercator map, whose
// ticks of 1 degree put the labels' text beyond the page (their points
// on it), said in a line, and of 0.6 degree do not, nor of 1 degree with
// the text turned half a turn (plot parameters 12, angle 33), which puts
// each label on the map's side of its point: what Ghostscript finds
// inked leaves the page exactly when the line says so. Every point
// written lies on the page, and Ghostscript renders the file.
TEST(GraticuleRun, AWindowNoMapCanBeFittedToIsRefusedAndNothingLeavesThePage) {
  struct Case {
    Lines projection;
    std::string lat, lon;
    Lines refusal;  // the box's lines, when the RUN is refused
    std::string tick = "0.01";
    Lines before_run = {};   // map menu answers before the RUN, the plot open
    bool ticks_off = false;  // ticks or labels beyond the page, said in a line
  };
  const Lines polar = {"17", "99", "1", "0", "2", "90", "99"};
  const Lines oblique = {"18", "99", "1", "30", "2", "50", "99", "1", "30", "2", "50", "99"};
  const Lines grinten = {"25", "99", "1", "10.2", "99", "99"};
  const Lines cylindrical = {"23", "99", "99"};
  const Lines conic_ellipsoid = {"4", "99", "99", "99", "99", "99", "99"};
  const Lines orthographic = {"10", "99", "1", "30", "2", "50", "99", "1", "30", "2", "50", "99"};
  const Lines mercator_ellipsoid = {"16", "99", "99", "99"};
  const auto gnomonic = [](const std::string& distance) {
    const std::string padded = std::string(9 - distance.size(), ' ') + distance;
    return Lines{" LAT-LONG GRID WINDOW BEYOND THE GNOMONIC'S REACH",
                 " its nearest point lies" + padded + " degrees from the centre;",
                 " the gnomonic draws up to  89 degrees from it",
                 " ==> NO MAP DRAWN: BRING THE WINDOW NEARER THE CENTRE"};
  };
  const auto flat = [](const std::string& what, const std::string& code, const std::string& why) {
    return Lines{" LAT-LONG GRID WINDOW " + what + " ON THE MAP", " under projection " + code, " " + why,
                 " ==> NO MAP DRAWN: WIDEN OR MOVE THE WINDOW (320),",
                 " ==> OR CHANGE THE PROJECTION OR ITS PARAMETERS (300)"};
  };
  const std::vector<Case> cases = {
      {polar, "-4 1 1", "-30 30 10", gnomonic("89.000")},
      {polar, "-4.01 0.99 1", "-30 30 10", gnomonic("89.010")},
      {polar, "-4 1.01 1", "-30 30 10", {}},
      {polar, "-4 1.5 0.5", "-30 30 10", {}},
      {oblique, "-45 -39.5 1", "20 40 5", gnomonic("89.500")},
      {oblique, "-80 -60 10", "-180 180 30", gnomonic("110.000")},
      {oblique, "-45 -38.5 1", "20 40 5", {}},
      {oblique, "-45 -38.99 1", "20 40 5", {}},
      {grinten, "40 40.4 0.1", "10 10.4 0.1",
       flat("WITHOUT WIDTH", " 25 Van der Grinten, sphere",
            "all its points fall on one vertical line: no scale fits them to the page")},
      {grinten, "40 40.4 0.1", "10.8 11.2 0.1", {}},
      {grinten, "40 40.4 0.1", "10 10.4 0.1", {}, "0.01", {"15", "n"}},
      {cylindrical, "89.99 90 0.01", "0 1 0.5",
       flat("WITHOUT HEIGHT", " 23 Lambert cylindrical equal-area, normal aspect, sphere",
            "all its points fall on one horizontal line: no scale fits them to the page")},
      {cylindrical, "89.9 90 0.1", "0 1 0.5", {}},
      {conic_ellipsoid, "89.9999 90 0.0001", "0 1 0.5",
       flat("WITHOUT WIDTH OR HEIGHT", "  4 Lambert conformal conic, two standard parallels, ellipsoid",
            "all its points fall on one point: no scale fits them to the page")},
      {conic_ellipsoid, "89.999 90 0.001", "0 1 0.5", {}, "0.00002"},
      {orthographic, "-60 -40 10", "-170 -130 10",
       flat("WITH NO POINT", " 10 orthographic, oblique",
            "none of its points has an image: there is nothing to fit to the page")},
      {mercator_ellipsoid, "89.9999 90 0.0001", "0 1 0.5",
       flat("WITH NO POINT", " 16 Mercator, ellipsoid",
            "none of its points has an image: there is nothing to fit to the page")},
      {{"15", "99", "99"}, "0 20 5", "0 20 5", {}, "1", {}, true},
      {{"15", "99", "99"}, "0 20 5", "0 20 5", {}, "0.6"},
      {{"15", "99", "99"}, "0 20 5", "0 20 5", {}, "1", {"12", "33", "180", "99"}}};
  const std::string ticks_line = " ticks or labels reach off the page: a smaller tic size (320, 33) shortens them";
  const double page_x = 595, page_y = 842;
  for (const Case& c : cases) {
    std::string trace = c.projection[0] + ": " + c.lat + " / " + c.lon + ", ticks " + c.tick;
    for (const std::string& a : c.before_run) trace += " " + a;
    SCOPED_TRACE(trace);
    TempDir dir;
    write_file(dir / "kavro7_ini.txt", "  F   1 P    1\n");  // the Compressed dialect
    Lines answers = {"", "2001", "300"};
    answers.insert(answers.end(), c.projection.begin(), c.projection.end());
    answers.insert(answers.end(), {"320", "10", c.lat, "20", c.lon, "33", c.tick, "99", "340", "n", "343", "n"});
    // The plot opened first: its opening sets the text attributes afresh.
    answers.insert(answers.end(), {"10", "", "map.ps"});
    answers.insert(answers.end(), c.before_run.begin(), c.before_run.end());
    // The RUN's empty line answers the box's pause, or the new page's question.
    answers.insert(answers.end(), {"1000", "", "99", "20", "", "9999", ""});
    const ProgramRun run = run_dorvix(dir, answers);
    EXPECT_EQ(run.status, 0);
    const bool refused = !c.refusal.empty();
    if (refused) {
      Lines box = c.refusal;
      box.push_back(" ===> HIT RETURN TO CONTINUE");
      EXPECT_TRUE(has_block(run.lines, box));
    }
    EXPECT_EQ(std::count_if(run.lines.begin(), run.lines.end(),
                            [](const std::string& l) { return l.starts_with(" LAT-LONG GRID WINDOW "); }),
              refused ? 1 : 0);
    EXPECT_EQ(contains(run.lines, ticks_line), c.ticks_off);
    const Lines ps = split_lines(read_file(dir / "map.ps"));
    EXPECT_EQ(std::count_if(ps.begin(), ps.end(), [](const std::string& l) { return l.starts_with("%%Page:"); }),
              refused ? 1 : 2);
    std::size_t points = 0;
    for (const std::string& l : ps) {
      std::istringstream in(l);
      double x = 0, y = 0;
      std::string op;
      if (!(in >> x >> y >> op) || (op != "M" && op != "L")) continue;
      ++points;
      EXPECT_TRUE(x >= 0 && x <= page_x && y >= 0 && y <= page_y) << l;
    }
    // A refused RUN writes nothing; a map, its caption and graticule.
    EXPECT_EQ(points == 0, refused);
    DORVIX_REQUIRE_TOOL("gs");
    expect_renders(dir / "map.ps");
    if (refused) continue;
    // What Ghostscript inks on the map's page (which it does not give
    // below 0) leaves the page exactly when the line says so.
    const CommandResult r = run_command("gs -q -dSAFER -dBATCH -dNOPAUSE -dFirstPage=2 -sDEVICE=bbox " +
                                        shell_quote((dir / "map.ps").string()));
    std::istringstream box(r.output.substr(std::min(r.output.find("%%HiResBoundingBox:") + 19, r.output.size())));
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    ASSERT_TRUE(box >> x0 >> y0 >> x1 >> y1) << r.output;
    EXPECT_EQ(!(x0 > 0 && y0 > 0 && x1 < page_x && y1 < page_y), c.ticks_off)
        << x0 << " " << y0 << " " << x1 << " " << y1;
  }
}

TEST_F(GraticuleTest, WorldMapsKeepTheirWesternEdgeInTheWest) {
  // The polyconic's parallels bend back beyond 45 degrees of latitude.
  for (const auto& [code, lat] : {std::pair{24, 80}, {25, 80}, {13, 40}}) {
    SCOPED_TRACE(code);
    use(code);
    window(static_cast<real>(-lat), static_cast<real>(lat), -180, 180, static_cast<real>(lat) / 4, 30);
    const Drawing d = draw("world" + std::to_string(code) + ".ps");
    // 13 meridians (the last the western frame), 26 ticks, then 9
    // parallels drawn from east to west.
    ASSERT_GE(d.runs.size(), 13u + 26u + 9u);
    for (const auto& p : d.runs[12]) EXPECT_LT(user_x(p), 0) << "western frame";
    for (std::size_t i = 39; i < 48; ++i) {
      const auto& run = d.runs[i];
      for (std::size_t k = 1; k < run.size(); ++k) EXPECT_LE(run[k].first, run[k - 1].first) << "parallel " << i;
      EXPECT_TRUE(user_x(run.front()) > 0 && user_x(run.back()) < 0) << "parallel " << i;
    }
    // The ticks beyond the eastern and the western edge, and their labels,
    // stay on their own side of the map.
    ASSERT_EQ(d.runs.size(), 13u + 26u + 9u + 18u);
    for (std::size_t i = 48; i < 66; ++i) {
      for (const auto& p : d.runs[i]) EXPECT_EQ(user_x(p) > 0, i < 57) << "tick " << i;
    }
    ASSERT_EQ(d.anchors.size(), 26u + 18u);
    for (std::size_t i = 26; i < 44; ++i) EXPECT_EQ(user_x(d.anchors[i]) > 0, i < 35) << "label " << i;
  }
  // A window across the antimeridian under a code cut there: the lines
  // are split at the cut, no segment crosses the map.
  use(24);
  window(-60, 60, 170, 190, 10, 5);
  for (const auto& run : draw("across.ps").runs) {
    for (std::size_t k = 1; k < run.size(); ++k) EXPECT_LT(std::fabs(run[k].first - run[k - 1].first), 4 * cm);
  }
  // One segment per line over a whole turn: under Mercator each parallel
  // is drawn from the eastern edge to the western one.
  use(15);
  window(-60, 60, -180, 180, 30, 90, 1, 1, 1);
  const Drawing whole = draw("whole_turn.ps");
  ASSERT_EQ(whole.runs.size(), 5u + 10u + 5u + 10u);
  for (std::size_t i = 15; i < 20; ++i) {
    EXPECT_TRUE(user_x(whole.runs[i].front()) > 0 && user_x(whole.runs[i].back()) < 0) << "parallel " << i;
  }
  // From pole to pole under Mercator the poles have no image: the 13
  // meridians still run from the southernmost parallel drawn to the
  // northernmost (80 degrees), not only over their middle third.
  window(-90, 90, -180, 180, 10, 30, 1, 0);
  const Drawing poles = draw("poles.ps");
  ASSERT_GE(poles.runs.size(), 13u);
  double south = 1e9, north = -1e9;
  for (const auto& run : poles.runs) {
    for (const auto& p : run) south = std::min(south, p.second), north = std::max(north, p.second);
  }
  for (std::size_t i = 0; i < 13; ++i) {
    EXPECT_NEAR(poles.runs[i].front().second, south, 0.011) << "meridian " << i;
    EXPECT_NEAR(poles.runs[i].back().second, north, 0.011) << "meridian " << i;
  }
}

TEST_F(GraticuleTest, GridLinesDrawEverySampleWithAnImageTheirNodesAndTheHorizon) {
  DORVIX_REQUIRE_TOOL("proj");
  // Each meridian sampled from the window's south edge to its north edge,
  // each parallel from its east edge to its west edge, in npgrid steps:
  // every sample with an image drawn at PROJ's place, a sample without one
  // breaking the line. Where a line breaks between two samples it goes
  // through the nodes between them (where the other family's lines cross
  // it) and, on the orthographic map, to the horizon (cos c = 0 on the
  // sphere, found here by bisection). The orthographic maps centred at
  // 40N hide the far side, with nodes on samples (15 degrees, 48 steps)
  // and between them (10 degrees, 50 steps); Mercator has no image at the
  // poles, which are no horizon.
  struct Case {
    int code;
    std::string proj;
    double lon0, lat0, inc;
    int npgrid;
  };
  for (const Case& c : {Case{10, "+proj=ortho +R=1 +lon_0=-100 +lat_0=40", -100, 40, 15, 48},
                        Case{10, "+proj=ortho +R=1 +lon_0=-97 +lat_0=40", -97, 40, 10, 50},
                        Case{15, "+proj=merc +R=1 +over", 0, 0, 30, 12}}) {
    SCOPED_TRACE(c.proj + " every " + std::to_string(c.npgrid));
    real lon = static_cast<real>(c.lon0), lat = static_cast<real>(c.lat0);
    soblique(lon, lat, setup::passed);
    use(c.code);
    sllorig(lon, lat, setup::passed);
    window(-90, 90, -180, 180, static_cast<real>(c.inc), static_cast<real>(c.inc), 1, 0, c.npgrid);
    const Drawing d = draw("samples" + std::to_string(c.code) + "_" + std::to_string(c.npgrid) + ".ps");
    const bool orthographic = c.code == 10;
    const double s0 = std::sin(c.lat0 * pi / 180), c0 = std::cos(c.lat0 * pi / 180);
    const auto cos_c = [&](double lon_d, double lat_d) {
      const double f = lat_d * pi / 180;
      return std::sin(f) * s0 + std::cos(f) * c0 * std::cos((lon_d - c.lon0) * pi / 180);
    };
    // The lines, meridians from the east then parallels from the south: at
    // position t (in steps) the point start + t * step of the coordinate
    // along the line, the other held.
    const int nmer = static_cast<int>(360 / c.inc), npar = static_cast<int>(180 / c.inc);
    struct Line {
      bool meridian;
      double at, start, step;  // degrees
      int nodes;
    };
    std::vector<Line> lines;
    for (int i = 0; i <= nmer; ++i) lines.push_back({true, 180.0 - 360.0 * i / nmer, -90, 180.0 / c.npgrid, npar});
    for (int i = 0; i <= npar; ++i) lines.push_back({false, -90.0 + 180.0 * i / npar, 180, -360.0 / c.npgrid, nmer});
    const auto point = [](const Line& l, double t) {
      const double v = l.start + t * l.step;
      return l.meridian ? Point{l.at, v} : Point{v, l.at};
    };
    // Every point each line goes through, and whether it has an image (the
    // horizon's points, just on the near side, do).
    Points geo;
    geo.add(c.lon0, c.lat0);
    std::vector<std::vector<int>> along;  // -1: a point without image; else 1 + its index in geo
    for (const Line& l : lines) {
      std::vector<std::pair<double, int>> at;  // position, kind (0 sample or node, 1 horizon)
      for (int j = 0; j <= c.npgrid; ++j) at.emplace_back(j, 0);
      std::vector<std::pair<double, int>> extra;
      for (int j = 1; j <= c.npgrid; ++j) {
        const auto seen = [&](double t) {
          const Point p = point(l, t);
          return orthographic ? cos_c(p.first, p.second) > 0 : std::fabs(p.second) < 90;
        };
        if (seen(j - 1) && seen(j)) continue;
        for (int k = (j - 1) * l.nodes / c.npgrid + 1; k * c.npgrid < j * l.nodes; ++k) {
          extra.emplace_back(static_cast<double>(k) * c.npgrid / l.nodes, 0);
        }
        if (!orthographic || seen(j - 1) == seen(j)) continue;
        double a = j - 1, b = j;  // a seen, b hidden
        if (!seen(a)) std::swap(a, b);
        for (int n = 0; n < 60; ++n) (seen(0.5 * (a + b)) ? a : b) = 0.5 * (a + b);
        // Nearer by 1.0E-6 radian, so that PROJ sees it too.
        extra.emplace_back(a + (a < b ? -1.0 : 1.0) * 1e-6 * 180 / pi / std::fabs(l.step), 1);
      }
      at.insert(at.end(), extra.begin(), extra.end());
      std::ranges::sort(at);
      along.emplace_back();
      for (const auto& [t, kind] : at) {
        const Point p = point(l, t);
        geo.add(p.first, p.second);
        along.back().push_back(kind);
      }
    }
    const auto r = proj_forward(c.proj, geo);
    ASSERT_EQ(r.size(), geo.lon.size());
    // PROJ puts Mercator's poles (rounded to single precision) 38 radii
    // out: no image on any map.
    const auto image = [&](std::size_t k) { return r[k] && std::fabs(r[k]->second) < 10; };
    std::vector<std::vector<Point>> want;
    std::size_t k = 1;
    for (const std::vector<int>& l : along) {
      bool open = false;
      for (std::size_t m = 0; m < l.size(); ++m, ++k) {
        if (!image(k)) {
          open = false;
          continue;
        }
        if (!open) want.emplace_back();
        open = true;
        // A line is moved to its first sample, then drawn through it.
        for (std::size_t twice = m == 0 ? 2 : 1; twice > 0; --twice) {
          want.back().emplace_back(r[k]->first - r[0]->first, r[k]->second - r[0]->second);
        }
      }
    }
    // The runs less those of no length (one point repeated): the ticks,
    // and the parallel at a pole.
    const auto with_length = [](const std::vector<std::vector<Point>>& all, double apart) {
      std::vector<std::vector<Point>> kept;
      for (const auto& run : all) {
        const auto away = [&](const Point& q) { return std::hypot(q.first - run.front().first, q.second - run.front().second) > apart; };
        if (std::ranges::any_of(run, away)) kept.push_back(run);
      }
      return kept;
    };
    want = with_length(want, 1e-9);
    const std::vector<std::vector<Point>> runs = with_length(d.runs, 0);
    ASSERT_EQ(runs.size(), want.size());
    const double scale_k = scale(), tolerance = 0.006 + 1e-5 * scale_k;
    const Point o = device(0, 0);
    for (std::size_t i = 0; i < want.size(); ++i) {
      ASSERT_EQ(runs[i].size(), want[i].size()) << "run " << i;
      for (std::size_t j = 0; j < want[i].size(); ++j) {
        EXPECT_NEAR(runs[i][j].first - o.first, want[i][j].first * scale_k, tolerance) << i << " " << j;
        EXPECT_NEAR(runs[i][j].second - o.second, want[i][j].second * scale_k, tolerance) << i << " " << j;
      }
    }
  }
}

TEST_F(GraticuleTest, LinesReachTheRimOfThePartOfTheGlobeShown) {
  DORVIX_REQUIRE_TOOL("proj");
  // The near-side perspective (code 12) seen from P = 1 / sin(A/2) Earth
  // radii shows the cap cos c >= 1/P about its centre; the orthographic
  // (code 10) the hemisphere cos c >= 0. Each meridian and parallel of the
  // window crosses the cap's rim where cos c - 1/P changes sign along it
  // (found here in double precision, on a fine sampling and then by
  // bisection), and each crossing must be the end of a drawn run, within
  // 0.5 pt of PROJ's image of the crossing (nsper seen from h = P - 1, our
  // map being PROJ's times cos(A/2) P / (P - 1); ortho). In these windows
  // lines enter and leave the cap between two samples: all of a meridian's
  // samples hidden under 30/40 seen under 90 degrees (meridian -30 shows
  // from 40 to 78 degrees) or 48 (parallel -20 from 0.5 to 59.5 degrees),
  // parallel 80 behind the rim between two samples shown under 62; the
  // orthographic's southern parallels between samples hidden.
  struct Case {
    int code;
    double lon0, lat0, angle;  // angle of view, code 12
    real latmin = -80, latmax = 80, lonmin = -180, lonmax = 180, inc = 10;
    int npgrid = 3;
  };
  for (const Case& c : {Case{12, 30, 40, 60}, Case{12, 30, 40, 90}, Case{12, 30, 40, 48}, Case{12, 30, 40, 62},
                        Case{12, -120, -35, 70}, Case{12, 150, 75, 40, -90, 90, -180, 180, 15, 5},
                        Case{12, 10, 0, 100, -60, 60, -90, 120, 5, 4}, Case{10, 0, 45, 0, -90, 90},
                        Case{10, 30, 40, 0, -80, 80, -180, 180, 20, 2}}) {
    SCOPED_TRACE("code " + std::to_string(c.code) + " about " + std::to_string(c.lon0) + "/" +
                 std::to_string(c.lat0) + " seen under " + std::to_string(c.angle));
    real lon = static_cast<real>(c.lon0), lat = static_cast<real>(c.lat0), angle = static_cast<real>(c.angle);
    soblique(lon, lat, setup::passed);
    if (c.code == 12) sangle1(angle, setup::passed);
    int code = c.code;
    sprojll2(code, setup::passed);
    sllorig(lon, lat, setup::passed);
    window(c.latmin, c.latmax, c.lonmin, c.lonmax, c.inc, c.inc, 1, 0, c.npgrid);
    const Drawing d = draw("rim.ps");
    const double to_rad = pi / 180, rim = c.code == 12 ? std::sin(c.angle / 2 * to_rad) : 0;
    const double s0 = std::sin(c.lat0 * to_rad), c0 = std::cos(c.lat0 * to_rad);
    // cos c - 1/P at a point, degrees.
    const auto inside = [&](double lon_d, double lat_d) {
      const double f = lat_d * to_rad;
      return std::sin(f) * s0 + std::cos(f) * c0 * std::cos((lon_d - c.lon0) * to_rad) - rim;
    };
    Points geo;
    geo.add(c.lon0, c.lat0);
    const int nmer = static_cast<int>(std::lround((c.lonmax - c.lonmin) / c.inc));
    const int npar = static_cast<int>(std::lround((c.latmax - c.latmin) / c.inc));
    for (int i = 0; i <= nmer + 1 + npar; ++i) {
      const bool meridian = i <= nmer;
      const double at = meridian ? c.lonmin + c.inc * i : c.latmin + c.inc * (i - nmer - 1);
      const double from = meridian ? c.latmin : c.lonmin, to = meridian ? c.latmax : c.lonmax;
      const auto f = [&](double t) { return meridian ? inside(at, t) : inside(t, at); };
      constexpr int fine = 3600;
      for (int k = 0; k < fine; ++k) {
        double a = from + (to - from) * k / fine, b = from + (to - from) * (k + 1) / fine;
        if ((f(a) >= 0) == (f(b) >= 0)) continue;
        if (f(a) < 0) std::swap(a, b);  // a shown, b hidden
        for (int n = 0; n < 60; ++n) (f(0.5 * (a + b)) >= 0 ? a : b) = 0.5 * (a + b);
        // Just inside, so that PROJ shows it too. A line that only grazes
        // the rim (within 1.0E-6 of cos c, less than 0.5 pt long) has no
        // crossing to reach.
        const double crossing = a;
        for (double step = a - b; f(a) < 1e-6 && std::fabs(a - crossing) < 0.01; step *= 2) a += step;
        if (f(a) < 1e-6) continue;
        meridian ? geo.add(at, a) : geo.add(a, at);
      }
    }
    ASSERT_GT(geo.size(), 4);
    double k = scale();
    std::string proj = "+proj=ortho +R=1";
    if (c.code == 12) {
      const double h = 1 / rim - 1;
      proj = "+proj=nsper +R=1 +h=" + std::to_string(h);
      k *= std::cos(c.angle / 2 * to_rad) / (rim * h);
    }
    const auto r = proj_forward(proj + " +lon_0=" + std::to_string(c.lon0) + " +lat_0=" + std::to_string(c.lat0), geo);
    ASSERT_EQ(r.size(), geo.lon.size());
    const Point o = device(0, 0);
    for (std::size_t n = 1; n < r.size(); ++n) {
      ASSERT_TRUE(r[n]) << n;
      const Point want{o.first + (r[n]->first - r[0]->first) * k, o.second + (r[n]->second - r[0]->second) * k};
      double nearest = 1e9;
      for (const auto& run : d.runs) {
        for (const Point& e : {run.front(), run.back()}) {
          nearest = std::min(nearest, std::hypot(e.first - want.first, e.second - want.second));
        }
      }
      EXPECT_LT(nearest, 0.5) << "crossing at " << geo.lon[n] / to_rad << " " << geo.lat[n] / to_rad;
    }
  }
}

TEST_F(GraticuleTest, AGnomonicLineIsBrokenWhereItPassesBehindTheHorizon) {
  DORVIX_REQUIRE_TOOL("proj");
  // The gnomonic about 30/40 shows the hemisphere about its centre, its
  // horizon at infinity, and its graticule reaches 80 degrees from the
  // centre. Parallel 47, sampled at 150 and 270 (-90), 78 degrees from
  // the centre, passes 93 degrees from it at -150, behind the horizon:
  // both samples are drawn, at PROJ's places, and no chord joins them
  // across the hidden part.
  real lon = 30, lat = 40;
  soblique(lon, lat, setup::passed);
  use(18);
  sllorig(lon, lat, setup::passed);
  window(47, 80, 150, 270, 33, 120, 1, 0, 1);
  const Drawing d = draw("gnomonic.ps");
  Points geo;
  geo.add(30, 40);
  geo.add(150, 47);
  geo.add(-90, 47);
  const auto r = proj_forward("+proj=gnom +R=1 +lon_0=30 +lat_0=40", geo);
  ASSERT_EQ(r.size(), 3u);
  const Point o = device(0, 0);
  const double k = scale();
  std::vector<Point> want;
  for (std::size_t n = 1; n < 3; ++n) {
    ASSERT_TRUE(r[n]);
    want.push_back({o.first + (r[n]->first - r[0]->first) * k, o.second + (r[n]->second - r[0]->second) * k});
  }
  const auto at = [](const Point& p, const Point& q) { return std::hypot(p.first - q.first, p.second - q.second) < 0.5; };
  bool drawn[2] = {false, false};
  for (const auto& run : d.runs) {
    for (std::size_t j = 0; j < run.size(); ++j) {
      for (int n = 0; n < 2; ++n) drawn[n] = drawn[n] || at(run[j], want[n]);
      if (j == 0) continue;
      EXPECT_FALSE((at(run[j - 1], want[0]) && at(run[j], want[1])) || (at(run[j - 1], want[1]) && at(run[j], want[0])))
          << "a chord across the hidden part of parallel 47";
    }
  }
  EXPECT_TRUE(drawn[0]);
  EXPECT_TRUE(drawn[1]);
}

TEST_F(GraticuleTest, ReportsLabelsAndGridTypes) {
  use(22);
  Drawing d = draw("labels.ps");
  EXPECT_EQ(screen_lines(), join({menu_head("drawllgrid"),
                                  {" LAT-LONG GRID TYPE =    1", " nb of meridians =   17", " nb of parallels =   17",
                                   menu_tail}}));
  // Under, over, right of and left of the window.
  Lines want;
  for (int edge = 0; edge < 4; ++edge) {
    for (int i = 0; i <= 16; ++i) want.push_back(std::to_string(edge < 2 ? 80 - 10 * i : -80 + 10 * i) + ".0");
  }
  EXPECT_EQ(d.texts, want);
  // Labels that round to zero have no minus sign: the equator and the
  // meridian 0, twice each.
  window(-90, 10, -40, 40);
  d = draw("zero.ps");
  EXPECT_EQ(std::count(d.texts.begin(), d.texts.end(), "0.0"), 4);
  EXPECT_EQ(std::count(d.texts.begin(), d.texts.end(), "-0.0"), 0);
  // A window narrower than one spacing: its two edges, drawn and ticked.
  window(-5, 3, 20, 25);
  screen();
  d = draw("narrow.ps");
  EXPECT_TRUE(contains(screen_lines(), " nb of meridians =    2"));
  EXPECT_EQ(d.texts, (Lines{"25.0", "20.0", "25.0", "20.0", "-5.0", "3.0", "-5.0", "3.0"}));
  // Lines spread to end on both edges of a window that is no whole number
  // of spacings: 2.7 degrees at 0.5 gives parallels every 0.54 degrees,
  // which the report says; 2.5 degrees at 0.5 says nothing.
  window(45, 47.7f, 5, 7.5f, 0.5f, 0.5f);
  screen();
  d = draw("uneven.ps");
  EXPECT_EQ(screen_lines(),
            join({menu_head("drawllgrid"),
                  {" LAT-LONG GRID TYPE =    1", " nb of meridians =    6", " nb of parallels =    6",
                   " parallels every   0.5400 degrees, not   0.5000: spread to end on both edges", menu_tail}}));
  EXPECT_EQ(Lines(d.texts.begin() + 12, d.texts.begin() + 18), (Lines{"45.0", "45.5", "46.1", "46.6", "47.2", "47.7"}));
  // A polar map of a whole turn draws the meridian -180 on 180: its ticks
  // and labels, and the latitudes' along it, once; Mercator's two edges
  // keep theirs.
  for (const int code : {7, 15}) {
    use(code);
    window(0, 80, -180, 180, 10, 30);
    d = draw("whole_turn" + std::to_string(code) + ".ps");
    Lines labels;
    for (int edge = 0; edge < 4; ++edge) {
      for (int i = 0; i <= (edge < 2 ? 12 : 8); ++i) {
        if (code == 7 && (edge == 3 || (edge < 2 && i == 12))) continue;
        labels.push_back(std::to_string(edge < 2 ? 180 - 30 * i : 10 * i) + ".0");
      }
    }
    EXPECT_EQ(d.texts, labels) << code;
    EXPECT_EQ(d.runs.size(), 13u + 9u + labels.size()) << code;  // the lines, a tick a label
  }
  use(22);
  // No grid: nothing drawn.
  window(-80, 80, -80, 80, 10, 10, 0);
  screen();
  EXPECT_TRUE(draw("none.ps").runs.empty());
  EXPECT_EQ(screen_lines(), join({menu_head("drawllgrid"), {" NO LAT-LONG GRID", menu_tail}}));
  // The frame: two meridians and two parallels, ticks at every spacing,
  // outwards for type 2 (the first under the window goes down) and
  // inwards for type 3, the labels outside for both.
  for (const int type : {2, 3}) {
    window(-80, 80, -80, 80, 10, 10, type);
    d = draw("frame" + std::to_string(type) + ".ps");
    ASSERT_EQ(d.runs.size(), 2u + 2 * 17 + 2u + 2 * 17);
    EXPECT_EQ(d.texts, want);
    EXPECT_EQ(d.runs[2].back().second < d.runs[2].front().second, type == 2);
  }
}

TEST_F(GraticuleTest, NoIntervalIsLostToTheRoundingOfTheAngles) {
  for (const int spacing : {1, 2, 3, 5, 10, 15, 20, 30, 45}) {
    for (int a = -180; a < 180; ++a) {
      for (int b = a + spacing; b <= 180; b += spacing) {
        const real span = rad(static_cast<real>(b)) - rad(static_cast<real>(a));
        ASSERT_EQ(grid_intervals(span, rad(static_cast<real>(spacing))), (b - a) / spacing) << a << " " << b;
      }
    }
  }
  // Nor does the check of the settings refuse a window of exactly the
  // most intervals taken: 160 degrees by 0.16 (a single-precision quotient
  // a little above 1000).
  GridValues grid{.latmin = -80, .latmax = 80, .lonmin = -10, .lonmax = 10, .latinc = 0.16f, .loninc = 5};
  screen();
  sllgrid3(grid, setup::passed);
  EXPECT_EQ(screen(), "");
  EXPECT_EQ(gridll.glatinc, rad(0.16f));
  EXPECT_EQ(grid_intervals(gridll.glatmax - gridll.glatmin, gridll.glatinc), 1000);
}

// The menu as the user sees it from the defaults; the advice about the
// tick segments shows for a frame whose ticks have more segments than the
// larger of 2 and a third of the grid lines' segments, and only then.
TEST_F(GraticuleTest, MenuShowsTheSettingsAndAdvisesOnTickSegments) {
  type({"40", "2", "32", "3", "31", "9", "33", "0.5", "99"});
  screen();
  set_grid(setup::menu_from_defaults);
  const Lines lines = screen_lines();
  const std::string rule = " " + std::string(43, '-');
  const auto body = [&](const std::string& npgrid, const std::string& nptick, const std::string& tic,
                        const std::string& type, bool advice) {
    Lines l{rule,
            " LATITUDE-LONGITUDE GRID PARAMETERS",
            rule,
            " latitude min, max and inc .....10",
            " latitude minimum ..............11  -80.000",
            " latitude maximum ..............12   80.000",
            " latitude increment ............13   10.000",
            " longitude min, max and inc ....20",
            " longitude minimum .............21  -80.000",
            " longitude maximum .............22   80.000",
            " longitude increment ...........23   10.000",
            " nb of points to draw grid......31 " + npgrid,
            " nb of points to draw tick......32 " + nptick,
            " tic size (degrees) ............33 " + tic,
            " nb of decimals ................34      1",
            " grid type .....................40 " + type};
    if (advice) l.insert(l.end(), {rule, " WARNING:", " too many points for tick marks ?", rule});
    l.insert(l.end(), {rule, " EXIT ..........................99", menu_tail});
    return l;
  };
  const std::string one = "   1.000";
  EXPECT_TRUE(has_block(lines, body("     3", "     2", one, "     1", false)));
  EXPECT_TRUE(has_block(lines, body("     3", "     2", one, "     2", false)));
  EXPECT_TRUE(has_block(lines, body("     3", "     3", one, "     2", true)));
  EXPECT_TRUE(has_block(lines, body("     9", "     3", one, "     2", false)));
  EXPECT_TRUE(has_block(lines, body("     9", "     3", "   0.500", "     2", false)));
  EXPECT_TRUE(has_block(lines, {" no grid ..........0", " regular grid .....1", " ticks out grid ...2",
                                " ticks in  grid....3"}));
  EXPECT_EQ(gridll.igridtype, 2);
  EXPECT_EQ(gridll.nptick, 3);
  EXPECT_EQ(gridll.npgrid, 9);
  EXPECT_FLOAT_EQ(gridll.gticsize, rad(0.5f));
}

TEST_F(GraticuleTest, SettingsThatGiveNoGraticuleAreRefused) {
  struct Case {
    Lines answers;                 // to the menu (mode 2) ...
    std::function<void()> passed;  // ... or values passed without menu (mode 1)
    Lines box;                     // the box's lines and its pause
  };
  const auto passed = [](real latmin, real latmax, real latinc, int npgrid, int nptick) {
    return [=] {
      GridValues grid{.latmin = latmin, .latmax = latmax, .lonmin = -10, .lonmax = 10, .latinc = latinc,
                      .loninc = 5, .npgrid = npgrid, .nptick = nptick};
      sllgrid3(grid, setup::passed);
    };
  };
  const std::string back = " ==> BACK TO MENU", again = " ==> ENTER THEM AGAIN", kept = " ==> GRID UNCHANGED";
  const std::vector<Case> cases{
      {{"21", "170", "22", "-170", "99", "", "22", "190", "99"},
       nullptr,
       {" longitude minimum must be below its maximum", " (a window across the antimeridian: e.g. 170 to 190)", back}},
      {{"10", "-60 95 5", "", "-60 60 5", "99"}, nullptr, {" latitudes must lie within -90 and 90", again}},
      {{"20", "-10 10 0", "", "-10 10 2", "99"}, nullptr, {" longitude increment must be above 0", again}},
      {{"23", "0.1", "21", "-180", "22", "180", "99", "", "23", "1", "99"},
       nullptr,
       {" at most 1000 longitude intervals", back}},
      {{"31", "0", "99", "", "31", "4", "99"}, nullptr, {" nb of points per grid line must be 1 to 1000", back}},
      {{""}, passed(-10, 10, 5, 3, 1001), {" nb of points per tick must be 1 to 1000", kept}},
      {{""}, passed(10, -10, 5, 3, 2), {" latitude minimum must be below its maximum", kept}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box.front());
    initialise_projection();
    std::string text;
    for (const auto& a : c.answers) text += a + "\n";
    type_raw(text);
    screen();
    const GridLl before = gridll;
    if (c.passed) {
      c.passed();
    } else {
      set_grid(setup::menu_from_stored);
    }
    const Lines lines = screen_lines();
    Lines box = c.box;
    box.push_back(" ===> HIT RETURN TO CONTINUE");
    EXPECT_TRUE(has_block(lines, box));
    if (c.passed) {
      EXPECT_EQ(std::memcmp(&before, &gridll, sizeof before), 0) << "record changed";
    } else {  // left with the settings mended
      EXPECT_TRUE(gridll.glatmin < gridll.glatmax && gridll.glonmin < gridll.glonmax && gridll.npgrid >= 1);
      EXPECT_LE(grid_intervals(gridll.glonmax - gridll.glonmin, gridll.gloninc), 360);
    }
  }
}

}  // namespace
}  // namespace dorvix::testing
