// Symbols: the path of every type code (device calls, points, filled or
// stroked) at a known place, and the size and type setters' dialogues.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "dialogue/console_units.hpp"
#include "support/draw_fixture.hpp"

namespace dorvix::testing {
namespace {

using Symbols = PointsTest;
using Reals = std::vector<real>;

// Device calls of one symbol: points of each path and whether it is a
// filled polygon ("f"), a hollow polygon ("h") or a stroke ("s").
using Calls = std::vector<std::pair<std::size_t, char>>;

Calls calls_of(const std::vector<Path>& paths) {
  Calls c;
  for (const Path& p : paths) c.emplace_back(p.points.size(), p.end == "cp gs" ? 'f' : p.end == "cp" ? 'h' : 's');
  return c;
}

class SymbolCodes : public Symbols {
 protected:
  // Draws one symbol of the code at the user point (300, 400) and returns
  // its paths.
  std::vector<Path> draw(int code, real size = 0.4f) {
    plt2blk.symbtype = code;
    plt2blk.symbsize = size;
    Reals x{300}, y{400};
    ussymbol(x, y, 1);
    return paths();
  }
};

TEST_F(SymbolCodes, EveryCodeDrawsItsShapeAndStrokes) {
  const std::pair<std::size_t, char> circle{20, 's'}, dot{2, 's'}, stroke{2, 's'};
  struct Case {
    int code;
    Calls calls;
  };
  const Case cases[] = {
      {1, {circle}},          {0, {circle}},          {2, {circle}},          {18, {circle}},
      {19, {circle}},         {30, {circle}},         {41, {circle}},         {-99, {{20, 'f'}}},
      {3, {{4, 's'}}},        {-3, {{4, 'f'}}},       {4, {{5, 's'}}},        {9, {{10, 's'}}},
      {-9, {{10, 'f'}}},      {10, {dot}},            {11, {stroke}},         {12, {stroke}},
      {13, {stroke, stroke}}, {14, {stroke, stroke}}, {15, {stroke, stroke, stroke}},
      {16, {stroke, stroke, stroke}},                 {17, {stroke, stroke, stroke, stroke, stroke}},
      {20, {circle, dot}},    {21, {circle, stroke}}, {22, {circle, stroke}}, {23, {circle, stroke, stroke}},
      {-21, {{20, 'f'}, stroke}},                     {40, {{5, 's'}}},       {-40, {{5, 'f'}}},
      {std::numeric_limits<int>::min(), {{20, 'f'}}},
  };
  for (const Case& c : cases) EXPECT_EQ(calls_of(draw(c.code)), c.calls) << c.code;
  // The strokes are never filled: -10 to -17 draw what 10 to 17 draw.
  for (int code = 10; code <= 17; ++code) {
    const auto plus = draw(code);
    const auto minus = draw(-code);
    ASSERT_EQ(plus.size(), minus.size()) << code;
    for (std::size_t i = 0; i < plus.size(); ++i) EXPECT_EQ(plus[i].points, minus[i].points) << code;
  }
  EXPECT_EQ(screen(), "");
}

// Offsets from the centre (300, 400) of a path's points.
std::vector<std::pair<double, double>> offsets(const Path& p) {
  std::vector<std::pair<double, double>> o;
  for (const auto& [x, y] : p.points) o.emplace_back(x - 300, y - 400);
  return o;
}

void expect_points(const Path& p, const std::vector<std::pair<double, double>>& want, const std::string& what) {
  const auto got = offsets(p);
  ASSERT_EQ(got.size(), want.size()) << what;
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_NEAR(got[i].first, want[i].first, 0.006) << what << " point " << i;
    EXPECT_NEAR(got[i].second, want[i].second, 0.006) << what << " point " << i;
  }
}

TEST_F(SymbolCodes, ShapesSitWhereTheyShould) {
  const double r = 5.67;  // half of 0.4 cm in points
  const double h = r / std::sqrt(2.0), s = r * std::sqrt(3.0) / 2;
  auto p = draw(1);
  EXPECT_NEAR(offsets(p[0]).front().first, r, 0.006);
  EXPECT_NEAR(offsets(p[0]).front().second, 0, 0.006);
  EXPECT_NEAR(offsets(p[0])[5].first, r * std::cos(5 * 2 * M_PI / 19), 0.006);
  EXPECT_EQ(offsets(p[0]).back(), offsets(p[0]).front());
  expect_points(draw(3)[0], {{0, r}, {-s, -r / 2}, {s, -r / 2}, {0, r}}, "triangle");
  expect_points(draw(4)[0], {{0, r}, {-r, 0}, {0, -r}, {r, 0}, {0, r}}, "square on a corner");
  expect_points(draw(40)[0], {{h, h}, {-h, h}, {-h, -h}, {h, -h}, {h, h}}, "square 40");
  p = draw(13);
  expect_points(p[0], {{-r, 0}, {r, 0}}, "13 horizontal first");
  expect_points(p[1], {{0, -r}, {0, r}}, "13 then vertical");
  p = draw(14);
  expect_points(p[0], {{h, h}, {-h, -h}}, "14");
  expect_points(p[1], {{-h, h}, {h, -h}}, "14");
  p = draw(15);
  expect_points(p[0], {{s, r / 2}, {-s, -r / 2}}, "15");
  expect_points(p[1], {{0, r}, {0, -r}}, "15");
  expect_points(p[2], {{-s, r / 2}, {s, -r / 2}}, "15");
  p = draw(16);
  expect_points(p[0], {{0, 0}, {s, -r / 2}}, "16");
  expect_points(p[2], {{0, 0}, {-s, -r / 2}}, "16");
  p = draw(17);
  const double d = M_PI / 180;
  const double dirs[] = {-54, 18, 90, 162, 234};
  for (int i = 0; i < 5; ++i) {
    expect_points(p[static_cast<std::size_t>(i)], {{0, 0}, {r * std::cos(dirs[i] * d), r * std::sin(dirs[i] * d)}},
                  "17 spoke " + std::to_string(i));
  }
  p = draw(23);
  expect_points(p[1], {{0, -r}, {0, r}}, "23 vertical first");
  expect_points(p[2], {{-r, 0}, {r, 0}}, "23 then horizontal");
  expect_points(draw(10)[0], {{0, 0}, {0, 0}}, "dot");
  // A negative size mirrors the template through the centre.
  expect_points(draw(11, -0.4f)[0], {{r, 0}, {-r, 0}}, "mirrored bar");
}

TEST_F(Symbols, OneCallDrawsEveryPointAndNoPointNothing) {
  plt2blk.symbtype = 12;
  plt2blk.symbsize = 1;
  Reals x{10, 20, 30}, y{10, 10, 10};
  ussymbol(x, y, 3);
  EXPECT_EQ(paths().size(), 3u);
  ussymbol(x, y, 0);
  ussymbol(x, y, -2);
  EXPECT_EQ(drawn(), Lines{});
}

TEST_F(Symbols, SizeInitialisationAndModes) {
  real size = 9;
  ssymbolsize(size, setup::initialise);
  EXPECT_EQ(size, 0.4f);
  EXPECT_EQ(plt2blk.symbsize, 0.4f);
  EXPECT_EQ(screen_lines(), join({menu_head("ssymbolsize"), {" INITIALISING SYMBOL SIZE (cm) =    0.400"}}));
  size = 0;
  ssymbolsize(size, setup::stored);
  EXPECT_EQ(size, 0.4f);
  size = 1.25f;
  ssymbolsize(size, setup::passed);
  EXPECT_EQ(plt2blk.symbsize, 1.25f);
  EXPECT_EQ(screen(), "");
  // Mode 6 shows no menu: it only warns and stores nothing.
  type({""});
  size = 3;
  ssymbolsize(size, SetupMode(6));
  EXPECT_EQ(plt2blk.symbsize, 1.25f);
  const Lines lines = screen_lines();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[1], " ///        subroutine ssymbolsize       ///");
  EXPECT_EQ(Lines(lines.begin() + 4, lines.end() - 1),
            (Lines{" inter =      6", " ===> NO ACTION", " ===> HIT RETURN TO CONTINUE"}));
}

