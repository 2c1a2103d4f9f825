#pragma once
// The latitude-longitude graticule of the map: meridians and parallels over
// a window of longitude and latitude (or only the window's frame), with
// ticks and labels along its four edges, drawn through the current
// projection with the map's pen (projection/map_pen.hpp).

#include <string>
#include <vector>

#include "numbers/real.hpp"
#include "projection/graticule_settings.hpp"
#include "projection/map_pen.hpp"

namespace dorvix {

// What drawllgrid drew, in map coordinates: the extent of the points of
// its lines and of its ticks handed to the plot library, and each label
// written, at its point with its justification.
struct GridMarks {
  struct Label {
    real x, y;
    int justification;
    std::string text;
  };
  MapPen::Extent lines, ticks;
  std::vector<Label> labels;
};

// Draws the graticule of `gridll` into the current subplot with the current
// line and text attributes, and reports it on the console: the number of
// meridians and parallels, and, for a family whose lines are spread over
// the window at another spacing than the one asked (a window that is not a
// whole number of spacings), the spacing drawn. The text justification is
// left as the last edge set it. On a map that joins the window's western
// and eastern edges (a window of a whole turn on an azimuthal map), the
// ticks and labels of that one meridian are drawn once, as the eastern
// edge's. Nothing is drawn for a window beyond the gnomonic's reach
// (window_beyond_reach). A line breaks where its
// samples have no image; between two samples where it breaks it still
// goes through the nodes where the lines of the other family cross it,
// and, on a map with a horizon (the orthographic's far side, the part of
// the globe the perspective hides), to the horizon. On such a map it is
// also drawn to the horizon, and broken, where it passes the horizon twice
// between two samples: into the part shown between two hidden samples, or
// behind it between two shown.
// With `marks`, it also gives what it drew (GridMarks).
void drawllgrid(GridMarks* marks = nullptr);

// The extent, in map coordinates, of every point drawllgrid hands on for
// its meridians and parallels (for grid type 0, those of the window's
// frame); four zeros when there is none (a window beyond the gnomonic's
// reach, or one no point of which has an image).
void extrllgrid(real& xmin, real& ymin, real& xmax, real& ymax);
// The same extent, which says whether there is any point (`any`).
MapPen::Extent grid_extent();

}  // namespace dorvix
