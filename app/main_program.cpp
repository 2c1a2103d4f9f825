#include "app/main_program.hpp"

#include <span>
#include <string>
#include <string_view>

#include "catalogue/angles.hpp"
#include "catalogue/catalogue_reader.hpp"
#include "catalogue/catalogue_writer.hpp"
#include "catalogue/store.hpp"
#include "catalogue/store_listing.hpp"
#include "console/dialogue.hpp"
#include "console/item_lines.hpp"
#include "map/map_driver.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "stereonet/diagram_drivers.hpp"
#include "stereonet/projections.hpp"

namespace dorvix {

namespace {

// The version is the project's (DORVIX_VERSION_FIELD, set by the build),
// right-aligned in 4 columns.
constexpr Header main_header{"dorvix", DORVIX_VERSION_FIELD, "01-06-2010"};

// Choices of the top menu.
constexpr int choice_open_plot = 10;
constexpr int choice_close_plot = 20;
constexpr int choice_sish_switch = 7;
constexpr int choice_open_sish = 13;
constexpr int choice_close_sish = 23;
constexpr int choice_plot_parameters = 330;
constexpr int choice_help = 900;
constexpr int choice_read = 1000;
constexpr int choice_list = 1100;
constexpr int choice_write = 1200;
constexpr int choice_map_plane1 = 2001;
constexpr int choice_map_plane2 = 2002;
constexpr int choice_diagrams_one_page = 3000;
constexpr int choice_diagrams_paged = 3001;
constexpr int choice_command_file = 5000;
constexpr int choice_quit = 9999;

// Subplots of the map and of the two diagram drivers; angle unit degrees.
constexpr int map_subplot = 1;
constexpr int one_page_subplot = 2;
constexpr int paged_subplot = 3;
constexpr int angles_in_degrees = 1;

constexpr std::size_t text_width = 35;

struct MainState {
  int irep = 0;   // the choice last read
  int ifin = 1;   // input file of the reader in the data-file table
  int ifout = 1;  // output file of the writer
  int isish = 2;  // output file that receives the Si-Sh table
  std::string cplotnam = edit::pad("seis.ps", text_width);
  int iucom = 15;                                   // unit of the command file
  bool lsish = false;                               // mapping writes the Si-Sh table
  std::string ccomnam = edit::pad("", text_width);  // last command file started
  real symbsiz = 0;                                 // the default symbol size, received at start-up
};


// ---- Start-up ---------------------------------------------------------------------

// The map driver on nodal plane `plane` (1 or 2) of the store.
void map_driver(const MainState& m, int plane, SetupMode mode) {
  FpsBlk& b = fpsblk;
  const auto k = static_cast<std::size_t>(plane - 1);
  mapseis4({.xd = b.xd1,
            .yd = b.yd1,
            .rlong = b.rlong1,
            .rlat = b.rlat1,
            .depth = b.depth1,
            .date1 = b.cdate1,
            .time1 = b.ctime1,
            .azd1 = b.strike1[k],
            .dipd1 = b.dip1[k],
            .rakd1 = b.rake1[k],
            .ndat = b.ndata,
            .ndatdim = ndatmax,
            .iouk = m.isish,
            .lsish = m.lsish,
            .ksub = map_subplot},
           mode);
}

// Both nodal planes and the labels of the store, for the diagram drivers.
DiagramMechanisms stored_mechanisms() {
  const FpsBlk& b = fpsblk;
  return {.azd1 = b.strike1[0],
          .dipd1 = b.dip1[0],
          .rakd1 = b.rake1[0],
          .azd2 = b.strike1[1],
          .dipd2 = b.dip1[1],
          .rakd2 = b.rake1[1],
          .label0 = b.fpslabel,
          .ndatdim = ndatmax,
          .ndata = b.ndata};
}

void one_page_diagrams(SetupMode mode) { fpsseis3(stored_mechanisms(), one_page_subplot, mode); }

void paged_diagrams(SetupMode mode) { fpsbchbll(stored_mechanisms(), paged_subplot, angles_in_degrees, mode); }

void start_up(MainState& m) {
  initsio();
  progheadbc(main_header.name, main_header.version, main_header.date);
  smaininfo(main_header.name, main_header.version, main_header.date, 0);
  trigoset();
  initfio(max_input_files, max_output_files, 0);
  m = MainState{};
  scolortable(setup::initialise);
  ssymbolsize(m.symbsiz, setup::initialise);
  fpsreadex1(m.ifin, setup::initialise);
  m.lsish = false;
  map_driver(m, 1, setup::initialise);
  one_page_diagrams(setup::initialise);
  int projection_type = 1;
  sspro(projection_type, setup::initialise);
  paged_diagrams(setup::initialise);
}

// ---- Top menu ------------------------------------------------------------------------

void top_menu(const MainState& m) {
  mainmenuhead(main_header);
  if (!iocom.lwito(2)) return;
  const std::string sish_name = edit::pad(fiocom.oufnam(m.isish), data_file_text_width);
  dash_rule();
  say("DATA");
  ItemLine().text("  Can store at most:").integer(ndatmax, 6).write();
  ItemLine().text("  Currently stored :").integer(fpsblk.ndata, 6).write();
  ItemLine().text("  Current data type:").integer(fpsblk.itype, 6).write();
  say("  READ + EXTRACT DATA.......1000");
  say("  LIST DATA TO SCREEN ......1100");
  say("  WRITE DATA TO FILE .......1200");
  dash_rule();
  say("PLOT");
  say("  plot parameters ...........330");
  ItemLine().text("  OPEN  PLOT FILE ............10").text(m.cplotnam).write();
  ItemLine().text("  CLOSE PLOT FILE ............20").text(m.cplotnam).write();
  say("  PLOT MAP 1st Nodal Plane .2001");
  say("  PLOT MAP 2nd Nodal Plane .2002");
  say("  PLOT FOCAL MECHANISMS ....3000");
  say("  PLOT FOCAL MECHANISMS ....3001");
  dash_rule();
  say("Sh OUTPUT FILE while mapping");
  ItemLine().text("  WRITE TO Si-Sh FILE .........7").text(edit::l(m.lsish, 1)).write();
  ItemLine().text("  OPEN  Si-Sh OUTPUT FILE ....13").text(sish_name).write();
  ItemLine().text("  CLOSE Si-Sh OUTPUT FILE ....23").text(sish_name).write();
  dash_rule();
  say("Use command file............5000");
  say("FAST QUIT...................9999");
  menutail();
}

void help_box() {
  const std::string equals(43, '=');
  say(equals);
  say("                  HELP                     ");
  say(equals);
  say("       Did you REALLY expect help ?        ");
  say("              For more help                ");
  say(edit::pad("  call   the dorvix issue tracker", 43));
  say(equals);
}

// The listing of the store (1100), framed under the main program's head.
void list_store(int command) {
  mainmenuhead(main_header);
  store_listing_title();
  if (listable_store()) {
    store_listing_rows("label      ");
  } else {
    no_listing_box(main_header, command);
    store_listing_rule();
  }
}

// ---- Dispatch ------------------------------------------------------------------------

// Block 1: help, the Si-Sh switch, plot parameters, command file (which may
// turn the choice into a quit).
void settings_block(MainState& m) {
  switch (m.irep) {
    case choice_help:
      help_box();
      break;
    case choice_sish_switch:
      ask_flag(m.lsish, "write extracted data to si-sh file");
      break;
    case choice_plot_parameters:
      splotparam2(setup::menu_from_passed);
      break;
    case choice_command_file:
      altsio(m.iucom, m.ccomnam, m.irep, 0, text_width);
      break;
    default:
      break;
  }
}

// Block 2: the Si-Sh file, opened for 13 (or a map run with the switch on)
// and closed for 23 or a quit.
void sish_block(const MainState& m) {
  const bool open = fiocom.iopou(m.isish);
  const bool map_run = m.irep == choice_map_plane1 || m.irep == choice_map_plane2;
  if ((m.irep == choice_open_sish || (m.lsish && map_run)) && !open) {
    opefou(m.isish, edit::pad("extracted si-sh output", text_width), 0);
  } else if ((m.irep == choice_close_sish || m.irep == choice_quit) && open) {
    clofou(m.isish, 0);
  }
}

// Block 3: the plot file, closed for 20 (or a quit with a plot open) and
// opened for 10, the fill style then reset to its default.
void plot_block(MainState& m) {
  if (m.irep == choice_close_plot || (m.irep == choice_quit && iocom.lplotop)) {
    plend();
  } else if (m.irep == choice_open_plot) {
    open_driver_plot(m.cplotnam, text_width);
  }
}

// Block 4: the work. True when the run is to end.
bool work_block(MainState& m) {
  switch (m.irep) {
    case choice_quit:
      maintail(main_header.name, main_header.version, main_header.date);
      return true;
    case choice_read:
      m.ifin = 1;
      fpsreadex1(m.ifin, setup::menu_from_passed);
      break;
    case choice_list:
      list_store(m.irep);
      break;
    case choice_write:
      fpswrite1(m.ifout, setup::menu_from_passed);
      break;
    case choice_map_plane1:
      map_driver(m, 1, setup::menu_from_passed);
      break;
    case choice_map_plane2:
      map_driver(m, 2, setup::menu_from_passed);
      break;
    case choice_diagrams_one_page:
      one_page_diagrams(setup::menu_from_passed);
      break;
    case choice_diagrams_paged:
      paged_diagrams(setup::menu_from_passed);
      break;
    default:
      break;
  }
  return false;
}

}  // namespace

int run_main_program() {
  MainState m;
  start_up(m);
  for (;;) {
    top_menu(m);
    int istat = 0;
    ininteg1(m.irep, edit::pad("your choice", text_width), istat);
    settings_block(m);
    sish_block(m);
    plot_block(m);
    if (work_block(m)) return exit_success;
  }
}

}  // namespace dorvix
