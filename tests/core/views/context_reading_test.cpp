// Words read in their sentences with the shipped dictionary and tagger: the
// headword each occurrence counts for, and the rule where the model is
// missing.
#include <gtest/gtest.h>

#include <string>

#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/Lexicon.h"
#include "tagging/TaggerModel.h"
#include "dictionary/GlossGroups.h"
#include "platform/Cp932.h"
#include "views/Coverage.h"
#include "views/ShownWordList.h"
#include "views/WordLevels.h"
#include "views/WordListBuilder.h"
#include "views/WordListFilter.h"
#include "views/ClassifiedWord.h"
#include "views/ContextReading.h"
#include "views/LineWords.h"
#include "views/OccurrenceReadings.h"
#include "views/ContextSearch.h"
#include "views/RowOccurrences.h"
#include "views/WordListColumns.h"
#include "views/TextLineIndex.h"
#include "views/WordDetails.h"

namespace lexiscoop {
namespace {

class ContextReadingTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dictionary_ = new ConjugationDictionary(LEXISCOOP_SHIPPED_DATA_DIR, LEXISCOOP_SHIPPED_DATA_DIR);
    dictionary_->ReloadDictionary(false);
    model_ = tagging::TaggerModel::Load(std::string(LEXISCOOP_SHIPPED_DATA_DIR) + "/LxTagger.dat").model;
  }
  static void TearDownTestSuite() { delete dictionary_; }

  // The headwords `word` counts for in `text`, «life» or «live 2, life 1».
  static std::string ReadingsOf(const std::string& text, const std::string& word,
                                std::shared_ptr<const tagging::TaggerModel> model) {
    const auto lexicon = dictionary_->CurrentLexicon();
    TMyParser parser;
    parser.AssignText(text);
    AnalysisResult result;
    AnalyseText(parser, result, lexicon, std::move(model));
    const int entry = result.words.IndexOf(word);
    if (entry < 0) return "(absent)";
    for (const EntryReadings& split : result.readings) {
      if (split.entry != entry) continue;
      std::string out;
      for (const WordReading& r : split.readings) {
        if (!out.empty()) out += ", ";
        out += lexicon->At(r.word.headword).spelling;
        if (split.readings.size() > 1) out += ' ' + std::to_string(r.occurrences);
      }
      return out;
    }
    const WordClass& c = result.classes[static_cast<size_t>(entry)];
    return c.InDictionary() ? lexicon->At(c.headword).spelling : "(none)";
  }

  static ConjugationDictionary* dictionary_;
  static std::shared_ptr<const tagging::TaggerModel> model_;
};

ConjugationDictionary* ContextReadingTest::dictionary_ = nullptr;
std::shared_ptr<const tagging::TaggerModel> ContextReadingTest::model_;

TEST_F(ContextReadingTest, ReadsEachOccurrenceAsItsSentenceUsesIt) {
  ASSERT_TRUE(model_);
  struct Row {
    const char* text;
    const char* word;
    const char* readings;
  };
  const Row rows[] = {
      {"My friend lives in China.", "lives", "live"},
      {"Doctors save many lives every day.", "lives", "life"},
      {"He lives here. She lives there. Cats have nine lives.", "lives", "live 2, life 1"},
      {"The leaves fall in autumn.", "leaves", "leaf"},
      {"He leaves at six.", "leaves", "leave"},
      {"He cut the board with a saw.", "saw", "saw"},
      {"I saw a bird.", "saw", "see"},
      {"She left the room.", "left", "leave"},
      {"I found my key under the bed.", "found", "find"},
      {"They plan to found a new school.", "found", "found"},
      {"He halves the cake.", "halves", "halve"},
      {"Cut the apple into halves.", "halves", "half"},
      {"He fell off his bike.", "fell", "fall"},
      {"The sun rose at five.", "rose", "rise"},
      {"He gave her a red rose.", "rose", "rose"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ReadingsOf(row.text, row.word, model_), row.readings) << row.text;
  }
}

