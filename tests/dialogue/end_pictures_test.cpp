#include "dialogue/end_pictures.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "dialogue/boxes.hpp"
#include "dialogue_helpers.hpp"
#include "platform/clock.hpp"

namespace dorvix {
namespace {

using namespace testing;

class EndPictures : public ConsoleTest {
 protected:
  void TearDown() override {
    set_clock_source({});
    ConsoleTest::TearDown();
  }

  // The rows a picture routine writes, with its indent removed and the
  // section sign of the basement taken as the one character '$'.
  Lines picture(void (*routine)(), std::size_t indent) {
    routine();
    Lines rows;
    for (auto line : screen_lines()) {
      EXPECT_EQ(line.substr(0, indent), std::string(indent, ' '));
      line = line.substr(indent);
      for (std::size_t p; (p = line.find("\u00a7")) != std::string::npos;) line.replace(p, 2, "$");
      rows.push_back(line);
    }
    return rows;
  }

  // The picture's rows between its two empty rows, each `columns` wide.
  Lines framed_rows(void (*routine)(), std::size_t rows, std::size_t columns, std::size_t indent = 1) {
    const Lines all = picture(routine, indent);
    EXPECT_EQ(all.size(), rows + 2);
    if (all.size() != rows + 2) return {};
    EXPECT_EQ(all.front(), "  ");
    EXPECT_EQ(all.back(), "  ");
    Lines inner(all.begin() + 1, all.end() - 1);
    for (const auto& r : inner) EXPECT_EQ(r.size(), columns) << r;
    return inner;
  }
};

// The character at a row and column, both counted from 1.
char at(const Lines& rows, std::size_t row, std::size_t column) { return rows.at(row - 1).at(column - 1); }

std::size_t count_of(const Lines& rows, char c) {
  std::size_t n = 0;
  for (const auto& r : rows) n += static_cast<std::size_t>(std::count(r.begin(), r.end(), c));
  return n;
}

TEST_F(EndPictures, MagicSquareAndPalindromeSquare) {
  const Lines square = framed_rows(carmag33, 7, 30);
  ASSERT_EQ(square.size(), 7u);
  EXPECT_EQ(square[0].substr(14, 13), std::string(13, '-'));
  EXPECT_EQ(square[2].substr(14, 13), "|---|---|---|");
  int m[3][3];
  for (int i = 0; i < 3; ++i) {
    const std::size_t row = 2 + 2 * static_cast<std::size_t>(i);
    for (std::size_t c : {15u, 19u, 23u, 27u}) EXPECT_EQ(at(square, row, c), '|');
    for (int j = 0; j < 3; ++j) m[i][j] = at(square, row, 17 + 4 * static_cast<std::size_t>(j)) - '0';
  }
  EXPECT_EQ(m[0][0], 8);
  EXPECT_EQ(m[2][2], 2);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(m[i][0] + m[i][1] + m[i][2], 15);
    EXPECT_EQ(m[0][i] + m[1][i] + m[2][i], 15);
  }
  EXPECT_EQ(m[0][0] + m[1][1] + m[2][2], 15);
  EXPECT_EQ(m[0][2] + m[1][1] + m[2][0], 15);

