#pragma once
// A plot test: the in-memory console, a fresh temporary directory as the
// current directory (kavro7_ini.txt lives there), and fresh plot records.
// At its end every plot file it wrote (*.ps, Next_plot) is closed with its
// trailer if still open and must be rendered by Ghostscript.

#include <filesystem>
#include <string>
#include <vector>

#include "plot/device.hpp"
#include "support/console_fixture.hpp"
#include "support/tools.hpp"

namespace dorvix::testing {

class PlotTest : public ConsoleTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Opens `name` in the temporary directory as the plot file without the
  // settings dialogue: dialect, orientation and copies as given, the prolog,
  // then the attributes of an opening.
  void open_plot(int dialect, const std::string& orient = "P  ", int copies = 1,
                 const std::string& name = "test.ps");
  // Writes the trailer and closes the file; returns its lines.
  std::vector<std::string> close_plot();
  // The lines of a file of the temporary directory.
  std::vector<std::string> file_lines(const std::string& name) const;
  // The text of the open plot file written so far.
  std::string written_so_far();
  // The lines written after the prolog of an opened plot file, up to the
  // trailer (the records a drawing made).
  std::vector<std::string> drawn_lines();

  std::filesystem::path path(const std::string& name) const { return dir_ / name; }

  TempDir dir_;
  std::filesystem::path previous_dir_;
  std::string plot_name_;
  std::size_t prolog_end_ = 0;  // number of lines of the prolog and opening records
};

// The colour table a program starts with: 13 colours, colour plotting on.
void default_colour_table();

// Lines of a page count, pages of a raster rendering by Ghostscript.
int rendered_pages(const std::filesystem::path& ps);

// The bounding box of what a PostScript file draws on its first page, in
// points, as Ghostscript's bbox device finds it: x0 y0 x1 y1, or an empty
// vector when the page is blank.
std::vector<double> drawn_box(const std::filesystem::path& ps);

}  // namespace dorvix::testing
