// The paged diagram driver: twenty nets a page with page captions.

#include <string>

#include "dialogue/console_units.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/number_writers.hpp"
#include "dialogue/prompts.hpp"
#include "numbers/edit.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "stereonet/diagram_drivers.hpp"
#include "stereonet/diagram_nets.hpp"
#include "stereonet/frame.hpp"
#include "stereonet/great_circles.hpp"

namespace dorvix {

namespace {

constexpr Header fpsbchbll_header{"fpsbchbll", " 7.0", "01-05-2010"};

// Anchor of the two page caption lines on the paper, cm.
constexpr real page_caption_x = 2.0f;
constexpr real page_caption_y = 28.0f;
// Width of the caption texts and of the numbers in them.
constexpr int caption_width = 35;

// Justification of the page captions, blanks trimmed: left end of the
// bottom line.
constexpr int left = -1;

// The driver's settings, kept from one call to the next.
struct PagedSettings {
  std::string plot_name = edit::pad("fps_bb.ps", diagram_plot_name_width);
  real symbol_size = 0.3f;
  NetLayout layout;
  AxisSymbols symbols = default_axis_symbols;
};
PagedSettings settings;

// The plot attributes the driver finds or opens a plot with, restored when
// it leaves.
struct KeptAttributes {
  real symbol_size = 0, text_height = 0;
  int justif = 0;
  void keep() {
    ssymbolsize(symbol_size, setup::stored);
    stextsize(text_height, setup::stored);
    stextalign(justif, setup::stored);
  }
  void restore() {
    ssymbolsize(symbol_size, setup::passed);
    stextsize(text_height, setup::passed);
    stextalign(justif, setup::passed);
  }
};

void set_justif(int j) { stextalign(j, setup::passed); }

// A number as intg2char writes it into a caption text.
std::string number_text(int v) {
  std::string text(caption_width, ' ');
  int nchar = 0;
  intg2char(text, nchar, caption_width, v);
  return text.substr(0, static_cast<std::size_t>(nchar));
}

// Option 11: the layout edited from the kept one. The subplot gets the
// kept layout first, so that the menu starts from it, and the layout kept
// afterwards is the one the subplot accepted.
void edit_layout(int isub) {
  ssubplot(isub, setup::passed);
  scaling_banner();
  NetLayout& l = settings.layout;
  sus2cm1(l.xcm0, l.ycm0, l.xx, l.xy, l.yx, l.yy, setup::passed);
  NetLayout answers = l;
  sus2cm1(answers.xcm0, answers.ycm0, answers.xx, answers.xy, answers.yx, answers.yy, setup::menu_from_stored);
  sus2cm1(l.xcm0, l.ycm0, l.xx, l.xy, l.yx, l.yy, setup::stored);
}

// Caption line `iline` of a page, on the console too: the text cut or
// padded to the caption's 35 characters.
void page_caption(const std::string& text, int iline, std::string_view console_prefix) {
  const std::string caption = edit::pad(text, caption_width);
  ItemLine line;
  if (!console_prefix.empty()) line.text(console_prefix);
  line.text(trimmed(caption)).write();
  cmplotcharinfo0(caption, iline, page_caption_x, page_caption_y, setup::menu_from_passed);
}

void run(const DiagramData& d, int isub) {
  int fill = 1;
  sfillstyle(fill, setup::initialise);
  int points = diagram_circle_points;
  sdspgc(points, setup::passed);
  ssubplot(isub, setup::passed);
  const int npages = d.ndata / nets_per_page + (d.ndata % nets_per_page != 0 ? 1 : 0);
  if (npages == 0) return;
  report_nets_off_sheet(fpsbchbll_header, settings.layout, d.ndata, nets_per_page);
  const ResetReportBatch one_reset_box;

  for (int p = 1; p <= npages; ++p) {
    if (p > 1) {
      newpage();
      // A new plot file from the page menu makes the map's subplot current.
      ssubplot(isub, setup::passed);
    }
    ssymbolsize(settings.symbol_size, setup::passed);
    const int first = (p - 1) * nets_per_page + 1;
    const int last = p == npages ? d.ndata : p * nets_per_page;

    // The captions in the user's text settings, the labels in their own.
    run_caption();
    set_justif(left);
    page_caption("Page " + number_text(p) + "/" + number_text(npages), 1, "PLOTTING");
    page_caption("Data " + number_text(first) + " -> " + number_text(last), 2, "");

    const TextSettings user = diagram_text();
    set_justif(net_label_justif);
    for (int m = first; m <= last; ++m) {
      draw_net(settings.layout, m - first, d.planes(m), d.label(m), settings.symbols, fsadr2steff);
    }
    restore_text(user);
  }
}

}  // namespace

void fpsbchbll(const DiagramMechanisms& m, int isub, int iangunit, SetupMode inter) {
  if (inter.from_defaults()) {
    submenuhead(fpsbchbll_header);
    say("INITIALIZING FPS PLOT PARAMETERS");
    settings = PagedSettings{};
    return;
  }
  ssubinfo(fpsbchbll_header.name, fpsbchbll_header.version, fpsbchbll_header.date, 0, 0);
  srepstereo0(setup::initialise);
  const DiagramData d{m, iangunit != 1};
  KeptAttributes kept;
  if (iocom.lplotop) kept.keep();

  const DiagramActions actions{
      .open_plot =
          [&] {
            const bool was_open = iocom.lplotop;
            plinit(settings.plot_name, setup::menu_from_stored, diagram_plot_name_width);
            settings.plot_name = edit::pad(settings.plot_name, diagram_plot_name_width);
            if (!was_open) kept.keep();
          },
      .edit_layout = [&] { edit_layout(isub); },
      .run = [&] { run(d, isub); },
      .symbols = &settings.symbols,
      .symbol_prompts = {"choose symbols for P", "choose symbols for B", "choose symbols for T"},
  };
  diagram_menu(fpsbchbll_header, m.ndatdim, m.ndata, d.in_radians, settings.plot_name, actions);
  if (iocom.lplotop) kept.restore();
}

}  // namespace dorvix
