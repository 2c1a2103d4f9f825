#include "catalogue/store.hpp"

#include <string>

#include "console/edit.hpp"

namespace dorvix {

void set_date_texts(FpsBlk& blk, std::size_t slot) {
  std::string date;
  date.reserve(16);
  edit::i(date, blk.iyear1[slot], 4);
  date += '-';
  edit::i(date, blk.imonth1[slot], 2, 2);
  date += '-';
  edit::i(date, blk.iday1[slot], 2, 2);
  std::string time;
  time.reserve(5);
  edit::i(time, blk.ihour1[slot], 2, 2);
  time += ':';
  edit::i(time, blk.imn1[slot], 2, 2);
  blk.cdate1[slot].assign(date);
  blk.ctime1[slot].assign(time);
  blk.fpslabel[slot].assign(date + ' ' + time);
}

}  // namespace dorvix
