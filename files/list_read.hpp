#pragma once
// Free-format (list-directed) reading. One ListRead is one read statement:
// its values are taken in order from the current line and, when that line
// runs out, from the following lines; whatever is left on the last line
// used is skipped, so the next read starts on a new line.
//
// Values are separated by blanks, tabs or a comma (with blanks around it);
// two commas in a row give a null value, which leaves its variable as it
// was; a slash ends the read early, leaving the remaining variables as they
// were; "r*v" stands for r copies of v. Texts may be quoted with ' or "
// (a doubled quote inside stands for one). Integer and real notations are
// both accepted for a real; NaN, infinities and overflow are unreadable.

#include <functional>
#include <string>
#include <string_view>

#include "files/units.hpp"
#include "numbers/real.hpp"

namespace dorvix {

class ListRead {
 public:
  using LineSource = std::function<ReadResult(std::string&)>;

  // Reads lines from a unit of the unit table.
  explicit ListRead(int unit);
  // Reads lines from any source (the prompts read their answers so).
  explicit ListRead(LineSource source);
  // Reads from one text only (an internal read): running out of it is an
  // end of file. The text is read in place, with nothing copied or
  // allocated: it must outlive the read.
  static ListRead from_text(std::string_view text);

  // A read is a statement in progress, bound to its line: not copied.
  ListRead(const ListRead&) = delete;
  ListRead& operator=(const ListRead&) = delete;

  ListRead& operator>>(int& value);
  ListRead& operator>>(real& value);
  ListRead& operator>>(std::string& value);

  // ok, end_of_file (input ended before every value was read) or error
  // (a value could not be read). After a failure further values are not read.
  ReadResult status() const { return status_; }
  bool ok() const { return status_ == ReadResult::ok; }
  // The text of the value read last, quotes removed: after an error, the
  // value that could not be read. Valid until the next value is read.
  std::string_view item() const { return item_; }

 private:
  struct Internal {};
  ListRead(std::string_view text, Internal);

  enum class Next { value, null, done };
  // Finds the next item: its text in item_ (quotes removed when quoted_).
  Next next_item();
  bool fetch_line();
  // The quoted item at pos_ (its opening quote), doubled quotes made one.
  void take_quoted(char quote);

  LineSource source_;  // none for an internal read
  std::string line_;   // the last line the source gave
  std::string_view text_;  // the line being read: line_, or an internal read's text
  std::size_t pos_ = 0;
  bool have_line_ = false;
  bool after_separator_ = true;  // a comma just seen, or start of the read
  bool ended_ = false;           // a slash was read
  std::string_view item_;    // in text_, or in quoted_ text
  std::string quoted_text_;  // the text of the last quoted item
  bool quoted_ = false;
  int repeat_ = 0;          // copies still to deliver of a repeated item
  bool repeat_null_ = false;
  ReadResult status_ = ReadResult::ok;
};

}  // namespace dorvix