TEST_F(ContextReadingTest, TheTagPutsItsPartOfSpeechFirstInTheGlosses) {
  ASSERT_TRUE(model_);
  struct Row {
    const char* text;
    const char* word;
    const char* firstGroup;  // UTF-8
  };
  const Row rows[] = {
      {"Close the door.", "close", "動 閉じる"},
      {"The station is close to the park.", "close", "形 近い"},
      {"The band played live music.", "live", "形 生きている"},
      {"I live in Tokyo.", "live", "動 住む"},
      {"He lives here. She lives there. Cats have nine lives.", "lives", "動 住む"},  // live, the commonest reading
      {"He lives here. Cats have nine lives.", "lives", "名 生活"},  // of equals, the rule's: life
  };
  for (const Row& row : rows) {
    const auto lexicon = dictionary_->CurrentLexicon();
    TMyParser parser;
    parser.AssignText(row.text);
    AnalysisResult result;
    AnalyseText(parser, result, lexicon, model_);
    const ClassifiedWord word = ClassifiedWordOf(result, result.words.IndexOf(row.word));
    EXPECT_EQ(Utf8FromCp932(word.glosses.text).rfind(row.firstGroup, 0), 0u)
        << row.text << ": " << Utf8FromCp932(word.glosses.text);
  }
}

// The rows of a spelling read as two headwords each give their own reading
// (a row that gave the spelling's commonest reading for both would show
// life's glosses beside live), and coverage counts each at its level.
TEST_F(ContextReadingTest, EachRowAndCoverageFollowTheirOwnReading) {
  ASSERT_TRUE(model_);
  const auto lexicon = dictionary_->CurrentLexicon();
  const std::string text = "He lives here. She lives there. Cats have nine lives. The leaves fall.";
  TMyParser parser;
  parser.AssignText(text);
  AnalysisResult result;
  AnalyseText(parser, result, lexicon, model_);
  ShownWordList shown;
  ASSERT_TRUE(WordListBuilder().Rebuild(result, {kAllLevels, FormMode::Original, ProperNounChoice::All, {}}, shown));
  int seen = 0;
  for (int row = 0; row < shown.RowCount(); ++row) {
    const ClassifiedWord word = ClassifiedRowOf(shown, row, result);
    const std::string form(shown.WordOfRow(row));
    if (form != "live" && form != "life") continue;
    ++seen;
    EXPECT_EQ(lexicon->At(word.headword).spelling, form);
    // Its own glosses, maybe with another group first: the same bytes.
    EXPECT_EQ(word.glosses.text.size(), lexicon->At(word.headword).gloss.size()) << form;
    EXPECT_EQ(word.level, lexicon->At(word.headword).level) << form;
    EXPECT_EQ(shown.CountOfRow(row), form == "live" ? 2 : 1);
  }
  EXPECT_EQ(seen, 2);
  const CoverageFigures figures = ComputeCoverage(result.words, WordLevelsOf(result), result.readings);
  EXPECT_EQ(figures.runningWords, result.tokenCount);
}

// Each occurrence of a split spelling, found where the views find words
// (line by line), names the headword it was read as; the details name the
// split and the reading of one occurrence.
TEST_F(ContextReadingTest, EachOccurrenceNamesItsOwnReadingWhereTheViewsFindIt) {
  ASSERT_TRUE(model_);
  const auto lexicon = dictionary_->CurrentLexicon();
  const std::string text = "Cats have nine lives.\r\nHe lives here. She lives there, and \"Lives\" fall.";
  TMyParser parser;
  parser.AssignText(text);
  AnalysisResult result;
  AnalyseText(parser, result, lexicon, model_);
  const OccurrenceReadings occurrences(result);
  const TextLineIndex lines(text);
  std::string read;
  for (int line = 0; line < lines.LineCount(); ++line) {
    LineWordScanner scanner(lines.Line(line));
    LineWord word;
    while (scanner.Next(word)) {
      const int entry = result.words.IndexOf(word.word);
      const WordClass* reading = occurrences.At(entry, lines.LineStart(line) + word.start);
      if (reading == nullptr) {
        EXPECT_NE(word.word, "lives") << line << ":" << word.start;
        continue;
      }
      read += std::string(lexicon->At(reading->headword).spelling) + " ";
      EXPECT_EQ(occurrences.At(entry + 1, lines.LineStart(line) + word.start), nullptr);  // another entry's place
    }
  }
  EXPECT_EQ(read, "life live live life ");
  const int lives = result.words.IndexOf("lives");
  EXPECT_EQ(FirstOccurrenceReadAs(result, lives, lexicon->FindHeadword("live")), text.find("lives here"));
  EXPECT_EQ(FirstOccurrenceReadAs(result, lives, lexicon->FindHeadword("life")), text.find("lives."));
  EXPECT_EQ(FirstOccurrenceReadAs(result, lives, lexicon->FindHeadword("leaf")), -1);
  EXPECT_EQ(Utf8FromCp932(SplitReadingLines(result, lives, lexicon->FindHeadword("live"))),
            "文脈での読み: life 2, live 2\r\nこの箇所の読み: live\r\n");
  EXPECT_EQ(SplitReadingLines(result, result.words.IndexOf("cats")), "");
}

