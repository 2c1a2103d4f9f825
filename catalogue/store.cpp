#include "catalogue/store.hpp"

#include <cstring>

#include "numbers/edit.hpp"

namespace dorvix {

void set_date_texts(FpsBlk& blk, std::size_t slot) {
  // "yyyy-mm-dd" and "hh:mm" edited in place in the slot's texts; the
  // label is the two joined by a blank.
  char* date = blk.cdate1[slot].c.data();
  std::memcpy(date, "    -  -  ", 10);
  edit::i_field(date, blk.iyear1[slot], 4);
  edit::i_field(date + 5, blk.imonth1[slot], 2, 2);
  edit::i_field(date + 8, blk.iday1[slot], 2, 2);
  char* time = blk.ctime1[slot].c.data();
  std::memcpy(time, "  :  ", 5);
  edit::i_field(time, blk.ihour1[slot], 2, 2);
  edit::i_field(time + 3, blk.imn1[slot], 2, 2);
  char* label = blk.fpslabel[slot].c.data();
  std::memcpy(label, date, 10);
  label[10] = ' ';
  std::memcpy(label + 11, time, 5);
}

}  // namespace dorvix
