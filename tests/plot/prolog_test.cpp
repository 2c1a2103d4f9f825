// The prolog and trailer of each dialect: what the macros of dialect 1 and
// the procedures of dialect 3 draw, rendered by Ghostscript beside the
// same drawings in plain PostScript; where the page set-up puts a point in
// each orientation; the lines around them; Ghostscript's verdict on every
// combination of dialect, orientation and copies.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "files/units.hpp"
#include "plot/ps_stream.hpp"
#include "support/plot_fixture.hpp"
#include "support/raster.hpp"

namespace dorvix::testing {
namespace {

using Lines = std::vector<std::string>;
using Prolog = PlotTest;

const std::string black = " 0.000  0.000  0.000 setrgbcolor";
const Lines trailer12 = {"showpage", "%%End Page", "%%Trailer", "%%Pages:   1", "%%EOF"};
const Lines trailer3 = {"%%PageTrailer",
                        "%%Trailer",
                        "Adobe_Illustrator881 /terminate get exec",
                        "Adobe_customcolor /terminate get exec",
                        "Adobe_cshow /terminate get exec",
                        "Adobe_packedarray /terminate get exec",
                        "%%EOF"};

Lines operator+(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The lines from the first that is `from` to the first after it that is
// `to`, both excluded.
Lines between(const Lines& lines, const std::string& from, const std::string& to) {
  const auto a = std::find(lines.begin(), lines.end(), from);
  if (a == lines.end()) return {};
  return Lines(a + 1, std::find(a + 1, lines.end(), to));
}

// The names a block of definitions defines ("/name ..." lines), but for
// a procedure set's dictionary, its set-up calls and the state of its
// procedures (from "_").
std::set<std::string> defined_names(const Lines& block) {
  std::set<std::string> names;
  for (const std::string& l : block) {
    if (l.size() < 2 || l[0] != '/' || l[1] == '_') continue;
    const std::string name = l.substr(1, l.find_first_of(" {", 1) - 1);
    if (!name.starts_with("Adobe_") && name != "initialize" && name != "terminate") names.insert(name);
  }
  return names;
}

// The names a piece of PostScript executes: its tokens but for numbers
// and the contents of strings.
std::set<std::string> executed_names(const std::string& ps) {
  std::set<std::string> names;
  std::string token;
  int depth = 0;  // of parentheses
  auto flush = [&] {
    if (!token.empty() && token.find_first_not_of("0123456789.-") != std::string::npos) names.insert(token);
    token.clear();
  };
  for (char c : ps) {
    if (c == '(') ++depth;
    if (depth > 0 || c == ')' || std::string_view(" []{}/").find(c) != std::string_view::npos) {
      flush();
      if (c == ')') --depth;
    } else {
      token += c;
    }
  }
  flush();
  return names;
}

// One drawing of a macro or procedure check: `own` in the operators a
// dialect's prolog defines, `plain` the same drawing in standard
// PostScript, both in a cell of 64 points from its lower-left corner.
struct Drawing {
  int dialect;
  std::string own, plain;
};

std::vector<Drawing> drawings() {
  const std::string grey_box = "newpath 8 8 moveto 56 8 lineto 56 56 lineto 8 56 lineto closepath ";
  const std::string grey_triangle = "newpath 8 8 moveto 56 8 lineto 32 56 lineto closepath ";
  const std::string outlined = "gsave 0.5 setgray fill grestore stroke";
  std::vector<Drawing> d = {
      // Dialect 1: paths, their pen moves, widths and greys.
      {1, "np 8 8 M 56 56 L sk", "newpath 8 8 moveto 56 56 lineto stroke"},
      {1, "np 8 8 M 48 0 D 0 48 D sk", "newpath 8 8 moveto 56 8 lineto 56 56 lineto stroke"},
      {1, "np 8 8 M 48 0 D 0 24 G -48 24 D sk", "newpath 8 8 moveto 56 8 lineto 56 32 moveto 8 56 lineto stroke"},
      {1, "np 8 8 M 56 8 L np 8 56 M 56 56 L sk", "newpath 8 56 moveto 56 56 lineto stroke"},
      {1, "np 8 8 M 56 8 L 32 56 L cp sk", grey_triangle + "stroke"},
      {1, "8 slw np 8 32 M 56 32 L sk", "8 setlinewidth newpath 8 32 moveto 56 32 lineto stroke"},
      {1, "0.5 stg 16 slw np 8 32 M 56 32 L sk", "0.5 setgray 16 setlinewidth newpath 8 32 moveto 56 32 lineto stroke"},
      {1, "np 8 8 M 56 56 L gs 0.5 stg 16 slw sk gr 2 slw sk",
       "newpath 8 8 moveto 56 56 lineto gsave 0.5 setgray 16 setlinewidth stroke grestore 2 setlinewidth stroke"},
      {1, "[6 4] 0 sd np 8 32 M 56 32 L sk", "[6 4] 0 setdash newpath 8 32 moveto 56 32 lineto stroke"},
      {1, "8 32 translate 30 R np 0 0 M 40 0 L sk", "8 32 translate 30 rotate newpath 0 0 moveto 40 0 lineto stroke"},
      {1, "np 8 8 M 48 -48 -48 0 48 48 x", "newpath 8 8 moveto 56 56 lineto 8 56 moveto 56 8 lineto stroke"},
      // Dialect 1: the shapes, outlined or not, filled in a grey.
      {1, "0.5 32 32 24 0 360 dot", "newpath 32 32 24 0 360 arc " + outlined},
      {1, "0.5 32 32 24 0 360 dotf", "newpath 32 32 24 0 360 arc 0.5 setgray fill"},
      {1, "0.5 8 8 M -48 0 0 48 48 0 bx", grey_box + outlined},
      {1, "0.5 8 8 M -48 0 0 48 48 0 bxf", grey_box + "0.5 setgray fill"},
      {1, "0.5 8 8 M 8 56 56 56 56 8 rect", grey_box + outlined},
      {1, "0.5 8 8 M 8 56 56 56 56 8 rectf", grey_box + "0.5 setgray fill"},
      {1, "0.5 8 8 M -24 48 48 0 tri", grey_triangle + outlined},
      {1, "0.5 8 8 M -24 48 48 0 trif", grey_triangle + "0.5 setgray fill"},
      {1, "0.5 8 8 48 0 90 8 8 pie", "newpath 8 8 moveto 8 8 48 0 90 arc closepath " + outlined},
      // Dialect 1: a text centred on its anchor, as the text records do.
      {1, "np 32 24 M 14 HPP sym (Ag) sl -2 div 0 G sh",
       "newpath 32 24 moveto /Helvetica findfont 14 scalefont setfont (Ag) dup stringwidth pop 2 div neg 0 rmoveto "
       "show"},
      // Dialect 3: paths, closed, filled in the fill grey, widths, caps
      // and the stroke grey.
      {3, "8 8 m 56 56 l S", "newpath 8 8 moveto 56 56 lineto stroke"},
      {3, "8 8 m 56 8 l 32 56 l s", grey_triangle + "stroke"},
      {3, "0.5 g 8 8 m 56 8 l 32 56 l b 0 g", grey_triangle + outlined},
      {3, "8 w 8 32 m 56 32 l S", "8 setlinewidth newpath 8 32 moveto 56 32 lineto stroke"},
      {3, "0 J 16 w 16 32 m 48 32 l S", "0 setlinecap 16 setlinewidth newpath 16 32 moveto 48 32 lineto stroke"},
      {3, "0.5 G 16 w 8 32 m 56 32 l S", "0.5 setgray 16 setlinewidth newpath 8 32 moveto 56 32 lineto stroke"},
      // Dialect 3: texts from their anchor, centred on it, ending at it,
      // turned a quarter.
      {3, "/_Helvetica 14 22.96 0 1 z [ 1.000 0.000 -0.000 1.000 32.0 24.0]e (Ag)t T",
       "/Helvetica findfont 14 scalefont setfont 32 24 moveto (Ag) dup stringwidth pop 2 div neg 0 rmoveto show"},
      {3, "/_Helvetica 14 22.96 0 2 z [ 1.000 0.000 -0.000 1.000 56.0 24.0]e (Ag)t T",
       "/Helvetica findfont 14 scalefont setfont 56 24 moveto (Ag) dup stringwidth pop neg 0 rmoveto show"},
      {3, "/_Helvetica 14 22.96 0 0 z [ 0.000 1.000 -1.000 0.000 32.0 8.0]e (Ag)t T",
       "/Helvetica findfont 14 scalefont setfont gsave 32 8 translate 90 rotate 0 0 moveto (Ag) show grestore"},
  };
  // Every font designator of dialects 1 and 3 writes in its font.
  for (int dialect : {1, 3}) {
    setfonts(dialect);
    for (int k = 1; k <= nfonts; ++k) {
      const std::string font(font_names[static_cast<std::size_t>(k - 1)]);
      const std::string plain = "/" + font + " findfont 14 scalefont setfont 8 24 moveto (Ag) show";
      if (dialect == 1) {
        d.push_back({1, "np 8 24 M 14 " + psparams.fonts(k) + " sym (Ag) show", plain});
      } else {
        d.push_back({3, "/_" + psparams.fonts(k) + " 14 22.96 0 0 z [ 1.000 0.000 -0.000 1.000 8.0 24.0]e (Ag)t T",
                     plain});
      }
    }
  }
  return d;
}

constexpr int cell_points = 64, cell_columns = 8, page_margin = 24;
int cell_x(std::size_t k) { return page_margin + cell_points * static_cast<int>(k % cell_columns); }
int cell_y(std::size_t k) { return page_margin + cell_points * static_cast<int>(k / cell_columns); }

// The pixels of cell k, rendered at 2 pixels a point.
std::vector<unsigned char> cell_pixels(const Raster& r, std::size_t k) {
  std::vector<unsigned char> pixels;
  const int left = 2 * cell_x(k), top = r.height - 2 * (cell_y(k) + cell_points);
  for (int row = top; row < top + 2 * cell_points; ++row) {
    for (int column = left; column < left + 2 * cell_points; ++column) {
      const bool inside = row >= 0 && row < r.height && column >= 0 && column < r.width;
      pixels.push_back(inside ? r.pixels[static_cast<std::size_t>(row * r.width + column)] : 0);
    }
  }
  return pixels;
}

TEST_F(Prolog, EveryMacroAndProcedureDrawsWhatPlainPostScriptDraws) {
  DORVIX_REQUIRE_TOOL("gs");
  const std::vector<Drawing> all = drawings();
  // Each dialect's drawings in their cells of one page; all of them in
  // plain PostScript in the same cells of a dialect 2 page.
  for (int dialect : {1, 2, 3}) {
    open_plot(dialect, "P  ", 1, "cells" + std::to_string(dialect) + ".ps");
    for (std::size_t k = 0; k < all.size(); ++k) {
      if (dialect != 2 && all[k].dialect != dialect) continue;
      ps::record("gsave " + std::to_string(cell_x(k)) + " " + std::to_string(cell_y(k)) + " translate");
      ps::record(dialect == 2 ? all[k].plain : all[k].own);
      ps::record("grestore");
    }
    close_plot();
  }
  const Raster plain = render(path("cells2.ps"));
  ASSERT_GT(plain.width, 0);
  for (int dialect : {1, 3}) {
    const Raster own = render(path("cells" + std::to_string(dialect) + ".ps"));
    ASSERT_EQ(own.width, plain.width) << dialect;
    ASSERT_EQ(own.height, plain.height) << dialect;
    for (std::size_t k = 0; k < all.size(); ++k) {
      if (all[k].dialect != dialect) continue;
      const auto want = cell_pixels(plain, k);
      EXPECT_GT(std::count_if(want.begin(), want.end(), [](unsigned char p) { return p < 250; }), 0) << all[k].plain;
      EXPECT_TRUE(cell_pixels(own, k) == want) << "dialect " << dialect << ": " << all[k].own;
    }
  }

  // Every name the two prologs define is drawn above.
  const Lines compressed = file_lines("cells1.ps"), illustrator = file_lines("cells3.ps");
  const std::set<std::string> macros =
      defined_names(between(compressed, "%% Define macros etc", "% Initialize coordinate system and scales"));
  const std::set<std::string> procedures =
      defined_names(between(illustrator, "%%BeginProcSet: Adobe_Illustrator881 1.19 0", "%%EndProcSet"));
  EXPECT_EQ(macros.size(), 42u);
  EXPECT_EQ(procedures.size(), 13u);
  for (int dialect : {1, 3}) {
    std::set<std::string> used;
    for (const Drawing& d : all) {
      if (d.dialect == dialect) used.merge(executed_names(d.own));
    }
    for (const std::string& name : dialect == 1 ? macros : procedures) {
      EXPECT_TRUE(used.contains(name)) << "dialect " << dialect << " defines " << name << ", drawn by no case";
    }
  }
}

// Every prolog sets round caps, so that a segment of length zero draws a
// dot, and turns a landscape page: a point (x, y) lands on the sheet at
// (W - y, x), W the short side of the sheet (612 points for US Letter, 595
// for A4).
TEST_F(Prolog, ADotLandsWhereTheOrientationPutsIt) {
  DORVIX_REQUIRE_TOOL("gs");
  struct Orientation {
    std::string code;
    double x, y;  // where (150, 60) lands on the sheet, points
  };
  const Orientation orientations[] = {{"P  ", 150, 60}, {"LUS", 612 - 60, 150}, {"LA4", 595 - 60, 150}};
  for (int dialect = 1; dialect <= 3; ++dialect) {
    for (const Orientation& o : orientations) {
      const std::string name = "dot" + std::to_string(dialect) + o.code.substr(0, 2) + ".ps";
      open_plot(dialect, o.code, 1, name);
      intslinewidth(12);
      std::vector<real> x{150}, y{60};
      deline(x, y, 1);
      close_plot();
      const Raster r = render(path(name));
      for (const Orientation& at : orientations) {
        EXPECT_EQ(ink_around(r, at.x / 28.35, at.y / 28.35, 0.1) > 0, &at == &o)
            << name << " at " << at.x << " " << at.y;
      }
    }
  }
}

TEST_F(Prolog, CompressedPortraitAroundItsMacros) {
  default_colour_table();
  open_plot(1);
  const Lines lines = close_plot();
  const auto macros = std::find(lines.begin(), lines.end(), "%% Define macros etc");
  ASSERT_NE(macros, lines.end());
  EXPECT_EQ(Lines(lines.begin(), macros), (Lines{"%!", "%%Pages: (atend)", "%%BoundingBox: 0 0 595 842"}));
  // The macros, one definition a line (what each draws is checked above).
  const auto setup = std::find(macros, lines.end(), "% Initialize coordinate system and scales");
  ASSERT_NE(setup, lines.end());
  EXPECT_EQ(setup - macros - 1, 42);
  for (auto l = macros + 1; l != setup; ++l) {
    EXPECT_TRUE(l->starts_with("/") && l->ends_with("def")) << *l;
  }
  const Lines after = Lines{"% Initialize coordinate system and scales", black, "1 setlinecap", "% Ready to go",
                            "%%Page:   1   1", "0.57 slw"} +
                      trailer12;
  EXPECT_EQ(Lines(setup, lines.end()), after);
}

TEST_F(Prolog, NewsLandscapeA4IsWrittenLineByLine) {
  default_colour_table();
  open_plot(2, "LA4");
  const Lines want = Lines{"%!",
                           "% Initialize coordinate system and scales",
                           "%%Pages: (atend)",
                           "%%BoundingBox: 0 0 595 842",
                           " 595 0 translate 90 rotate",
                           black,
                           "1 setlinecap",
                           "% Ready to go",
                           "%%Page:   1   1",
                           "0.57 setlinewidth"} +
                     trailer12;
  EXPECT_EQ(close_plot(), want);
}

// The comments name the procedure sets, each defined between its begin and
// end lines (what the Illustrator procedures draw is checked above), and
// initialised in the set-up.
TEST_F(Prolog, IllustratorHeaderSetupAndTrailer) {
  default_colour_table();
  open_plot(3, "LUS");
  const Lines lines = close_plot();
  const Lines sets = {"Adobe_packedarray 1.0 0", "Adobe_cmykcolor 1.1 0", "Adobe_cshow 1.1 0",
                      "Adobe_customcolor 1.0 0", "Adobe_Illustrator881 1.19 0"};
  Lines head = {"%!PS-Adobe-2.0 EPSF-1.2", "%%Title: seis.ps" + std::string(28, ' '),
                "%%DocumentProcessColors: Black", "%%DocumentFonts: Helvetica"};
  for (const std::string& set : sets) head.push_back("%%DocumentProcSets: " + set);
  head = head + Lines{"%%BoundingBox: 0 0 612 792", "%AI3_IncludePlacedImages", "%%TemplateBox:297.5 421 297.5 421",
                      "%%TileBox: 10 10 585 832", "%%DocumentPreview: None", "%%EndComments"};
  ASSERT_GT(lines.size(), head.size());
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(head.size())), head);
  const auto end_prolog = std::find(lines.begin(), lines.end(), "%%EndProlog");
  ASSERT_NE(end_prolog, lines.end());
  for (const std::string& set : sets) {
    const std::string dict = set.substr(0, set.find(' '));
    const Lines body = between(lines, "%%BeginProcSet: " + set, "%%EndProcSet");
    ASSERT_FALSE(body.empty()) << set;
    EXPECT_TRUE(body.front().starts_with("/" + dict + " ")) << set;
  }
  const Lines rest = Lines{"%%EndProlog",
                           "%%BeginSetup",
                           "Adobe_cshow /initialize get exec",
                           "Adobe_customcolor /initialize get exec",
                           "Adobe_Illustrator881 /initialize get exec",
                           "%%EndSetup",
                           " 612 0 translate 90 rotate",
                           " 0.00 G",
                           " 0.00 g",
                           black,
                           "1 J",
                           "0.57 w"} +
                     trailer3;
  EXPECT_EQ(Lines(end_prolog, lines.end()), rest);
}

// Where the lines that depend on orientation and copies stand: the
// bounding box (the sheet as the rotation lays it on the page: a
// landscape US Letter page 612 points wide and 792 high), the copies line
// (dialect 1 only, above 1), the rotation.
TEST_F(Prolog, OrientationAndCopiesInEveryDialect) {
  struct Orientation {
    std::string code, rotation, box;
  };
  const Orientation orientations[] = {{"P  ", "", "%%BoundingBox: 0 0 595 842"},
                                      {"LUS", " 612 0 translate 90 rotate", "%%BoundingBox: 0 0 612 792"},
                                      {"LA4", " 595 0 translate 90 rotate", "%%BoundingBox: 0 0 595 842"},
                                      {"XYZ", "", ""}};
  for (int dialect = 1; dialect <= 3; ++dialect) {
    for (const auto& o : orientations) {
      for (int copies : {-1, 0, 1, 2}) {
        const std::string name = "d" + std::to_string(dialect) + o.code.substr(0, 1) + std::to_string(copies + 1) + ".ps";
        open_plot(dialect, o.code, copies, name);
        const Lines lines = close_plot();
        const std::string where = name;
        const bool known = o.code != "XYZ";
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [](const std::string& l) { return l.starts_with("%%BoundingBox:"); }),
                  known ? 1 : 0)
            << where;
        if (known) {
          EXPECT_EQ(std::count(lines.begin(), lines.end(), o.box), 1) << where;
        }
        const auto rot = std::find(lines.begin(), lines.end(), o.rotation);
        EXPECT_EQ(rot != lines.end(), !o.rotation.empty()) << where;
        const auto copy_line = std::find(lines.begin(), lines.end(), "/#copies   2 def");
        EXPECT_EQ(copy_line != lines.end(), dialect == 1 && copies == 2) << where;
        if (copy_line != lines.end()) {
          EXPECT_EQ(*(copy_line - 1), "% Initialize coordinate system and scales") << where;
          if (!o.rotation.empty()) {
            EXPECT_EQ(*(copy_line + 1), o.rotation) << where;
          }
        }
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [](const std::string& l) { return l.find("#copies") != std::string::npos; }),
                  dialect == 1 && copies == 2 ? 1 : 0)
            << where;
      }
    }
  }
}

