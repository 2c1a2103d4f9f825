#pragma once
// The table of data files: one input file (unit 11) and two output files
// (units 21 and 22; output file 2 is the Si-Sh file). Each slot records its
// unit, whether it is open, its name and what it is for. Slots are opened
// and closed only through opefin/opefou and clofin/clofou; other routines
// read the table to find the unit of an open slot.

#include <array>
#include <cstddef>
#include <string>
#include <optional>
#include <string_view>

#include "files/unit_file.hpp"

namespace dorvix {

inline constexpr int max_input_files = 1;
inline constexpr int max_output_files = 2;
// Length of the name and explanation fields of a slot.
inline constexpr std::size_t data_file_text_width = 40;

// An array of slots read and set as x(1) to x(N).
template <typename T, std::size_t N>
struct Slots {
  std::array<T, N> items{};
  T& operator()(int i) { return items.at(static_cast<std::size_t>(i - 1)); }
  const T& operator()(int i) const { return items.at(static_cast<std::size_t>(i - 1)); }
};

struct FioCom {
  int nfin = 0;                         // input files in use, 0 or 1
  int nfout = 0;                        // output files in use, 0 to 2
  Slots<int, max_input_files> iuinf;    // unit of input file i: 10 + i
  Slots<int, max_output_files> iouf;    // unit of output file i: 20 + i
  Slots<bool, max_input_files> iopin;   // input file i is open
  Slots<bool, max_output_files> iopou;  // output file i is open
  // Names and explanations, blank-padded to 40 characters. A name is the
  // one the file was opened by; it stays after a close.
  Slots<std::string, max_input_files> infnam;
  Slots<std::string, max_output_files> oufnam;
  Slots<std::string, max_input_files> infexpl;
  Slots<std::string, max_output_files> oufexpl;
};

inline FioCom fiocom;

// Sets the table up for nin input and nout output files, every slot closed
// with a blank name, and lists it. A count beyond the capacity ends the
// run. iflag is only handed on.
void initfio(int nin, int nout, int iflag);
// Lists the table on the standard output unit. idum is not read.
void listfio(int idum);
// Opens input file ifile (status old) through the file opener, with the
// explanation cexpl; iflag 0 interactive, 1 silent. An index outside the
// table only lists it; an open slot is reported and left alone.
void opefin(int ifile, std::string_view cexpl, int iflag);
// Closes input file ifile and lists the table.
void clofin(int ifile, int iflag);
// As opefin, for output file ifile (status new).
void opefou(int ifile, std::string_view cexpl, int iflag);
// As clofin, for output file ifile.
void clofou(int ifile, int iflag);
// After a write to output file ifile failed half way: gives the file up.
// A file that was to replace another is removed and the other kept as it
// was; a new file ends at its last complete line, so that no part of a
// line is left to be read back, and tells the lines it keeps when it can
// (not a pipe or a terminal, nor a file that could not be cut). Nothing
// when the file was not open. The slot stays open, for the caller to say
// why and what is left before it closes the slot (clofou), whose table
// follows.
std::optional<FileEnd> give_up_output(int ifile);

}  // namespace dorvix