// In the 原形 list, the row of each reading counts the occurrences read so:
// its words in context and its first sentence are those of its reading.
TEST_F(ContextReadingTest, EachReadingsRowFindsItsOwnOccurrencesAndSentence) {
  ASSERT_TRUE(model_);
  const std::string text = "He lives here. Cats have nine lives. She lives there.";
  TMyParser parser;
  parser.AssignText(text);
  AnalysisResult result;
  AnalyseText(parser, result, dictionary_->CurrentLexicon(), model_);
  ShownWordList shown;
  ASSERT_TRUE(WordListBuilder().Rebuild(result, {kAllLevels, FormMode::Original, ProperNounChoice::All, {}}, shown));
  const OccurrenceReadings occurrences(result);
  const TextLineIndex lines(text);
  std::string found;
  for (int row = 0; row < shown.RowCount(); ++row) {
    const std::string form(shown.WordOfRow(row));
    if (form != "live" && form != "life") continue;
    const RowOccurrences wanted(shown, shown.PositionOfRow(row), result.words.Count());
    ContextSearch search(lines, [&](std::string_view word, uint64_t offset) {
      const int entry = result.words.IndexOf(word);
      return wanted.Holds(entry, occurrences.At(entry, offset));
    });
    std::vector<ContextHit> hits;
    search.FindMore(hits, 10, 10);
    found += form + ":";
    for (const ContextHit& hit : hits) found.append(" ").append(std::to_string(hit.start));
    std::string sentence;
    FindWordListColumn("sentence")->appendText(sentence, ListRow{shown, result, row, text});
    found += " " + sentence + "\n";
  }
  EXPECT_EQ(Utf8FromCp932(found),
            "live: 3 41 He 【lives】 here.\n"
            "life: 30 Cats have nine 【lives】.\n");
}

// A watch sees every new word once, in entry order, and the scan keeps the
// places of the occurrences it asked for, the first ones up to its limit.
TEST(WordWatchTest, ScanKeepsThePlacesOfTheWatchedOccurrencesUpToTheLimit) {
  struct EveryOther : WordWatch {
    std::vector<std::string> seen;
    int32_t WatchNewWord(std::string_view word) override {
      seen.emplace_back(word);
      return seen.size() % 2 == 1 ? 2 : 0;  // the 1st, 3rd, ... new word, twice at most
    }
  } watch;
  const std::string text = "a b a c a b d, e: a c";
  TMyParser parser;
  parser.AssignText(text);
  AnalysisResult result;
  ScanControl control;
  control.watch = &watch;
  ScanText(parser, result, control);
  EXPECT_EQ(watch.seen, (std::vector<std::string>{"a", "b", "c", "d", "e"}));
  std::string places;
  for (const WatchedOccurrence& o : result.watched) {
    places += std::string(result.words.Word(o.entry)) + "@" + std::to_string(o.offset) + " ";
  }
  EXPECT_EQ(places, "a@0 a@4 c@6 e@15 c@20 ");
}

