#include <gtest/gtest.h>

#include <memory>

#include "catalogue/store.hpp"

namespace dorvix {
namespace {

TEST(MechanismStore, StartsEmptyWithItsCapacity) {
  EXPECT_EQ(ndatmax, 60000);
  EXPECT_EQ(fpsblk.ndata, 0);
  EXPECT_EQ(fpsblk.itype, itype_empty);
  EXPECT_EQ(fpsblk.rlat1.size(), 60000u);
  EXPECT_EQ(fpsblk.strike1[1].size(), 60000u);
}

TEST(MechanismStore, DateTextsOfASlot) {
  struct Case {
    int year, month, day, hour, minute;
    const char *date, *time, *label;
  };
  const Case cases[] = {
      {2010, 6, 1, 7, 5, "2010-06-01", "07:05", "2010-06-01 07:05"},
      {999, 1, 2, 23, 59, " 999-01-02", "23:59", " 999-01-02 23:59"},
      {1970, 12, 31, 0, 0, "1970-12-31", "00:00", "1970-12-31 00:00"},
      {12345, 123, -1, 0, 0, "****-**-**", "00:00", "****-**-** 00:00"},  // never a longer text
  };
  auto blk = std::make_unique<FpsBlk>();
  for (const Case& c : cases) {
    const std::size_t slot = ndatmax - 1;
    blk->iyear1[slot] = c.year;
    blk->imonth1[slot] = c.month;
    blk->iday1[slot] = c.day;
    blk->ihour1[slot] = c.hour;
    blk->imn1[slot] = c.minute;
    set_date_texts(*blk, slot);
    EXPECT_EQ(blk->cdate1[slot].view(), c.date);
    EXPECT_EQ(blk->ctime1[slot].view(), c.time);
    EXPECT_EQ(blk->fpslabel[slot].view(), c.label);
  }
}

}  // namespace
}  // namespace dorvix
