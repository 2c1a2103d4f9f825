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

#include "console/real.hpp"
#include "plot/buffers.hpp"
#include "plot/default_settings.hpp"
#include "plot/plt1blk.hpp"
#include "plot/plt2blk.hpp"
#include "plot/pltcharblk.hpp"
#include "plot/psparams.hpp"

namespace dorvix {

// ---- The plot file -------------------------------------------------------

// Default length of a plot file's name field (the main program's).
inline constexpr std::size_t plot_name_width = 35;

// Opens the plot file unless one is open (then only warns): the settings
// dialogue, the file, the prolog; sets iocom.lplotop and resets the plot
// attributes. `cfile` is the default name and receives the name opened;
// `width` is the caller's name field (a longer name is refused, and the
// Illustrator title shows the name in that width). Callers pass mode 2.
void plinit(std::string& cfile, int mode, std::size_t width = plot_name_width);
// Closes the plot file if one is open (else warns): asks for a Return,
// writes the trailer, clears iocom.lplotop.
void plend();
// Page menu between two plots: new page, new file, or go on on this page.
void newpage();

// The driver's own steps.
void intplinit(std::string& cfile, int mode, std::size_t width = plot_name_width);
void intnewpage();
void intplend();
void psend();

// Writes the prolog of dialect psparams.ipstype (orientation
// psparams.psorient) and fills psparams.fonts.
void psprolog(int ncopies, std::string_view cfile);
// The beginning of an overlay in dialects 1 and 2 (no page set-up).
void psoverlay();
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
// Strokes the open path, then writes the new line width (points).
void intslinewidth(real width);

// ---- Colour and text ------------------------------------------------------

// Writes a colour of the current attributes when colour plotting is on:
// kind -1 colour 1 (reset), 0 the current colour, 1 line, 2 fill, 3 text
// colour (1 to 3 only when it differs from the colour last written).
void psrgbcolor(int kind);
// Text height in cm to the driver's text size in points.
void intstextsize(real height);
// Writes a text at a device point with the current justification, angle,
// font, size and text colour.
void detext2(real& x, real& y, std::string_view text);

// ---- Plot parameters ------------------------------------------------------

// Plot parameters. Modes 5 and 7, the openings of a plot file: the
// centimetre-to-device map, the user-to-device maps of all subplots from
// their frames, subplot 1 current, every attribute at its default. Other
// modes leave everything as it is.
void splotparam2(int inter);

}  // namespace dorvix
