#pragma once
// Texts of the plot state: the subplot titles and the colour names.

#include <array>
#include <string>

#include "plot/plot_attributes.hpp"
#include "plot/subplot_frames.hpp"

namespace dorvix {

struct PltCharBlk {
  // Title of each subplot (index s - 1), 20 characters; nothing sets them,
  // so they stay blank.
  std::array<std::string, nsubplots> subplotitle = [] {
    std::array<std::string, nsubplots> t;
    t.fill(std::string(20, ' '));
    return t;
  }();
  // Name of each colour entry 0..12, 8 characters, blank-padded.
  std::array<std::string, ncolour_entries> colornam = [] {
    std::array<std::string, ncolour_entries> t;
    t.fill(std::string(8, ' '));
    return t;
  }();
};

inline PltCharBlk pltcharblk;

}  // namespace dorvix
