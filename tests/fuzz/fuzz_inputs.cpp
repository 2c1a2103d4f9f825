#include "fuzz_inputs.hpp"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "catalogue/generated_catalogue.hpp"
#include "support/tools.hpp"

namespace dorvix::testing {

namespace {

// What the last answer of a menu's entry asks for.
enum class Asks { nothing, hash, fpfit, polygon, colours, commands, output, plot, lines, points };

// The menus a run visits: the answers that reach each one from the top
// menu, its choices, and the file its entry asks for. A menu added to the
// program is one more row.
struct Menu {
  const char* name;
  Lines entry;
  std::vector<int> choices;
  Asks asks = Asks::nothing;
};

const std::vector<Menu> menus = {
    {"top menu", {}, {7, 10, 13, 20, 23, 330, 1000, 1100, 1200, 2001, 2002, 3000, 3001, 5000, 900}},
    {"reader", {"1000"}, {4, 5, 11, 21, 100, 900, 1000, 1001}},
    {"HASH read", {"1000", "1001"}, {}, Asks::hash},
    {"FPFIT read", {"1000", "1000"}, {}, Asks::fpfit},
    {"criteria",
     {"1000", "100"},
     {10, 100, 110, 200, 210, 250, 251, 252, 253, 261, 262, 263, 269, 300, 310, 500, 501, 510, 520, 530, 540, 550, 600,
      610, 620, 630}},
    {"polygon file", {"1000", "100", "252"}, {}, Asks::polygon},
    {"writer", {"1200"}, {12, 22, 1000, 1001, 2000, 2001, 3000, 3001, 1100, 900}},
    {"HASH write", {"1200", "1001"}, {}, Asks::output},
    {"FPFIT write", {"1200", "1000"}, {}, Asks::output},
    {"table write", {"1200", "2001"}, {}, Asks::output},
    {"plot parameters", {"330"}, {1, 10, 11, 12, 20, 21, 30, 31, 32, 33, 34, 40, 41, 50, 51, 52}},
    {"colour table", {"330", "52"}, {100, 200, 300}},
    {"colour file", {"330", "52", "300"}, {}, Asks::colours},
    {"command files", {"5000"}, {5001, 5002, 5003}},
    {"command file", {"5000", "5001"}, {}, Asks::commands},
    {"plot open", {"10", ""}, {}, Asks::plot},
    {"plot open with settings", {"10", "n"}, {}},
    {"plot close", {"20"}, {}},
    {"map", {"2001"}, {10, 11, 12, 15, 20, 300, 310, 315, 320, 330, 340, 341, 342, 343, 400, 900, 1000}},
    {"map of plane 2", {"2002"}, {15, 300, 315, 320, 330, 341, 342, 400, 1000}},
    {"map projection", {"2001", "300"}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
                                         23, 24, 25}},
    {"stress symbols", {"2001", "315"}, {10, 20, 30, 40}},
    {"map run", {"2001", "1000", ""}, {10, 13, 14, 20, 51, 53, 54, 100, 200}, Asks::plot},
    {"graticule", {"2001", "320"}, {10, 11, 12, 13, 20, 21, 22, 23, 31, 32, 33, 34, 40}},
    {"epicentre symbol", {"2001", "310"}, {0, 3, 4, 10, 15, 20, 23, 40}},
    {"projection parameters", {"2001", "300", "8", "99"}, {1, 2, 99}},
    // A run of the map, from a closed plot file, that leaves the point menu
    // for the line-file menu and names a line file of each type; or reads
    // the points of a column file through the point menu.
    {"line file UTIG", {"20", "", "2001", "1000", "", "map.ps", "99", "1"}, {1, 2, 3, 4, 5, 6, 10, 11}, Asks::lines},
    {"line file IGN", {"20", "", "2001", "1000", "", "map.ps", "99", "2"}, {1, 2, 3, 4, 5, 6, 10, 11}, Asks::lines},
    {"line file GEBCO", {"20", "", "2002", "1000", "", "map.ps", "99", "3"}, {1, 2, 3, 4, 5, 6, 10, 11}, Asks::lines},
    {"line file USGS", {"20", "", "2001", "1000", "", "map.ps", "99", "4"}, {1, 2, 3, 4, 5, 6, 10, 11}, Asks::lines},
    {"line file GSHHS", {"20", "", "2002", "1000", "", "map.ps", "99", "5"}, {1, 2, 3, 4, 5, 6, 10, 11}, Asks::lines},
    {"line file polygon", {"20", "", "2001", "1000", "", "map.ps", "99", "6"}, {1, 2, 3, 4, 5, 6, 10, 11}, Asks::lines},
    {"map points", {"20", "", "2001", "1000", "", "map.ps", "200"}, {99, 99, 99, 1000, 100, 110, 120, 130, 300, 900}, Asks::points},
    {"diagrams", {"3000"}, {10, 11, 12, 20, 300, 310, 900, 1000}},
    {"paged diagrams", {"3001"}, {10, 11, 12, 20, 300, 310, 900, 1000}},
    {"diagram run", {"20", "", "3001", "1000", ""}, {0, 1, 2}, Asks::plot},
    {"stereonet type", {"3000", "300"}, {1, 2, 3, 4}},
    {"axis symbols", {"3001", "310"}, {10, 20, 99, 0, 3, 15, 23, 40, 100, 101}},
};

const std::map<Asks, Lines> names_asked = {
    {Asks::hash, {"gen.hash"}},         {Asks::fpfit, {"gen.fpfit"}},
    {Asks::polygon, {"poly.txt"}},      {Asks::colours, {"colours.txt"}},
    {Asks::commands, {"cmd1.txt", "cmd2.txt"}}, {Asks::output, {"out.hash", "out.tab", "gen.hash"}},
    {Asks::plot, {"seis.ps", "plot.ps"}},
    {Asks::lines, {"coast.utig", "coast.ign", "coast.gebco", "coast.usgs", "coast.gshhs", "poly.txt"}},
    {Asks::points, {"points.txt"}},
};

// Line files and a column file of points cut from the bundled shorelines
// and hypocentres, to their first `lines` lines.
std::string real_head(const std::string& name, int lines) {
  const std::string text = read_file(std::filesystem::path(DORVIX_REAL_DATA_DIR) / name);
  std::size_t cut = 0;
  for (int k = 0; k < lines; ++k) {
    const auto end = text.find('\n', cut);
    if (end == std::string::npos) return text;
    cut = end + 1;
  }
  return text.substr(0, cut);
}

// Every file name an answer may give: the files of the run, outputs and
// plots, a missing file, a device that never ends a line and names longer
// than any name field.
const Lines file_names = {"gen.hash", "gen.fpfit", "poly.txt",    "colours.txt",    "cmd1.txt",
                          "cmd2.txt", "out.hash",  "out.tab",     "seis.ps",        "plot.ps",
                          "map.ps",   "coast.ign", "coast.gshhs", "points.txt",     "/dev/zero",
                          "gen.hash", "gen.fpfit", "missing.txt", "kavro7_ini.txt", std::string(36, 'p') + ".ps",
                          std::string(45, 'n')};

// Answers at the edges of what a number field, a yes/no or a name takes.
const Lines edge_answers = {"2147483647", "-2147483648", "2147483648", "-2147483649", "99999999999999999999",
                            "0",          "-1",          "1e38",       "-1e38",       "3.5e38",
                            "1e-45",      "nan",         "inf",        "-inf",        "-0.0",
                            "1d3",        "0x10",        "1.5",        "+7",          "07"};
const Lines shaped_answers = {"",  " ",   "\t",    ",",       "1,2", "1/2", "/",   "'",     "'abc'", "\"x\"",
                              "y", "n",   "Y",     "N",       "h",   "abc", "Q",   "1 2 3", "  7",   "-",
                              "+", ".",   "P",     "LUS",     "LA4", "T",   "F",   "\r",    "99",    "9999x"};

}  // namespace

