// The prolog of the plot file in each dialect, and the font designators.
//
// Page geometry: every coordinate is in PostScript points and the prolog
// sets no scale. Portrait leaves the page as it is, origin at the lower
// left corner. Landscape moves the origin along the bottom edge by the
// sheet's short side W (612 points for US Letter, 595 for A4) and turns
// the axes 90 degrees counter-clockwise, so that a plot point (x, y) lands
// on the sheet at (W - y, x). The bounding box is always that of a
// portrait A4 sheet.
//
// Every prolog sets round line caps, so that a zero-length stroke (a dot)
// is drawn.

#include <array>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "numbers/edit.hpp"
#include "plot/device.hpp"
#include "plot/ps_stream.hpp"
#include "plot/sheet.hpp"

namespace dorvix {

namespace {

void records(std::span<const std::string_view> lines) {
  for (auto l : lines) ps::record(l);
}
void records(std::initializer_list<std::string_view> lines) {
  for (auto l : lines) ps::record(l);
}

// Font designators by font number: the dialect 1 prolog's font macros,
// the PostScript font names (font_names) as literal names, and the plain
// font names.
constexpr std::array<std::string_view, nfonts> font_macros = {
    "HPP", "HBP", "HPI", "HBI", "TPP", "TBP", "TPI", "TBI", "CPP", "CBP", "CPI", "CBI", "SPP", "SBP", "SPI", "SBI",
};

// Dialect 1: the macros its path and text records use.
constexpr std::string_view compressed_macros[] = {
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

// Dialect 3: the procedure sets its header names, set-up and trailer
// invoke. A reader that brings its own is not needed: these definitions
// give every operator the file uses its Illustrator 88 meaning.
//   x y m / x y l        move, line
//   S / s / b            stroke; close and stroke; close, fill and stroke
//   w / J                line width, line cap
//   gray G / gray g      stroke (current) grey, fill grey
//   /_font size leading tracking align z    text font and alignment
//   [a b c d tx ty]e (text)t T              text object at a matrix
constexpr std::string_view illustrator_procsets[] = {
    "%%BeginProcSet: Adobe_packedarray 1.0 0",
    "/Adobe_packedarray 2 dict dup begin /initialize {} def /terminate {} def end def",
    "%%EndProcSet",
    "%%BeginProcSet: Adobe_cmykcolor 1.1 0",
    "/Adobe_cmykcolor 2 dict dup begin /initialize {} def /terminate {} def end def",
    "%%EndProcSet",
    "%%BeginProcSet: Adobe_cshow 1.1 0",
    "/Adobe_cshow 2 dict dup begin /initialize {} def /terminate {} def end def",
    "%%EndProcSet",
    "%%BeginProcSet: Adobe_customcolor 1.0 0",
    "/Adobe_customcolor 2 dict dup begin /initialize {} def /terminate {} def end def",
    "%%EndProcSet",
    "%%BeginProcSet: Adobe_Illustrator881 1.19 0",
    "/Adobe_Illustrator881 32 dict dup begin",
    "/initialize {Adobe_Illustrator881 begin} def",
    "/terminate {end} def",
    "/m {moveto} def",
    "/l {lineto} def",
    "/S {stroke} def",
    "/s {closepath stroke} def",
    "/_fg 0 def",
    "/b {closepath gsave _fg setgray fill grestore stroke} def",
    "/w {setlinewidth} def",
    "/J {setlinecap} def",
    "/G {setgray} def",
    "/g {/_fg exch def} def",
    "/_fn /Helvetica def",
    "/_fs 12 def",
    "/_fa 0 def",
    "/_fm matrix def",
    "/z {/_fa exch def pop pop /_fs exch def",
    " dup length string cvs dup length 1 sub 1 exch getinterval cvn /_fn exch def} def",
    "/e {/_fm exch def} def",
    "/t {gsave _fm concat 0 0 moveto _fn findfont _fs scalefont setfont",
    " _fa 0 ne {dup stringwidth pop _fa 1 eq {-2 div} {neg} ifelse 0 rmoveto} if show grestore} def",
    "/T {} def",
    "end def",
    "%%EndProcSet",
};

bool known_orientation(std::string_view o) { return o == "P  " || o == "LUS" || o == "LA4"; }

// Dialect 3 is an Illustrator EPSF document, a drawing of one page, which
// its readers take as it is. A file that comes to hold several pages needs
// another head: a header that counts its pages, and a page comment before
// page 1 too, so that a tool can cut it into its pages. Which of the two
// the file is, is known only at its first page break or its end: the file
// keeps its text from its first line on (UnitFile::keep_text), to write
// it again with the head of pages at its first page break. The file kept
// (its opening), where its text begins, and where page 1 begins in it.
constexpr std::string_view illustrator_header = "%!PS-Adobe-2.0 EPSF-1.2";
struct KeptHead {
  long long opening = 0;
  long long start = 0;  // written() when the keeping began
  long long page_one = 0;
} kept_head;

// The colour the opening of the file left in force (prolog_colour).
std::string opening_colour;

// The bounding box: the sheet as the prolog lays it on the page, a
// landscape sheet turned upright (its short side along x), in whole
// points.
std::string bounding_box() {
  const Sheet s = page_sheet();
  const bool turned = s.width > s.height;
  std::string line = "%%BoundingBox: 0 0 ";
  edit::i(line, static_cast<long long>(turned ? s.height : s.width), 0);
  line += ' ';
  edit::i(line, static_cast<long long>(turned ? s.width : s.height), 0);
  return line;
}

// The landscape rotation, or nothing for portrait and unknown codes.
void rotation(std::string_view o) {
  if (o == "LUS") ps::record(" 612 0 translate 90 rotate");
  if (o == "LA4") ps::record(" 595 0 translate 90 rotate");
}

void prolog_compressed(int ncopies) {
  const std::string& o = psparams.psorient;
  records({"%!", "%%Pages: (atend)"});
  if (known_orientation(o)) ps::record(bounding_box());
  ps::record("%% Define macros etc");
  records(compressed_macros);
  ps::record("% Initialize coordinate system and scales");
  if (ncopies > 1) {
    std::string line = "/#copies ";
    edit::i(line, ncopies, 3);
    line += " def";
    ps::record(line);
  }
  rotation(o);
  psrgbcolor(-1);
  ps::record("1 setlinecap");
  ps::record("% Ready to go");
  ps::page_record(psparams.ipspage);
}

void prolog_news() {
  const std::string& o = psparams.psorient;
  records({"%!", "% Initialize coordinate system and scales", "%%Pages: (atend)"});
  if (known_orientation(o)) {
    ps::record(bounding_box());
    rotation(o);
  }
  psrgbcolor(-1);
  ps::record("1 setlinecap");
  ps::record("% Ready to go");
  ps::page_record(psparams.ipspage);
}

void prolog_illustrator(std::string_view cfile) {
  const std::string& o = psparams.psorient;
  kept_head = {};
  if (UnitFile* f = ps::file()) {
    f->keep_text();
    kept_head.opening = f->opening();
    kept_head.start = f->written();
  }
  ps::record(illustrator_header);
  ps::record("%%Title: " + std::string(cfile));
  records({
      "%%DocumentProcessColors: Black",
      "%%DocumentFonts: Helvetica",
      "%%DocumentProcSets: Adobe_packedarray 1.0 0",
      "%%DocumentProcSets: Adobe_cmykcolor 1.1 0",
      "%%DocumentProcSets: Adobe_cshow 1.1 0",
      "%%DocumentProcSets: Adobe_customcolor 1.0 0",
      "%%DocumentProcSets: Adobe_Illustrator881 1.19 0",
  });
  if (known_orientation(o)) ps::record(bounding_box());
  records({
      "%AI3_IncludePlacedImages",
      "%%TemplateBox:297.5 421 297.5 421",
      "%%TileBox: 10 10 585 832",
      "%%DocumentPreview: None",
      "%%EndComments",
  });
  records(illustrator_procsets);
  records({
      "%%EndProlog",
      "%%BeginSetup",
      "Adobe_cshow /initialize get exec",
      "Adobe_customcolor /initialize get exec",
      "Adobe_Illustrator881 /initialize get exec",
      "%%EndSetup",
  });
  rotation(o);
  records({" 0.00 G", " 0.00 g"});
  psrgbcolor(-1);
  ps::record("1 J");
  if (const UnitFile* f = ps::file()) kept_head.page_one = f->written();
}

}  // namespace

void setfonts(int dialect) {
  for (int k = 1; k <= nfonts; ++k) {
    const auto i = static_cast<std::size_t>(k - 1);
    switch (dialect) {
      case dialect_compressed:
        psparams.fonts(k) = font_macros[i];
        break;
      case dialect_illustrator:
        psparams.fonts(k) = font_names[i];
        break;
      default:
        psparams.fonts(k) = '/';
        psparams.fonts(k) += font_names[i];
        break;
    }
  }
}

void psprolog(int ncopies, std::string_view cfile) {
  setfonts(psparams.ipstype);
  switch (psparams.ipstype) {
    case dialect_compressed:
      prolog_compressed(ncopies);
      break;
    case dialect_illustrator:
      prolog_illustrator(cfile);
      break;
    default:
      prolog_news();
      break;
  }
  // After an opening that wrote no colour, the colour index kept from an
  // earlier file names no colour of this one.
  if (plt2blk.icolor != 1) forget_colour_index(true);
  opening_colour = colour_in_force();
}

std::string_view prolog_colour() { return opening_colour; }

void head_of_pages() {
  UnitFile* f = ps::file();
  if (f == nullptr || f->opening() != kept_head.opening) return;
  const long long first_line = kept_head.start + static_cast<long long>(illustrator_header.size()) + 1;
  if (kept_head.page_one < first_line) return;
  // The header of pages in place of the first line, the prolog, the
  // comment of page 1, the page. A file that cannot be written so fails
  // there, as at a full disk, and keeps its first page, cut before the
  // page break: its head never counts pages it does not have.
  const std::string page = ps::page_comment(1) + "\n";
  const UnitFile::Piece pieces[] = {{"%!PS-Adobe-2.0\n%%Pages: (atend)\n", first_line, kept_head.page_one},
                                    {page, kept_head.page_one, f->written()}};
  f->write_again(pieces);
}

void psoverlay() {
  // An overlay has no page set-up of its own. Dialect 1 still defines its
  // macros, without which its records could not be read on their own.
  setfonts(psparams.ipstype);
  // Its first line, by which a plot file is known as one (the head
  // without its line end, which the record adds).
  const auto first_line = [](std::string_view head) { ps::record(head.substr(0, head.size() - 1)); };
  if (psparams.ipstype == dialect_compressed) {
    first_line(compressed_overlay_head);
    records(compressed_macros);
  }
  first_line(news_overlay_head);
  ps::record("% Ready to go");
  forget_colour_index(false);
  opening_colour.clear();
}

}  // namespace dorvix
