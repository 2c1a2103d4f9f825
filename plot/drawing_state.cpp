#include "plot/drawing_state.hpp"

#include "plot/device.hpp"
#include "plot/ps_stream.hpp"
#include "plot/psparams.hpp"
#include "plot/running_point_values.hpp"
#include "plot/subplot_maps.hpp"

namespace dorvix {

namespace {

long long opening_of(const UnitFile* file) { return file != nullptr ? file->opening() : 0; }

}  // namespace

// The records are taken apart by structured bindings that name every
// field, so that a field added to one of them stops the build here until
// it is placed.

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

DrawingState::Running::Numbers DrawingState::running_numbers_now() {
  const auto& [pt, pti, ptf, ptd, rnp, rnseg, np, ipt, ptname, pttext, ptlabel] = ptblock;
  static_cast<void>(ptname), static_cast<void>(pttext), static_cast<void>(ptlabel);
  return {pt, pti, ptf, ptd, rnp, rnseg, np, ipt};
}

bool DrawingState::same_running_texts(const Running& r) {
  return r.ptname == ptblock.ptname && r.pttext == ptblock.pttext && r.ptlabel == ptblock.ptlabel;
}

void DrawingState::set_running(const Running& r, unsigned parts) {
  if ((parts & running_numbers) != 0) {
    const Running::Numbers& n = r.numbers;
    ptblock.pt = n.pt;
    ptblock.pti = n.pti;
    ptblock.ptf = n.ptf;
    ptblock.ptd = n.ptd;
    ptblock.rnp = n.rnp;
    ptblock.rnseg = n.rnseg;
    ptblock.np = n.np;
    ptblock.ipt = n.ipt;
  }
  if ((parts & running_texts) != 0) {
    ptblock.ptname = r.ptname;
    ptblock.pttext = r.pttext;
    ptblock.ptlabel = r.ptlabel;
  }
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
  const Running &r = a.running_, &t = b.running_;
  if (!same_bits(r.numbers, t.numbers)) parts |= running_numbers;
  if (r.ptname != t.ptname || r.pttext != t.pttext || r.ptlabel != t.ptlabel) parts |= running_texts;
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
  s.running_ = {running_numbers_now(), ptblock.ptname, ptblock.pttext, ptblock.ptlabel};
  return s;
}

bool DrawingState::holds() const {
  const UnitFile* file = ps::file();
  const Driver& d = driver_;
  return file == file_ && opening_of(file) == opening_ && move_pending_ == path_move_pending() &&
         d.ipsfont == psparams.ipsfont && d.ipstype == psparams.ipstype && d.ipspath == psparams.ipspath &&
         same_bits(d.txtsize, psparams.txtsize) && same_bits(attributes_, plt2blk) &&
         same_bits(subplot_, subplot_now()) && same_bits(running_.numbers, running_numbers_now()) &&
         same_running_texts(running_) && d.psorient == psparams.psorient &&
         d.designator == text_designator();
}

void DrawingState::set_again() const {
  set_driver(driver_, parts_);
  if ((parts_ & subplot) != 0) set_subplot(subplot_);
  if ((parts_ & attributes) != 0) plt2blk = attributes_;
  set_running(running_, parts_);
  set_path_move_pending(move_pending_);
}

void DrawingState::set_only_changes_since(const DrawingState& before) { parts_ = differences(*this, before); }

}  // namespace dorvix