TEST_F(Symbols, SizeMenuShowsBothSizesAndAsks) {
  plt2blk.symbsize = 0.3f;
  type({"0.55"});
  real size = 0.7f;
  ssymbolsize(size, setup::menu_from_passed);
  EXPECT_EQ(size, 0.55f);
  EXPECT_EQ(plt2blk.symbsize, 0.55f);
  const Lines want = join({menu_head("ssymbolsize"),
                           {" -------------------------------------------", " SYMBOL SIZE (cm):",
                            " -------------------------------------------", " currently stored size =    0.300",
                            " ready to  store  size =    0.700", menu_tail,
                            " ..........................................", " Enter symbol size in cm",
                            " or return for default value", " Default = 0.700000    ", " New value =  0.550000    ",
                            " .........................................."}});
  EXPECT_EQ(screen_lines(), want);
}

void expect_lines(const Lines& got, const Lines& want) {
  EXPECT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < std::min(got.size(), want.size()); ++i) EXPECT_EQ(got[i], want[i]) << i;
}

const Lines code_list = {
    " circle   .................. 0", " circle   .................. 1", " circle   .................. 2",
    " triangle .................. 3", " square   .................. 4", " pentagon .................. 5",
    " hexagon  .................. 6", " heptagon .................. 7", " octogon  .................. 8",
    " enneagon .................. 9", "    .     ................. 10", "    -     ................. 11",
    "    |     ................. 12", "    +     ................. 13", "    x     ................. 14",
    "    *     ................. 15", "    *     ................. 16", "    *     ................. 17",
    " circle . ................. 20", " circle - ................. 21", " circle | ................. 22",
    " circle + ................. 23", " square   ..................40", " circle   ....... other values",
};

