// The one-page diagram driver: every net on one page, from the lower-left
// net of its subplot.

#include <string>

#include "dialogue/frames.hpp"
#include "numbers/edit.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "stereonet/diagram_drivers.hpp"
#include "stereonet/diagram_nets.hpp"
#include "stereonet/frame.hpp"
#include "stereonet/great_circles.hpp"
#include "stereonet/projections.hpp"

namespace dorvix {

namespace {

constexpr Header fpsseis_header{"fpsseis", " 4.0", "24-03-2010"};

// The driver's settings, kept from one call to the next; its layout lives
// in its subplot.
struct OnePageSettings {
  std::string plot_name = edit::pad("seis.fm.ps", diagram_plot_name_width);
  AxisSymbols symbols = default_axis_symbols;
};
OnePageSettings settings;

void open_plot() { open_driver_plot(settings.plot_name, diagram_plot_name_width); }

void run(const DiagramData& d, int isub) {
  ssubplot(isub, setup::passed);
  const std::string rule(43, '=');
  say(rule);
  say("PLOTTING INFORMATION");
  say(rule);
  // The run caption centred, in the text height in force.
  int kept = 0;
  stextalign(kept, setup::stored);
  run_caption();
  stextalign(kept, setup::passed);

  const TextSettings user = diagram_text();
  int j = net_label_justif;
  stextalign(j, setup::passed);
  NetLayout l;
  sus2cm1(l.xcm0, l.ycm0, l.xx, l.xy, l.yx, l.yy, setup::stored);
  int points = diagram_circle_points;
  sdspgc(points, setup::passed);
  report_nets_off_sheet(fpsseis_header, l, d.ndata, 0);
  const ResetReportBatch one_reset_box;

  for (int m = 1; m <= d.ndata; ++m) draw_net(l, m - 1, d.planes(m), d.label(m), settings.symbols, seffapfadrrad);
  // The subplot keeps the lower-left net's map.
  sus2cm1(l.xcm0, l.ycm0, l.xx, l.xy, l.yx, l.yy, setup::passed);
  restore_text(user);
}

}  // namespace

void fpsseis3(const DiagramMechanisms& m, int isub, SetupMode inter) {
  if (inter.from_defaults()) {
    submenuhead(fpsseis_header);
    say("INITIALIZING FPS PLOT PARAMETERS");
    settings = OnePageSettings{};
    ssubplot(isub, setup::passed);
    NetLayout l;
    sus2cm1(l.xcm0, l.ycm0, l.xx, l.xy, l.yx, l.yy, setup::passed);
    int iproj = 1;
    sspro(iproj, inter);
    srepstereo0(inter);
    return;
  }
  ssubinfo(fpsseis_header.name, fpsseis_header.version, fpsseis_header.date, 0, 0);
  const DiagramData d{m, false};
  const DiagramActions actions{
      .open_plot = open_plot,
      .edit_layout =
          [&] {
            // The answers become the subplot's map, where the runs take it from.
            ssubplot(isub, setup::passed);
            scaling_banner();
            NetLayout l;
            sus2cm1(l.xcm0, l.ycm0, l.xx, l.xy, l.yx, l.yy, setup::menu_from_stored);
          },
      .run = [&] { run(d, isub); },
      .symbols = &settings.symbols,
      .symbol_prompts = {"choose symbols for s1", "choose symbols for s2", "choose symbols for s3"},
  };
  diagram_menu(fpsseis_header, m.ndatdim, m.ndata, std::nullopt, settings.plot_name, actions);
}

}  // namespace dorvix
