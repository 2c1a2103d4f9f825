#include "projection/ellipsoid.hpp"

#include <cmath>
#include <string>
#include <vector>

#include "dialogue/boxes.hpp"
#include "dialogue/command_file_end.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/prompts.hpp"
#include "projection/contract.hpp"

namespace dorvix {

namespace {

constexpr Header sellipsoid_header{"sellipsoid", " 3.4", "30-09-2009"};


bool in_table(int iell) { return iell >= 1 && iell <= 9; }

void unknown_answer_box(int answer) {
  const CommandFileStop stop = stop_command_file();
  warninghead(sellipsoid_header);
  ItemLine().text("ANSWER =").integer(answer, 3).write();
  say("NEITHER IN [1,9] NOR = 99");
  stop.say_where();
  say("==> BACK TO MENU WITHOUT ACTION");
  warningtail00();
}

// The ellipsoids, each the choice of its number.
MenuTable ellipsoid_menu(int& iell) {
  std::vector<MenuRow> rows{{.label = "           ELLIPSOIDS SET UP"},
                            {.draw = dash_rule},
                            {.label = " current ellipsoid number:", .value = shows_integer(ellipsoid_number, 3)},
                            {.label = " setting ellipsoid number:", .value = shows_integer(iell, 3)},
                            {.draw = dash_rule}};
  for (int number = 1; const ReferenceEllipsoid& e : reference_ellipsoids) {
    rows.push_back({.choice = number, .label = e.name, .action = [&iell, number] { iell = number; }});
    ++number;
  }
  rows.push_back({.draw = dash_rule});
  rows.push_back({.choice = menu_exit_choice, .label = "SET AND EXIT "});
  return MenuTable{.rows = std::move(rows), .width = 38, .otherwise = unknown_answer_box};
}

void menu(int& iell) {
  const MenuTable table = ellipsoid_menu(iell);
  menu_loop(sellipsoid_header, table, MenuStyle{.exit_line = {}, .prompt = Prompt::with_default, .prompt_text = "Ellipsoid number or 99"});
}

void summary(int iell) {
  const ReferenceEllipsoid& r = reference_ellipsoids[static_cast<std::size_t>(iell - 1)];
  submenuhead(sellipsoid_header);
  say(r.title);
  dash_rule();
  ItemLine().text(" Ellipsoid number  =").integer(iell, 3).write();
  ItemLine().text(" Equatorial radius =").fixed(r.a, 10, 1).text("m").write();
  ItemLine().text(" Polar      radius =").fixed(r.b, 10, 1).text("m").write();
  menutail();
}

void store(int iell) {
  const ReferenceEllipsoid& r = reference_ellipsoids[static_cast<std::size_t>(iell - 1)];
  Ellipsoid& e = ellipsoid;
  e.aell = r.a;
  e.bell = r.b;
  // e^2 = 1 - b^2/a^2 = (a - b)(a + b)/a^2: a - b is exact in floating
  // point, so the flattening is not lost to the rounding of b^2/a^2.
  e.ecc2 = (r.a - r.b) * (r.a + r.b) / (r.a * r.a);
  e.ecc = std::sqrt(e.ecc2);
  e.ecc4 = e.ecc2 * e.ecc2;
  e.ecc6 = e.ecc4 * e.ecc2;
  e.eccp2 = e.ecc2 / (1.0f - e.ecc2);
  e.am0 = 1.0f - 0.25f * e.ecc2 - 0.046875f * e.ecc4 - 0.01953125f * e.ecc6;
  e.am2 = -(0.375f * e.ecc2 + 0.09375f * e.ecc4 + 0.0439453125f * e.ecc6);
  e.am4 = 0.05859375f * e.ecc4 + 0.0439453125f * e.ecc6;
  e.am6 = -0.011393229f * e.ecc6;
}

}  // namespace

void sellipsoid(int& iell, SetupMode inter) {
  const bool even = inter.shows_menu();
  if (inter.from_defaults()) {
    iell = 1;
    submenuhead(sellipsoid_header);
    say("INITIALIZING ELLIPSOID");
    say("Default ellipsoid = GRS80");
    ItemLine().text("ellipsoid number  =").integer(iell, 3).write();
  } else if (inter.from_stored()) {
    iell = ellipsoid_number;
  } else if (!in_table(iell)) {
    errorhead(sellipsoid_header);
    ItemLine().text(" ellipsoid nb =").integer(iell, 3).write();
    say("==> NO SUCH ELLIPSOID NB");
    iell = 1;
    say("==> RESETTING TO:");
    ItemLine().text(" ellipsoid nb =").integer(iell, 3).write();
    errortail00();
  }
  bool retry = false;
  for (;;) {
    if (even || retry) {
      retry = false;
      menu(iell);
    }
    if (in_table(iell)) break;
    // Only reached from the kept number before any initialisation.
    errorhead(sellipsoid_header);
    ItemLine().text("ellipsoid number =").integer(iell, 3).write();
    say("NO SUCH ELLIPSOID AVALAIBLE");
    errortail00();
    retry = true;
  }
  ellipsoid_number = iell;
  summary(iell);
  store(iell);
}

void lat2disel(std::span<real> dist, std::span<const real> lat, int n) {
  for (std::size_t i = 0; i < point_count(n); ++i) dist[i] = meridian_distance(lat[i]);
}

}  // namespace dorvix
