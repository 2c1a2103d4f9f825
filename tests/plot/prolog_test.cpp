// The prolog and trailer of each dialect, line by line, and Ghostscript's
// verdict on every combination of dialect, orientation and copies.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/plot_fixture.hpp"
#include "support/raster.hpp"

namespace dorvix::testing {
namespace {

using Lines = std::vector<std::string>;
using Prolog = PlotTest;

const Lines compressed_macros = {
    "/L {lineto} def",
    "/D {rlineto} def",
    "/M {moveto} def",
    "/G {rmoveto} def",
    "/slw {setlinewidth} def",
    "/stg {setgray} def",
    "/sym {findfont exch scalefont setfont} def",
    "/HPP {/Helvetica} def",
    "/HBP {/Helvetica-Bold} def",
    "/HPI {/Helvetica-Oblique} def",
    "/HBI {/Helvetica-BoldOblique} def",
    "/TPP {/Times-Roman}def",
    "/TBP {/Times-Bold} def",
    "/TPI {/Times-Italic} def",
    "/TBI {/Times-BoldItalic} def",
    "/CPP {/Courier} def",
    "/CBP {/Courier-Bold} def",
    "/CPI {/Courier-Oblique} def",
    "/CBI {/Courier-BoldOblique} def",
    "/SPP {/Symbol} def",
    "/SBP {/Symbol-Bold} def",
    "/SPI {/Symbol-Oblique} def",
    "/SBI {/Symbol-BoldOblique} def",
    "/np {newpath} def",
    "/sk {stroke} def",
    "/cp {closepath} def",
    "/gs {gsave} def",
    "/gr {grestore} def",
    "/dot {sk arc gs stg fill gr sk} def",
    "/dotf {sk arc gs stg fill gr np} def",
    "/bx {3 {D} repeat cp gs stg fill gr sk} def",
    "/bxf {3 {D} repeat cp gs stg fill gr np} def",
    "/rect {3 {L} repeat cp gs stg fill gr sk} def",
    "/rectf {3 {L} repeat cp gs stg fill gr np} def",
    "/tri {D D cp gs stg fill gr sk} def",
    "/trif {D D cp gs stg fill gr np} def",
    "/pie {sk M arc cp gs stg fill gr sk} def",
    "/x {D G D sk} def",
    "/R {rotate} def",
    "/sl {dup stringwidth pop} def",
    "/sh {show} def",
    "/sd {setdash} def",
};

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

TEST_F(Prolog, CompressedPortraitIsWrittenLineByLine) {
  default_colour_table();
  open_plot(1);
  const Lines want = Lines{"%!", "%%Pages: (atend)", "%%BoundingBox: 0 0 595 842", "%% Define macros etc"} +
                     compressed_macros +
                     Lines{"% Initialize coordinate system and scales", black, "1 setlinecap", "% Ready to go",
                           "%%Page:   1   1", "0.57 slw"} +
                     trailer12;
  EXPECT_EQ(close_plot(), want);
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

TEST_F(Prolog, IllustratorHeaderSetupAndTrailer) {
  default_colour_table();
  open_plot(3, "LUS");
  const Lines lines = close_plot();
  const Lines head = {
      "%!PS-Adobe-2.0 EPSF-1.2",
      "%%Title: seis.ps" + std::string(28, ' '),
      "%%DocumentProcessColors: Black",
      "%%DocumentFonts: Helvetica",
      "%%DocumentProcSets: Adobe_packedarray 1.0 0",
      "%%DocumentProcSets: Adobe_cmykcolor 1.1 0",
      "%%DocumentProcSets: Adobe_cshow 1.1 0",
      "%%DocumentProcSets: Adobe_customcolor 1.0 0",
      "%%DocumentProcSets: Adobe_Illustrator881 1.19 0",
      "%%BoundingBox: 0 0 595 842",
      "%AI3_IncludePlacedImages",
      "%%TemplateBox:297.5 421 297.5 421",
      "%%TileBox: 10 10 585 832",
      "%%DocumentPreview: None",
      "%%EndComments",
  };
  ASSERT_GT(lines.size(), head.size());
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(head.size())), head);
  // The procedure sets the file invokes are defined in its prolog.
  const auto end_prolog = std::find(lines.begin(), lines.end(), "%%EndProlog");
  ASSERT_NE(end_prolog, lines.end());
  for (const char* set : {"Adobe_packedarray", "Adobe_cmykcolor", "Adobe_cshow", "Adobe_customcolor",
                          "Adobe_Illustrator881"}) {
    const auto def = std::find_if(lines.begin(), end_prolog, [&](const std::string& l) {
      return l.rfind(std::string("/") + set + " ", 0) == 0;
    });
    EXPECT_NE(def, end_prolog) << set;
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
// bounding box, the copies line (dialect 1 only, above 1), the rotation.
TEST_F(Prolog, OrientationAndCopiesInEveryDialect) {
  struct Orientation {
    std::string code, rotation;
  };
  const Orientation orientations[] = {
      {"P  ", ""}, {"LUS", " 612 0 translate 90 rotate"}, {"LA4", " 595 0 translate 90 rotate"}, {"XYZ", ""}};
  for (int dialect = 1; dialect <= 3; ++dialect) {
    for (const auto& o : orientations) {
      for (int copies : {-1, 0, 1, 2}) {
        const std::string name = "d" + std::to_string(dialect) + o.code.substr(0, 1) + std::to_string(copies + 1) + ".ps";
        open_plot(dialect, o.code, copies, name);
        const Lines lines = close_plot();
        const std::string where = name;
        const bool known = o.code != "XYZ";
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "%%BoundingBox: 0 0 595 842"), known ? 1 : 0) << where;
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

TEST_F(Prolog, IllustratorPageBreakKeepsItsLinesAndTheTrailerHasNoCount) {
  open_plot(3);
  intnewpage();
  const Lines lines = close_plot();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "%%Page:   1   1"), 0);
  const auto brk = std::find(lines.begin(), lines.end(), "gsave showpage");
  ASSERT_NE(brk, lines.end());
  EXPECT_EQ(Lines(brk, brk + 4), (Lines{"gsave showpage", "%%End Page", "grestore", "%%Page:   2   2"}));
  EXPECT_EQ(Lines(lines.end() - 7, lines.end()), trailer3);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "showpage"), 0);
}

}  // namespace
}  // namespace dorvix::testing