  const Lines words = framed_rows(sator, 5, 30);
  ASSERT_EQ(words.size(), 5u);
  for (std::size_t i = 1; i <= 5; ++i) {
    EXPECT_EQ(at(words, i, 17), ' ');
    for (std::size_t j = 1; j <= 5; ++j) {
      const std::size_t col = 18 + 2 * (j - 1);
      EXPECT_EQ(at(words, i, col), at(words, j, 18 + 2 * (i - 1)));      // reads the same down and across
      EXPECT_EQ(at(words, i, col), at(words, 6 - i, 18 + 2 * (5 - j)));  // and backwards
      EXPECT_EQ(at(words, i, col + 1), ' ');
    }
  }
  EXPECT_EQ(words[0].substr(17, 10), "S A T O R ");
}

TEST_F(EndPictures, TetraktysAndItsTemples) {
  const Lines points = framed_rows(tetrakis, 6, 30);
  ASSERT_EQ(points.size(), 6u);
  EXPECT_EQ(points[0], std::string(30, ' '));
  EXPECT_EQ(points[5], std::string(30, ' '));
  const std::size_t first[] = {22, 20, 18, 16};
  for (std::size_t k = 0; k < 4; ++k) {
    for (std::size_t j = 0; j <= k; ++j) EXPECT_EQ(at(points, k + 2, first[k] + 4 * j), 'O');
  }
  EXPECT_EQ(count_of(points, 'O'), 10u);

  const Lines front = framed_rows(tetratemple1, 13, 35);
  ASSERT_EQ(front.size(), 13u);
  const std::size_t spread[] = {22, 19, 16, 13};
  for (std::size_t k = 0; k < 4; ++k) {
    for (std::size_t j = 0; j <= k; ++j) EXPECT_EQ(at(front, k + 2, spread[k] + 6 * j), 'O');
  }
  EXPECT_EQ(count_of(front, 'O'), 10u);
  EXPECT_EQ(front[5], std::string(12, ' ') + std::string(19, '=') + std::string(4, ' '));
  for (std::size_t r = 7; r <= 11; ++r) EXPECT_EQ(front[r - 1], "              | |   | |   | |      ");
  EXPECT_EQ(front[11], std::string(11, ' ') + std::string(21, '=') + std::string(3, ' '));
  EXPECT_EQ(front[12], std::string(35, ' '));

  const Lines side = framed_rows(tetratemple2, 18, 35);
  ASSERT_EQ(side.size(), 18u);
  EXPECT_EQ(side[0], std::string(35, ' '));
  EXPECT_EQ(side[17], std::string(35, ' '));
  EXPECT_EQ(count_of(Lines(side.begin() + 1, side.begin() + 9), 'O'), 10u);
  EXPECT_NE(side[9].find(std::string(19, '=')), std::string::npos);
  EXPECT_NE(side[15].find("/" + std::string(19, '=') + "/"), std::string::npos);
  EXPECT_NE(side[16].find(std::string(21, '=')), std::string::npos);
  for (std::size_t r = 11; r <= 15; ++r) EXPECT_EQ(std::count(side[r - 1].begin(), side[r - 1].end(), '|'), 7);
}

TEST_F(EndPictures, HappyFaceIsTheSadFaceSmiling) {
  const Lines happy = framed_rows(happyface, 18, 40, 4);
  const Lines sad = framed_rows(sorryface, 18, 40, 4);
  ASSERT_EQ(happy.size(), 18u);
  ASSERT_EQ(sad.size(), 18u);
  for (std::size_t r = 1; r <= 18; ++r) {
    if (r >= 12 && r <= 14) continue;
    EXPECT_EQ(happy[r - 1], sad[r - 1]) << r;
  }
  auto mouth = [](const Lines& face, std::size_t row) {
    std::string m = face[row - 1];
    m[1] = m[34] = ' ';  // the outline on these rows
    m[2] = m[33] = ' ';
    m[3] = m[32] = ' ';
    return m;
  };
  EXPECT_EQ(mouth(happy, 12), "       &&" + std::string(18, ' ') + "&&           ");
  EXPECT_EQ(mouth(happy, 13), "         &&&            &&&             ");
  EXPECT_EQ(mouth(happy, 14), std::string(12, ' ') + std::string(12, '&') + std::string(16, ' '));
  EXPECT_EQ(mouth(happy, 12), mouth(sad, 14));
  EXPECT_EQ(mouth(happy, 14), mouth(sad, 12));
}

// Checks a fault picture: layers "-&-0=#" from the top of each block down
// over the basement '$', three faults 14 columns apart (13 of rock
// between), each block one row below its left neighbour, "+" where the top
// layer of each of the first three blocks meets the fault on its right.
void expect_faulted_layers(const Lines& rows, char fault, int lean) {
  const std::string layers = "-&-0=#";
  ASSERT_EQ(rows.size(), 10u);
  std::vector<std::size_t> previous;
  for (std::size_t r = 1; r <= 10; ++r) {
    const std::string& row = rows[r - 1];
    std::vector<std::size_t> faults;
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (row[c] == fault || row[c] == '+') faults.push_back(c);
    }
    ASSERT_EQ(faults.size(), std::min<std::size_t>(r, 3)) << r << ": " << row;
    for (std::size_t k = 0; k < faults.size(); ++k) {
      if (k > 0) {
        EXPECT_EQ(faults[k] - faults[k - 1], 14u) << r;
      }
      EXPECT_EQ(row[faults[k]], k + 1 == r ? '+' : fault) << r;
      if (k < previous.size()) {
        EXPECT_EQ(static_cast<long>(faults[k]) - static_cast<long>(previous[k]), lean) << r;
      }
    }
    previous = faults;
    // Block b (1 to 4) starts at row b.
    for (std::size_t b = 1; b <= 4; ++b) {
      const std::size_t from = b == 1 ? 0 : (b - 2 < faults.size() ? faults[b - 2] + 1 : row.size());
      const std::size_t to = b - 1 < faults.size() ? faults[b - 1] : row.size();
      for (std::size_t c = from; c < to && c < row.size(); ++c) {
        const char want = r < b ? ' ' : (r - b < layers.size() ? layers[r - b] : '$');
        EXPECT_EQ(row[c], want) << "row " << r << " column " << c + 1;
      }
    }
  }
}

