#include "plot/drawing_state.hpp"

#include "plot/device.hpp"
#include "plot/ps_stream.hpp"
#include "plot/psparams.hpp"
#include "plot/subplot_maps.hpp"

namespace dorvix {

// The records are taken apart by structured bindings that name every
// field, so that a field added to one of them stops the build here until
// it is placed.

namespace {

// The running point's numbers, bit for bit, and its texts.
bool same_running_numbers(const PtBlock& a, const PtBlock& b) {
  return same_bits(a.pt, b.pt) && same_bits(a.pti, b.pti) && same_bits(a.ptf, b.ptf) && same_bits(a.ptd, b.ptd) &&
         same_bits(a.rnp, b.rnp) && same_bits(a.rnseg, b.rnseg) && a.np == b.np && a.ipt == b.ipt;
}
bool same_running_texts(const PtBlock& a, const PtBlock& b) {
  return a.ptname == b.ptname && a.pttext == b.pttext && a.ptlabel == b.ptlabel;
}

void set_running_point_again(const PtBlock& from, bool numbers, bool texts) {
  auto& [pt, pti, ptf, ptd, rnp, rnseg, np, ipt, ptname, pttext, ptlabel] = ptblock;
  if (numbers) {
    pt = from.pt;
    pti = from.pti;
    ptf = from.ptf;
    ptd = from.ptd;
    rnp = from.rnp;
    rnseg = from.rnseg;
    np = from.np;
    ipt = from.ipt;
  }
  if (texts) {
    ptname = from.ptname;
    pttext = from.pttext;
    ptlabel = from.ptlabel;
  }
}

long long opening_of(const UnitFile* file) { return file != nullptr ? file->opening() : 0; }

}  // namespace

DrawingState::Driver DrawingState::driver_now() {
  const auto& [ipsunit, ipsfont, ipstype, ipspage, ipspath, txtsize, fonts, psorient] = psparams;
  static_cast<void>(ipsunit), static_cast<void>(ipspage), static_cast<void>(fonts);
  return {ipsfont, ipstype, ipspath, txtsize, psorient, text_designator()};
}

void DrawingState::set_driver(const Driver& d, unsigned parts) {
  if ((parts & driver_numbers) != 0) {
    psparams.ipsfont = d.ipsfont;
    psparams.ipstype = d.ipstype;
    psparams.ipspath = d.ipspath;
    psparams.txtsize = d.txtsize;
  }
  if ((parts & driver_texts) != 0) psparams.psorient = d.psorient;
}

DrawingState::Subplot DrawingState::subplot_now() {
  const auto& [cm0tode, cmtode, cm2pt, us0tode, ustode, us0tocm, ustocm, cm0tous, cmtous, usmintocm, usextr,
               cmaxlength, isoxy, isub] = plt1blk;
  const auto k = static_cast<std::size_t>(current_subplot() - 1);
  return {isub,       cmtode,     cm2pt,        cm0tode[k], us0tode[k],    ustode[k], us0tocm[k],
          ustocm[k],  cm0tous[k], cmtous[k],    usmintocm[k], usextr[k],   cmaxlength[k], isoxy[k]};
}

void DrawingState::set_subplot(const Subplot& s) {
  auto& [cm0tode, cmtode, cm2pt, us0tode, ustode, us0tocm, ustocm, cm0tous, cmtous, usmintocm, usextr, cmaxlength,
         isoxy, isub] = plt1blk;
  isub = s.isub;
  cmtode = s.cmtode;
  cm2pt = s.cm2pt;
  const auto k = static_cast<std::size_t>(current_subplot() - 1);
  cm0tode[k] = s.cm0tode;
  us0tode[k] = s.us0tode;
  ustode[k] = s.ustode;
  us0tocm[k] = s.us0tocm;
  ustocm[k] = s.ustocm;
  cm0tous[k] = s.cm0tous;
  cmtous[k] = s.cmtous;
  usmintocm[k] = s.usmintocm;
  usextr[k] = s.usextr;
  cmaxlength[k] = s.cmaxlength;
  isoxy[k] = s.isoxy;
}

unsigned DrawingState::differences(const DrawingState& a, const DrawingState& b) {
  const Driver &p = a.driver_, &q = b.driver_;
  unsigned parts = 0;
  if (p.ipsfont != q.ipsfont || p.ipstype != q.ipstype || p.ipspath != q.ipspath || !same_bits(p.txtsize, q.txtsize)) {
    parts |= driver_numbers;
  }
  if (p.psorient != q.psorient) parts |= driver_texts;
  if (!same_bits(a.subplot_, b.subplot_)) parts |= subplot;
  if (!same_bits(a.attributes_, b.attributes_)) parts |= attributes;
  if (!same_running_numbers(a.running_, b.running_)) parts |= running_numbers;
  if (!same_running_texts(a.running_, b.running_)) parts |= running_texts;
  return parts;
}

DrawingState DrawingState::now() {
  DrawingState s;
  s.file_ = ps::file();
  s.opening_ = opening_of(s.file_);
  s.move_pending_ = path_move_pending();
  s.driver_ = driver_now();
  s.subplot_ = subplot_now();
  s.attributes_ = plt2blk;
  s.running_ = ptblock;
  return s;
}

bool DrawingState::holds() const {
  const UnitFile* file = ps::file();
  const Driver& d = driver_;
  return file == file_ && opening_of(file) == opening_ && move_pending_ == path_move_pending() &&
         d.ipsfont == psparams.ipsfont && d.ipstype == psparams.ipstype && d.ipspath == psparams.ipspath &&
         same_bits(d.txtsize, psparams.txtsize) && same_bits(attributes_, plt2blk) &&
         same_bits(subplot_, subplot_now()) && same_running_numbers(running_, ptblock) &&
         same_running_texts(running_, ptblock) && d.psorient == psparams.psorient &&
         d.designator == text_designator();
}

void DrawingState::set_again() const {
  set_driver(driver_, parts_);
  if ((parts_ & subplot) != 0) set_subplot(subplot_);
  if ((parts_ & attributes) != 0) plt2blk = attributes_;
  set_running_point_again(running_, (parts_ & running_numbers) != 0, (parts_ & running_texts) != 0);
  set_path_move_pending(move_pending_);
}

void DrawingState::set_only_changes_since(const DrawingState& before) { parts_ = differences(*this, before); }

}  // namespace dorvix
