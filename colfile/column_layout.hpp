#pragma once
// The set-up of the column-file reader, shared by its dialogues and kept
// for the whole run.
//
// A column file is a text file of numbers in columns under a few header
// lines: lines 1 to iskip carry no data; among them line ititle may hold
// the title (a quoted text) and line iheader the column names (quoted
// texts). Every later line is data: one record is one free-format read of
// nfcol numbers, taken from as many lines as it needs; numbers left on the
// line that completes a record are ignored. Record n becomes line n of the
// caller's array.
//
// Variable v reads file column jfcol(v) into array column jcol(v). Texts
// are held blank-padded to their field length; index k of an array holds
// item k + 1 (variable, file column or number of the record).

#include <array>
#include <string>

#include "numbers/real.hpp"

namespace dorvix {

// Bounds of the file columns and of the variables.
inline constexpr int max_file_columns = 99;
inline constexpr int max_variables = 99;
// Field length of the variable and file-column names.
inline constexpr std::size_t column_name_width = 11;
// Length of the title the column dialogue and the data report read for
// themselves.
inline constexpr std::size_t own_title_width = 50;

// The header layout of a column file, with its defaults.
struct HeaderLayout {
  int ndisp = 3;    // lines shown by the header dialogue
  int iskip = 2;    // header lines before the data
  int ititle = 1;   // line of the title, 0 or less: none
  int iheader = 2;  // line of the column names, 0 or less: none
};

// The whole set-up: the header layout, the variables and the record.
struct ReadRealSetup : HeaderLayout {
  std::array<int, max_variables> jcol{};   // array column of each variable
  std::array<int, max_variables> jfcol{};  // file column of each variable
  int nvar = 0;                            // variables stored
  int nfcol = 0;                           // numbers read per record
  std::array<real, max_file_columns> rr{};  // numbers of the current record
  std::array<std::string, max_variables> namvar{};      // variable names
  std::array<std::string, max_file_columns> namfcol{};  // file column names
};

inline ReadRealSetup readrealsetup;

namespace colfile {

// The index of item k (counted from 1) in the arrays above and the
// caller's.
inline std::size_t at(int k) { return static_cast<std::size_t>(k - 1); }

}  // namespace colfile

}  // namespace dorvix
