#pragma once
// The caller's array that a column file is read into, with the variables
// that fill it: what the column dialogue and the reader take in and hand
// back.

#include <span>
#include <string>

#include "numbers/real.hpp"

namespace dorvix {

// The caller's array as its columns, one span per array column (at least
// one); its number of lines is that of the shortest column.
using Columns = std::span<const std::span<real>>;

// Variable v (counted from 1) reads a file column into an array column.
// The common size of jcola, jfcola and namvara is the caller's bound of
// variables; namrcol has one name for each array column. Names keep the
// caller's lengths.
struct ColumnArray {
  Columns rdat{};                    // the array; lines 1 to nread receive the data
  std::span<int> jcola{};            // in/out: array column of each variable
  std::span<int> jfcola{};           // in/out: file column of each variable
  std::span<std::string> namvara{};  // in/out: name of each variable
  int nvar = 0;                      // in/out: variables to read
  std::span<std::string> namrcol{};  // out: a name for each array column
  int ncolused = 0;                  // out: highest array column filled
  int nread = 0;                     // out: records stored (unchanged when none were read)
};

}  // namespace dorvix
