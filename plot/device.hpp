#pragma once
// The plot device: the PostScript plot file (opening with its settings
// dialogue and default-settings file, pages, closing with the trailer),
// its prolog in three dialects, and drawing at device level: paths in
// PostScript points, colours and texts. Also the plot state records.
//
// Every coordinate at this level is in PostScript points on the page
// (28.35 to the centimetre). Arrays of points are read from their first
// element; coordinates are in and out because clipping writes the limit
// back into the caller's storage.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "dialogue/setup_mode.hpp"
#include "numbers/real.hpp"
#include "plot/buffers.hpp"
#include "plot/default_settings.hpp"
#include "plot/plot_attributes.hpp"
#include "plot/plot_texts.hpp"
#include "plot/psparams.hpp"
#include "plot/subplot_frames.hpp"

namespace dorvix {

// ---- The plot file -------------------------------------------------------

// Default length of a plot file's name field (the main program's).
inline constexpr std::size_t plot_name_width = 35;

// Opens the plot file unless one is open (then only warns): the settings
// dialogue, the file, the prolog; sets iocom.lplotop and resets the plot
// attributes. `cfile` is the default name and receives the name opened;
// `width` is the caller's name field (a longer name is refused, and the
// Illustrator title shows the name in that width). Callers pass
// setup::menu_from_stored; the two stored modes make the plot parameters
// compose the subplots' maps (setup::all_subplots), any other mode resets
// them (setup::initialise). An odd mode opens the name given, an even one
// lets the user choose it.
void plinit(std::string& cfile, SetupMode mode, std::size_t width = plot_name_width);
// A driver's own plot file: plinit on `name` as the drivers call it, the
// name then padded back to the driver's field `width`; a file it opens
// starts with the default fill style (filled). True when it opened one, false when one
// was open already.
bool open_driver_plot(std::string& name, std::size_t width);
// Closes the plot file if one is open (else warns): asks for a Return,
// writes the trailer, clears iocom.lplotop.
void plend();
// Ends a drawing run (a map, diagrams): the plot's text goes to its file,
// and a plot file that could not take it all (a full disk, a file-size
// limit) is closed there, without plend's question: the box of its close
// says why and what is kept, and stops a command file at the line it read
// last, instead of at a close many lines later.
void plend_if_failed();
// Page menu between two plots: new page, new file, or go on on this page.
void newpage();

// The driver's own steps.
void intplinit(std::string& cfile, SetupMode mode, std::size_t width = plot_name_width);
void intnewpage();
void intplend();
// The trailer of dialect psparams.ipstype, then the file closed: a plot
// that replaces another takes its name now; a write that failed is
// reported in a box.
void psend();
// The trailer alone, the file left open.
void pstrailer();

// Writes the prolog of dialect psparams.ipstype (orientation
// psparams.psorient) and fills psparams.fonts.
void psprolog(int ncopies, std::string_view cfile);
// The beginning of an overlay in dialects 1 and 2 (no page set-up).
void psoverlay();
// The first line of such an overlay, with its end, in dialect 1 and in
// dialect 2, by which a file is known as an overlay the program wrote (one
// of dialect 3 begins "%!", as every plot does).
inline constexpr std::string_view compressed_overlay_head = "%% Define macros etc\n";
inline constexpr std::string_view news_overlay_head = "1 setlinecap\n";
// The colour the prolog of the open file leaves in force, as the text of
// its red, green and blue (ps::rgb_text's form): colour 1 while colour
// plotting is on, black otherwise; empty after the beginning of an
// overlay, which drawn alone starts in the interpreter's colour and drawn
// over another plot in that plot's.
std::string_view prolog_colour();
// Dialect 3, at the file's first page break: the text written since its
// opening is written again with the head of a file of several pages (a
// plain PostScript header that counts them at the end, "%%Pages:
// (atend)") and the page comment of page 1 after the prolog
// (UnitFile::write_again). A file that ends on its first page keeps the
// head of an Illustrator drawing of one page.
void head_of_pages();
// Fills psparams.fonts with the designators of a dialect.
void setfonts(int dialect);

// ---- Paths ----------------------------------------------------------------

// Writable range of a coordinate, points; beyond it a coordinate is clipped.
inline constexpr real max_ps_coordinate = 9.9e7f;

// Clips x and y, strokes an open path, then starts a new path at the point
// (inewpath 1) or only moves there (inewpath 0).
void psmoveto(real& x, real& y, int inewpath);
// One segment to each of the n points.
void pslineto(std::span<real> x, std::span<real> y, int n);
// Strokes the open path, if any, in the line colour.
void psstrokepath();
// One stroked polyline through n points.
void deline(std::span<real> x, std::span<real> y, int n);
// One closed polygon, filled by the fill style, outlined.
void depolygon(std::span<real> x, std::span<real> y, int n);
// Pen move (ipen 0) or draw (ipen 1) to one point; other values nothing.
void deplot(real& x, real& y, int ipen);

// Points beyond the writable range are drawn at its limits and reported in
// one warning box a path. A drawing run (a map, a set of nets) holds a
// ResetReportBatch: while one lives, the boxes wait, and its end shows one
// box for all the points the run reset, so that a drawing thrown off the
// sheet asks for one Return, not one a path.
class ResetReportBatch {
 public:
  ResetReportBatch();
  ~ResetReportBatch();
  ResetReportBatch(const ResetReportBatch&) = delete;
  ResetReportBatch& operator=(const ResetReportBatch&) = delete;
};
// Strokes the open path, then writes the new line width (points).
void intslinewidth(real width);
// Whether the next point of a path starts a new piece with a move (a line
// began without a current point, or a point without a value broke the
// path): the path writers' state beyond psparams.ipspath, part of the
// drawing state (plot/drawing_state.hpp).
bool path_move_pending();
void set_path_move_pending(bool pending);

// ---- Colour and text ------------------------------------------------------

// Writes a colour of the current attributes when colour plotting is on:
// kind -1 colour 1 (reset), 0 the current colour, 1 line, 2 fill, 3 text
// colour (1 to 3 only when it differs from the colour last written).
void psrgbcolor(int kind);
// Strokes an open path and writes black, whatever the colour table holds:
// when colour plotting is switched off in the middle of a plot, what is
// drawn next must not keep the last colour written.
void psblackcolor();
// The colour index last written (plt2blk.icurcol) names no entry from
// here on, so that the first colour wanted is written; the file holds
// black (`black`: an opening that wrote no colour) or a colour not known
// (the beginning of an overlay).
void forget_colour_index(bool black);
// Before entry `index` of the colour table changes: when it is the colour
// last written to the open plot file, its open path is stroked in it, and
// the colour stays known as the one in force while no entry names it.
void colour_entry_changing(int index);
// The colour in force in the plot file, as the text of its red, green and
// blue (ps::rgb_text's form): the colour last written while colour
// plotting is on, even when its entry changed since; black while it is off
// (the interpreter's own, and what switching it off writes); empty when
// not known (the beginning of an overlay, until a colour is written).
std::string colour_in_force();
// Text height in cm to the driver's text size in points.
void intstextsize(real height);
// The designator of the font the texts are written in (the first font's
// for a font number out of range).
const std::string& text_designator();
// Writes a text at a device point with the current justification, angle,
// font, size and text colour.
void detext2(real& x, real& y, std::string_view text);

// ---- Colour table -----------------------------------------------------------
//
// The mode `inter` of these routines (dialogue/setup_mode.hpp) is read by
// its menu and its start alone: codes outside the common six start from
// the values passed.

// The whole table: the defaults set the default table of 13 colours (12 in
// use); even modes then show the colour-table menu (number of colours,
// one entry, reading a colour-table file on unit 20).
void scolortable(SetupMode inter);
// The number of colours in use n (1 to 12; 4 by default), and with it
// colour plotting (off for one colour). Lowering it brings the line, fill
// and text colours into the new range.
void scolornb(int& n, SetupMode inter);
// One entry: the colour index, its name (the first 8 characters are kept)
// and its red, green and blue in percent. The defaults first reset
// entries 0 to 4 to white, black and the full primaries.
void scolorrgb(int& index, std::string& name, real& red, real& green, real& blue, SetupMode inter);

// ---- Line, fill and text attributes ---------------------------------------
//
// Each setter takes its value (in and out) and the mode `inter`
// (dialogue/setup_mode.hpp); setup::initialise announces the default. Only
// the six common modes show the setter's menu (the even ones) and store the
// value (setup::stored thus saves the current value for a later restore);
// any other mode stores nothing. A value out of range is brought into it
// with a warning box; only the font is refused.

// Line thickness in cm, above 0.01 and at most 1000 (0.02); written into
// the plot file at once.
void slinewidth(real& width, SetupMode inter);
// Line style: accepted and ignored, lines are solid.
void slinestyle(int& istyle, SetupMode inter);
// Colour indices, 0 to the number of colours in use (line 1, fill 8, text 1).
void slinecolor(int& icol, SetupMode inter);
void sfillcolor(int& icol, SetupMode inter);
void stextcolor(int& icol, SetupMode inter);
// Polygon fill style: 0 hollow, 1 filled (1).
void sfillstyle(int& istyle, SetupMode inter);
// Text height in cm, above 0.02 and at most 1000 (0.5); passed on to the
// driver while a plot file is open.
void stextsize(real& height, SetupMode inter);
// Text font 1 to 16 (1, Helvetica); a font outside them is refused.
void stextfont(int& ifont, SetupMode inter);
// Text angle in degrees counter-clockwise, any value (0).
void stextangle(real& angle, SetupMode inter);
// Text justification, -11 to 11 with a column (-1, left bottom trimmed).
void stextalign(int& justif, SetupMode inter);

// ---- Plot parameters ------------------------------------------------------

// The plot-parameter menu and the plot state's starting values. The
// defaults (4, 5), setup::all_subplots (6, 7) and
// setup::defaults_but_attributes (8, 9) initialise: all but the second pair
// reset the angle constants, the subplot frames and the colour table; while
// a plot file is open the device maps of all subplots are composed,
// subplot 1 made current and, but for the third pair, every attribute
// reset. Even modes then show the menu "SETTING PLOT ATTRIBUTES"; odd modes
// return. Opening a plot file calls setup::all_subplots.
void splotparam2(SetupMode inter);

}  // namespace dorvix
