#include "map/line_files.hpp"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/boxes.hpp"
#include "dialogue/cut_lines.hpp"
#include "dialogue/file_opener.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "files/units.hpp"
#include "map/line_file_readers.hpp"
#include "map/line_file_window.hpp"
#include "map/selection_polygons.hpp"
#include "numbers/edit.hpp"
#include "projection/line_file_settings.hpp"

namespace dorvix {

namespace {

constexpr std::size_t title_width = 35;

// A type of line file: its code, the choice that draws a file of it.
struct FileType {
  int code;
  std::string_view name;         // in the menu
  std::string_view explanation;  // for the file opener
  std::string_view title_clipped, title_unclipped;
  ReadOutcome (*read)(LineFileRun&);
};

constexpr std::array<FileType, 6> file_types{{
    {1, " UTIG coast file", "UTIG coastline", "UTIG coastline with clipping", "UTIG coastline without clipping",
     read_utig},
    {2, " IGN  coast file", "IGN line", "IGN line with clipping", "IGN line without clipping", read_ign},
    {3, " GEBCO file", "GEBCO line", "GEBCO line (no clipping)", "GEBCO line (no clipping)", read_gebco},
    {4, " USGS ascii dump file ", "USGS ASCII dump line", "USGS ASCII dump line (no clipping)",
     "USGS ASCII dump line (no clipping)", read_usgs},
    {5, " Tanvik gshhs ascii file ", "Tanvik ASCII polygons", "Tanvik ASCII polygons with clipping",
     "Tanvik ASCII polygons without clipping", read_gshhs},
    {6, " Selection polygon file ", "Selection polygon", "Selection polygons (no clipping)",
     "Selection polygons (no clipping)", read_selection_polygon},
}};

// The window the map driver passed.
struct Window {
  real lonmin, lonmax, latmin, latmax;
};

void two_values(real a, real b) { say(edit::f(a, 9, 3) + std::string(7, ' ') + edit::f(b, 9, 3)); }

// The clipping window under its switch.
void window_lines(const Window& w, const LongitudeFrame& f) {
  ItemLine().text("  _|_________________|_ latmax =").fixed(w.latmax, 9, 3).write();
  say("   |                 |");
  say("   |                 |");
  ItemLine().text("  _|_________________|_ latmin =").fixed(w.latmin, 9, 3).write();
  say("   |                 |");
  say("longmin           longmax");
  two_values(w.lonmin, w.lonmax);
  two_values(f.lonminr, f.lonmaxr);
  ItemLine().text("Longitude origin =").fixed(f.lonorig, 9, 3).write();
}

void closed_line(const LineFileRun& run) { ItemLine().text("input file").text(run.name).text("closed").write(); }

void end_of_file_lines(const LineFileRun& run) {
  dash_rule();
  ItemLine().text("total nb of plotted curves = ").integer(run.nline, 6).write();
  closed_line(run);
  menutail();
}

void read_failure_box(const LineFileRun& run, const std::string& cut_short) {
  errorhead(contours1_header);
  ItemLine().text("WHILE READING FILE").text(run.name).write();
  if (!cut_short.empty()) put(iocom.iuout, cut_short);
  closed_line(run);
  errortail00();
}

// Opens a file of the type, reads it to its end and draws it.
void draw_file(const FileType& type, std::string& name, const Window& w, const LongitudeFrame& frame) {
  opef2(name, type.explanation, line_file_unit, "old", 0, line_file_name_width);
  const bool clipped = contours_settings.lclip;
  const std::string_view title = clipped ? type.title_clipped : type.title_unclipped;
  LineFileRun run{name, std::string(title.substr(0, title_width)), LineWindow(frame, w.latmin, w.latmax), clipped, 0};
  const ReadOutcome outcome = type.read(run);
  cut_lines_box(contours1_header, line_file_unit);
  units().close(line_file_unit);
  switch (outcome.end) {
    case ReadEnd::end_of_file:
      end_of_file_lines(run);
      break;
    case ReadEnd::failure:
      read_failure_box(run, outcome.cut_short);
      break;
  }
}

// The menu: clipping and sampling, then a choice for each type of line
// file, which draws a file of that type.
MenuTable line_file_menu(const Window& w, LongitudeFrame& frame, std::string& name) {
  ContoursSettings& s = contours_settings;
  std::vector<MenuRow> rows{
      {.draw = dash_rule},
      {.label = "MAPPING CONTOURS"},
      {.draw = dash_rule},
      {.choice = 10,
       .label = "Clipping on ",
       .action =
           [&w, &frame] {
             bool clip = s.lclip;
             ask_flag(clip, "clip to grid bounds");
             set_line_clipping(clip);
             if (clip) frame = longitude_frame(w.lonmin, w.lonmax, true);
           },
       .value = shows_flag(s.lclip)},
      {.shown = [] { return s.lclip; }, .draw = [&w, &frame] { window_lines(w, frame); }},
      {.choice = 11,
       .label = "Nb of points for 1 deg ",
       .action =
           [] {
             real ptsdeg = s.ptsdeg;
             ask_real(ptsdeg, "Nb of points for 1 deg (polygons)");
             set_sampling_density(ptsdeg);
           },
       .value = shows_fixed(s.ptsdeg, 9, 3)},
      {.label = "------------------------------"},
      {.label = "TYPE OF LINE FILE:"}};
  for (const FileType& t : file_types) {
    rows.push_back(
        {.choice = t.code, .label = t.name, .action = [&t, &name, &w, &frame] { draw_file(t, name, w, frame); }});
  }
  rows.push_back({.draw = dash_rule});
  rows.push_back({.choice = menu_exit_choice, .label = "EXIT "});
  return MenuTable{.rows = std::move(rows), .width = 30};
}

}  // namespace

void contours1(real lonmin, real lonmax, real latmin, real latmax, SetupMode mode) {
  if (mode.from_defaults()) {
    contours1_initialise();
    return;
  }
  const Window w{lonmin, lonmax, latmin, latmax};
  // Every longitude is reduced into the frame, clipped or not; only a
  // clipped map reports a window it cannot hold.
  LongitudeFrame frame = longitude_frame(lonmin, lonmax, contours_settings.lclip);
  std::string name;
  const MenuTable table = line_file_menu(w, frame, name);
  menu_loop(contours1_header, table,
            MenuStyle{.exit_line = {},
                      .prompt = Prompt::in_range,
                      .body_at_level_2 = true,
                      .prompt_text = "type of line file",
                      .range = {1, menu_exit_choice}});
}

}  // namespace dorvix
