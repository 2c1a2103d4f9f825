#include "dialogue/faces.hpp"

#include <string>

#include "dialogue/console_units.hpp"
#include "dialogue/frames.hpp"

namespace dorvix {

namespace {

// Runs of "&" on one row: columns first to last, counted from 1.
struct Span {
  int row, first, last;
};

// A round outline (12 wide at top and bottom, 36 wide at mid-height) and
// two eyes.
constexpr Span outline_and_eyes[] = {
    {1, 13, 24},  {2, 9, 12},   {2, 25, 28},  {3, 7, 8},    {3, 29, 30},  {4, 5, 6},    {4, 31, 32},
    {5, 4, 4},    {5, 33, 33},  {6, 3, 3},    {6, 34, 34},  {7, 2, 2},    {7, 35, 35},  {8, 1, 1},
    {8, 36, 36},  {9, 1, 1},    {9, 36, 36},  {10, 1, 1},   {10, 36, 36}, {11, 1, 1},   {11, 36, 36},
    {12, 2, 2},   {12, 35, 35}, {13, 3, 3},   {13, 34, 34}, {14, 4, 4},   {14, 33, 33}, {15, 5, 6},
    {15, 31, 32}, {16, 7, 8},   {16, 29, 30}, {17, 9, 12},  {17, 25, 28}, {18, 13, 24},
    // eyes
    {7, 11, 13},  {7, 24, 26},  {8, 11, 13},  {8, 24, 26},
};

// The mouth on rows 12 to 14: its middle on the top row turns it down, on
// the bottom row up.
constexpr Span mouth_down[] = {{12, 13, 24}, {13, 10, 12}, {13, 25, 27}, {14, 8, 9}, {14, 28, 29}};
constexpr Span mouth_up[] = {{12, 8, 9}, {12, 28, 29}, {13, 10, 12}, {13, 25, 27}, {14, 13, 24}};

}  // namespace

void draw_face(Mouth mouth) {
  constexpr int rows = 18;
  constexpr int columns = 40;
  const std::string indent(4, ' ');
  std::string picture[rows];
  for (auto& r : picture) r.assign(columns, ' ');
  auto draw = [&picture](const Span& sp) {
    for (int c = sp.first; c <= sp.last; ++c) picture[sp.row - 1][static_cast<std::size_t>(c - 1)] = '&';
  };
  for (const Span& sp : outline_and_eyes) draw(sp);
  for (const Span& sp : mouth == Mouth::down ? mouth_down : mouth_up) draw(sp);
  put(iocom.iuout, indent + "  ");
  for (const auto& r : picture) put(iocom.iuout, indent + r);
  put(iocom.iuout, indent + "  ");
}

}  // namespace dorvix
