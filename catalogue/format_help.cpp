#include "catalogue/format_help.hpp"

#include <string>
#include <string_view>

#include "dialogue/frames.hpp"

namespace dorvix {

void format_help_box(const Header& h) {
  const std::string equals = " " + std::string(43, '=');
  submenuhead(h);
  for (std::string_view line :
       {std::string_view(equals), std::string_view("                   HELP"), std::string_view(equals),
        std::string_view(" FPFIT FORMAT AS DESCRIBED AT:"),
        std::string_view(" service.scedc.caltech.edu/ftp/catalogs/hauksson/Socal_focal/README"),
        std::string_view(" HASH FORMAT AS DESCRIBED AT:"),
        std::string_view(" HASH manual v1.2, Hardebeck and Shearer (2008), USGS Menlo Park"),
        std::string_view(" Other help:"), std::string_view(" the dorvix issue tracker"), std::string_view(equals)}) {
    put(iocom.iuout, line);
  }
}

std::vector<MenuRow> help_and_exit_rows(const Header& h, std::function<void()> close, bool& done) {
  return {dash_row(),
          {.choice = 900, .label = "HELP ", .action = [&h] { format_help_box(h); }},
          {.choice = menu_exit_choice, .label = "EXIT ", .action = [close = std::move(close), &done] {
             close();
             done = true;
           }}};
}

}  // namespace dorvix