TEST(GlossGroupOrderTest, MovesTheNamedGroupToTheFront) {
  const struct {
    const char* glosses;  // UTF-8
    const char* label;
    const char* expected;
  } rows[] = {
      {"動 閉じる; 閉める / 形 近い", "形", "形 近い / 動 閉じる; 閉める"},
      {"名 光 / 形 明るい / 動 火をつける", "動", "動 火をつける / 名 光 / 形 明るい"},
      {"名 光 / 形 明るい / 動 火をつける", "名", ""},  // already first
      {"名 光 / 形 明るい", "副", ""},              // no such group
      {"光; 明かり", "名", ""},                     // not grouped
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Utf8FromCp932(GlossesWithGroupFirst(Cp932FromUtf8(row.glosses), Cp932FromUtf8(row.label))),
              row.expected)
        << row.glosses;
  }
}

// Each split entry's readings, «entry: headword×count …».
std::string SplitsOf(const AnalysisResult& result) {
  std::string out;
  for (const EntryReadings& split : result.readings) {
    out += std::to_string(split.entry) + ':';
    for (const WordReading& r : split.readings) out += ' ' + std::to_string(r.word.headword) + 'x' + std::to_string(r.occurrences) + r.glosses;
    out += '\n';
  }
  return out;
}

TEST_F(ContextReadingTest, AsksForTheModelOnceAndOnlyWhenAWordNeedsIt) {
  const auto lexicon = dictionary_->CurrentLexicon();
  const struct { const char* text; int asks; } kCases[] = {
      {"The cat is the cat.", 0},
      {"He leaves at six. The leaves fall. I saw a saw.", 1},
      {"Close the door. She lives in China, and he lives here.", 1},
  };
  for (const auto& c : kCases) {
    for (const bool given : {true, false}) {
      int asks = 0;
      const TaggerModelSource source = [&]() -> std::shared_ptr<const tagging::TaggerModel> {
        ++asks;
        return given ? model_ : nullptr;
      };
      TMyParser text;
      text.AssignText(c.text);
      AnalysisResult lazy, eager;
      AnalyseText(text, lazy, lexicon, source);
      AnalyseText(text, eager, lexicon, given ? model_ : nullptr);
      EXPECT_EQ(asks, c.asks) << c.text;
      EXPECT_EQ(SplitsOf(lazy), SplitsOf(eager)) << c.text;
    }
  }
}

// A text long enough for the scan to hand its occurrences over while it
// goes on: each is read as the reader that starts after the scan reads it.
TEST_F(ContextReadingTest, ReadingAlongsideTheScanReadsAsReadingAfterIt) {
  const auto lexicon = dictionary_->CurrentLexicon();
  const char* const kSentences[] = {"He leaves at six. ", "The leaves fall. ", "I saw a saw. ",
                                    "She lives here. ", "Close the door. ", "Their lives were long. "};
  std::string text;
  for (int i = 0; i < 12000; ++i) text += kSentences[(i * 7 + i / 6) % 6];
  TMyParser parser;
  parser.AssignText(text);
  AnalysisResult alongside, after;
  AnalyseText(parser, alongside, lexicon, model_);
  ContextReader reader(lexicon, model_);
  ScanControl control;
  control.watch = &reader;
  ScanText(parser, after, control);
  ClassifyWords(after, lexicon);
  ApplyWordReadings(after, reader.Read(after, parser.FullText()));
  ASSERT_GT(after.watched.size(), 2 * WordWatch::kOccurrencesPerHandOver);
  EXPECT_EQ(SplitsOf(alongside), SplitsOf(after));
  ASSERT_EQ(alongside.watched.size(), after.watched.size());
  for (size_t i = 0; i < after.watched.size(); ++i) {
    ASSERT_EQ(alongside.watched[i].reading, after.watched[i].reading) << i;
  }
}

TEST_F(ContextReadingTest, WithoutAModelTheRuleReadsEveryWord) {
  EXPECT_EQ(ReadingsOf("He leaves at six.", "leaves", nullptr), "leaf");
  EXPECT_EQ(ReadingsOf("He cut the board with a saw.", "saw", nullptr), "see");
}

}  // namespace
}  // namespace lexiscoop
