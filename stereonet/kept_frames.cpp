// The frames of a layout's places, kept as written.
//
// What a frame writes depends on the plot file, its dialect, fonts and
// text size, the open path and the colour last written, every plot
// attribute and the colour table, the current subplot and its device map,
// the frame's settings and the stereonet projection (the
// angle constants are set once). All of it is the key of a place's records, compared bit
// for bit, so that a setter that changes any of it, a new page orientation
// or another plot file makes the records be written anew. What drawing the
// frame changes besides the file, the open-path flag, the colour last
// written, the path's pending move and the running point, is kept with the
// records and set again with them. Records are kept only when drawing them
// said and asked nothing on the console and reset no point, so that
// writing them again skips nothing but the work. The device and curve
// buffers are scratch that each drawing fills before use, not state.

#include "stereonet/kept_frames.hpp"

#include <array>
#include <cstring>
#include <string>
#include <type_traits>

#include "console/unit_file.hpp"
#include "console/units.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "plot/ps_stream.hpp"
#include "plot/subplot_maps.hpp"
#include "stereonet/diagram_nets.hpp"
#include "stereonet/frame.hpp"
#include "stereonet/projections.hpp"

namespace dorvix {

namespace {

// Records of numbers compared bit for bit: a value is the same only when
// it is written the same (padding can only make them differ, never agree
// wrongly).
template <class T>
bool same_bits(const T& a, const T& b) {
  static_assert(std::is_trivially_copyable_v<T>);
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// The device map drawn with: that of the current subplot.
std::size_t map_index() { return static_cast<std::size_t>(current_subplot() - 1); }

bool same_frame(const Stefram2& a, const Stefram2& b) {
  return a.nptfram == b.nptfram && a.llabel == b.llabel && a.ldrawax == b.ldrawax && a.ldrawtic == b.ldrawtic &&
         a.label == b.label;
}

// Everything the records of a frame are written from.
struct Shaping {
  const UnitFile* file = nullptr;
  long long opening = 0;
  int ipstype = 0, ipsfont = 0, ipspath = 0;
  real txtsize = 0;
  std::string psorient;
  std::string font;  // the designator of the texts' font
  Plt2Blk attributes;
  // The current subplot and its device map.
  int isub = 0;
  Vec2 origin{};
  Mat22 matrix{};
  Stefram2 frame;
  SProjType projection;
  SchmidtParams schmidt;
  WulfParams wulf;
  bool move_pending = false;

  static Shaping now(const UnitFile* out) {
    return {out,
            out->opening(),
            psparams.ipstype,
            psparams.ipsfont,
            psparams.ipspath,
            psparams.txtsize,
            psparams.psorient,
            text_designator(),
            plt2blk,
            plt1blk.isub,
            plt1blk.us0tode[map_index()],
            plt1blk.ustode[map_index()],
            stefram2,
            sprojtype,
            schmidtparams,
            wulfparams,
            path_move_pending()};
  }

  bool holds_now(const UnitFile* out) const {
    return file == out && opening == out->opening() && ipstype == psparams.ipstype && ipsfont == psparams.ipsfont &&
           ipspath == psparams.ipspath && same_bits(txtsize, psparams.txtsize) && same_bits(attributes, plt2blk) &&
           isub == plt1blk.isub && same_bits(origin, plt1blk.us0tode[map_index()]) &&
           same_bits(matrix, plt1blk.ustode[map_index()]) &&
           move_pending == path_move_pending() && same_bits(projection, sprojtype) &&
           same_bits(schmidt, schmidtparams) && same_bits(wulf, wulfparams) && psorient == psparams.psorient &&
           font == text_designator() && same_frame(frame, stefram2);
  }
};

// What drawing the frame changes besides the file.
struct Effects {
  int ipspath = 0;
  Plt2Blk attributes;
  bool move_pending = false;
  // The running point's numbers (its texts are not touched).
  real pt = 0, pti = 0, ptf = 0, ptd = 0, rnp = 0, rnseg = 0;
  int np = 0, ipt = 0;

  static Effects now() {
    const PtBlock& p = ptblock;
    return {psparams.ipspath, plt2blk, path_move_pending(), p.pt, p.pti, p.ptf, p.ptd, p.rnp, p.rnseg, p.np, p.ipt};
  }

  void set_again() const {
    psparams.ipspath = ipspath;
    plt2blk = attributes;
    set_path_move_pending(move_pending);
    PtBlock& p = ptblock;
    p.pt = pt;
    p.pti = pti;
    p.ptf = ptf;
    p.ptd = ptd;
    p.rnp = rnp;
    p.rnseg = rnseg;
    p.np = np;
    p.ipt = ipt;
  }
};

struct KeptFrame {
  bool valid = false;
  Shaping before;
  Effects after;
  std::string records;
};

struct Kept {
  bool on = true;
  long long opening = 0;  // of the plot file the records were written to
  std::array<KeptFrame, nets_per_page> places;

  void let_go() {
    for (KeptFrame& f : places) f = KeptFrame{};
  }
};
Kept kept;

}  // namespace

void keep_frames(bool on) {
  kept.on = on;
  kept.let_go();
}

void repstereo_at(int place) {
  UnitFile* out = ps::file();
  // Points waiting for their report would be reported by the drawing.
  if (!kept.on || place < 0 || place >= nets_per_page || out == nullptr || ps::points_reset() != 0) {
    repstereo();
    return;
  }
  if (out->opening() != kept.opening) {  // another plot file
    kept.let_go();
    kept.opening = out->opening();
  }
  KeptFrame& f = kept.places[static_cast<std::size_t>(place)];
  if (f.valid && f.before.holds_now(out)) {
    out->put(f.records.data(), f.records.size());
    f.after.set_again();
    return;
  }

  f.valid = false;
  f.before = Shaping::now(out);
  const long long start = out->written();
  const long long exchanges = units().exchanges();
  repstereo();
  const auto size = static_cast<std::size_t>(out->written() - start);
  const char* records = out->recent(size);
  if (records == nullptr || units().exchanges() != exchanges || ps::points_reset() != 0) return;
  f.records.assign(records, size);
  f.after = Effects::now();
  f.valid = true;
}

}  // namespace dorvix
