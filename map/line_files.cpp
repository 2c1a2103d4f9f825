#include "map/line_files.hpp"

#include <array>
#include <string>
#include <string_view>

#include "console/boxes.hpp"
#include "console/cut_lines.hpp"
#include "console/edit.hpp"
#include "console/file_opener.hpp"
#include "console/frames.hpp"
#include "console/item_lines.hpp"
#include "console/menu_loop.hpp"
#include "console/units.hpp"
#include "map/line_file_readers.hpp"
#include "map/line_file_window.hpp"
#include "map/selection_polygons.hpp"
#include "projection/line_file_settings.hpp"

namespace dorvix {

namespace {

constexpr int option_clipping = 10;
constexpr int option_points_per_degree = 11;
constexpr std::size_t title_width = 35;

struct FileType {
  std::string_view menu_line;
  std::string_view explanation;  // for the file opener
  std::string_view title_clipped, title_unclipped;
  ReadOutcome (*read)(LineFileRun&);
};

constexpr std::array<FileType, 6> file_types{{
    {" UTIG coast file.............1", "UTIG coastline", "UTIG coastline with clipping",
     "UTIG coastline without clipping", read_utig},
    {" IGN  coast file.............2", "IGN line", "IGN line with clipping", "IGN line without clipping", read_ign},
    {" GEBCO file..................3", "GEBCO line", "GEBCO line (no clipping)", "GEBCO line (no clipping)", read_gebco},
    {" USGS ascii dump file .......4", "USGS ASCII dump line", "USGS ASCII dump line (no clipping)",
     "USGS ASCII dump line (no clipping)", read_usgs},
    {" Tanvik gshhs ascii file ....5", "Tanvik ASCII polygons", "Tanvik ASCII polygons with clipping",
     "Tanvik ASCII polygons without clipping", read_gshhs},
    {" Selection polygon file .....6", "Selection polygon", "Selection polygons (no clipping)",
     "Selection polygons (no clipping)", read_selection_polygon},
}};

// The window the map driver passed.
struct Window {
  real lonmin, lonmax, latmin, latmax;
};

void two_values(real a, real b) { say(edit::f(a, 9, 3) + std::string(7, ' ') + edit::f(b, 9, 3)); }

void menu_body(const Window& w, const LongitudeFrame& f) {
  const ContoursSettings& s = contours_settings;
  dash_rule();
  say("MAPPING CONTOURS");
  dash_rule();
  ItemLine().text("Clipping on ................10").text(edit::l(s.lclip, 1)).write();
  if (s.lclip) {
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
  ItemLine().text("Nb of points for 1 deg .....11").fixed(s.ptsdeg, 9, 3).write();
  say(std::string(30, '-'));
  say("TYPE OF LINE FILE:");
  for (const FileType& t : file_types) say(t.menu_line);
  dash_rule();
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

void stopped_box(const LineFileRun& run) {
  warninghead(contours1_header);
  ItemLine().text("Stopped at curve #").integer(run.nline, 6).write();
  say("Because of insufficient buffer");
  ItemLine().text("total nb of plotted curves = ").integer(run.nline, 6).write();
  closed_line(run);
  warningtail00();
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
    case ReadEnd::stopped:
      stopped_box(run);
      break;
  }
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
  menu_loop(
      contours1_header, [&] { menu_body(w, frame); },
      [&](int choice) {
        ContoursSettings& s = contours_settings;
        if (choice == option_clipping) {
          ask_flag(s.lclip, "clip to grid bounds");
          if (s.lclip) frame = longitude_frame(lonmin, lonmax, true);
        } else if (choice == option_points_per_degree) {
          ask_real(s.ptsdeg, "Nb of points for 1 deg (polygons)");
        } else if (choice >= 1 && choice <= static_cast<int>(file_types.size())) {
          draw_file(file_types[static_cast<std::size_t>(choice - 1)], name, w, frame);
        }
      },
      MenuStyle{.exit_line = "EXIT .......................99",
                .prompt = Prompt::in_range,
                .body_at_level_2 = true,
                .prompt_text = "type of line file",
                .range = {1, 99}});
}

}  // namespace dorvix
