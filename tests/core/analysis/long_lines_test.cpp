// Texts with lines far longer than the scanner's window, against the same
// texts with those lines broken at blanks into short ones: the words, their
// counts, their order of first appearance and their places must not change.

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "core/analysis/reference_scanner.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

// What a run makes of a text: the word table in order of first appearance
// with counts, the token count, and where each written word first occurs.
struct RunOutcome {
  std::vector<std::pair<std::string, int32_t>> table;
  int64_t tokens = 0;
  std::map<std::string, int64_t> firstOffsets;
  std::vector<std::string> written;  // every word as the scanner delivers it
};

RunOutcome RunOn(const std::string& text) {
  TMyParser parser;
  parser.AssignText(text);
  AnalysisResult result;
  ScanText(parser, result);
  RunOutcome outcome;
  for (int i = 0; i < result.words.Count(); ++i) {
    outcome.table.emplace_back(std::string(result.words.Word(i)), result.words.Occurrences(i));
  }
  outcome.tokens = result.tokenCount;
  for (parser.Rewind(); parser.HasWord(); parser.NextWord()) {
    outcome.written.push_back(parser.CurrentWord());
    outcome.firstOffsets.emplace(parser.CurrentWord(), parser.CurrentWordOffset());
  }
  return outcome;
}

// A random text of `lines` lines; each is long (5-60 KB) with probability
// 1/2. The pieces include full-width letters, kana and kanji, contractions,
// hyphens and apostrophes, digits, and now and then a word longer than the
// window.
std::string RandomText(std::mt19937& random, int lines) {
  static const std::vector<std::string> pieces = {
      "the", "cat", "Cats", "don't", "dogs'", "well-known", "x86", "1990s", "e-mail", "it's",
      "-dash", "'quote'", "under_score", "Mr.", "(brackets)", "end--", "I'm", "you'd",
      Cp932FromUtf8("ｗｉｄｅ"), Cp932FromUtf8("Ｉ’ｍ"), Cp932FromUtf8("ｃｏ‐ｏｐ"), Cp932FromUtf8("日本語"),
      Cp932FromUtf8("これはpenです。"), Cp932FromUtf8("、"), Cp932FromUtf8("ｶﾀｶﾅ"), Cp932FromUtf8("漢字English"),
      Cp932FromUtf8("３ｒｄ"), ",", ".", "!", "\"", "\t"};
  std::string text;
  for (int l = 0; l < lines; ++l) {
    const bool longLine = random() % 2 == 0;
    const size_t length = longLine ? 5000 + random() % 55000 : random() % 120;
    std::string line;
    while (line.size() < length) {
      if (random() % 4000 == 0) {
        line += std::string(4000 + random() % 9000, static_cast<char>('a' + random() % 26));
      } else {
        line += pieces[random() % pieces.size()];
      }
      // Mostly blanks between pieces, sometimes none.
      if (random() % 5 != 0) line += ' ';
    }
    text += line;
    text += (random() % 3 == 0) ? "\n" : "\r\n";
  }
  return text;
}

// Replaces blanks by line feeds so that no line is longer than about
// `width` bytes; the text keeps its length, so every word keeps its place.
std::string BrokenAtBlanks(std::string text, size_t width) {
  size_t lineStart = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      lineStart = i + 1;
    } else if (text[i] == ' ' && i - lineStart >= width) {
      text[i] = '\n';
      lineStart = i + 1;
    }
  }
  return text;
}

// The same with CR LF inserted after blanks: places move, words do not.
std::string BrokenWithCrLf(const std::string& text, size_t width) {
  std::string out;
  size_t lineLength = 0;
  for (const char c : text) {
    out += c;
    ++lineLength;
    if (c == '\n') lineLength = 0;
    if (c == ' ' && lineLength >= width) {
      out += "\r\n";
      lineLength = 0;
    }
  }
  return out;
}

size_t LongestLine(const std::string& text) {
  size_t longest = 0, current = 0;
  for (const char c : text) {
    current = c == '\n' ? 0 : current + 1;
    longest = std::max(longest, current);
  }
  return longest;
}

TEST(LongLinesTest, BreakingLongLinesAtBlanksChangesNoWordCountOrPlace) {
  std::mt19937 random(20261207);
  for (int round = 0; round < 12; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const std::string text = RandomText(random, 1 + static_cast<int>(random() % 6));
    const std::string broken = BrokenAtBlanks(text, 80);
    ASSERT_EQ(broken.size(), text.size());
    const RunOutcome whole = RunOn(text);
    const RunOutcome shortLines = RunOn(broken);
    const RunOutcome crlf = RunOn(BrokenWithCrLf(text, 60));

    // The plain whole-text splitter, with no window at all, agrees.
    EXPECT_EQ(whole.written, testing::ReferenceWords(text));
    EXPECT_EQ(whole.written, shortLines.written);
    EXPECT_EQ(whole.table, shortLines.table);
    EXPECT_EQ(whole.tokens, shortLines.tokens);
    EXPECT_EQ(whole.firstOffsets, shortLines.firstOffsets);
    EXPECT_EQ(whole.table, crlf.table);
    EXPECT_EQ(whole.tokens, crlf.tokens);
    EXPECT_GT(whole.tokens, 0);
  }
}

TEST(LongLinesTest, TheRandomTextsHoldLinesLongerThanTheWindow) {
  // Guards the test above against texts that would not exercise anything.
  std::mt19937 random(20261207);
  size_t longest = 0;
  for (int round = 0; round < 12; ++round) {
    const std::string text = RandomText(random, 1 + static_cast<int>(random() % 6));
    longest = std::max(longest, LongestLine(text));
  }
  EXPECT_GT(longest, 20000u);
}

TEST(LongLinesTest, ParagraphsWithoutBlanksAreCountedWhole) {
  // Japanese paragraphs use no blanks: the window is cut between characters.
  std::string paragraph;
  for (int i = 0; i < 3000; ++i) paragraph += Cp932FromUtf8("日本語のdogとｃａｔ、");
  const RunOutcome run = RunOn(paragraph + "\r\n" + paragraph);
  ASSERT_EQ(run.table.size(), 2u);
  EXPECT_EQ(run.table[0], (std::pair<std::string, int32_t>{"dog", 6000}));
  EXPECT_EQ(run.table[1], (std::pair<std::string, int32_t>{"cat", 6000}));
  EXPECT_EQ(run.written, testing::ReferenceWords(paragraph + "\r\n" + paragraph));
}

}  // namespace
}  // namespace lexiscoop
