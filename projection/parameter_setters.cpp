#include "projection/parameter_setters.hpp"

#include <cmath>
#include <string_view>

#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "geometry/angles.hpp"
#include "projection/oblique.hpp"
#include "projection/parameter_menu.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

constexpr real latitude_limit = 90.0f;


// The setters of one value differ only in these.
struct SingleSetter {
  Header header;
  real LlpParam::*field;
  real default_degrees;
  std::string_view initialising_line;
  std::string_view value_line;
  std::string_view title;
  std::string_view option_label;  // its line in the menu, before the choice
  std::string_view prompt;
  bool latitude;  // asked within -90 and 90 degrees
  std::size_t option_width = 24;  // of the option line; the second latitude's is one longer
};

constexpr SingleSetter long1{{"slong1", " 2.0", "27-08-2002"},
                             &LlpParam::longp1,
                             0.0f,
                             "INITIALIZING CENTRAL LONGITUDE ",
                             "central longitude =",
                             "CENTRAL LONGITUDE SET UP",
                             "central longitude ",
                             "central longitude in degrees",
                             false};
// The second longitude prints what the central one prints.
constexpr SingleSetter long2 = [] {
  SingleSetter s = long1;
  s.header = {"slong2", " 2.0", "29-08-2002"};
  s.field = &LlpParam::longp2;
  return s;
}();
constexpr SingleSetter lat1{{"slat1", " 1.0", "28-08-2002"},
                            &LlpParam::latp1,
                            30.0f,
                            "INITIALIZING FIRST LATITUDE ",
                            "first latitude =",
                            "FIRST LATITUDE SET UP",
                            "first latitude ",
                            "first latitude in degrees",
                            true};
constexpr SingleSetter lat2{{"slat2", " 1.0", "29-08-2002"},
                            &LlpParam::latp2,
                            60.0f,
                            "INITIALIZING SECOND LATITUDE ",
                            "second latitude =",
                            "SECOND LATITUDE SET UP",
                            "second latitude ",
                            "second latitude in degrees",
                            true,
                            25};
constexpr SingleSetter angle1{{"sangle1", " 1.0", "29-08-2002"},
                              &LlpParam::anglep1,
                              180.0f,
                              "INITIALIZING CENTRAL ANGLE ",
                              "central angle =",
                              "CENTRAL ANGLE SET UP",
                              "central angle ",
                              "central angle in degrees",
                              false};

void set_single(const SingleSetter& s, real& val, SetupMode inter) {
  if (inter.from_stored()) {
    val = deg(llpparam.*s.field);
  } else if (inter.from_defaults()) {
    val = s.default_degrees;
    submenuhead(s.header);
    say(s.initialising_line);
    value_line(s.value_line, val);
  }
  if (inter.shows_menu()) {
    parameter_menu(s.header,
                   {.title = s.title,
                    .lines = {.rows = {{.choice = 1,
                                        .label = s.option_label,
                                        .action =
                                            [&] {
                                              if (s.latitude) {
                                                ask_real_in(val, s.prompt, -latitude_limit, latitude_limit);
                                              } else {
                                                ask_real(val, s.prompt);
                                              }
                                            },
                                        .value = shows_fixed(val, 8, 3)}},
                              .width = s.option_width}});
  }
  llpparam.*s.field = rad(val);
}

constexpr Header soblique_header{"soblique", " 3.0", "25-10-2002"};

}  // namespace

void slong1(real& val, SetupMode inter) { set_single(long1, val, inter); }
void slong2(real& val, SetupMode inter) { set_single(long2, val, inter); }
void slat1(real& val, SetupMode inter) { set_single(lat1, val, inter); }
void slat2(real& val, SetupMode inter) { set_single(lat2, val, inter); }
void sangle1(real& val, SetupMode inter) { set_single(angle1, val, inter); }

void soblique(real& lon, real& lat, SetupMode inter) {
  if (inter.from_stored()) {
    lon = deg(oblique_centre.lon);
    lat = deg(oblique_centre.lat);
  } else if (inter.from_defaults()) {
    lon = 0.0f;
    lat = 45.0f;
    submenuhead(soblique_header);
    say("INITIALIZING CENTRAL LOCATION ");
    say("FOR OBLIQUE PROJECTIONS ");
    value_line("central longitude =", lon);
    value_line("central latitude  =", lat);
  }
  if (inter.shows_menu()) {
    parameter_menu(
        soblique_header,
        {.title = "OBLIQUE PROJECTIONS CENTRAL LOCATION SET UP",
         .lines = {.rows = {{.choice = 1,
                             .label = "central longitude ",
                             .action = [&lon] { ask_real(lon, "central longitude in degrees"); },
                             .value = shows_fixed(lon, 8, 3)},
                            {.choice = 2,
                             .label = "central latitude ",
                             .action =
                                 [&lat] {
                                   ask_real_in(lat, "central latitude in degrees", -latitude_limit, latitude_limit);
                                 },
                             .value = shows_fixed(lat, 8, 3)}},
                   .width = 24}});
  }
  oblique_centre = {rad(lon), rad(lat)};
  Matrix33 m = oblique_matrix(oblique_centre.lon, oblique_centre.lat);
  smatab33(m, setup::passed);
}

void spers2() {
  llpparam.pconst1 = std::sin(llpparam.anglep1 / 2.0f);
  llpparam.pconst2 = std::cos(llpparam.anglep1 / 2.0f);
}

}  // namespace dorvix
