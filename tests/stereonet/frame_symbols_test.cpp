// The net's frame and labels, the axis symbols, and the projection menu.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <sstream>

#include "dialogue/prompts.hpp"
#include "stereonet/axis_symbols.hpp"
#include "stereonet/frame.hpp"
#include "stereonet/net_fixture.hpp"
#include "support/program_run.hpp"

namespace dorvix::testing {
namespace {

constexpr double pi = std::numbers::pi;

class FrameAndSymbols : public NetTest {};

TEST_F(FrameAndSymbols, LabelsSymbolsAttributesAndTheProjectionMenu) {
  open(100);
  srepstereo0(setup::initialise);
  real height = 0.4f;
  stextsize(height, setup::passed);
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
    stextangle(angle, setup::passed);
    stextalign(justif, setup::passed);
    ssymboltype(symbol, setup::passed);
    drawn();
    repstereo();
    int standard = 1, alternate = -1;
    sdspaxsymb(standard, alternate, setup::passed);
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
      const auto t = std::find_if(l.begin(), l.end(), [prefix = text](const std::string& s) { return s.rfind(prefix, 0) == 0; });
      ASSERT_NE(t, l.end());
      EXPECT_EQ(above ? t[1] : *t, above ? "sl -2 div 0 G" : std::string(text) + " show") << c.type;
    }
    // The upward axis drawn filled (the alternate code) at its other end.
    const std::vector<Path> paths = paths_of(l);
    ASSERT_FALSE(paths.empty());
    EXPECT_NE(paths.back().end, "sk");
    EXPECT_LT(distance(user(centre(paths.back())), net_point(c.type, 0.5 + pi, 0.3)), 1e-3) << c.type;
  }
  // A horizontal axis takes the standard code at its azimuth, also when
  // rounding leaves its plunge just below 0 (cos 90 degrees in single
  // precision is -4.4E-8); an axis 2.0E-4 above the horizon is turned. Code
  // 150 draws nothing.
  const real az = 0.5f, pl = 0.0f;
  for (const real p : {0.0f, std::cos(real(pi / 2)), -0.9e-4f, -2.0e-4f}) {
    dspaxfapn2(std::span(&az, 1), std::span(&p, 1), 1);
    const std::vector<Path> symbol = paths_of(drawn());
    ASSERT_EQ(symbol.size(), 1u) << p;
    EXPECT_EQ(symbol[0].end == "sk", p > -1.0e-4f) << p;
    EXPECT_LT(distance(user(centre(symbol[0])), net_point(3, p > -1.0e-4f ? 0.5 : 0.5 + pi, 0)), 1e-3) << p;
  }
  int standard = 150, alternate = -1;
  sdspaxsymb(standard, alternate, setup::passed);
  dspaxfapn2(std::span(&az, 1), std::span(&pl, 1), 1);
  EXPECT_TRUE(drawn().empty());

