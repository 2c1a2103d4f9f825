#include "plot/service_placeholders.hpp"

#include <string>
#include <string_view>

#include "console/boxes.hpp"
#include "console/edit.hpp"
#include "console/frames.hpp"
#include "console/iocom.hpp"
#include "plot/plt2blk.hpp"

namespace dorvix {

namespace {

constexpr Header scolortable_header{"scolortable", " 1.3", "10-05-2009"};
constexpr Header sfillstyle_header{"sfillstyle", " 1.0", "26-03-2009"};

constexpr int filled = 1;

void say(std::string_view text) { put(iocom.iuout, " " + std::string(text)); }

void not_available(const Header& h, int inter) {
  warninghead(h);
  say("inter = " + edit::i(inter, 6));
  say("not available");
  say("===> NO ACTION");
  warningtail00();
}

bool initialising(int inter) { return inter == 4 || inter == 5; }

}  // namespace

void scolortable(int inter) {
  if (!initialising(inter)) return not_available(scolortable_header, inter);
  if (inter == 5) {
    submenuhead(scolortable_header);
    say("INITIALIZING COLOR TABLE:");
  }
}

void sfillstyle(int& istyle, int inter) {
  if (!initialising(inter)) return not_available(sfillstyle_header, inter);
  istyle = filled;
  plt2blk.fillstyle = istyle;
  if (inter == 5) {
    submenuhead(sfillstyle_header);
    say("INITIALISING FILL STYLE TO: filled");
  }
}

}  // namespace dorvix