TEST_F(Prolog, BlackAndWhiteWritesNoColour) {
  for (int dialect = 1; dialect <= 3; ++dialect) {
    const std::string name = "bw" + std::to_string(dialect) + ".ps";
    open_plot(dialect, "P  ", 1, name);
    const Lines lines = close_plot();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.find("setrgbcolor") != std::string::npos; }),
              0)
        << dialect;
  }
}

TEST_F(Prolog, PagesAreCountedAndRendered) {
  for (int dialect = 1; dialect <= 2; ++dialect) {
    const std::string name = "pages" + std::to_string(dialect) + ".ps";
    open_plot(dialect, "P  ", 1, name);
    std::vector<real> x{100, 200}, y{100, 200};
    deline(x, y, 2);
    intnewpage();
    deline(x, y, 2);
    intnewpage();
    const Lines lines = close_plot();
    const Lines page_lines = {"%%Page:   1   1", "%%Page:   2   2", "%%Page:   3   3"};
    Lines found;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(found),
                 [](const std::string& l) { return l.rfind("%%Page:", 0) == 0; });
    EXPECT_EQ(found, page_lines);
    EXPECT_EQ(lines[lines.size() - 2], "%%Pages:   3");
    EXPECT_EQ(lines.back(), "%%EOF");
    // The page break strokes the open path before its showpage.
    const auto brk = std::find(lines.begin(), lines.end(), "gsave showpage");
    ASSERT_NE(brk, lines.end());
    EXPECT_EQ(*(brk - 1), dialect == 1 ? "sk" : "stroke");
    EXPECT_EQ(*(brk + 1), "%%End Page");
    EXPECT_EQ(*(brk + 2), "grestore");
    DORVIX_REQUIRE_TOOL("gs");
    EXPECT_EQ(rendered_pages(path(name)), 3) << name;
  }
}

