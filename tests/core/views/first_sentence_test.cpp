#include <gtest/gtest.h>

#include <string>

#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "platform/Cp932.h"
#include "views/FirstSentence.h"

namespace lexiscoop {
namespace {

// «before【word】after» of the sentence around the first `word` in `text`
// (UTF-8 in and out, converted to and from CP932 around the call).
std::string Around(const std::string& text, const std::string& word, int maxChars = 120) {
  const std::string cp932 = Cp932FromUtf8(text);
  const size_t at = cp932.find(Cp932FromUtf8(word));
  if (at == std::string::npos) return "word not in text";
  const SentenceExcerpt e =
      SentenceAround(cp932, {static_cast<int64_t>(at), static_cast<int64_t>(Cp932FromUtf8(word).size())}, maxChars);
  return Utf8FromCp932(e.before) + "【" + Utf8FromCp932(e.word) + "】" + Utf8FromCp932(e.after);
}

TEST(SentenceAroundTest, FindsTheSentenceThatHoldsTheWord) {
  struct Case {
    std::string text;
    std::string word;
    std::string sentence;
  } cases[] = {
      {"One. Two cats here. Three.", "cats", "Two 【cats】 here."},
      {"First! Second? Third cat.", "cat", "Third 【cat】."},
      {"He said \"Go.\" The cat ran.", "cat", "The 【cat】 ran."},
      {"(It ended.) A cat", "cat", "A 【cat】"},
      {"No end mark at all cat here", "cat", "No end mark at all 【cat】 here"},
      {"Mr.Smith has a cat.", "cat", "Mr.Smith has a 【cat】."},
      {"Wrapped line with\r\nthe cat\r\nin it. Next.", "cat", "Wrapped line with the 【cat】 in it."},
      {"Heading\r\n\r\nA paragraph cat.", "cat", "A paragraph 【cat】."},
      {"A cat\n\nNew paragraph.", "cat", "A 【cat】"},
      {"日本語の文。The cat sat。次", "cat", "The 【cat】 sat。"},
      {"   cat   ", "cat", "【cat】"},
      {"tabs\tand   many    blanks cat.", "cat", "tabs and many blanks 【cat】."},
  };
  for (const Case& c : cases) EXPECT_EQ(Around(c.text, c.word), c.sentence) << c.text;
}

TEST(SentenceAroundTest, LongSentencesAreCutAtBlanksAroundTheWord) {
  std::string left, right;
  for (int i = 0; i < 30; ++i) left += "left" + std::to_string(i % 10) + " ";
  for (int i = 0; i < 30; ++i) right += " right" + std::to_string(i % 10);
  const std::string text = left + "WORD" + right + ".";
  const std::string cut = Around(text, "WORD");
  // 120 characters at most: 57 on each side of the word (two go to the
  // ellipses), then moved to the nearest blank so no word is cut.
  EXPECT_EQ(cut,
            "…left1 left2 left3 left4 left5 left6 left7 left8 left9 【WORD】 right0 right1 right2 right3 "
            "right4 right5 right6 right7…");
  // A short limit keeps the word whole even when it alone is longer.
  EXPECT_EQ(Around("a verylongword b.", "verylongword", 5), "…【verylongword】…");
}

TEST(SentenceAroundTest, JapaneseCharactersCountOnceAndAreNeverSplit) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "あ";
  text += "cat";
  for (int i = 0; i < 100; ++i) text += "い";
  const std::string cut = Around(text, "cat", 20);
  // 20 characters: 3 for the word, 2 for the ellipses, 7 before and 8 after.
  EXPECT_EQ(cut, "…あああああああ【cat】いいいいいいいい…");
}

TEST(SentenceAroundTest, SpansOutsideTheTextGiveNothing) {
  const std::string text = "a cat.";
  for (const TextSpan span : {TextSpan{-1, 0}, TextSpan{7, 1}, TextSpan{4, 5}, TextSpan{0, -1}}) {
    EXPECT_TRUE(SentenceAround(text, span).Empty()) << span.offset << "," << span.length;
  }
}

TEST(FirstOccurrencesTest, TheScanPointsAtTheFirstWrittenFormOfEveryEntry) {
  TMyParser parser;
  // Full-width letters fold to one word with their half-width spelling.
  parser.AssignText(Cp932FromUtf8("The ＣＡＴ, the cat's\r\nhat. I'm don't CAT."));
  AnalysisResult result;
  ScanText(parser, result);
  const std::vector<TextSpan>& spans = result.firstOccurrences;
  ASSERT_EQ(result.words.Count(), 5);  // The, CAT, hat, I, do
  ASSERT_EQ(spans.size(), 5u);
  const std::string text(parser.FullText());
  auto at = [&](int i) { return text.substr(static_cast<size_t>(spans[i].offset), static_cast<size_t>(spans[i].length)); };
  EXPECT_EQ(at(0), "The");
  EXPECT_EQ(Utf8FromCp932(at(1)), "ＣＡＴ");
  EXPECT_EQ(at(2), "hat");
  EXPECT_EQ(at(3), "I'm");
  EXPECT_EQ(at(4), "don't");
}

}  // namespace
}  // namespace lexiscoop
