// Stereonet projections: the set-up with its menu, the parameter set-ups
// of the two projections, the dispatcher and the two formulas.

#include "stereonet/projections.hpp"

#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "dialogue/boxes.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "geometry/angles.hpp"

namespace dorvix {

namespace {

constexpr Header sspro_header{"sspro", " 5.3", "07-10-2009"};
constexpr Header sschmidt_header{"sschmidt", "1.20", "06-01-99"};
constexpr Header swulf_header{"swulf", " 1.3", "07-10-2009"};
constexpr Header spron_header{"spron", " 2.4", "07-10-2009"};

// Clipping distance set by the parameter set-ups, degrees: nothing is
// clipped for plunges from -90 to 90 degrees.
constexpr real default_clipping_degrees = 180.0f;

// A hemisphere above the plane, a ray from it down to the plane.
constexpr std::array<std::string_view, 11> projection_picture = {
    "          &&&&&&&&&&&&&             ",
    "           &&&&&&&&&&&              ",
    "             &&&&&#&                ",
    "               &&& .                ",
    "                    .               ",
    "     /***************.*************/",
    "    /                 .           / ",
    "   /                  |          /  ",
    "  /                   V         /   ",
    " /                    #        /    ",
    "/*****************************/     "};

// The modes that start from the defaults: theirs and setup::net_defaults.
bool initialising(SetupMode inter) { return inter.from_defaults() || inter.matches(setup::net_defaults); }
bool known_type(int iproj) { return iproj >= wulff_direct && iproj <= schmidt_retrograde; }

// One formula over n directions: r(t) from the angular distance t to the
// centre, clipped at tmax; each direction read before its point is written.
template <class Radius>
void project(std::span<real> x, std::span<real> y, std::span<const real> az, std::span<const real> pl, int n,
             real tmax, Radius radius) {
  const std::size_t count = n > 0 ? static_cast<std::size_t>(n) : 0;
  for (std::size_t i = 0; i < count; ++i) {
    const real a = az[i];
    real t = anglerad.half_pi() - pl[i];
    if (tmax < t) t = tmax;  // a t that is not a number stays
    const real r = radius(t);
    x[i] = r * std::cos(a);
    y[i] = r * std::sin(a);
  }
}

// The projection types as the menu lists them; the type is then asked.
const MenuTable& projection_types() {
  static const MenuTable table{.rows = {{.label = "Projection                   command"},
                                        {.label = "Wulff = conformal = Inversion"},
                                        {.choice = wulff_direct, .label = "   direct     X,Y axis "},
                                        {.choice = wulff_retrograde, .label = "   retrograde X,Y axis "},
                                        {.label = "Schmidt = Lambert Azimuthal equal area"},
                                        {.choice = schmidt_direct, .label = "   direct     X,Y axis "},
                                        {.choice = schmidt_retrograde, .label = "   retrograde X,Y axis "}},
                               .width = 36};
  return table;
}

void sspro_menu(int& iproj) {
  submenuhead(sspro_header);
  say("STEREOGRAPHIC PROJECTION SET UP");
  say("(azimuth,plunge) ---> (x,y) in plane");
  dash_rule();
  for (std::string_view l : projection_picture) say(l);
  dash_rule();
  ItemLine().text("current projection number =").integer(iproj, 4).write();
  dash_rule();
  show_rows(projection_types());
  menutail();
  ask_int_in(iproj, "projection number", wulff_direct, schmidt_retrograde);
}

void no_such_projection(const Header& h, int iproj, int width) {
  errorhead(h);
  ItemLine().text("iproj =").integer(iproj, width).write();
  say("NO SUCH PROJECTION AVALAIBLE");
  errortail00();
}

// The parameter set-up of one projection: its announcement or its
// description, and the clipping distance in radians.
real projection_setup(const Header& h, real& amax, SetupMode inter, std::string_view name, std::string_view kind) {
  if (initialising(inter)) {
    submenuhead(h);
    say("INITIALIZING " + std::string(name) + " PROJECTION");
    say(kind);
    amax = default_clipping_degrees;
  }
  if (inter.shows_menu()) {
    submenuhead(h);
    say(std::string(name) + " PROJECTION");
    say(kind);
    menutail();
  }
  return rad(amax);
}

}  // namespace

void wulfn(std::span<real> x, std::span<real> y, std::span<const real> az, std::span<const real> pl, int n) {
  project(x, y, az, pl, n, wulfparams.tmaxw, [](real t) { return std::tan(t / 2.0f); });
}

void schmidtn(std::span<real> x, std::span<real> y, std::span<const real> az, std::span<const real> pl, int n) {
  const real rfac = schmidtparams.rfacs;
  project(x, y, az, pl, n, schmidtparams.tmaxs, [rfac](real t) { return rfac * std::sin(t / 2.0f); });
}

void spron(std::span<real> x, std::span<real> y, std::span<const real> az, std::span<const real> pl, int n) {
  for (;;) {
    switch (sprojtype.iproj) {
      case wulff_direct:
        return wulfn(x, y, az, pl, n);
      case wulff_retrograde:
        return wulfn(y, x, az, pl, n);
      case schmidt_direct:
        return schmidtn(x, y, az, pl, n);
      case schmidt_retrograde:
        return schmidtn(y, x, az, pl, n);
      default:
        break;
    }
    no_such_projection(spron_header, sprojtype.iproj, 5);
    int suggested = schmidt_retrograde;
    sspro(suggested, setup::menu_from_passed);
  }
}

void sspro(int& iproj, SetupMode inter) {
  if (inter.from_stored()) {
    iproj = sprojtype.iproj;
  } else if (initialising(inter)) {
    iproj = schmidt_retrograde;
    submenuhead(sspro_header);
    say("INITIALIZING STEREOGRAPHIC PROJECTION");
    ItemLine().text("projection number =").integer(iproj, 4).write();
    say("projection = Schmidt, retrograde X,Y axis");
  }
  bool show_menu = inter.shows_menu();
  for (;;) {
    if (show_menu) sspro_menu(iproj);
    sprojtype.iproj = iproj;
    real amax = 0;
    if (iproj == wulff_direct || iproj == wulff_retrograde) {
      swulf(amax, setup::initialise);
      return;
    }
    if (known_type(iproj)) {
      sschmidt(amax, setup::initialise);
      return;
    }
    no_such_projection(sspro_header, sprojtype.iproj, 4);
    show_menu = true;
  }
}

void sschmidt(real& amax, SetupMode inter) {
  schmidtparams.tmaxs =
      projection_setup(sschmidt_header, amax, inter, "SCHMIDT", "Azimuthal Equal Area (Lambert,1772)");
  schmidtparams.rfacs = std::sqrt(2.0f);
}

void swulf(real& amax, SetupMode inter) {
  wulfparams.tmaxw = projection_setup(swulf_header, amax, inter, "WULFF", "Inversion or stereographic conformal");
}

}  // namespace dorvix