TEST_F(Prolog, APageBreakStrokesTheOpenPathOnItsOwnPage) {
  DORVIX_REQUIRE_TOOL("gs");
  for (int dialect = 1; dialect <= 2; ++dialect) {
    const std::string name = "break" + std::to_string(dialect) + ".ps";
    open_plot(dialect, "P  ", 1, name);
    // A path of pen moves, still open at the break.
    real x = 100, y = 100;
    deplot(x, y, 0);
    x = y = 300;
    deplot(x, y, 1);
    intnewpage();
    close_plot();
    const double middle_cm = 200 / 28.35;
    EXPECT_GT(ink_around(render(path(name), 1), middle_cm, middle_cm, 0.2), 0) << name;
    EXPECT_EQ(ink_around(render(path(name), 2), middle_cm, middle_cm, 0.2), 0) << name;
  }
}

// A page sets at its start what it draws with, whatever the colour memory
// knows of what the page before left: each page of a file of two renders
// alone as within the file. (Through the program, in every dialect:
// PlotFileThroughTheProgram.EachPageRendersAloneAsWithinTheFile.)
TEST_F(Prolog, APageSetsWhatItDrawsWithAtItsStart) {
  DORVIX_REQUIRE_TOOL("gs");
  struct Case {
    const char* what;
    int dialect;
    std::function<void()> between;  // after the first page's drawing
  } const cases[] = {
      // The prolog wrote colour 1, red here; colour plotting goes off,
      // which writes black.
      {"black and white after a red prolog", 1,
       [] {
         int n = 1;
         scolornb(n, setup::passed);
       }},
      // The line colour last written changes in the table; the next page
      // starts with a text, which writes no colour of its own in this
      // dialect.
      {"the colour last written changed", 3,
       [] {
         int index = 2;
         std::string name = "Blue    ";
         real red = 0, green = 0, blue = 100;
         scolorrgb(index, name, red, green, blue, setup::passed);
       }},
  };
  for (const Case& c : cases) {
    const std::string name = std::string("colour") + std::to_string(c.dialect) + ".ps";
    default_colour_table();
    plt2blk.red[1] = c.dialect == 1 ? 100 : 0;
    open_plot(c.dialect, "P  ", 1, name);
    plt2blk.linecol = 2;
    std::vector<real> x{100, 400}, y{100, 400};
    const auto draw = [&] {
      real tx = 150, ty = 300;
      detext2(tx, ty, "TEXT");
      deline(x, y, 2);
    };
    draw();
    c.between();
    intnewpage();
    draw();
    close_plot();
    EXPECT_EQ(pages_alone_differences(path(name)), (std::vector<long>{0, 0})) << c.what;
  }
}

