#pragma once
// The console block: the units every dialogue line goes to or comes from,
// and the switches that decide how much is shown.

#include <array>
#include <string_view>

namespace dorvix {

struct IoCom {
  int iuin = 5;     // standard input: answers (the command file while one is active)
  int iuout = 6;    // standard output: menus, prompts, echoes, box messages
  int iuerin = 5;   // error input: pauses and stop-or-resume answers (keyboard)
  int iuerout = 6;  // error output: frames of warning and error boxes
  bool lplotop = false;  // a plot file is open
  bool lcomfop = false;  // a command file is the standard input
  bool lpause = true;    // warning and error boxes end with a pause
  // Output levels, read and set as lwito(1) to lwito(3): 1 the reports of
  // the command-file switch, 2 menu bodies, separators and default lines,
  // 3 entry and exit traces.
  struct Levels {
    std::array<bool, 3> on{true, true, false};
    bool& operator()(int level) { return on.at(static_cast<std::size_t>(level - 1)); }
    bool operator()(int level) const { return on.at(static_cast<std::size_t>(level - 1)); }
  } lwito;
};

inline IoCom iocom;

// Whether a plot file is open: set and cleared by the plot library as it
// opens and closes its file, read everywhere.
inline void set_plot_open(bool open) { iocom.lplotop = open; }

}  // namespace dorvix
