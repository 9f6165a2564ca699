#include "views/LineWrap.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

// The rows of `line` wrapped at `width`, joined with «|».
std::string Rows(const std::string& line, int width) {
  std::string out;
  uint32_t from = 0;
  for (const WrapPoint& at : WrapLine(line, width)) {
    out += line.substr(from, at.byte - from) + "|";
    from = at.byte;
  }
  return out + line.substr(from);
}

TEST(LineWrapTest, BreaksAfterBlanksAndBesideWideCharactersOnly) {
  const struct {
    const char* utf8;
    int width;
    const char* rows;
  } cases[] = {
      {"the cat sat on the mat", 80, "the cat sat on the mat"},
      {"the cat sat on the mat", 8, "the cat |sat on |the mat"},
      {"the cat sat on the mat", 7, "the cat |sat on |the mat"},  // a blank may hang past the edge
      {"the cat sat on the mat", 3, "the |cat |sat |on |the |mat"},
      {"homeworld", 4, "home|worl|d"},                              // a word wider than a row
      {"a homeworld", 4, "a |home|worl|d"},
      {"日本語の文", 4, "日本|語の|文"},                             // two columns each
      {"cat 日本語", 5, "cat |日本|語"},
      {"x日本", 2, "x|日|本"},
      {"語ｃａｔ", 6, "語|ｃａｔ"},                                  // full-width letters are a word
      {"\tcat", 11, "\tcat"},                                        // a tab reaches column 8
      {"\tcat", 10, "\t|cat"},
      {"", 4, ""},
      {"    ", 2, "    "},
  };
  for (const auto& c : cases) {
    const std::string line = Cp932FromUtf8(c.utf8);
    EXPECT_EQ(Utf8FromCp932(Rows(line, c.width)), c.rows) << c.utf8 << " at " << c.width;
    EXPECT_EQ(WrappedRowCount(line, c.width), static_cast<int>(WrapLine(line, c.width).size()) + 1);
  }
}

// Over random lines: every row but the last holds something, fits its
// width unless it is one character or ends in blanks, and the rows give the
// line back in order; the points' columns are those of their bytes.
TEST(LineWrapTest, RowsFitAndCoverTheLine) {
  const std::string pieces[] = {"a", "word", "longerword", " ", "  ", "\t", Cp932FromUtf8("語"), Cp932FromUtf8("日本")};
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::string line;
    const int n = static_cast<int>(random() % 30);
    for (int i = 0; i < n; ++i) line += pieces[random() % std::size(pieces)];
    const int width = 1 + static_cast<int>(random() % 20);
    uint32_t from = 0;
    uint32_t fromColumn = 0;
    std::vector<WrapPoint> points = WrapLine(line, width);
    points.push_back(WrapPoint{static_cast<uint32_t>(line.size()), 0});
    for (const WrapPoint& at : points) {
      ASSERT_GE(at.byte, from);
      const std::string row = line.substr(from, at.byte - from);
      uint32_t column = fromColumn;
      uint32_t inked = fromColumn;  // the column after the last character that is not blank
      int characters = 0;           // that are not blank
      for (size_t i = 0; i < row.size();) {
        const bool wide = IsLeadByte(static_cast<unsigned char>(row[i])) && i + 1 < row.size();
        column += row[i] == '\t' ? 8 - column % 8 : (wide ? 2 : 1);
        if (row[i] != ' ' && row[i] != '\t') {
          inked = column;
          ++characters;
        }
        i += wide ? 2 : 1;
      }
      if (at.byte != line.size()) {
        ASSERT_FALSE(row.empty()) << line;
        ASSERT_EQ(at.column, column) << line;
        const bool oneCharacter = characters == 1;
        ASSERT_TRUE(inked - fromColumn <= static_cast<uint32_t>(width) || oneCharacter) << line << " at " << width;
      }
      from = at.byte;
      fromColumn = column;
    }
  }
}

TEST(LineWrapTest, WrappedRowsLocateEveryRow) {
  const std::string text = "the cat sat on the mat\r\n\r\nhomeworld\r\nend";
  TextLineIndex lines(text);
  WrappedRows rows;
  rows.Reset(lines, 8);
  // 3 + 1 + 2 + 1 rows.
  ASSERT_EQ(rows.RowCount(), 7);
  const std::pair<int, int> expected[] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {2, 0}, {2, 1}, {3, 0}};
  for (int row = 0; row < rows.RowCount(); ++row) {
    EXPECT_EQ(rows.Locate(row).line, expected[row].first) << row;
    EXPECT_EQ(rows.Locate(row).row, expected[row].second) << row;
  }
  EXPECT_EQ(rows.FirstRowOf(2), 4);
  EXPECT_EQ(rows.FirstRowOf(4), 7);
  rows.Reset(lines, 0);
  EXPECT_EQ(rows.RowCount(), 4);
  EXPECT_EQ(rows.Locate(2).line, 2);
}

}  // namespace
}  // namespace lexiscoop