// A file opened in black and white has written no colour: once colour
// plotting is on, its first line writes its colour, whatever colour an
// earlier file wrote last.
TEST_F(Prolog, AFileOpenedInBlackAndWhiteKnowsNoColourWritten) {
  default_colour_table();
  plt2blk.icolor = 0;
  plt2blk.icurcol = 2;  // red, the last colour of an earlier file
  open_plot(2);
  int n = 12;
  scolornb(n, setup::passed);
  plt2blk.linecol = 2;
  std::vector<real> x{100, 200}, y{100, 200};
  deline(x, y, 2);
  EXPECT_EQ(drawn_lines(),
            (Lines{"newpath", "100.00 100.00 moveto", "200.00 200.00 lineto", " 0.500  0.000  0.000 setrgbcolor", "stroke"}));
}

// A file of several pages is no drawing of one page: its head is plain
// PostScript that defers the count of its pages to the trailer, page 1 has
// its comment after the prolog as the others have theirs, and the last
// page ends with a showpage, which a drawing of one page leaves to the
// program that places it (IllustratorHeaderSetupAndTrailer). Else the file
// is the drawing's, line for line. The text goes to the file as it is
// drawn, and is written again at the page break.
TEST_F(Prolog, IllustratorFileOfSeveralPagesHasTheHeadOfPages) {
  default_colour_table();
  open_plot(3, "P  ", 1, "one.ps");
  const Lines one = close_plot();
  const auto page_one = std::find(one.begin(), one.end(), "1 J") + 1;
  open_plot(3);
  units().flush(50);
  EXPECT_EQ(file_lines("test.ps"), Lines(one.begin(), page_one + 1));  // and the opening's line width
  intnewpage();
  units().flush(50);
  const Lines so_far = file_lines("test.ps");
  const Lines lines = close_plot();
  Lines want = {"%!PS-Adobe-2.0", "%%Pages: (atend)"};
  want.insert(want.end(), one.begin() + 1, page_one);
  want = want + Lines{"%%Page:   1   1", "0.57 w", "gsave showpage", "%%End Page", "grestore", "%%Page:   2   2",
                      "0.57 w", "showpage", "%%PageTrailer", "%%Trailer", "%%Pages:   2"} +
         Lines(trailer3.begin() + 2, trailer3.end());
  EXPECT_EQ(lines, want);
  EXPECT_EQ(so_far, Lines(want.begin(), std::find(want.begin(), want.end(), "showpage")));
  DORVIX_REQUIRE_TOOL("gs");
  EXPECT_EQ(rendered_pages(path("test.ps")), 2);
}

}  // namespace
}  // namespace dorvix::testing
