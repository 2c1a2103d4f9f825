#include "app/main_program.hpp"

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "catalogue/catalogue_reader.hpp"
#include "catalogue/catalogue_writer.hpp"
#include "catalogue/store.hpp"
#include "catalogue/store_listing.hpp"
#include "dialogue/command_file.hpp"
#include "dialogue/data_files.hpp"
#include "dialogue/end_pictures.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/geometry_notices.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/run_info.hpp"
#include "files/stops.hpp"
#include "map/map_driver.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "stereonet/diagram_drivers.hpp"
#include "stereonet/projections.hpp"

namespace dorvix {

namespace {

// Choices of the top menu that the dispatch blocks 1 to 3 test; the other
// choices are written in the menu's rows alone.
constexpr int choice_open_plot = 10;
constexpr int choice_close_plot = 20;
constexpr int choice_sish_switch = 7;
constexpr int choice_open_sish = 13;
constexpr int choice_close_sish = 23;
constexpr int choice_plot_parameters = 330;
constexpr int choice_help = 900;
constexpr int choice_map_plane1 = 2001;
constexpr int choice_map_plane2 = 2002;
constexpr int choice_command_file = 5000;
constexpr int choice_quit = quit_choice;

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
  bool ended = false;                               // the quit has run: the run ends
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

// The listing of the store, framed under the main program's head.
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

// The listing of the store, whose warning names the command that asked
// for it.
MenuRow listing_row(int choice) {
  return {.choice = choice, .label = "  LIST DATA TO SCREEN ", .action = [choice] { list_store(choice); }};
}

// The body of the top menu. Each row's action is the work of block 4 for
// its choice; the choices of blocks 1 to 3 have none here.
MenuTable top_menu(MainState& m) {
  const auto plot_name = shows_text(m.cplotnam);
  const auto sish_name = [&m](ItemLine& l) { l.text(edit::pad(fiocom.oufnam(m.isish), data_file_text_width)); };
  const std::vector<MenuRow> options = {
      {.choice = 1000,
       .label = "  READ + EXTRACT DATA",
       .action =
           [&m] {
             m.ifin = 1;
             fpsreadex1(m.ifin, setup::menu_from_passed);
           }},
      listing_row(1100),
      {.choice = 1200, .label = "  WRITE DATA TO FILE ", .action = [&m] { fpswrite1(m.ifout, setup::menu_from_passed); }},
      dash_row(),
      {.label = "PLOT"},
      {.choice = choice_plot_parameters, .label = "  plot parameters "},
      {.choice = choice_open_plot, .label = "  OPEN  PLOT FILE ", .value = plot_name},
      {.choice = choice_close_plot, .label = "  CLOSE PLOT FILE ", .value = plot_name},
      {.choice = choice_map_plane1,
       .label = "  PLOT MAP 1st Nodal Plane ",
       .action = [&m] { map_driver(m, 1, setup::menu_from_passed); }},
      {.choice = choice_map_plane2,
       .label = "  PLOT MAP 2nd Nodal Plane ",
       .action = [&m] { map_driver(m, 2, setup::menu_from_passed); }},
      {.choice = 3000, .label = "  PLOT FOCAL MECHANISMS ", .action = [] { one_page_diagrams(setup::menu_from_passed); }},
      {.choice = 3001, .label = "  PLOT FOCAL MECHANISMS ", .action = [] { paged_diagrams(setup::menu_from_passed); }},
      dash_row(),
      {.label = "Sh OUTPUT FILE while mapping"},
      {.choice = choice_sish_switch, .label = "  WRITE TO Si-Sh FILE ", .value = shows_flag(m.lsish)},
      {.choice = choice_open_sish, .label = "  OPEN  Si-Sh OUTPUT FILE ", .value = sish_name},
      {.choice = choice_close_sish, .label = "  CLOSE Si-Sh OUTPUT FILE ", .value = sish_name},
      dash_row(),
      // Help is answered by block 1, though the menu does not list it.
      {.choice = choice_help, .shown = [] { return false; }},
      {.choice = choice_command_file, .label = "Use command file"},
      {.choice = choice_quit,
       .label = "FAST QUIT",
       .action =
           [&m] {
             maintail(main_header.name, main_header.version, main_header.date);
             m.ended = true;
           }},
  };
  return {.rows = joined({{dash_row(), {.label = "DATA"}},
                          store_state_rows("  Can store at most:", "  Currently stored :", "  Current data type:"),
                          options})};
}

// The whole menu: its head always, its body and tail at output level 2.
void show_top_menu(const MenuTable& menu) {
  mainmenuhead(main_header);
  if (!iocom.lwito(2)) return;
  show_rows(menu);
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

// Block 4: the work, the action of the choice's row.
void work_block(MainState& m, const MenuTable& menu) { dispatch(menu, m.irep); }

}  // namespace

int run_main_program() {
  MainState m;
  start_up(m);
  const MenuTable menu = top_menu(m);
  choice_loop(
      main_header, [&menu] { show_top_menu(menu); },
      [&](int choice) {
        // Known by the choice read: the command-file menu may turn it into
        // another.
        const bool offered = offers(menu, choice);
        m.irep = choice;
        settings_block(m);
        sish_block(m);
        plot_block(m);
        work_block(m, menu);
        if (m.ended) return Reply::leave;
        return offered ? Reply::again : Reply::unknown;
      },
      Prompt::without_default, edit::pad("your choice", text_width));
  return exit_success;
}

}  // namespace dorvix
