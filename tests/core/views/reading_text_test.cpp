#include <algorithm>
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "platform/Cp932.h"
#include "views/ContextSearch.h"
#include "views/LineWords.h"
#include "views/TextLineIndex.h"

namespace lexiscoop {
namespace {

std::vector<std::string> LinesOf(const TextLineIndex& index) {
  std::vector<std::string> lines;
  for (int i = 0; i < index.LineCount(); ++i) lines.emplace_back(index.Line(i));
  return lines;
}

TEST(TextLineIndexTest, SplitsAtLineFeedsAndDropsLineEnds) {
  struct Row {
    std::string text;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"", {}},
      {"one", {"one"}},
      {"one\n", {"one"}},
      {"one\r\ntwo\r\n", {"one", "two"}},
      {"one\n\nthree", {"one", "", "three"}},
      {"\n", {""}},
      {"\n\n", {"", ""}},
      {"a\rb\n", {"a\rb"}},  // a lone carriage return is no line end
      {"last\r", {"last"}},
  };
  for (const Row& row : rows) {
    const TextLineIndex index(row.text);
    EXPECT_EQ(LinesOf(index), row.lines) << "text «" << row.text << "»";
  }
}

TEST(TextLineIndexTest, FindsTheLineOfAnOffsetAndTheLongestLine) {
  const std::string text = "ab\r\ncdefg\n\nh";
  const TextLineIndex index(text);
  ASSERT_EQ(index.LineCount(), 4);
  const std::pair<uint32_t, int> offsets[] = {{0, 0}, {3, 0}, {4, 1}, {9, 1}, {10, 2}, {11, 3}, {12, 3}};
  for (const auto& [offset, line] : offsets) EXPECT_EQ(index.LineOfOffset(offset), line) << offset;
  EXPECT_EQ(index.LongestLine(), 5u);
}

// Lines found from every sixteenth start: each line and the line of every
// offset agree with a plain split of the text, across many blocks.
TEST(TextLineIndexTest, ManyLinesAgreeWithAPlainSplit) {
  for (const bool endsWithFeed : {false, true}) {
    std::string text;
    std::vector<std::string> expected;
    std::vector<int> lineOf;  // per byte
    size_t longest = 0;  // bytes before a line feed
    for (int i = 0; i < 203; ++i) {
      std::string line(static_cast<size_t>((i * 7) % 13), static_cast<char>('a' + i % 26));
      if (i % 5 == 0) line += '\r';  // a CR LF line end
      longest = std::max(longest, line.size());
      const bool last = i == 202;
      expected.push_back(i % 5 == 0 && !line.empty() ? line.substr(0, line.size() - 1) : line);
      text += line;
      if (!last || endsWithFeed) text += '\n';
      lineOf.resize(text.size(), i);
    }
    lineOf.push_back(202);  // the end of the text
    const TextLineIndex index(text);
    ASSERT_EQ(index.LineCount(), 203);
    EXPECT_EQ(LinesOf(index), expected);
    for (uint32_t offset = 0; offset <= text.size(); ++offset) {
      ASSERT_EQ(index.LineOfOffset(offset), lineOf[offset]) << offset;
    }
    EXPECT_EQ(index.LongestLine(), longest);
    EXPECT_EQ(index.LineStart(200), static_cast<uint32_t>(std::find(lineOf.begin(), lineOf.end(), 200) - lineOf.begin()));
  }
}

std::vector<std::string> WordsOfLine(std::string_view line) {
  std::vector<std::string> words;
  LineWordScanner scanner(line);
  LineWord word{};
  while (scanner.Next(word)) {
    words.push_back(std::string(word.word) + "@" + std::to_string(word.start) + "+" + std::to_string(word.length));
  }
  return words;
}

TEST(LineWordsTest, FindsWordsByTheScannersRules) {
  struct Row {
    std::string line;
    std::vector<std::string> words;  // counted form @ start + length
  };
  const Row rows[] = {
      {"The cat.", {"The@0+3", "cat@4+3"}},
      {"I'm here, don't go", {"I@0+3", "here@4+4", "do@10+5", "go@16+2"}},
      {"3D x-ray _under", {"D@1+1", "x-ray@3+5", "under@10+5"}},  // a word starts with a letter
      {"n't", {}},
      {"well--", {"well@0+6"}},
      {Cp932FromUtf8("日本語のcatと") , {"cat@8+3"}},
      {Cp932FromUtf8("ｃａｔ　dog"), {"cat@0+6", "dog@8+3"}},
      {Cp932FromUtf8("abｃ1"), {"abc1@0+5"}},
      {std::string("ab\x82"), {"ab@0+2"}},  // a lead byte alone at the end
  };
  for (const Row& row : rows) EXPECT_EQ(WordsOfLine(row.line), row.words) << row.line;
}

// Over random texts, the words found line by line are the words the analysis
// run counts, with the same counts.
TEST(LineWordsTest, AgreesWithTheAnalysisRunOnRandomTexts) {
  const std::string pieces[] = {"the",  "Cat",     "cats", "I'm",  "don't", "x-ray", "well--", "n't",
                                "3D",   " ",       " ",    ", ",   ".",     "\r\n",  "\n",     "\t",
                                Cp932FromUtf8("日本"), Cp932FromUtf8("ｃａｔ"), Cp932FromUtf8("　"),
                                Cp932FromUtf8("ｒｕｎｓ"), "O'Neil", "_a", "e-mail", "A"};
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    std::string text;
    const int n = static_cast<int>(random() % 80);
    for (int i = 0; i < n; ++i) text += pieces[random() % std::size(pieces)];
    text += "\n";
    TMyParser parser;
    parser.AssignText(text);
    AnalysisResult result;
    ScanText(parser, result);
    std::map<std::string, int> expected;
    for (int w = 0; w < result.words.Count(); ++w) {
      std::string lower(result.words.Word(w));
      for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      expected[lower] += result.words.Occurrences(w);
    }
    std::map<std::string, int> found;
    const TextLineIndex index(text);
    for (int line = 0; line < index.LineCount(); ++line) {
      LineWordScanner scanner(index.Line(line));
      LineWord word{};
      while (scanner.Next(word)) {
        std::string lower(word.word);
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        ++found[lower];
      }
    }
    ASSERT_EQ(found, expected) << "round " << round << " text «" << text << "»";
  }
}

