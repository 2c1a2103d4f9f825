#include "projection/origin.hpp"

#include <span>

#include "dialogue/boxes.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "geometry/angles.hpp"
#include "projection/codes.hpp"
#include "projection/contract.hpp"
#include "projection/parameter_menu.hpp"
#include "projection/state.hpp"

namespace dorvix {

namespace {

constexpr Header sllorig_header{"sllorig", " 2.0", "11-08-2002"};

// The default origin, degrees.
constexpr real default_lon = 0.0f;
constexpr real default_lat = 45.0f;

struct Image {
  real x = 0, y = 0;
};

// The origin's image under the current code, without offsets. The origin
// is set under a code of the table (the projection menu applies one
// before it): under none, it would have no finite image.
Image origin_image(real lon, real lat) {
  llorig.xorigll = 0.0f;
  llorig.yorigll = 0.0f;
  Image p{infinite_image, infinite_image};
  if (const ProjectionCode* c = find_projection_code(projtype.iproj)) {
    c->forward(std::span(&p.x, 1), std::span(&p.y, 1), std::span<const real>(&lon, 1), std::span<const real>(&lat, 1), 1);
  }
  return p;
}

// The origin's offsets follow each change; an origin without a finite
// image is not left with.
void origin_menu(real& lon, real& lat, real& lonr, real& latr, Image& p) {
  const auto moved = [&] { p = origin_image(lonr, latr); };
  parameter_menu(sllorig_header,
                 {.title = "MAP PROJECTION ORIGIN SET UP",
                  .lines = {.rows = {{.choice = 1,
                                      .label = "central longitude ",
                                      .action =
                                          [&] {
                                            ask_real(lon, "origin longitude in degrees");
                                            lonr = rad(lon);
                                            moved();
                                          },
                                      .value = shows_fixed(lon, 8, 3)},
                                     {.choice = 2,
                                      .label = "central latitude  ",
                                      .action =
                                          [&] {
                                            ask_real_in(lat, "origin latitude in degrees", -90.0f, 90.0f);
                                            latr = rad(lat);
                                            moved();
                                          },
                                      .value = shows_fixed(lat, 8, 3)},
                                     {.label = "X offset ...............", .value = shows_fixed(p.x, 8, 3)},
                                     {.label = "Y offset ...............", .value = shows_fixed(p.y, 8, 3)}},
                            .width = 24},
                  .body_at_level_2 = true,
                  .may_leave =
                      [&] {
                        if (!at_infinity(p.x, p.y)) return true;
                        errorhead(sllorig_header);
                        say("The origin has no finite image under this projection");
                        say("==> CHOOSE ANOTHER ORIGIN");
                        errortail00();
                        return false;
                      }});
}

}  // namespace

void sllorig(real& lon, real& lat, SetupMode inter) {
  real lonr = 0, latr = 0;
  if (inter.from_stored()) {
    lonr = llorig.lonorigll;
    latr = llorig.latorigll;
    lon = deg(lonr);
    lat = deg(latr);
  } else if (inter.from_defaults()) {
    lon = default_lon;
    lat = default_lat;
    lonr = rad(default_lon);
    latr = rad(default_lat);
    submenuhead(sllorig_header);
    say("MAP PROJECTION ORIGIN SET UP");
    say("INITIALIZING ORIGIN TO");
    value_line("longitude =", lon);
    value_line("latitude  =", lat);
  } else {
    lonr = rad(lon);
    latr = rad(lat);
  }
  Image p = origin_image(lonr, latr);
  if (inter.shows_menu() && at_infinity(p.x, p.y)) {
    // An origin this projection cannot show (kept from another code) is
    // not offered: the default origin is, when it can be shown; said once.
    const Image d = origin_image(rad(default_lon), rad(default_lat));
    if (!at_infinity(d.x, d.y)) {
      ItemLine().text("origin =").fixed(lon, 8, 3).fixed(lat, 8, 3).write();
      ItemLine()
          .text("==> NO FINITE IMAGE UNDER THIS PROJECTION, OFFERED:")
          .fixed(default_lon, 8, 3)
          .fixed(default_lat, 8, 3)
          .write();
      lon = default_lon;
      lat = default_lat;
      lonr = rad(lon);
      latr = rad(lat);
      p = d;
    }
  }
  if (inter.shows_menu()) {
    origin_menu(lon, lat, lonr, latr, p);
  } else if (at_infinity(p.x, p.y)) {
    warninghead(sllorig_header);
    say("The origin has no finite image under this projection");
    say("==> OFFSETS SET TO 0");
    warningtail00();
    p = {};
  }
  llorig = {p.x, p.y, lonr, latr};
}

}  // namespace dorvix
