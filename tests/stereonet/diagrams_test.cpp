// The diagram drivers: whole runs of the program on a real catalogue,
// judged by Ghostscript's rendering, and the driver menus on a plot of
// the test, for the layout option, the sheet check and the page menu.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <sstream>
#include <tuple>
#include <vector>

#include "catalogue/real_data.hpp"
#include "numbers/edit.hpp"
#include "plot/draw.hpp"
#include "stereonet/diagram_drivers.hpp"
#include "stereonet/net_fixture.hpp"
#include "support/draw_fixture.hpp"
#include "support/program_run.hpp"
#include "support/raster.hpp"

namespace dorvix::testing {
namespace {

constexpr double degree = std::numbers::pi / 180;

// The first n lines of the SCEDC HASH catalogue, as a file of `dir`.
void write_catalogue(const TempDir& dir, const std::string& name, std::size_t n) {
  const auto lines = real_data_lines("scedc_hash_2018.hash");
  std::string text;
  for (std::size_t k = 0; k < n && k < lines.size(); ++k) text += lines[k] + "\n";
  write_file(dir / name, text);
}

// Ink on the primitive circle of the net centred at (x, y) cm (radius 1.5
// cm), at 45 degrees, where no tick or diameter runs.
bool net_drawn(const Raster& r, double x, double y) {
  return ink_around(r, x + 1.5 * std::cos(0.785398), y + 1.5 * std::sin(0.785398), 0.05) > 0;
}
bool place_empty(const Raster& r, double x, double y) { return ink_around(r, x, y, 1.2) == 0; }

TEST(DiagramsThroughTheProgram, TwentyNetsAPageOnThreePages) {
  DORVIX_REQUIRE_TOOL("gs");
  TempDir dir;
  write_catalogue(dir, "cat.hash", 45);
  const ProgramRun run = run_dorvix(
      dir, script({read_script("1001", "cat.hash"), {"3001", "1000", "", "fps_bb.ps", "", "", "99", "9999", ""}}));
  EXPECT_EQ(run.status, 0);
  const Lines& l = run.lines;
  EXPECT_TRUE(has_block(l, {" PLOTTING Page 1/3", " Data 1 -> 20"}));
  EXPECT_TRUE(has_block(l, {" PLOTTING Page 2/3", " Data 21 -> 40"}));
  EXPECT_TRUE(has_block(l, {" PLOTTING Page 3/3", " Data 41 -> 45"}));
  EXPECT_EQ(count_of(l, " IT IS SUGGESTED TO CLEAR THE PLOT"), 2);
  EXPECT_TRUE(contains(split_lines(read_file(dir / "fps_bb.ps")), "%%Pages:   3"));
  expect_renders(dir / "fps_bb.ps");
  ASSERT_EQ(rendered_pages(dir / "fps_bb.ps"), 3);
  for (int page = 1; page <= 3; ++page) {
    const Raster r = render(dir / "fps_bb.ps", page);
    for (int k = 0; k < 20; ++k) {
      const double x = 4.0 + 4.5 * (k / 5), y = 4.0 + 4.5 * (k % 5);
      if (page < 3 || k < 5) {
        EXPECT_TRUE(net_drawn(r, x, y)) << "page " << page << " net " << k + 1;
      } else {
        EXPECT_TRUE(place_empty(r, x, y)) << "page " << page << " place " << k + 1;
      }
    }
  }
}

TEST(DiagramsThroughTheProgram, AllNetsOnOnePageAndTheNetsOffTheSheet) {
  DORVIX_REQUIRE_TOOL("gs");
  TempDir dir;
  write_catalogue(dir, "seven.hash", 7);
  write_catalogue(dir, "many.hash", 21);
  // Seven nets; then 21, the last of which leaves the upright sheet (the
  // warning's pause answered), on a new page.
  const ProgramRun run =
      run_dorvix(dir, script({read_script("1001", "seven.hash"), {"3000", "1000", "", "seis.fm.ps", "99"},
                              read_script("1001", "many.hash"), {"3000", "1000", "", "", "99", "9999", ""}}));
  EXPECT_EQ(run.status, 0);
  const std::string warning = " stereo nets off the sheet =      1";
  EXPECT_EQ(count_of(run.lines, warning), 1);
  // The box names the remedies: the paged driver and smaller nets.
  EXPECT_TRUE(has_block(from_line(run.lines, warning),
                        {warning, " ==> PLOTTING THEM ALL THE SAME", " ==> 3001 OF THE TOP MENU DRAWS 20 A PAGE",
                         " ==> scaling (11) MAKES THE NETS SMALLER", " ===> HIT RETURN TO CONTINUE"}));
  expect_renders(dir / "seis.fm.ps");
  const Raster r = render(dir / "seis.fm.ps", 1);
  for (double y : {4.0, 8.5, 13.0, 17.5, 22.0}) EXPECT_TRUE(net_drawn(r, 4.0, y)) << y;
  EXPECT_TRUE(net_drawn(r, 8.5, 4.0));
  EXPECT_TRUE(net_drawn(r, 8.5, 8.5));
  EXPECT_TRUE(place_empty(r, 8.5, 13.0));
  EXPECT_TRUE(place_empty(r, 13.0, 4.0));
}

// A caption line as written (NeWS dialect): its page, its font size and
// the height of its anchor, points.
struct CaptionLine {
  int page;
  std::string text;
  int size;
  double y;
};
std::vector<CaptionLine> caption_lines(const Lines& ps) {
  static const std::string starts[] = {"(Main program", "(Subroutine", "(Run on", "(Page ", "(Data ", "(Number of data"};
  std::vector<CaptionLine> found;
  int page = 0, size = 0;
  double y = 0;
  for (const std::string& l : ps) {
    if (l.starts_with("%%Page:")) ++page;
    if (l.ends_with(" moveto")) std::istringstream(l) >> y >> y;
    if (l.ends_with(" findfont exch scalefont setfont")) size = std::stoi(l);
    for (const std::string& s : starts) {
      if (l.starts_with(s)) found.push_back({page, s.substr(1), size, y});
    }
  }
  return found;
}

// Every caption at half the user's text height, whatever was drawn
// before it: the one-page diagrams twice on their own (each page once
// wrote its caption at the size the page before left), then the paged
// diagrams, whose captions took the nets' labels' height; then, after the
// user chose 1 cm, both diagrams and the map. The three lines of the run
// information 1.5 caption heights apart.
TEST(DiagramsThroughTheProgram, CaptionsAtTheUsersTextSizeWhateverWasDrawnBefore) {
  TempDir dir;
  write_catalogue(dir, "cat.hash", 21);  // the 21st net leaves the sheet of the one-page diagrams
  const Lines one_page{"1000", "", ""}, paged{"1000", "", ""};  // new page, the sheet box or the next page
  const ProgramRun run = run_dorvix(
      dir, script({read_script("1001", "cat.hash"), {"3000", "1000", "", "c.ps", ""}, one_page, {"99", "3001"}, paged,
                   {"99", "330", "31", "1.0", "99", "3001"}, paged, {"99", "3000"}, one_page,
                   {"99", "2001", "340", "n", "343", "n", "1000", "", "99", "20", "", "9999"}}));
  EXPECT_EQ(run.status, 0);
  const std::vector<CaptionLine> lines = caption_lines(split_lines(read_file(dir / "c.ps")));
  struct Pages {
    int first, last;
    double height_cm;  // the user's text height
    int points;        // the caption's font size: half that height
  } const expected[] = {{1, 4, 0.5, 7}, {5, 8, 1.0, 14}};
  // One-page diagrams (3 lines), paged (3 and 2), the map (3 and 1).
  const std::size_t per_page[] = {3, 3, 5, 5, 5, 5, 3, 4};
  for (const Pages& e : expected) {
    for (int page = e.first; page <= e.last; ++page) {
      std::vector<CaptionLine> on_page;
      std::copy_if(lines.begin(), lines.end(), std::back_inserter(on_page),
                   [page](const CaptionLine& c) { return c.page == page; });
      ASSERT_EQ(on_page.size(), per_page[page - 1]) << "page " << page;
      for (const CaptionLine& c : on_page) EXPECT_EQ(c.size, e.points) << "page " << page << ": " << c.text;
      EXPECT_NEAR(on_page[0].y - on_page[1].y, 1.5 * e.height_cm / 2 * 28.35, 0.01) << "page " << page;
      EXPECT_NEAR(on_page[1].y - on_page[2].y, 1.5 * e.height_cm / 2 * 28.35, 0.01) << "page " << page;
    }
  }
  expect_renders(dir / "c.ps");
}

// The paged driver on a plot of the test, with mechanisms made up.
class PagedDriver : public DrawTest {
 protected:
  static constexpr int capacity = 60;
  void SetUp() override {
    DrawTest::SetUp();
    default_colour_table();
    for (int i = 0; i < capacity; ++i) {
      strike[i] = static_cast<real>((37 * i) % 360);
      dip[i] = static_cast<real>(20 + (13 * i) % 70);
      rake[i] = static_cast<real>(-170 + (29 * i) % 340);
      label[i].assign("event " + std::to_string(i + 1));
    }
    // The start-up of the diagrams: projection, frame, symbols.
    fpsseis3(mechanisms(0), 2, setup::initialise);
    fpsbchbll(mechanisms(0), 3, 1, setup::initialise);
    screen();
  }
  // The menu of the driver (subplot 3) on the first ndata mechanisms.
  std::vector<std::string> run_menu(int ndata, std::initializer_list<std::string> answers) {
    type(answers);
    fpsbchbll(mechanisms(ndata), 3, 1, setup::menu_from_passed);
    return screen_lines();
  }
  // The frame of a subplot: origin (cm) and matrix.
  static std::array<real, 6> frame(int s) {
    const auto k = static_cast<std::size_t>(s - 1);
    const auto& m = plt1blk.ustocm[k];
    return {plt1blk.us0tocm[k][0], plt1blk.us0tocm[k][1], m[0], m[1], m[2], m[3]};
  }