TEST_F(Symbols, TypeMenuListsTheCodesAndAsks) {
  plt2blk.symbtype = 1;
  type({"-23"});
  int t = 4;
  ssymboltype(t, setup::menu_from_passed);
  EXPECT_EQ(t, -23);
  EXPECT_EQ(plt2blk.symbtype, -23);
  const Lines want = join({menu_head("ssymboltype"),
                           {" -------------------------------------------", " SYMBOL TYPE:",
                            "  Negative number => filled symbol", "  N.B. Symbols also depend on",
                            "       polygon & line attributes", " -------------------------------------------",
                            " currently stored type =    1", " ready to  store  type =    4",
                            " -------------------------------------------", " Symbol type ... symbol number"},
                           code_list,
                           {menu_tail, " ..........................................", " Enter symbol number",
                            " or return for default value", " Default =            4", " New value =           -23",
                            " .........................................."}});
  expect_lines(screen_lines(), want);
}

TEST_F(Symbols, TypeModesOfTheCodeListAndTheUnstoredQuestion) {
  plt2blk.symbtype = 5;
  int t = 8;
  ssymboltype(t, setup::list_codes_only);
  EXPECT_EQ(screen_lines(), code_list);
  EXPECT_EQ(t, 8);
  EXPECT_EQ(plt2blk.symbtype, 5);
  // With the second level off the list is not shown, and nothing is asked.
  iocom.lwito(2) = false;
  ssymboltype(t, setup::list_codes_only);
  EXPECT_EQ(screen(), "");
  iocom.lwito(2) = true;
  // 200: the answer comes back, nothing stored, no warning.
  type({"17"});
  ssymboltype(t, setup::answer_only);
  EXPECT_EQ(t, 17);
  EXPECT_EQ(plt2blk.symbtype, 5);
  Lines lines = screen_lines();
  EXPECT_TRUE(contains(lines, " ready to set type =    8"));
  EXPECT_FALSE(contains(lines, " ===> NO ACTION"));
  // 6: the menu and the question, then the warning; nothing stored.
  type({"3", ""});
  ssymboltype(t, SetupMode(6));
  EXPECT_EQ(plt2blk.symbtype, 5);
  lines = screen_lines();
  EXPECT_TRUE(contains(lines, " Enter symbol number"));
  EXPECT_EQ(Lines(lines.end() - 4, lines.end() - 1),
            (Lines{" inter =    6", " ===> NO ACTION", " ===> HIT RETURN TO CONTINUE"}));
  // 7: only the warning.
  type({""});
  ssymboltype(t, SetupMode(7));
  lines = screen_lines();
  EXPECT_EQ(lines.size(), 8u);
  // 5: the announcement and the default.
  ssymboltype(t, setup::initialise);
  EXPECT_EQ(t, 1);
  EXPECT_EQ(plt2blk.symbtype, 1);
  EXPECT_EQ(screen_lines(), join({menu_head("ssymboltype"), {" INITIALISING SYMBOL TYPE =    1"}}));
}

}  // namespace
}  // namespace dorvix::testing
