// The net's frame and labels, the axis symbols, and the projection menu.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

#include "stereonet/axis_symbols.hpp"
#include "stereonet/frame.hpp"
#include "stereonet/net_fixture.hpp"

namespace dorvix::testing {
namespace {

constexpr double pi = std::numbers::pi;

class FrameAndSymbols : public NetTest {};

// The point of the move that places the text record starting with `text`.
Point text_anchor(const Lines& lines, const std::string& text) {
  const auto t = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(text, 0) == 0; });
  auto m = std::make_reverse_iterator(t);
  m = std::find_if(m, lines.rend(), [](const std::string& l) { return l.size() > 2 && l.ends_with(" M"); });
  Point p{-1e9, -1e9};
  if (m != lines.rend()) std::istringstream(*m) >> p.first >> p.second;
  return p;
}

// The centre of a drawn symbol: the middle of its points' extent.
Point centre(const Path& p) {
  auto [xmin, xmax] = std::minmax_element(p.points.begin(), p.points.end());
  auto [ymin, ymax] = std::minmax_element(p.points.begin(), p.points.end(),
                                          [](const Point& a, const Point& b) { return a.second < b.second; });
  return {(xmin->first + xmax->first) / 2, (ymin->second + ymax->second) / 2};
}

TEST_F(FrameAndSymbols, LabelsSymbolsAttributesAndTheProjectionMenu) {
  open(100);
  srepstereo0(5);
  real height = 0.4f;
  stextsize(height, 1);
  const double half_height = 0.5 * 0.4 * 28.35;  // a middle-line anchor lies half a text height higher
  // North up: "North" centred above (0, 1.1), "East" right of (1.1, 0);
  // north to the right: the other way round.
  struct Labels {
    int type;
    Point north, east;
  } cases[] = {{4, {0, 1.1}, {1.1, 0}}, {2, {0, 1.1}, {1.1, 0}}, {3, {1.1, 0}, {0, 1.1}}};
  for (const Labels& c : cases) {
    use_projection(c.type);
    real angle = 30;
    int justif = 7, symbol = 13;
    stextangle(angle, 1);
    stextalign(justif, 1);
    ssymboltype(symbol, 1);
    drawn();
    repstereo();
    int standard = 1, alternate = -1;
    sdspaxsymb(standard, alternate, 1);
    const real az = 0.5f, pl = -0.3f;
    dspaxfapn2(std::span(&az, 1), std::span(&pl, 1), 1);
    // Text angle, justification and symbol type as they were.
    EXPECT_EQ(plt2blk.txtangle, 30);
    EXPECT_EQ(plt2blk.justif, 7);
    EXPECT_EQ(plt2blk.symbtype, 13);

    const Lines l = drawn();
    for (const auto& [text, at] : {std::pair{"(North)", c.north}, std::pair{"(East)", c.east}}) {
      const bool above = at.second > 1;
      const Point a = text_anchor(l, text);
      EXPECT_NEAR(a.first, origin_x + 100 * at.first, 0.01) << c.type << text;
      EXPECT_NEAR(a.second, origin_y + 100 * at.second - (above ? 0 : half_height), 0.01) << c.type << text;
      // Centred above, or from the left end.
      const auto t = std::find_if(l.begin(), l.end(), [&](const std::string& s) { return s.rfind(text, 0) == 0; });
      ASSERT_NE(t, l.end());
      EXPECT_EQ(above ? t[1] : *t, above ? "sl -2 div 0 G" : std::string(text) + " show") << c.type;
    }
    // The upward axis drawn filled (the alternate code) at its other end.
    const std::vector<Path> paths = paths_of(l);
    ASSERT_FALSE(paths.empty());
    EXPECT_NE(paths.back().end, "sk");
    EXPECT_LT(distance(user(centre(paths.back())), net_point(c.type, 0.5 + pi, 0.3)), 1e-3) << c.type;
  }
  // A horizontal axis takes the standard code; code 150 draws nothing.
  const real az = 0.5f, pl = 0.0f;
  dspaxfapn2(std::span(&az, 1), std::span(&pl, 1), 1);
  const std::vector<Path> open_symbol = paths_of(drawn());
  ASSERT_EQ(open_symbol.size(), 1u);
  EXPECT_EQ(open_symbol[0].end, "sk");
  EXPECT_LT(distance(user(centre(open_symbol[0])), net_point(3, 0.5, 0)), 1e-3);
  int standard = 150, alternate = -1;
  sdspaxsymb(standard, alternate, 1);
  dspaxfapn2(std::span(&az, 1), std::span(&pl, 1), 1);
  EXPECT_TRUE(drawn().empty());

  // The projection menu starts from the stored type 3; 1 is chosen.
  screen();
  type({"1"});
  int iproj = 4;
  sspro(iproj, 2);
  EXPECT_EQ(iproj, 1);
  EXPECT_EQ(sprojtype.iproj, 1);
  const std::string rule = " " + std::string(43, '-');
  const Lines want = join({menu_head("sspro"),
                           {" STEREOGRAPHIC PROJECTION SET UP", " (azimuth,plunge) ---> (x,y) in plane", rule,
                            "           &&&&&&&&&&&&&             ", "            &&&&&&&&&&&              ",
                            "              &&&&&#&                ", "                &&& .                ",
                            "                     .               ", "      /***************.*************/",
                            "     /                 .           / ", "    /                  |          /  ",
                            "   /                   V         /   ", "  /                    #        /    ",
                            " /*****************************/     ", rule, " current projection number =    3",
                            rule, " Projection                   command", " Wulff = conformal = Inversion",
                            "    direct     X,Y axis ............1", "    retrograde X,Y axis ............2",
                            " Schmidt = Lambert Azimuthal equal area", "    direct     X,Y axis ............3",
                            "    retrograde X,Y axis ............4", menu_tail, " " + std::string(42, '.'),
                            " Enter projection number", " inside  [1,4]", " or return for default value",
                            " Default =            3", " New value =             1", " " + std::string(42, '.')},
                           menu_head("swulf"),
                           {" INITIALIZING WULFF PROJECTION", " Inversion or stereographic conformal"}});
  EXPECT_EQ(screen_lines(), want);
}

TEST_F(FrameAndSymbols, ALabelNumberOutsideTheSixEditsTheLastLabel) {
  srepstereo0(5);
  screen();
  // The box's pause, then the label menu: a new text, leave.
  type({"", "2", "Fault zone", "99"});
  std::string text(35, ' ');
  int idraw = 0, ilabel = 9;
  srepstereolabel1(text, idraw, ilabel, 1);
  EXPECT_EQ(ilabel, 6);
  EXPECT_EQ(stefram2.label[5], "Fault zone     ");
  EXPECT_FALSE(stefram2.llabel[5]);
  const Lines l = screen_lines();
  const Lines report = {" label number =    9", " label number must be in [1,6]", " ==> label number reset to =    6"};
  EXPECT_NE(std::search(l.begin(), l.end(), report.begin(), report.end()), l.end());
  const std::string rule = " " + std::string(43, '-');
  const Lines label_menu = join({menu_head("srepstereol"),
                                 {rule, " STEREO FRAME LABELS", rule, " label position        : Upper Left ",
                                  " label index...........1    6", " label text............2 None" + std::string(31, ' '),
                                  " draw label (0/1)......3    0", rule, " EXIT ................99", menu_tail}});
  EXPECT_NE(std::search(l.begin(), l.end(), label_menu.begin(), label_menu.end()), l.end());
}

}  // namespace
}  // namespace dorvix::testing
