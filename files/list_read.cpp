#include "files/list_read.hpp"

#include "numbers/number_parse.hpp"

namespace dorvix {

namespace {
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
}  // namespace

ListRead::ListRead(int unit)
    : source_([unit](std::string& line) { return units().read_line(unit, line); }) {}

ListRead::ListRead(LineSource source) : source_(std::move(source)) {}

ListRead::ListRead(std::string_view text, Internal) : text_(text), have_line_(true) {}

ListRead ListRead::from_text(std::string_view text) { return ListRead(text, Internal{}); }

bool ListRead::fetch_line() {
  // An internal read has no line after its text.
  const ReadResult r = source_ ? source_(line_) : ReadResult::end_of_file;
  if (r != ReadResult::ok) {
    status_ = r;
    return false;
  }
  text_ = line_;
  pos_ = 0;
  have_line_ = true;
  return true;
}

void ListRead::take_quoted(char quote) {
  quoted_ = true;
  quoted_text_.clear();
  ++pos_;
  while (pos_ < text_.size()) {
    if (text_[pos_] == quote) {
      if (pos_ + 1 < text_.size() && text_[pos_ + 1] == quote) {
        quoted_text_.push_back(quote);
        pos_ += 2;
        continue;
      }
      ++pos_;
      break;
    }
    quoted_text_.push_back(text_[pos_++]);
  }
  item_ = quoted_text_;
}

ListRead::Next ListRead::next_item() {
  if (repeat_ > 0) {
    --repeat_;
    return repeat_null_ ? Next::null : Next::value;
  }
  if (ended_) return Next::done;
  for (;;) {
    if (!have_line_ && !fetch_line()) return Next::done;
    while (pos_ < text_.size() && is_blank(text_[pos_])) ++pos_;
    if (pos_ >= text_.size()) {
      // The end of a line separates values but is no null value.
      have_line_ = false;
      after_separator_ = true;
      continue;
    }
    const char c = text_[pos_];
    if (c == '/') {
      ended_ = true;
      return Next::done;
    }
    if (c == ',') {
      ++pos_;
      if (after_separator_) return Next::null;  // ",," or a leading comma
      after_separator_ = true;
      continue;
    }
    break;
  }
  // An item starts at pos_; unquoted, it is read where it stands.
  quoted_ = false;
  const char c = text_[pos_];
  if (c == '\'' || c == '"') {
    take_quoted(c);
  } else {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !is_blank(text_[pos_]) && text_[pos_] != ',' && text_[pos_] != '/') ++pos_;
    item_ = text_.substr(start, pos_ - start);
  }
  // The separator after the item: blanks, then at most one comma.
  while (pos_ < text_.size() && is_blank(text_[pos_])) ++pos_;
  after_separator_ = false;
  if (pos_ < text_.size() && text_[pos_] == ',') {
    ++pos_;
    after_separator_ = true;
  }
  // A repeat count r*value or r* (r nulls).
  if (!quoted_) {
    const auto star = item_.find('*');
    int count = 0;
    if (star != std::string_view::npos && star > 0 && parse_int(item_.substr(0, star), count) && count > 0 &&
        item_[0] != '+' && item_[0] != '-') {
      const std::string_view value = item_.substr(star + 1);
      repeat_null_ = value.empty();
      repeat_ = count - 1;
      if (repeat_null_) return Next::null;
      item_ = value;
      if (!item_.empty() && (item_[0] == '\'' || item_[0] == '"')) {
        quoted_ = true;
        item_ = item_.substr(1, item_.size() >= 2 ? item_.size() - 2 : 0);
      }
    }
  }
  return Next::value;
}

ListRead& ListRead::operator>>(int& value) {
  if (status_ != ReadResult::ok) return *this;
  const Next n = next_item();
  if (n == Next::value) {
    int v = 0;
    if (quoted_ || !parse_int(item_, v)) {
      status_ = ReadResult::error;
      return *this;
    }
    value = v;
  }
  return *this;
}

ListRead& ListRead::operator>>(real& value) {
  if (status_ != ReadResult::ok) return *this;
  const Next n = next_item();
  if (n == Next::value) {
    real v = 0.0f;
    if (quoted_ || !parse_real(item_, v)) {
      status_ = ReadResult::error;
      return *this;
    }
    value = v;
  }
  return *this;
}

ListRead& ListRead::operator>>(std::string& value) {
  if (status_ != ReadResult::ok) return *this;
  if (next_item() == Next::value) value = item_;
  return *this;
}

}  // namespace dorvix
