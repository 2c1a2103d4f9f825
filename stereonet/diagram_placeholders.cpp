#include "stereonet/diagram_placeholders.hpp"

#include <string>
#include <string_view>

#include "console/boxes.hpp"
#include "console/edit.hpp"
#include "console/frames.hpp"
#include "console/iocom.hpp"

namespace dorvix {

namespace {

constexpr Header fpsseis3_header{"fpsseis3", " 3.0", "01-05-2010"};
constexpr Header fpsbchbll_header{"fpsbchbll", " 7.0", "01-05-2010"};
constexpr Header sspro_header{"sspro", " 5.3", "07-10-2009"};

constexpr int schmidt = 4;  // equal-area, retrograde x and y axes


void not_available(const Header& h) {
  warninghead(h);
  say("focal-mechanism diagrams not available");
  say("===> NO ACTION");
  warningtail00();
}

bool initialising(int inter) { return inter == 4 || inter == 5; }

}  // namespace

void fpsseis3(std::span<const real>, std::span<const real>, std::span<const real>, std::span<const real>,
              std::span<const real>, std::span<const real>, std::span<const FixedText<16>>, int, int, int, int inter) {
  if (!initialising(inter)) not_available(fpsseis3_header);
}

void fpsbchbll(std::span<const real>, std::span<const real>, std::span<const real>, std::span<const real>,
               std::span<const real>, std::span<const real>, std::span<const FixedText<16>>, int, int, int, int,
               int inter) {
  if (!initialising(inter)) not_available(fpsbchbll_header);
}

void sspro(int& iproj, int inter) {
  if (inter < 4 || inter > 7) {
    warninghead(sspro_header);
    say("inter = " + edit::i(inter, 6));
    say("not available");
    say("===> NO ACTION");
    warningtail00();
    return;
  }
  iproj = schmidt;
  submenuhead(sspro_header);
  say("INITIALIZING STEREOGRAPHIC PROJECTION");
  say("projection number = " + edit::i(iproj, 4));
  say("projection = Schmidt, retrograde X,Y axis");
}

}  // namespace dorvix
