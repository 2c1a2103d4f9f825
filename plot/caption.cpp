// The run-information caption: which program and which plotting routine
// made a plot, on which machine and when, written on the paper of the
// current subplot, and further free lines below it.
//
// The caption is written at half the current text height h, its lines
// 1.5 * h/2 apart, downwards; the text height is restored afterwards.

#include <string>
#include <string_view>

#include "dialogue/prompts.hpp"
#include "dialogue/run_info.hpp"
#include "numbers/edit.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"

namespace dorvix {

namespace {

// Each run-information line is a text of 60 characters.
constexpr std::size_t caption_width = 60;
// Successive lines, in caption heights.
constexpr real line_spacing = 1.5f;

// Runs `write` with the text height halved and restores it; `write` gets
// the distance between two caption lines (cm).
template <class Write>
void at_caption_height(Write&& write) {
  real h = 0;
  stextsize(h, setup::stored);
  real half = h / 2;
  stextsize(half, setup::passed);
  write(line_spacing * half);
  stextsize(h, setup::passed);
}

}  // namespace

void ssubinfo(std::string_view cname, std::string_view cver, std::string_view cdate, int, int) {
  record_plotting_routine(cname, cver, cdate);
}

void cmplotruninfo0(real x, real y, SetupMode) {
  const RunInfoCom& r = runinfocom;
  // Names are trimmed; versions, dates and the time go in whole.
  const std::string lines[] = {
      "Main program " + std::string(trimmed(r.cmainnam)) + " v" + r.cmainver + " on " + r.cmaindat,
      "Subroutine " + std::string(trimmed(r.csubnam)) + " v" + r.csubver + " on " + r.csubdat,
      "Run on " + std::string(trimmed(r.chost)) + " on " + r.crundate + " at " + r.cruntime,
  };
  at_caption_height([&](real step) {
    real yline = y;
    for (const std::string& line : lines) {
      cmtext2(x, yline, edit::pad(line, caption_width));
      yline -= step;
    }
  });
}

void cmplotcharinfo0(std::string_view text, int iline, real x, real y, SetupMode) {
  at_caption_height([&](real step) { cmtext2(x, y - step * static_cast<real>(iline - 1), text); });
}

}  // namespace dorvix
