#include "catalogue/store_listing.hpp"

#include <string>

#include "catalogue/store.hpp"
#include "dialogue/boxes.hpp"
#include "dialogue/frames.hpp"
#include "numbers/edit.hpp"

namespace dorvix {

namespace {

// Widths of the four columns: date (year, hyphen, month, hyphen), latitude
// and longitude in whole degrees with their decimal point, identifier.
constexpr int date_width = 8;
constexpr int lat_width = 4;
constexpr int long_width = 5;
constexpr int id_width = 15;

const std::string frame_rule = " |" + std::string(43, '-') + "|";

// " | a | b | c | d |", each item right-aligned in its column.
void row(std::string_view date, std::string_view lat, std::string_view lon, std::string_view id) {
  std::string line = " | ";
  edit::a(line, date, date_width);
  line += " | ";
  edit::a(line, lat, lat_width);
  line += " | ";
  edit::a(line, lon, long_width);
  line += " | ";
  edit::a(line, id, id_width);
  line += " |";
  put(iocom.iuout, line);
}

}  // namespace

bool listable_store() { return fpsblk.itype == itype_fpfit || fpsblk.itype == itype_hash; }

void store_listing_title() {
  put(iocom.iuout, frame_rule);
  constexpr std::string_view title = "              EXTRACTED DATA              ";
  put(iocom.iuout, " |" + edit::a(title, 43) + "|");
  put(iocom.iuout, frame_rule);
}

void store_listing_rows(std::string_view id_title) {
  row("date  ", "lat", "long", id_title);
  put(iocom.iuout, frame_rule);
  std::string lat, lon, id;
  for (std::size_t i = 0; i < static_cast<std::size_t>(fpsblk.ndata); ++i) {
    lat.clear();
    lon.clear();
    id.clear();
    edit::f(lat, fpsblk.rlat1[i], lat_width, 0);
    edit::f(lon, fpsblk.rlong1[i], long_width, 0);
    edit::i(id, fpsblk.id1[i], id_width);
    row(fpsblk.cdate1[i].view().substr(0, date_width), lat, lon, id);
  }
  put(iocom.iuout, frame_rule);
}

void store_listing_rule() { put(iocom.iuout, frame_rule); }

std::vector<MenuRow> store_state_rows(std::string_view capacity, std::string_view count, std::string_view type) {
  constexpr int width = 6;
  return {{.label = capacity, .value = shows_integer(ndatmax, width)},
          {.label = count, .value = shows_integer(fpsblk.ndata, width)},
          {.label = type, .value = shows_integer(fpsblk.itype, width)}};
}

void no_listing_box(const Header& h, int command) {
  warninghead(h);
  put(iocom.iuout, " DATA TYPE ID = " + edit::i(fpsblk.itype, 6));
  put(iocom.iuout, " COMMAND      = " + edit::i(command, 6));
  put(iocom.iuout, " NO LISTING PROCEDURE FOR THIS");
  put(iocom.iuout, " ==> NO ACTION");
  warningtail00();
}

}  // namespace dorvix