TEST_F(EndPictures, NormalAndReverseFaults) {
  const Lines normal = framed_rows(offsetnf, 10, 43);
  expect_faulted_layers(normal, '\\', +1);
  const Lines reverse = framed_rows(offsetrf, 10, 43);
  expect_faulted_layers(reverse, '/', -1);
  // The basement is shown as the section sign.
  offsetnf();
  EXPECT_NE(screen().find("\u00a7"), std::string::npos);
}

TEST_F(EndPictures, FacesOverAWall) {
  const Lines rows = framed_rows(endfun1, 8, 44);
  ASSERT_EQ(rows.size(), 8u);
  const std::string& edge = rows[3];
  EXPECT_EQ(edge.front(), '|');
  EXPECT_EQ(edge.back(), '|');
  EXPECT_EQ(edge.find_first_not_of("-|oo0(_)"), std::string::npos) << edge;
  for (const char* part : {"oo0", "0oo", "(_)"}) {
    const auto first = edge.find(part);
    ASSERT_NE(first, std::string::npos) << part;
    EXPECT_NE(edge.find(part, first + 1), std::string::npos) << part;  // both side faces
  }
  const std::string empty = "|" + std::string(42, ' ') + "|";
  EXPECT_EQ(rows[4], empty);
  EXPECT_EQ(rows[6], empty);
  EXPECT_EQ(rows[7], "|" + std::string(42, '-') + "|");
  const std::string& caption = rows[5];
  const auto left = caption.find_first_not_of(' ', 1) - 1;
  const auto right = caption.size() - 2 - caption.find_last_not_of(' ', caption.size() - 2);
  EXPECT_LE(left > right ? left - right : right - left, 1u);                          // centred
  EXPECT_EQ(caption.find_first_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos);  // capitals
}

// The picture of each last digit of the seconds.
void (*const picture_of_digit[])() = {happyface,    sator,        carmag33, endfun1,  tetrakis,
                                      tetratemple1, tetratemple2, offsetnf, offsetrf, tetrakis};

TEST_F(EndPictures, ClosingBlockDrawsThePictureOfTheSecondsShown) {
  for (int digit = 0; digit <= 9; ++digit) {
    int readings = 0;
    set_clock_source([digit, &readings] {
      ++readings;
      return DateTime{2026, 12, 6, 23, 4, 50 + digit};
    });
    maintail("dorvix     ", " 2.0", "01-06-2010");
    EXPECT_EQ(readings, 1);
    const Lines lines = screen_lines();
    picture_of_digit[digit]();
    const Lines want_picture = screen_lines();
    const Lines head = {" " + std::string(43, '@'), " @ PROGRAM dorvix", " @ Version:  2.0",
                        " @ EXECUTION TERMINATED AT: 23:04:5" + std::to_string(digit), " @" + std::string(42, '-')};
    ASSERT_EQ(lines.size(), head.size() + want_picture.size() + 1) << digit;
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 5), head);
    EXPECT_EQ(Lines(lines.begin() + 5, lines.end() - 1), want_picture) << digit;
    EXPECT_EQ(lines.back(), " " + std::string(43, '@'));
  }
}

TEST_F(EndPictures, RealClockGivesATimeAndItsPicture) {
  maintail("dorvix", " 2.0", "01-06-2010");
  const Lines lines = screen_lines();
  ASSERT_GE(lines.size(), 6u);
  std::smatch m;
  ASSERT_TRUE(std::regex_match(lines[3], m, std::regex(R"( @ EXECUTION TERMINATED AT: [0-2]\d:[0-5]\d:[0-6](\d))")))
      << lines[3];
  picture_of_digit[std::stoi(m[1])]();
  const Lines want_picture = screen_lines();
  EXPECT_EQ(Lines(lines.begin() + 5, lines.end() - 1), want_picture);
}

}  // namespace
}  // namespace dorvix