  // The projection menu starts from the stored type 3; 1 is chosen.
  screen();
  type({"1"});
  int iproj = 4;
  sspro(iproj, setup::menu_from_stored);
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

// The frame of a net: its circle of the stored number of points, the two
// diameters, a tick every 10 degrees from radius 1.02 to 1.08, and the
// first 10 characters of each corner label drawn, beside its corner.
TEST_F(FrameAndSymbols, CircleDiametersTicksAndCornerLabels) {
  open(100);
  srepstereo0(setup::initialise);
  use_projection(4);
  int npts = 90;
  srepstereonp(npts, setup::passed);
  for (int ilabel = 3; ilabel <= 6; ++ilabel) {
    std::string text = "Corner " + std::to_string(ilabel) + " of the frame";
    int idraw = 1;
    srepstereolabel1(text, idraw, ilabel, setup::passed);
  }
  real height = 0.4f;
  stextsize(height, setup::passed);
  const double half_height = 0.5 * 0.4 * 28.35;
  drawn();
  repstereo();
  // The lines: the paths before the first text.
  const auto lines_of = [](const Lines& l) {
    auto end = std::find_if(l.begin(), l.end(), [](const std::string& s) { return s.starts_with("("); });
    while (end != l.begin() && end[-1] != "sk") --end;
    return paths_of(Lines(l.begin(), end));
  };
  const Lines l = drawn();
  const std::vector<Path> paths = lines_of(l);
  ASSERT_EQ(paths.size(), 43u);
  ASSERT_EQ(paths[0].points.size(), 90u);
  for (const Point& p : paths[0].points) EXPECT_NEAR(std::hypot(user(p).first, user(p).second), 1, 1e-4);
  const std::vector<Point> across{{-1, 0}, {1, 0}}, upwards{{0, -1}, {0, 1}};
  for (const auto& [k, want] : {std::pair{1, across}, std::pair{2, upwards}}) {
    ASSERT_EQ(paths[k].points.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) EXPECT_LT(distance(user(paths[k].points[i]), want[i]), 1e-4) << k;
  }
  // Ticks by direction, in tens of degrees: those on the axes twice.
  std::array<int, 36> ticks{};
  for (std::size_t k = 3; k < paths.size(); ++k) {
    ASSERT_EQ(paths[k].points.size(), 2u);
    const Point inner = user(paths[k].points[0]), outer = user(paths[k].points[1]);
    EXPECT_NEAR(std::hypot(inner.first, inner.second), 1.02, 1e-4);
    EXPECT_NEAR(std::hypot(outer.first, outer.second), 1.08, 1e-4);
    const double tens = std::atan2(outer.second, outer.first) * 18 / pi;
    EXPECT_NEAR(tens, std::round(tens), 1e-3);
    EXPECT_NEAR(std::atan2(inner.second, inner.first) * 18 / pi, tens, 1e-3);
    ++ticks[static_cast<std::size_t>((static_cast<int>(std::lround(tens)) + 36) % 36)];
  }
  for (std::size_t d = 0; d < 36; ++d) EXPECT_EQ(ticks[d], d % 9 == 0 ? 2 : 1) << d * 10;
  // Right of the right-hand corners, left of the left-hand ones.
  const Point corner[] = {{0.5, 1}, {0.5, -1}, {-0.5, -1}, {-0.5, 1}};
  for (int ilabel = 3; ilabel <= 6; ++ilabel) {
    const std::string text = "(Corner " + std::to_string(ilabel) + " o)";
    const Point a = text_anchor(l, text);
    const Point& want = corner[ilabel - 3];
    EXPECT_NEAR(a.first, origin_x + 100 * want.first, 0.01) << ilabel;
    EXPECT_NEAR(a.second, origin_y + 100 * want.second - half_height, 0.01) << ilabel;
    const auto t = std::find(l.begin(), l.end(), ilabel <= 4 ? text + " show" : text);
    ASSERT_NE(t, l.end()) << ilabel;
    if (ilabel > 4) {
      EXPECT_EQ(t[1], "sl -1 div 0 G");
    }
  }
  // Without diameters, then without ticks too; a corner label turned off.
  stefram2.ldrawax = false;
  stefram2.llabel[3] = false;
  repstereo();
  const Lines without_axes = drawn();
  EXPECT_EQ(lines_of(without_axes).size(), 41u);
  EXPECT_FALSE(contains(without_axes, "(Corner 4 o) show"));
  EXPECT_TRUE(contains(without_axes, "(Corner 3 o) show"));
  stefram2.ldrawtic = false;
  repstereo();
  EXPECT_EQ(lines_of(drawn()).size(), 1u);
}

// Radial lines (100) and arrows (101) of 0.2 along the radius of the axis's
// lower end: outwards, inwards for a turned axis, none at the centre. The
// symbol codes reach 99 and -99.
TEST_F(FrameAndSymbols, RadialLinesAndArrowsAndTheEndsOfTheSymbolRange) {
  open(100);
  use_projection(4);
  struct Axis {
    real az, pl;
  } axes[] = {{0.5f, 0.6f}, {0.5f, -0.6f}, {2.0f, real(pi / 2)}};
  for (int code : {100, 101}) {
    for (const Axis& a : axes) {
      int standard = code, alternate = -1;
      sdspaxsymb(standard, alternate, setup::passed);
      dspaxfapn2(std::span(&a.az, 1), std::span(&a.pl, 1), 1);
      const Point p = a.pl < 0 ? net_point(4, a.az + pi, -a.pl) : net_point(4, a.az, a.pl);
      const double r = std::hypot(p.first, p.second), f = r < 1e-6 ? 1 : 1 + (a.pl < 0 ? -0.2 : 0.2) / r;
      const Point end{f * p.first, f * p.second};
      const std::vector<Path> paths = paths_of(drawn());
      ASSERT_EQ(paths.size(), code == 100 ? 1u : 2u) << code << " " << a.pl;
      EXPECT_LT(distance(user(paths[0].points.front()), p), 1e-4) << code << " " << a.pl;
      // The line's end, or the arrow head's tip.
      EXPECT_LT(distance(user(code == 100 ? paths[0].points.back() : paths[1].points[2]), end), 1e-4)
          << code << " " << a.pl;
    }
  }
  for (const Axis& a : {axes[0], axes[1]}) {
    int standard = 99, alternate = -99;
    sdspaxsymb(standard, alternate, setup::passed);
    dspaxfapn2(std::span(&a.az, 1), std::span(&a.pl, 1), 1);
    const std::vector<Path> paths = paths_of(drawn());
    ASSERT_EQ(paths.size(), 1u) << a.pl;
    EXPECT_EQ(paths[0].points.size(), 20u) << a.pl;
    EXPECT_EQ(paths[0].end == "sk", a.pl > 0) << a.pl;
  }
}

TEST_F(FrameAndSymbols, ALabelNumberOutsideTheSixEditsTheLastLabel) {
  srepstereo0(setup::initialise);
  screen();
  // The box's pause, then the label menu: a new text, leave.
  type({"", "2", "Fault zone", "99"});
  std::string text(35, ' ');
  int idraw = 0, ilabel = 9;
  srepstereolabel1(text, idraw, ilabel, setup::passed);
  EXPECT_EQ(ilabel, 6);
  EXPECT_EQ(stefram2.label[5], "Fault zone     ");
  EXPECT_FALSE(stefram2.llabel[5]);
  const Lines l = screen_lines();
  const Lines report = {" label number =    9", " label number must be in [1,6]", " ==> label number reset to =    6"};
  EXPECT_TRUE(has_block(l, report));
  const std::string rule = " " + std::string(43, '-');
  const Lines label_menu = join({menu_head("srepstereol"),
                                 {rule, " STEREO FRAME LABELS", rule, " label position        : Upper Left ",
                                  " label index...........1    6", " label text............2 None" + std::string(31, ' '),
                                  " draw label (0/1)......3    0", rule, " EXIT ................99", menu_tail}});
  EXPECT_TRUE(has_block(l, label_menu));
}

// The frame's set-ups as whole transcripts, each from the default frame:
// the frame menu and the label and point menus it opens, and the label
// and point set-ups on their own; the frame record after each, as
// "points/axes/ticks label:flag ...", and what a set-up handed back.
TEST_F(FrameAndSymbols, FrameSetUpsShowTheirMenusAndStoreWhatIsChosen) {
  const std::string dots = " " + std::string(42, '.'), rule = " " + std::string(43, '-');
  const auto number = [](int n, std::size_t width) {
    const std::string digits = std::to_string(n);
    return std::string(width - digits.size(), ' ') + digits;
  };
  const auto choice = [&](int n) {
    return Lines{dots, " Enter your choice", " or return for default value", " Default =           99",
                 " New value =" + number(n, 14), dots};
  };
  const auto ranged = [&](const std::string& what, const std::string& range, int def, int n) {
    return Lines{dots, " Enter " + what, " inside  " + range, " or return for default value", " Default =" + number(def, 13),
                 " New value =" + number(n, 14), dots};
  };
  const auto turned_off = [&](const std::string& what) {
    return Lines{dots, " " + what + " ?", " Enter (0/1)(n/y)(N/Y)", " or return for default value or h for help",
                 " Default = Yes", " New value =  No ", dots};
  };
  // The frame menu with the upper right label's text and flag ("None :F"
  // by default), the points of the circle, the axes and ticks flags.
  const auto frame_menu = [&](const std::string& upper_right, int npts, char axes, char ticks) {
    return join({menu_head("srepstereo0"),
                 {rule, " STEREO FRAME PARAMETERS", rule, " position   :     label     :?:command",
                  " X axis     :North          :T:..1", " Y axis     :East           :T:..2",
                  " Upper Right:" + upper_right + ":..3", " Lower Right:None           :F:..4",
                  " Lower Left :None           :F:..5", " Upper Left :None           :F:..6",
                  " nb of points to draw ..........10" + number(npts, 8),
                  std::string(" draw axis......................20 ") + axes,
                  std::string(" draw tics......................30 ") + ticks, rule, " EXIT ..........................99",
                  menu_tail}});
  };
  const auto label_menu = [&](const std::string& position, int index, const std::string& text, int idraw) {
    return join({menu_head("srepstereol"),
                 {rule, " STEREO FRAME LABELS", rule, " label position        : " + position,
                  " label index...........1" + number(index, 5), " label text............2 " + text,
                  " draw label (0/1)......3" + number(idraw, 5), rule, " EXIT ................99", menu_tail}});
  };
  const auto points_menu = [&](int npts) {
    return join({menu_head("srepstereon"),
                 {rule, " STEREO FRAME NUMBER OF POINT:" + std::string(14, ' '), rule,
                  " nb of points to draw ..........10" + number(npts, 6), rule, " EXIT ..........................99",
                  menu_tail}});
  };
  const std::string none = "None" + std::string(31, ' '), top = "Top" + std::string(32, ' ');
  const Lines error_head = {" " + std::string(43, '*'), " " + std::string(43, '*'), " ***" + std::string(37, ' ') + "***",
                            " ***        subroutine srepstereol       ***", " ***" + std::string(37, ' ') + "***",
                            " ***                ERROR                ***", " ***" + std::string(37, ' ') + "***",
                            " " + std::string(43, '*'), " " + std::string(43, '*')};

  struct Case {
    const char* what;
    Lines answers;
    std::function<std::string()> set_up;  // returns what the set-up handed back
    Lines want;
    std::string frame, handed_back;
  };
  const std::string defaults = "200/T/T North:T East:T None:F None:F None:F None:F";
  const std::vector<Case> cases = {
      {"the frame menu: a corner label, the points of the circle, no axes, no ticks",
       {"3", "2", "Top", "3", "1", "99", "10", "10", "90", "99", "20", "n", "30", "n", ""},
       [] {
         srepstereo0(setup::menu_from_defaults);
         return std::string();
       },
       join({menu_head("srepstereo0"), {" INITIALIZING STEREO FRAME"}, frame_menu("None           :F", 200, 'T', 'T'),
             choice(3), label_menu("Upper Right", 3, none, 0), choice(2),
             {dots, " Enter text to draw", " or return for default value", " Default = None", " New value = " + top, dots},
             label_menu("Upper Right", 3, top, 0), choice(3),
             ranged("whether to draw label (0=no/1=yes)", "[0,1]", 0, 1), label_menu("Upper Right", 3, top, 1),
             choice(99), frame_menu("Top            :T", 200, 'T', 'T'), choice(10), points_menu(200), choice(10),
             ranged("nb of pts per curve", "[1,1000]", 200, 90), points_menu(90), choice(99),
             frame_menu("Top            :T", 90, 'T', 'T'), choice(20), turned_off("whether to draw axis"),
             frame_menu("Top            :T", 90, 'F', 'T'), choice(30), turned_off("whether to draw ticks"),
             frame_menu("Top            :T", 90, 'F', 'F'), choice(99)}),
       "90/F/F North:T East:T Top:T None:F None:F None:F", ""},
      {"a label's draw flag other than 0 or 1: reset in an error box, then the label's menu",
       {"", "99"},
       [] {
         std::string text = "Over";
         int idraw = 7, ilabel = 4;
         srepstereolabel1(text, idraw, ilabel, setup::passed);
         return text + " " + std::to_string(idraw) + " " + std::to_string(ilabel);
       },
       join({error_head,
             {" draw or not (0/1) =    7", " should be in [0,1]", " ==>reset to =    0", " ===> HIT RETURN TO CONTINUE",
              " " + std::string(43, '*')},
             label_menu("Lower Right", 4, "Over", 0), choice(99)}),
       "200/T/T North:T East:T None:F Over:F None:F None:F", "Over 0 4"},
      {"a label's default announced", {},
       [] {
         std::string text = "Over";
         int idraw = 5, ilabel = 2;
         srepstereolabel1(text, idraw, ilabel, setup::initialise);
         return text + " " + std::to_string(idraw) + " " + std::to_string(ilabel);
       },
       join({menu_head("srepstereol"), {" INITIALIZING STEREO FRAME LABEL"}}), defaults, "East 1 2"},
      {"the points' default announced, then their menu", {""},
       [] {
         int npts = 5;
         srepstereonp(npts, setup::menu_from_defaults);
         return std::to_string(npts);
       },
       join({menu_head("srepstereon"), {" INITIALIZING STEREO FRAME: number of points"}, points_menu(200), choice(99)}),
       defaults, "200"},
      {"the stored points handed back silently", {},
       [] {
         stefram2.nptfram = 120;
         int npts = 5;
         srepstereonp(npts, setup::stored);
         return std::to_string(npts);
       },
       {}, "120/T/T North:T East:T None:F None:F None:F None:F", "120"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    srepstereo0(setup::initialise);
    screen();
    std::string script;
    for (const std::string& a : c.answers) script += a + "\n";
    type_raw(script);
    EXPECT_EQ(c.set_up(), c.handed_back);
    EXPECT_EQ(screen_lines(), c.want);
    std::string frame = std::to_string(stefram2.nptfram) + (stefram2.ldrawax ? "/T" : "/F") +
                        (stefram2.ldrawtic ? "/T" : "/F");
    for (int k = 0; k < frame_labels; ++k) {
      frame += " " + std::string(trimmed(stefram2.label[static_cast<std::size_t>(k)])) +
               (stefram2.llabel[static_cast<std::size_t>(k)] ? ":T" : ":F");
    }
    EXPECT_EQ(frame, c.frame);
  }
}

}  // namespace
}  // namespace dorvix::testing
