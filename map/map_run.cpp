// The steps of one map run.

#include "map/map_run.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "dialogue/boxes.hpp"
#include "dialogue/command_file_end.hpp"
#include "dialogue/data_files.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/number_writers.hpp"
#include "dialogue/prompts.hpp"
#include "files/units.hpp"
#include "geometry/angles.hpp"
#include "map/line_file_window.hpp"
#include "map/line_files.hpp"
#include "map/map_directions.hpp"
#include "map/point_menu.hpp"
#include "map/sish_file.hpp"
#include "map/stress_directions.hpp"
#include "map/stress_symbols.hpp"
#include "numbers/edit.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "plot/sheet.hpp"
#include "projection/codes.hpp"
#include "projection/dispatcher.hpp"
#include "projection/gnomonic_reach.hpp"
#include "projection/graticule.hpp"
#include "projection/map_pen.hpp"
#include "projection/state.hpp"
#include "stereonet/principal_axes.hpp"

namespace dorvix {

namespace {

// The caption: the run information centred at the top of the page, the
// number of data at its left.
constexpr real caption_x = 10.5f, caption_y = 28.0f;
constexpr real count_x = 2.0f, count_y = 28.0f;
constexpr int centred = -2, left = -1;
constexpr std::size_t caption_width = 35;
constexpr int count_digits = 7;

// The box the graticule window is fitted to, cm.
constexpr real box_x = 2.0f, box_y = 2.0f, box_width = 17.0f, box_height = 26.0f;

// A drawing step says what it does: its title lines between two rules.
void announce(std::initializer_list<std::string_view> titles) {
  const std::string rule(36, '=');
  say(rule);
  for (std::string_view t : titles) say(t);
  say(rule);
}

void caption(int ndat) {
  int kept = 0;
  stextalign(kept, setup::stored);
  int j = centred;
  stextalign(j, setup::passed);
  cmplotruninfo0(caption_x, caption_y, setup::passed);
  j = left;
  stextalign(j, setup::passed);
  std::string digits(count_digits, ' ');
  int nchar = 0;
  intg2char(digits, nchar, count_digits, ndat);
  const std::string text = "Number of data: " + digits.substr(0, static_cast<std::size_t>(nchar));
  cmplotcharinfo0(edit::pad(text, caption_width), 1, count_x, count_y, setup::passed);
  stextalign(kept, setup::passed);
}

void fit_to_box() {
  real xmin = 0, ymin = 0, xmax = 0, ymax = 0;
  extrllgrid(xmin, ymin, xmax, ymax);
  real x0 = box_x, y0 = box_y, w = box_width, h = box_height;
  int same_scale = 1;
  sus2cm3(x0, y0, w, h, xmin, xmax, ymin, ymax, same_scale, setup::passed);
}

// The gnomonic's window beyond its reach, in an error box.
void beyond_reach_box() {
  say("LAT-LONG GRID WINDOW BEYOND THE GNOMONIC'S REACH");
  ItemLine()
      .text("its nearest point lies")
      .fixed(window_distance_degrees().value_or(0.0), 8, 3)
      .text("degrees from the centre;")
      .write();
  ItemLine()
      .text("the gnomonic draws up to")
      .integer(static_cast<int>(gnomonic_reach_limit_degrees), 3)
      .text("degrees from it")
      .write();
  say("==> NO MAP DRAWN: BRING THE WINDOW NEARER THE CENTRE");
}

// A window the fit to the box finds no width or height in, whatever the
// code that collapses it (Van der Grinten's band about its central
// meridian, a row of points that single precision rounds to one value
// near a pole, a window on the far side of an orthographic map), in an
// error box; e is its extent in map coordinates.
void flat_window_box(const MapPen::Extent& e) {
  const bool wide = e.xmax > e.xmin, high = e.ymax > e.ymin;
  std::string_view what = "LAT-LONG GRID WINDOW WITHOUT WIDTH OR HEIGHT ON THE MAP";
  std::string_view why = "its points lie too close together: no scale fits them to the page";
  if (!e.any) {
    what = "LAT-LONG GRID WINDOW WITH NO POINT ON THE MAP";
    why = "none of its points has an image: there is nothing to fit to the page";
  } else if (!wide && !high) {
    why = "all its points fall on one point: no scale fits them to the page";
  } else if (!wide) {
    what = "LAT-LONG GRID WINDOW WITHOUT WIDTH ON THE MAP";
    why = "all its points fall on one vertical line: no scale fits them to the page";
  } else if (!high) {
    what = "LAT-LONG GRID WINDOW WITHOUT HEIGHT ON THE MAP";
    why = "all its points fall on one horizontal line: no scale fits them to the page";
  }
  say(what);
  const ProjectionCode* code = find_projection_code(projtype.iproj);
  ItemLine().text("under projection").integer(projtype.iproj, 3).text(code != nullptr ? code->name : "").write();
  say(why);
  say("==> NO MAP DRAWN: WIDEN OR MOVE THE WINDOW (320),");
  say("==> OR CHANGE THE PROJECTION OR ITS PARAMETERS (300)");
}

// True when the graticule's ticks or labels reach beyond the sheet while
// its lines lie on it: then shorter ticks bring them in. The lines' and
// ticks' extents are taken to the page by their corners.
bool marks_beyond_sheet(const GridMarks& m) {
  const Sheet sheet = page_sheet();
  const auto box_of = [](const MapPen::Extent& e) {
    std::array<real, 4> x{e.xmin, e.xmax, e.xmax, e.xmin}, y{e.ymin, e.ymin, e.ymax, e.ymax};
    us2de(x, y, x, y, 4);
    return DeviceBox{std::min({x[0], x[1], x[2], x[3]}), std::min({y[0], y[1], y[2], y[3]}),
                     std::max({x[0], x[1], x[2], x[3]}), std::max({y[0], y[1], y[2], y[3]})};
  };
  if (!m.lines.any || !on_sheet(box_of(m.lines), sheet)) return false;
  if (m.ticks.any && !on_sheet(box_of(m.ticks), sheet)) return true;
  for (const GridMarks::Label& l : m.labels) {
    real x = l.x, y = l.y;
    us2de(std::span(&x, 1), std::span(&y, 1), std::span<const real>(&x, 1), std::span<const real>(&y, 1), 1);
    if (!on_sheet(text_box(x, y, l.text, l.justification), sheet)) return true;
  }
  return false;
}

// Projects the epicentres into xd, yd in place, each longitude in the
// window's turn; returns how many have no image on the page.
int project_epicentres(const MapData& d, const MapSwitches& s, const WindowTurn& turn) {
  real major = 0, minor = 0;
  int iepi = 0, isha = 0;
  smapsh2(major, minor, iepi, isha, setup::stored);
  ssymbolsize(major, setup::passed);
  int type = s.iepisymb;
  ssymboltype(type, setup::passed);
  for (int i = 0; i < d.ndat; ++i) {
    const auto j = static_cast<std::size_t>(i);
    d.xd[j] = rad(turn.nearest(static_cast<real>(d.rlong[j])));
    d.yd[j] = rad(static_cast<real>(d.rlat[j]));
  }
  projlln(d.xd, d.yd, d.xd, d.yd, d.ndat);
  int off = 0;
  for (int i = 0; i < d.ndat; ++i) {
    const auto j = static_cast<std::size_t>(i);
    if (!on_map_page(d.xd[j], d.yd[j])) ++off;
  }
  return off;
}

void off_map_box(int count) {
  warninghead(mapseis_header);
  ItemLine().text("EPICENTERS WITH NO PLACE ON THE MAP:").integer(count, 6).write();
  say("(no image under this projection)");
  say("==> NO SYMBOL PLOTTED FOR THEM");
  say("==> LISTED AND WRITTEN AS THE OTHERS");
  warningtail00();
}

void no_sish_rows_box() {
  warninghead(mapseis_header);
  say("Si-Sh OUTPUT IS ON BUT STRESS DIRECTIONS ARE OFF (342)");
  say("==> NO Si-Sh ROW WRITTEN FOR THIS MAP");
  warningtail00();
}

// A Si-Sh row that could not be written (a full disk): the file is given
// up (a new one cut back to its whole lines, one that was to replace
// another removed and the other kept), and the run goes on without it;
// the next map run with the switch on asks for a Si-Sh file again, so a
// command file, which would not answer that question, stops here.
void sish_failure_box(int iouk) {
  const CommandFileStop stop = stop_command_file();
  errorhead(mapseis_header);
  ItemLine().text("WHILE WRITING Si-Sh FILE").text(trimmed(fiocom.oufnam(iouk))).write();
  say("==> ROWS OF THIS MAP ARE MISSING FROM IT");
  say("==> closing the file");
  if (const auto e = give_up_output(iouk)) {
    if (!e->reason.empty()) say("==> " + e->reason);
    if (e->kind == FileEnd::Kind::old_kept) {
      say("==> THE OLD FILE IS KEPT, NOT REPLACED");
    } else if (e->lines) {
      ItemLine().text("==> THE FILE KEEPS").integer(*e->lines, 6).text("COMPLETE LINES").write();
    }
    clofou(iouk, 0);
  }
  stop.say_where();
  errortail00();
}

// Per mechanism: the principal axes of the plane, the stress regime and
// its listing, the stress symbol at the epicentre (turned as its
// directions lie on the map, at the longitude the epicentre is drawn at)
// and the Si-Sh row (with the longitude as read).
void stress_directions(const MapData& d, real threshold, const WindowTurn& turn) {
  const int unit = fiocom.iouf(d.iouk);
  if (d.lsish) put(unit, sish_header());
  // A row, edited in place and put straight into the file's buffer as a
  // line.
  UnitFile* sish = d.lsish ? units().output_file(unit) : nullptr;
  char row[sish_width];
  for (int i = 0; i < d.ndat; ++i) {
    const auto j = static_cast<std::size_t>(i);
    AxisAngles az{}, pl{};
    fsadr2steff(az, pl, rad(d.azd1[j]), rad(d.dipd1[j]), rad(d.rakd1[j]), 0.0f);
    real azsh = 0;
    int isv = 0;
    const auto one = [](real& v) { return std::span<real>(&v, 1); };
    siap2sv(one(azsh), std::span(&isv, 1), one(az[0]), one(pl[0]), one(az[1]), one(pl[1]), one(az[2]), one(pl[2]),
            threshold, 1);
    writepbsv(one(azsh), std::span(&isv, 1), one(az[0]), one(pl[0]), one(az[1]), one(pl[1]), one(az[2]), one(pl[2]), 1,
              iocom.iuout);
    isv = std::abs(isv);
    const real x = d.xd[j], y = d.yd[j];
    const real lat_deg = static_cast<real>(d.rlat[j]), lon_deg = static_cast<real>(d.rlong[j]);
    if (on_map_page(x, y)) {
      const real lon = rad(turn.nearest(lon_deg)), lat = rad(lat_deg);
      real shmax = map_direction(lon, lat, x, y, azsh);
      real shmin = map_direction(lon, lat, x, y, azsh + anglerad.half_pi());
      dmapsh2(d.xd.subspan(j, 1), d.yd.subspan(j, 1), one(shmax), one(shmin), std::span(&isv, 1), 1);
    }
    if (d.lsish) {
      sish_row(row, {d.date1[j].view(), d.time1[j].view(), lat_deg, lon_deg, d.depth[j], d.azd1[j], d.dipd1[j],
                     d.rakd1[j], az, pl, isv, azsh});
      if (sish != nullptr) {
        sish->put_line(std::string_view(row, sish_width));
      } else {
        put(unit, std::string_view(row, sish_width));
      }
    }
  }
  if (d.lsish && (sish == nullptr || !sish->flush())) sish_failure_box(d.iouk);
}

}  // namespace

bool map_window_refused(const MapSwitches& s) {
  const bool beyond = window_beyond_reach();
  MapPen::Extent e;
  if (!beyond) {
    if (!s.lscalegrid) return false;
    e = grid_extent();
    if (window_fits(box_x, box_y, box_width, box_height, e.xmin, e.xmax, e.ymin, e.ymax, 1)) return false;
  }
  const CommandFileStop stop = stop_command_file();
  errorhead(mapseis_header);
  if (beyond) {
    beyond_reach_box();
  } else {
    flat_window_box(e);
  }
  stop.say_where();
  errortail00();
  return true;
}

void map_run(const MapData& d, const MapSwitches& s) {
  int ksub = d.ksub;
  ssubplot(ksub, setup::passed);
  const ResetReportBatch one_reset_box;
  announce({"PLOTTING INFORMATION"});
  caption(d.ndat);
  if (s.lscalegrid) {
    announce({"SCALING GRID IN A4 Portrait"});
    fit_to_box();
  }
  announce({"PLOTTING LAT LONG GRID"});
  GridMarks marks;
  drawllgrid(&marks);
  if (marks_beyond_sheet(marks)) say("ticks or labels reach off the page: a smaller tic size (320, 33) shortens them");
  if (s.lsymbll) {
    announce({"PLOTTING LOCATION"});
    bool iproj = true;
    mappoint(iproj, setup::menu_from_passed);
  }
  const WindowTurn turn = graticule_turn();
  if (s.lepicenter || s.lshdir) {
    announce({"PROJECTING EPICENTERS", "LONG, LAT --> X, Y"});
    const int off = project_epicentres(d, s, turn);
    if (off > 0) off_map_box(off);
  }
  if (s.lepicenter) {
    announce({"PLOTTING EPICENTERS"});
    map_symbols(d.xd, d.yd, d.ndat);
  }
  if (s.lshdir) {
    announce({"PLOTTING STRESS DIRECTIONS"});
    stress_directions(d, s.threshold, turn);
  } else if (d.lsish) {
    no_sish_rows_box();
  }
  if (s.lcontours) {
    announce({"PLOTTING LAT LONG CONTOURS"});
    GridValues g;
    sllgrid3(g, setup::stored);
    contours1(g.lonmin, g.lonmax, g.latmin, g.latmax, setup::passed);
  }
}

}  // namespace dorvix