std::string FuzzInputs::answer(const std::vector<int>& choices) {
  const int r = uniform(0, 99);
  if (r < 40 && !choices.empty()) return std::to_string(one_of(choices));
  if (r < 52) return one_of(file_names);
  if (r < 62) return std::to_string(uniform(-2, 20));
  if (r < 80) return one_of(edge_answers);
  if (r < 97) return one_of(shaped_answers);
  if (r < 98) {
    std::string line(500, ' ');
    for (char& c : line) c = "0123456789 ,/.-abcXYZ'"[uniform(0, 21)];
    return line;
  }
  char number[32];
  std::snprintf(number, sizeof number, "%.*f", uniform(0, 4), uniform(-200000, 200000) / 100.0);
  return number;
}

Lines FuzzInputs::visit(std::string_view name) {
  const Menu& m = name.empty() ? one_of(menus) : *std::find_if(menus.begin(), menus.end(), [&](const Menu& row) {
    return row.name == name;
  });
  Lines answers = m.entry;
  if (m.asks != Asks::nothing) answers.push_back(chance(0.85) ? one_of(names_asked.at(m.asks)) : answer({}));
  for (int k = uniform(1, 8); k > 0; --k) answers.push_back(answer(m.choices));
  // Return for a box, then leave the menus entered.
  if (chance(0.5)) answers.push_back("");
  for (std::size_t k = 0; k < m.entry.size(); ++k) answers.push_back("99");
  return answers;
}

Lines FuzzInputs::script(int visits, bool quit) {
  Lines answers{""};
  // Most runs read a catalogue and open a plot first, so that the store
  // holds data and the plot menus are open to them.
  auto add = [&answers](const Lines& v) { answers.insert(answers.end(), v.begin(), v.end()); };
  if (chance(0.6)) add(visit(chance(0.5) ? "HASH read" : "FPFIT read"));
  if (chance(0.5)) add(visit("plot open"));
  for (int k = 0; k < visits; ++k) add(visit());
  if (quit) answers.insert(answers.end(), {"", "99", "99", "99", "9999"});
  return answers;
}

