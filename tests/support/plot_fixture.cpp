#include "support/plot_fixture.hpp"

#include <sstream>

#include "dialogue/console_units.hpp"
#include "files/units.hpp"
#include "numbers/edit.hpp"

namespace dorvix::testing {

void PlotTest::SetUp() {
  ConsoleTest::SetUp();
  previous_dir_ = std::filesystem::current_path();
  std::filesystem::current_path(dir_.path());
  psparams = PsParams{};
  plt1blk = Plt1Blk{};
  plt2blk = Plt2Blk{};
  pltcharblk = PltCharBlk{};
}

void PlotTest::TearDown() {
  // A plot file a test left open gets its trailer; then Ghostscript must
  // render every plot file the test wrote.
  if (iocom.lplotop) {
    psend();
    iocom.lplotop = false;
  }
  std::filesystem::current_path(previous_dir_);
  ConsoleTest::TearDown();
  for (const auto& e : std::filesystem::directory_iterator(dir_.path())) {
    const auto& p = e.path();
    if (e.is_regular_file() && (p.extension() == ".ps" || p.filename() == "Next_plot")) expect_renders(p);
  }
}

void PlotTest::open_plot(int dialect, const std::string& orient, int copies, const std::string& name) {
  plot_name_ = name;
  // A new file, whose text the tests read while it is written: a plot that
  // replaces a file shows under its name only once closed.
  std::filesystem::remove(path(name));
  ASSERT_TRUE(units().open(50, path(name).string(), FileStatus::unknown));
  psparams.ipsunit = 50;
  psparams.ipstype = dialect;
  psparams.psorient = orient;
  psparams.ipspage = 1;
  psparams.ipspath = 0;
  psprolog(copies, "seis.ps" + std::string(28, ' '));
  iocom.lplotop = true;
  splotparam2(setup::all_subplots);
  prolog_end_ = split_lines(written_so_far()).size();
  screen();  // the announcements of the opening
}

std::vector<std::string> PlotTest::close_plot() {
  psend();
  iocom.lplotop = false;
  return file_lines(plot_name_);
}

std::vector<std::string> PlotTest::file_lines(const std::string& name) const {
  return split_lines(read_file(path(name)));
}

std::string PlotTest::written_so_far() {
  units().flush(50);
  return read_file(path(plot_name_));
}

std::vector<std::string> PlotTest::drawn_lines() {
  const auto lines = split_lines(written_so_far());
  return {lines.begin() + static_cast<std::ptrdiff_t>(prolog_end_), lines.end()};
}

void default_colour_table() {
  struct Entry {
    const char* name;
    real r, g, b;
  };
  static constexpr Entry table[] = {
      {"White-bk", 100, 100, 100}, {"Black", 0, 0, 0},     {"Red", 50, 0, 0},       {"Green", 0, 50, 0},
      {"Blue", 0, 0, 50},          {"Cyan", 0, 50, 50},    {"Magenta", 50, 0, 50},  {"Yellow", 50, 50, 0},
      {"Grey20", 80, 80, 80},      {"Grey30", 70, 70, 70}, {"Grey40", 60, 60, 60},  {"Grey50", 50, 50, 50},
      {"Grey70", 30, 30, 30},
  };
  for (std::size_t k = 0; k < 13; ++k) {
    plt2blk.red[k] = table[k].r;
    plt2blk.green[k] = table[k].g;
    plt2blk.blue[k] = table[k].b;
    pltcharblk.colornam[k] = dorvix::edit::pad(table[k].name, 8);
  }
  plt2blk.ncolor = 12;
  plt2blk.icolor = 1;
}

int rendered_pages(const std::filesystem::path& ps) {
  TempDir out;
  const auto pattern = out / "page%03d.pgm";
  const auto r = run_command("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pgmraw -r8 -sOutputFile=" +
                             shell_quote(pattern.string()) + " " + shell_quote(ps.string()));
  if (r.status != 0) return -1;
  int n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(out.path())) ++n;
  return n;
}

std::vector<double> drawn_box(const std::filesystem::path& ps) {
  const auto r = run_command("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=bbox " + shell_quote(ps.string()));
  const auto at = r.output.find("%%HiResBoundingBox:");
  if (at == std::string::npos) return {};
  std::istringstream in(r.output.substr(at + 19));
  std::vector<double> box(4);
  for (double& v : box) in >> v;
  if (!in || (box[0] == 0 && box[1] == 0 && box[2] == 0 && box[3] == 0)) return {};
  return box;
}

}  // namespace dorvix::testing