TEST(ContextSearchTest, FindsEverySpellingFromTheFirstToTheLastWord) {
  const std::string text = "Wrote it.\r\nI write\r\n\r\nshe writes, has written and WROTE";
  const TextLineIndex index(text);
  ContextSearch search(index, [](std::string_view w, uint64_t) {
    std::string lower(w);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower == "write" || lower == "wrote" || lower == "writes" || lower == "written";
  });
  std::vector<ContextHit> hits;
  // One line at a time: the search goes on where it stopped.
  EXPECT_EQ(search.FindMore(hits, 10, 1), 1u);
  EXPECT_FALSE(search.AtEnd());
  EXPECT_EQ(search.FindMore(hits, 10, 100), 4u);
  EXPECT_TRUE(search.AtEnd());
  const std::vector<std::tuple<int, uint32_t, uint32_t>> expected = {
      {0, 0, 5}, {1, 2, 5}, {3, 4, 6}, {3, 16, 7}, {3, 28, 5}};
  ASSERT_EQ(hits.size(), expected.size());
  for (size_t i = 0; i < hits.size(); ++i) {
    EXPECT_EQ(std::make_tuple(hits[i].line, hits[i].start, hits[i].length), expected[i]) << i;
  }
  EXPECT_EQ(ContextLineText(index.Line(3), hits[4], 12), "      4  written and  WROTE ");
  EXPECT_EQ(ContextLineText(index.Line(0), hits[0], 4), "      1       Wrote  it.");
}

TEST(ContextSearchTest, StopsAfterTheHitsAskedFor) {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "the cat and the dog\n";
  const TextLineIndex index(text);
  ContextSearch search(index, [](std::string_view w, uint64_t) { return w == "the"; });
  std::vector<ContextHit> hits;
  EXPECT_EQ(search.FindMore(hits, 1000, 100000), 1000u);
  EXPECT_EQ(search.NextLine(), 500);
}

// A cut of the context never splits a double-byte character.
TEST(ContextSearchTest, CutsContextAtWholeCharacters) {
  const std::string line = Cp932FromUtf8("あいうえおcatかきくけこ");
  const ContextHit hit{0, 10, 3};
  for (size_t width = 0; width < 14; ++width) {
    const ContextParts parts = ContextPartsOf(line, hit, width);
    EXPECT_EQ(parts.keyword, "cat");
    EXPECT_EQ(parts.left.size(), std::min<size_t>(width / 2 * 2, 10)) << width;
    EXPECT_EQ(parts.right.size(), std::min<size_t>(width / 2 * 2, 10)) << width;
    EXPECT_EQ(Cp932FromUtf8(Utf8FromCp932(parts.left)), parts.left);
    EXPECT_EQ(Cp932FromUtf8(Utf8FromCp932(parts.right)), parts.right);
  }
}

}  // namespace
}  // namespace lexiscoop
