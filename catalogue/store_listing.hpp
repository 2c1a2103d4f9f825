#pragma once
// The listing of the mechanism store on the console: one framed row per
// stored mechanism with the year and month, the latitude and longitude
// rounded to whole degrees and the event identifier. The main program and
// the catalogue writer list the store alike; only the head frame and the
// title of the identifier column differ.

#include <string_view>
#include <vector>

#include "dialogue/menu_table.hpp"
#include "dialogue/routine_header.hpp"

namespace dorvix {

// True when the store holds a data type that can be listed (FPFIT or HASH).
bool listable_store();

// The frame rule, the title "EXTRACTED DATA" and the frame rule again.
void store_listing_title();

// The column titles (the identifier column titled `id_title`), the frame
// rule, one row per stored mechanism and the closing frame rule.
void store_listing_rows(std::string_view id_title);

// The closing frame rule alone.
void store_listing_rule();

// The three lines of the store's state in a menu (the capacity, the
// number stored and the data type), each label followed by its number in
// 6 columns; the reader's and the writer's labels unless others are given.
std::vector<MenuRow> store_state_rows(std::string_view capacity = "Maximum nb of stored data=",
                                      std::string_view count = "Current nb of stored data=",
                                      std::string_view type = "Current data type        =");

// The warning box of a listing asked for while the store holds no data
// type: the data type, the command and "==> NO ACTION".
void no_listing_box(const Header& h, int command);

}  // namespace dorvix
