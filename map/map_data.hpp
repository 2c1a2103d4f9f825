#pragma once
// The mechanisms a map is drawn of, as the map driver takes them from its
// caller and hands them to each drawing run.

#include <span>

#include "catalogue/store.hpp"
#include "numbers/real.hpp"

namespace dorvix {

// The arrays are of the declared size ndatdim (the store's ndatmax), of
// which entries 1 to ndat are in use.
struct MapData {
  std::span<real> xd{}, yd{};  // receive the projected epicentres at each run
  // Epicentres in degrees, as the store holds them; the map computes with
  // them in single precision.
  std::span<const double> rlong{}, rlat{};
  std::span<const real> depth{};  // km
  std::span<const FixedText<10>> date1{};
  std::span<const FixedText<5>> time1{};
  std::span<const real> azd1{}, dipd1{}, rakd1{};  // the nodal plane mapped, degrees
  int ndat = 0;
  int ndatdim = 0;
  int iouk = 2;        // output file of the data-file table for the Si-Sh rows
  bool lsish = false;  // write the Si-Sh rows (the caller has opened the file)
  int ksub = 1;        // subplot of the map
};

}  // namespace dorvix
