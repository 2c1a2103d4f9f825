// The frames of a layout's places, kept as written.
//
// What a frame writes depends on the plot state, which the plot library
// takes and compares itself (plot/drawing_state.hpp), and on the frame's
// settings and the stereonet projection, compared here (the angle
// constants are set once). A place's records are written again only
// while all of it is as it was when they were written; then the plot
// state is set to what drawing them left. Records are kept only when
// drawing them said and asked nothing on the console and reset no point,
// so that writing them again skips nothing but the work.

#include "stereonet/kept_frames.hpp"

#include <string>
#include <vector>

#include "files/unit_file.hpp"
#include "files/units.hpp"
#include "plot/drawing_state.hpp"
#include "plot/ps_stream.hpp"
#include "stereonet/frame.hpp"
#include "stereonet/net_places.hpp"
#include "stereonet/projections.hpp"

namespace dorvix {

namespace {

bool same_frame(const Stefram2& a, const Stefram2& b) {
  return a.nptfram == b.nptfram && a.llabel == b.llabel && a.ldrawax == b.ldrawax && a.ldrawtic == b.ldrawtic &&
         a.label == b.label;
}

// The stereonet's own settings a frame is drawn from.
struct NetSettings {
  Stefram2 frame;
  SProjType projection;
  SchmidtParams schmidt;
  WulfParams wulf;

  static NetSettings now() { return {stefram2, sprojtype, schmidtparams, wulfparams}; }

  bool hold() const {
    return same_bits(projection, sprojtype) && same_bits(schmidt, schmidtparams) && same_bits(wulf, wulfparams) &&
           same_frame(frame, stefram2);
  }
};

struct KeptFrame {
  bool valid = false;
  DrawingState before, after;
  NetSettings settings;
  std::string records;
};

struct Kept {
  bool on = true;
  long long opening = 0;  // of the plot file the records were written to
  // One a place, made when the first frame is kept: a run that draws no
  // nets keeps nothing.
  std::vector<KeptFrame> places;

  void let_go() {
    places.clear();
    places.shrink_to_fit();
  }
};
Kept kept;

// Whether the frame at `place` may be kept for the plot file `out`, or
// written from the records kept for it. Points waiting for their report
// would be reported by the drawing.
bool keeps(int place, const UnitFile* out) {
  return kept.on && place >= 0 && place < nets_per_page && out != nullptr && ps::points_reset() == 0;
}

// The records kept for `place` that may be written now, or nullptr when
// the frame must be drawn.
KeptFrame* writable(int place, const UnitFile* out) {
  if (!keeps(place, out) || kept.places.empty()) return nullptr;
  KeptFrame& f = kept.places[static_cast<std::size_t>(place)];
  return f.valid && f.before.holds() && f.settings.hold() ? &f : nullptr;
}

}  // namespace

void keep_frames(bool on) {
  kept.on = on;
  kept.let_go();
}

bool frame_kept(int place) { return writable(place, ps::file()) != nullptr; }

void repstereo_at(int place) {
  UnitFile* out = ps::file();
  if (!keeps(place, out)) {
    repstereo();
    return;
  }
  if (out->opening() != kept.opening) {  // another plot file
    kept.let_go();
    kept.opening = out->opening();
  }
  if (const KeptFrame* f = writable(place, out)) {
    out->put(f->records.data(), f->records.size());
    f->after.set_again();
    return;
  }

  if (kept.places.empty()) kept.places.resize(nets_per_page);
  KeptFrame& f = kept.places[static_cast<std::size_t>(place)];
  f.valid = false;
  f.before = DrawingState::now();
  f.settings = NetSettings::now();
  const long long start = out->written();
  const long long exchanges = units().exchanges();
  repstereo();
  const auto size = static_cast<std::size_t>(out->written() - start);
  const char* records = out->recent(size);
  if (records == nullptr || units().exchanges() != exchanges || ps::points_reset() != 0) return;
  f.records.assign(records, size);
  f.after = DrawingState::now();
  f.after.set_only_changes_since(f.before);
  f.valid = true;
}

}  // namespace dorvix