  // The first ndata mechanisms, with the same plane twice.
  DiagramMechanisms mechanisms(int ndata) const {
    return {.azd1 = strike,
            .dipd1 = dip,
            .rakd1 = rake,
            .azd2 = strike,
            .dipd2 = dip,
            .rakd2 = rake,
            .label0 = label,
            .ndatdim = capacity,
            .ndata = ndata};
  }

  std::array<real, capacity> strike{}, dip{}, rake{};
  std::array<FixedText<16>, capacity> label{};
};

// Centre (cm) and radius (cm) of the primitive circles drawn, in order.
std::vector<std::array<double, 3>> circles(const Lines& records) {
  std::vector<std::array<double, 3>> found;
  for (const Path& p : paths_of(records)) {
    if (p.points.size() != 200) continue;
    const auto [xmin, xmax] = std::minmax_element(p.points.begin(), p.points.end());
    const Point c = centre(p);
    found.push_back({c.first / 28.35, c.second / 28.35, (xmax->first - xmin->first) / 2 / 28.35});
  }
  return found;
}

// The paths other than circles (200 points), great circles (40) and lone
// points: the diameters, the ticks and the axis symbols, in order.
std::vector<Path> short_paths(const Lines& records) {
  std::vector<Path> found;
  for (const Path& p : paths_of(records)) {
    if (p.points.size() != 40 && p.points.size() != 200 && p.points.size() > 1) found.push_back(p);
  }
  return found;
}

TEST_F(PagedDriver, ScalingStartsFromTheKeptLayoutAndKeepsOnlyAnAcceptedOne) {
  struct Case {
    const char* what;
    int ndata;
    std::initializer_list<std::string> answers;
    int errors;
  } cases[] = {
      // Before any run the subplot has no frame; kept as shown.
      {"fresh", 1, {"11", "", "1000", "", "99"}, 0},
      // After a run of 20 nets the subplot holds the last net's map.
      {"after a run", 20, {"1000", "", "11", "", "1000", "", "99"}, 0},
      // A matrix without inverse is refused once, and not kept.
      {"refused", 2, {"11", "y", "4", "4", "0", "0", "0", "0", "", "1000", "", "", "", "", "99"}, 1},
  };
  for (const Case& c : cases) {
    open_plot(1);
    plt1blk.ustocm[2] = {};
    plt1blk.us0tocm[2] = {};
    fpsbchbll(mechanisms(0), 3, 1, setup::initialise);
    drawn();
    const Lines screen_lines = run_menu(c.ndata, c.answers);
    close_plot();
    const auto drawn_circles = circles(drawn_lines());
    ASSERT_GE(drawn_circles.size(), static_cast<std::size_t>(c.ndata)) << c.what;
    // The last run starts at the lower-left place, 1.5 cm in radius.
    const auto& first = drawn_circles[drawn_circles.size() - static_cast<std::size_t>(c.ndata)];
    EXPECT_NEAR(first[0], 4.0, 0.01) << c.what;
    EXPECT_NEAR(first[1], 4.0, 0.01) << c.what;
    EXPECT_NEAR(first[2], 1.5, 0.01) << c.what;
    EXPECT_EQ(count_of(screen_lines, " *** " + std::string(15, ' ') + "ERROR" + std::string(15, ' ') + " ***"), c.errors) << c.what;
  }
}

TEST_F(PagedDriver, NetsOffALandscapeSheetAreReported) {
  struct Case {
    const char* orientation;
    std::initializer_list<std::string> answers;
    const char* warning;  // nullptr: none
  } cases[] = {
      {"P  ", {"1000", "", "", "", "99"}, nullptr},
      // The top row of 45 nets, once a page, rises above 21 cm.
      {"LA4", {"1000", "", "", "", "", "99"}, " stereo nets off the sheet =      9"},
      {"LUS", {"1000", "", "", "", "", "99"}, " stereo nets off the sheet =      9"},
      // Nets 1.4 cm in radius, the lowest row's centres 2.9 cm up: the top
      // row's frames reach 21.2 cm, above the landscape A4 sheet (21.0 cm)
      // and below the landscape US Letter one (21.6 cm).
      {"LA4", {"11", "y", "4", "2.9", "1.4", "0", "0", "1.4", "1000", "", "", "", "", "99"},
       " stereo nets off the sheet =      9"},
      {"LUS", {"11", "y", "4", "2.9", "1.4", "0", "0", "1.4", "1000", "", "", "", "99"}, nullptr},
  };
  for (const Case& c : cases) {
    open_plot(1, c.orientation, 1, std::string("sheet_") + c.orientation[1] + ".ps");
    const Lines l = run_menu(45, c.answers);
    EXPECT_EQ(count_of(l, " ==> PLOTTING THEM ALL THE SAME"), c.warning ? 1 : 0) << c.orientation;
    if (c.warning) {
      // Paging is no remedy here: only smaller nets are offered.
      EXPECT_TRUE(has_block(l, {c.warning, " ==> PLOTTING THEM ALL THE SAME", " ==> scaling (11) MAKES THE NETS SMALLER",
                                " ===> HIT RETURN TO CONTINUE"}))
          << c.orientation;
    }
    EXPECT_TRUE(contains(l, " Data 41 -> 45")) << c.orientation;
    close_plot();
  }
}

TEST_F(PagedDriver, ANewFileFromThePageMenuKeepsTheNetsInTheirSubplot) {
  open_plot(1);
  // The map's subplot has a frame of its own.
  int s = 1;
  ssubplot(s, setup::passed);
  real x0 = 2, y0 = 3, xx = 0.5f, xy = 0, yx = 0, yy = 0.5f;
  sus2cm1(x0, y0, xx, xy, yx, yy, setup::passed);
  const auto map_frame = frame(1);
  // Page 2 in a new file of the Compressed dialect: the trailer's Return,
  // the settings accepted, the name.
  write_file(path("kavro7_ini.txt"), "  F   1 P    1\n              \n");
  run_menu(21, {"1000", "", "1", "", "", "Next_plot", "99"});
  EXPECT_EQ(frame(1), map_frame);
  EXPECT_EQ(frame(3), (std::array<real, 6>{4, 4, 1.5f, 0, 0, 1.5f}));
  close_plot();
  EXPECT_EQ(circles(file_lines("Next_plot")).size(), 1u);
}

// One net of the paged driver, on the 1976 Tangshan earthquake of the
// Global CMT catalogue, read back from the plot records: the frame, the
// label under it, both published planes and the six axes, each with its
// own symbol where the catalogue puts its P, B and T axes.
TEST_F(PagedDriver, OneNetDrawsThePublishedPlanesAndAxesWithTheirSymbols) {
  const auto rows = real_data_table("gcmt_m7plus_fm.csv");
  const auto row = std::find_if(rows.begin(), rows.end(), [](const CsvRow& r) { return r[0] == "M072776A"; });
  ASSERT_NE(row, rows.end());
  std::array<real, 1> s1{real(row->number(7))}, d1{real(row->number(8))}, r1{real(row->number(9))};
  std::array<real, 1> s2{real(row->number(10))}, d2{real(row->number(11))}, r2{real(row->number(12))};
  std::array<FixedText<16>, 1> name{};
  name[0].assign("Tangshan 1976");
  const DiagramMechanisms tangshan{
      .azd1 = s1, .dipd1 = d1, .rakd1 = r1, .azd2 = s2, .dipd2 = d2, .rakd2 = r2, .label0 = name, .ndatdim = 60000,
      .ndata = 1};
  open_plot(1);
  // The plot's symbol size, text height and justification, as the driver
  // finds them and leaves them.
  const auto attributes = [](SetupMode mode, real size, real height, int justif) {
    ssymbolsize(size, mode);
    stextsize(height, mode);
    stextalign(justif, mode);
    return std::tuple{size, height, justif};
  };
  const auto found = attributes(setup::passed, 0.5f, 0.7f, 3);
  drawn();
  screen();
  type({"1000", "", "99"});
  fpsbchbll(tangshan, 3, 1, setup::menu_from_passed);
  EXPECT_EQ(attributes(setup::stored, 0, 0, 0), found);
  // The driver's menu (the store holds up to 60000 mechanisms): the
  // one-page driver's has no angle unit line.
  const auto menu_of = [](const std::string& driver, const std::string& plot_name, bool paged) {
    const std::string rule = " " + std::string(43, '-'), section = " " + std::string(32, '-');
    Lines body = {rule, " SET UP:", section, " DATA:", " maximum nb of data =  60000", " current nb of data =      1"};
    if (paged) body.push_back(" angles in radians  : F");
    const Lines rest = {section, " PLOT:", " plot file name: " + edit::pad(plot_name, 20),
                        " open plot file  ..............10", " scaling ......................11",
                        " plot parameters ..............12", " close file = end plot ........20",
                        " stereo type..................300", " symbol types ................310", rule,
                        " RUN = PLOT FPS .............1000", " EXIT .........................99", menu_tail};
    return join({menu_head(driver), body, rest});
  };
  EXPECT_TRUE(has_block(screen_lines(), menu_of("fpsbchbll", "fps_bb.ps", true)));
  // The net at (4, 4) cm, 1.5 cm in radius, on the upright Schmidt net.
  const double c = 4 * 28.35, u = 1.5 * 28.35;
  const auto at = [&](const Point& p) { return Point{(p.first - c) / u, (p.second - c) / u}; };
  const auto place = [](double az_deg, double pl_deg) { return net_point(4, az_deg * degree, pl_deg * degree); };
  // The centre of a closed symbol: the mean of its corners.
  const auto middle = [](const Path& s) {
    Point m{0, 0};
    for (std::size_t k = 0; k + 1 < s.points.size(); ++k) m = {m.first + s.points[k].first, m.second + s.points[k].second};
    const double n = static_cast<double>(s.points.size() - 1);
    return Point{m.first / n, m.second / n};
  };
  // What a net holds; its symbols.
  const auto net_symbols = [&](const Lines& l, double symbol_cm) {
    EXPECT_EQ(circles(l).size(), 1u);
    // The label centred 0.2 below the circle, on its middle line: the move
    // lies half the 0.4 cm text height lower.
    const Point under = at(text_anchor(l, "(Tangshan 1976)"));
    EXPECT_NEAR(under.first, 0, 1e-3);
    EXPECT_NEAR(under.second, -1.2 - 0.2 / 1.5, 1e-3);
    // Both planes, from strike to strike + 180 degrees, then the symbols.
    const std::vector<Path> paths = paths_of(l);
    std::vector<Path> planes, symbols;
    for (const Path& p : paths) {
      if (p.points.size() == 40) planes.push_back(p);
      if (!planes.empty() && p.points.size() != 40) symbols.push_back(p);
    }
    if (planes.size() != 2) {
      ADD_FAILURE() << planes.size() << " planes";
      return symbols;
    }
    for (std::size_t k = 0; k < 2; ++k) {
      const double strike = row->number(7 + 3 * k);
      EXPECT_LT(distance(at(planes[k].points.front()), place(strike, 0)), 1e-3) << k;
      EXPECT_LT(distance(at(planes[k].points.back()), place(strike + 180, 0)), 1e-3) << k;
    }
    // P, B and T of each plane within 1.5 degrees of the published axes:
    // a circle of the symbol size (19 sides), a square (4), a triangle (3).
    if (symbols.size() != 6) {
      ADD_FAILURE() << symbols.size() << " symbols";
      return symbols;
    }
    const std::size_t sides[] = {0, 4, 3};
    for (std::size_t k = 0; k < 6; ++k) {
      const std::size_t j = k % 3, column = std::array<std::size_t, 3>{13, 17, 15}[j];
      const Path& s = symbols[k];
      EXPECT_LT(distance(at(middle(s)), place(row->number(column), row->number(column + 1))), 0.035) << k;
      if (sides[j] > 0) {
        EXPECT_EQ(s.points.size(), sides[j] + 1) << k;
      } else {
        EXPECT_GT(s.points.size(), 10u) << k;
        const auto [xmin, xmax] = std::minmax_element(s.points.begin(), s.points.end());
        EXPECT_NEAR(xmax->first - xmin->first, symbol_cm * 28.35, 0.015 * symbol_cm * 28.35) << k;
      }
    }
    return symbols;
  };
  const Lines l = drawn();
  const std::vector<Path> symbols = net_symbols(l, 0.3);
  ASSERT_EQ(symbols.size(), 6u);
  // The page's caption lines, from the left end of their bottom line, at
  // half the text height the driver found (0.7 cm): 0.525 cm apart.
  for (const auto& [text, y] : {std::pair{"(Page 1/1) show", 28.0}, std::pair{"(Data 1 -> 1) show", 27.475}}) {
    ASSERT_TRUE(contains(l, text)) << text;
    const Point a = text_anchor(l, text);
    EXPECT_NEAR(a.first, 2.0 * 28.35, 0.01) << text;
    EXPECT_NEAR(a.second, y * 28.35, 0.01) << text;
  }

  // P as a radial line from the symbol option, B and T kept: the pairs
  // are edited without storing them, and drawn at the next run.
  screen();
  type({"310", "10", "100", "", "", "", "1000", "", "99"});
  fpsbchbll(tangshan, 3, 1, setup::menu_from_passed);
  const Lines menu = screen_lines();
  EXPECT_TRUE(has_block(menu, {" set up:", " standard  type =  100", " alternate type =   -1"}));
  EXPECT_EQ(count_of(menu, " SET UP IS OK ==> EXIT ........ 99"), 4);
  const std::vector<Path> second = short_paths(drawn());
  ASSERT_EQ(second.size(), 48u);  // after the diameters and the ticks
  for (std::size_t k = 42; k < 48; ++k) {
    const std::size_t j = (k - 42) % 3;
    EXPECT_EQ(second[k].points.size(), j == 0 ? 2 : symbols[k - 42].points.size()) << k;
  }
  EXPECT_LT(distance(at(second[42].points[0]), place(row->number(13), row->number(14))), 0.035);

  // The same net from the one-page driver, whose subplot holds the same
  // layout, in the symbol size in force.
  screen();
  type({"1000", "", "99"});
  fpsseis3(tangshan, 2, setup::menu_from_passed);
  EXPECT_EQ(net_symbols(drawn(), 0.5).size(), 6u);
  EXPECT_TRUE(has_block(screen_lines(), menu_of("fpsseis", "seis.fm.ps", false)));

  // Its own symbol option, as the paged driver's: P of each plane a
  // radial line at the next run.
  type({"310", "10", "100", "", "", "", "1000", "", "99"});
  fpsseis3(tangshan, 2, setup::menu_from_passed);
  const std::vector<Path> own = short_paths(drawn());
  ASSERT_GE(own.size(), 6u);
  const auto axes = own.end() - 6;
  for (std::size_t k = 0; k < 6; ++k) EXPECT_EQ(axes[k].points.size() == 2, k % 3 == 0) << k;
  EXPECT_LT(distance(at(axes[0].points[0]), place(row->number(13), row->number(14))), 0.035);
}

// Nets thrown beyond the plot file's writable range are drawn at its
// limits; each run shows one box for all the points it reset, not one a
// path (the frame, ticks, great circles and symbols of 20 nets), the
// second run as many as the first.
TEST_F(PagedDriver, NetsBeyondTheWritableRangeGiveOneResetBox) {
  open_plot(1);
  const Lines l = run_menu(20, {"11", "y", "1e7", "4", "1", "0", "0", "1", "1000", "", "", "", "1000", "", "", "",
                                "99"});
  close_plot();
  EXPECT_EQ(count_of(l, " ///               WARNING               ///"), 4);  // nets off the sheet, points reset
  ASSERT_EQ(count_of(l, " ==> reset to xmax =  0.349E+05"), 2);
  const auto reset = from_line(l, " ==> reset to xmax =  0.349E+05");
  ASSERT_GE(reset.size(), 2u);
  EXPECT_TRUE(reset[1].starts_with(" POINTS RESET TO THE LIMITS:")) << reset[1];
  EXPECT_GT(std::stoi(reset[1].substr(28)), 20 * 200);
  EXPECT_EQ(count_of(l, reset[1]), 2);
}

}  // namespace
}  // namespace dorvix::testing
