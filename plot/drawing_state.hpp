#pragma once
// The plot state that a drawing is written from and that it leaves, for a
// caller that keeps the records a drawing wrote and writes them again in
// place of drawing anew (the frames of the nets of a page).
//
// The state is everything the plot library keeps that a drawing reads or
// writes: the plot file and its opening; of the driver's record psparams
// the font, dialect, open path, text size and page orientation, with the
// designator of the texts' font; the attributes and colour table plt2blk,
// the colour last written among them; of the subplot record plt1blk the
// current subplot with all its entries and the centimetre map that all
// subplots share; the running point ptblock; the paths' pending move.
// Whole records rather than the few values one drawing happens to read,
// so that a setter added later cannot let old records be written where a
// drawing would write others; and psparams, plt1blk and ptblock are taken
// apart by bindings that name every field, so that a field added to one
// of them stops the build in drawing_state.cpp until it is placed.
// Standing aside: the page number and the file's unit, which a drawing's
// records never hold; the other subplots, which a drawing neither reads
// nor changes; the rest of the font table, which the prolog alone writes.
// What never reaches the plot file stays out: the subplot titles and
// colour names (pltcharblk) and the curve levels and fixed parameters
// (plevblock, pfixblock) are shown on the console only; the device and
// curve buffers are scratch that every drawing fills before it reads.

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

#include "files/unit_file.hpp"
#include "numbers/real.hpp"
#include "plot/plot_attributes.hpp"
#include "plot/subplot_frames.hpp"

namespace dorvix {

// Two records of numbers the same bit for bit: a value is the same only
// when it is written the same (padding could only make two records
// differ, never agree wrongly). Records of whole 32-bit words are compared
// word by word with no branch, as fast for every record of the same size.
template <class T>
bool same_bits(const T& a, const T& b) {
  static_assert(std::is_trivially_copyable_v<T>);
  if constexpr (sizeof(T) % sizeof(std::uint32_t) == 0) {
    const auto* p = reinterpret_cast<const unsigned char*>(&a);
    const auto* q = reinterpret_cast<const unsigned char*>(&b);
    std::uint32_t differ = 0;
    for (std::size_t i = 0; i < sizeof(T); i += sizeof(std::uint32_t)) {
      std::uint32_t x = 0, y = 0;
      std::memcpy(&x, p + i, sizeof x);
      std::memcpy(&y, q + i, sizeof y);
      differ |= x ^ y;
    }
    return differ == 0;
  } else {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
  }
}

class DrawingState {
 public:
  // The state as it is now.
  static DrawingState now();
  // True while nothing of the state has changed since it was taken, each
  // number compared bit for bit: the same drawing would write the same
  // records and leave the same state.
  bool holds() const;
  // Makes the state again what it was when taken: taken after a drawing,
  // what writing its records again must leave.
  void set_again() const;
  // Taken after a drawing that started from `before`: set_again() then
  // sets only what the drawing changed, which is all it has to set while
  // `before` holds.
  void set_only_changes_since(const DrawingState& before);

 private:
  // Of psparams, what a drawing reads or writes.
  struct Driver {
    int ipsfont = 0, ipstype = 0, ipspath = 0;
    real txtsize = 0;
    std::string psorient;
    std::string designator;  // of the texts' font: compared, never set
  };
  // The entries of the current subplot in plt1blk, and those all
  // subplots share.
  struct Subplot {
    int isub = 0;
    Mat22 cmtode{};
    real cm2pt = 0;
    Vec2 cm0tode{}, us0tode{};
    Mat22 ustode{};
    Vec2 us0tocm{};
    Mat22 ustocm{};
    Vec2 cm0tous{};
    Mat22 cmtous{};
    Vec2 usmintocm{};
    std::array<real, 4> usextr{};
    Vec2 cmaxlength{};
    int isoxy = 0;
  };
  // The running point: its numbers, and its texts (empty until taken).
  struct Running {
    struct Numbers {
      real pt = 0, pti = 0, ptf = 0, ptd = 0, rnp = 0, rnseg = 0;
      int np = 0, ipt = 0;
    } numbers;
    std::string ptname, pttext, ptlabel;
  };
  // The parts that set_again() sets.
  enum Part : unsigned {
    driver_numbers = 1,
    driver_texts = 2,
    subplot = 4,
    attributes = 8,
    running_numbers = 16,
    running_texts = 32,
    all_parts = 63,
  };

  static Driver driver_now();
  static void set_driver(const Driver& d, unsigned parts);
  static Subplot subplot_now();
  static void set_subplot(const Subplot& s);
  static Running::Numbers running_numbers_now();
  static bool same_running_texts(const Running& r);
  static void set_running(const Running& r, unsigned parts);
  // The parts in which two states differ.
  static unsigned differences(const DrawingState& a, const DrawingState& b);

  const UnitFile* file_ = nullptr;
  long long opening_ = 0;
  bool move_pending_ = false;
  Driver driver_;
  Subplot subplot_;
  Plt2Blk attributes_;
  Running running_;
  unsigned parts_ = all_parts;
};

}  // namespace dorvix