std::string FuzzInputs::damaged(std::string text) {
  for (int k = uniform(1, 4); k > 0; --k) {
    const auto at = static_cast<std::size_t>(uniform(0, static_cast<int>(text.size())));
    const auto line_start = at == 0 ? 0 : text.rfind('\n', at - 1) + 1;
    switch (uniform(0, 11)) {
      case 0:  // one bit flipped
        if (at < text.size()) text[at] = static_cast<char>(text[at] ^ (1 << uniform(0, 7)));
        break;
      case 1:  // a digit turned into a letter
        if (const auto d = text.find_first_of("0123456789", at); d != std::string::npos) {
          text[d] = static_cast<char>('a' + uniform(0, 25));
        }
        break;
      case 2:  // an overflowed field
        text.replace(at, std::min<std::size_t>(3, text.size() - at), "***");
        break;
      case 3:
        text.replace(at, std::min<std::size_t>(3, text.size() - at), "nan");
        break;
      case 4:  // a tab for a blank
        if (const auto b = text.find(' ', at); b != std::string::npos) text[b] = '\t';
        break;
      case 5: {  // CR LF line ends
        std::string crlf;
        for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        text = crlf;
        break;
      }
      case 6:
        text.insert(at, 1, '\0');
        break;
      case 7:  // an empty line
        text.insert(line_start, "\n");
        break;
      case 8: {  // a line of 500 characters
        std::string line(500, '9');
        for (char& c : line) c = "0123456789 .-*"[uniform(0, 13)];
        text.insert(line_start, line + "\n");
        break;
      }
      case 9:  // no newline after the last line
        if (!text.empty() && text.back() == '\n') text.pop_back();
        break;
      case 10: {  // a line cut short
        const auto end = text.find('\n', at);
        if (end != std::string::npos) text.erase(at, end - at);
        break;
      }
      default:  // a line repeated
        text.insert(line_start, text.substr(line_start, text.find('\n', line_start) - line_start) + "\n");
        break;
    }
  }
  return text;
}

Files FuzzInputs::files(double damage) {
  CatalogueGenerator catalogues(static_cast<std::uint32_t>(uniform(0, 1 << 30)));
  Files f;
  f["gen.hash"] = catalogues.catalogue(CatalogueLayout::hash, uniform(1, 40));
  f["gen.fpfit"] = catalogues.catalogue(CatalogueLayout::fpfit, uniform(1, 40));

  char line[128];
  const int vertices = uniform(-1, 12);
  std::snprintf(line, sizeof line, "%d %d\n", vertices, uniform(0, 2));
  f["poly.txt"] = line;
  for (int k = 0; k < vertices + uniform(-1, 1); ++k) {
    std::snprintf(line, sizeof line, "%.2f %.2f\n", uniform(-18000, 18000) / 100.0, uniform(-9000, 9000) / 100.0);
    f["poly.txt"] += line;
  }

  const int colours = uniform(0, 14);
  f["colours.txt"] = std::to_string(colours) + "\n";
  for (int k = 0; k <= colours; ++k) {
    std::snprintf(line, sizeof line, "%d %d %d %d colour%d\n", uniform(-1, 13), uniform(-10, 110), uniform(-10, 110),
                  uniform(-10, 110), k);
    f["colours.txt"] += line;
  }

  const char* orientations[] = {"P  ", "LUS", "LA4", "X  "};
  std::snprintf(line, sizeof line, "  %c %3d %s %2d\n              \n", chance(0.5) ? 'T' : 'F', uniform(-1, 1000),
                orientations[uniform(0, 3)], uniform(0, 4));
  f["kavro7_ini.txt"] = line;

  for (const char* layout : {"utig", "ign", "gebco", "usgs", "gshhs"}) {
    f[std::string("coast.") + layout] = real_head(std::string("gshhg_aegean.") + layout, uniform(0, 400));
  }
  f["points.txt"] = real_head("gcmt_m7plus_points.txt", uniform(0, 60));

  // Command files end anywhere: at a menu, inside a visit, at a question.
  for (const char* name : {"cmd1.txt", "cmd2.txt"}) {
    Lines answers;
    for (int k = uniform(1, 3); k > 0; --k) {
      const Lines v = visit();
      answers.insert(answers.end(), v.begin(), v.end());
    }
    answers.resize(static_cast<std::size_t>(uniform(0, static_cast<int>(answers.size()))));
    if (chance(0.2)) answers.push_back("5002");
    std::string text;
    for (const std::string& a : answers) text += a + "\n";
    f[name] = text;
  }

  for (auto& [name, text] : f) {
    if (chance(damage)) text = damaged(text);
  }
  return f;
}

}  // namespace dorvix::testing
