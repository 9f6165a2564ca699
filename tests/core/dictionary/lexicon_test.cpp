#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "analysis/StringList.h"
#include "dictionary/Lexicon.h"

namespace lexiscoop {
namespace {

Headword Record(const char* spelling, std::initializer_list<const char*> forms) {
  Headword h;
  h.spelling = spelling;
  for (const char* f : forms) h.forms.emplace_back(f);
  return h;
}

// Level lists Basic..General of the given words.
struct Levels {
  std::array<TStringList, kListedLevelCount> lists;
  Levels(std::initializer_list<std::initializer_list<const char*>> levels) {
    size_t l = 0;
    for (const auto& words : levels) {
      lists[l].SetSorted(true);
      lists[l].SetDuplicates(Duplicates::Accept);
      for (const char* w : words) lists[l].Add(w);
      ++l;
    }
  }
  Lexicon::LevelLists Pointers() const { return {&lists[0], &lists[1], &lists[2], &lists[3]}; }
};

std::string ChosenSpelling(const Lexicon& lexicon, std::string_view word) {
  const HeadwordId h = lexicon.Resolve(word);
  return h == kNoHeadword ? "-" : lexicon.At(h).spelling;
}

// A dictionary made to be ambiguous: every spelling below has two or more
// candidate headwords, and each step of the rule decides one of them.
std::vector<Headword> AmbiguousRecords() {
  return {
      Record("see", {"sees", "saw", "seen", "seeing"}),
      Record("saw", {"saws", "sawed", "sawn", "sawing"}),
      Record("find", {"finds", "found", "finding"}),
      Record("found", {"founds", "founded", "founding"}),
      Record("sing", {"sings", "sang", "sung", "singing"}),
      Record("singe", {"singes", "singed", "singeing", "singing"}),
      Record("tax", {"taxes", "taxed", "taxing"}),
      Record("taxi", {"taxis", "taxes", "taxied"}),
      Record("leave", {"leaves", "leaving", "left"}),
      Record("left", {}),
      Record("leaf", {"leaves"}),
      Record("think", {"thinks", "thought", "thinking"}),
      Record("thought", {"thoughts"}),
      Record("bass", {}),
      Record("Bass", {}),
      Record("US", {}),
      Record("us", {}),
      Record("rose", {"roses"}),
      Record("rise", {"rises", "rose", "risen"}),
      Record("lay", {"lays", "laid"}),
      Record("lie", {"lies", "lay", "lain", "lied"}),
      Record("felt", {}),
      Record("feel", {"feels", "felt", "feeling"}),
  };
}

const Levels& AmbiguousLevels() {
  static const Levels levels{{"see", "find", "sing", "leave", "left", "think", "thought", "us", "rise", "felt"},
                             {"saw", "tax", "taxi", "leaf", "lie", "lay", "feel"},
                             {"rose"},
                             {"found"}};
  return levels;
}

struct Expected {
  const char* word;
  const char* headword;
};

// Step of the rule that decides each: (1) level, (2) inflections,
// (3) the spelling's own headword, (4) length, (5) CompareStr.
const Expected kAmbiguous[] = {
    {"saw", "see"},        // 1: Basic before Junior
    {"SAW", "see"},        // letter case ignored
    {"found", "find"},     // 1
    {"singing", "sing"},   // 1: singe is in no list
    {"leaves", "leave"},   // 1: leaf is Junior
    {"left", "leave"},     // 2: the adjective has no forms
    {"felt", "felt"},      // 1 before 2: the Basic cloth without forms before Junior feel with them
    {"thought", "thought"},// 3: both Basic with forms; the spelling's own
    {"taxes", "tax"},      // 4: both Junior with forms, neither own
    {"rose", "rise"},      // 1: the flower is ToUniversity
    {"lay", "lay"},        // 3: both Junior with forms
    {"bass", "bass"},      // 5: lower case before upper case
    {"BASS", "bass"},
    {"us", "us"},          // 1: «us» is Basic, «US» in no list
    {"sees", "see"},       // one candidate
    {"walked", "-"},       // no candidate
};

TEST(LexiconTest, HeadwordRuleChoosesTheLikelyReadingInEveryLineOrder) {
  std::vector<Headword> records = AmbiguousRecords();
  std::mt19937 rng(16);
  for (int order = 0; order < 12; ++order) {
    if (order == 1) std::reverse(records.begin(), records.end());
    if (order > 1) std::shuffle(records.begin(), records.end(), rng);
    const auto lexicon = Lexicon::Build(records, AmbiguousLevels().Pointers());
    for (const Expected& e : kAmbiguous) {
      EXPECT_EQ(ChosenSpelling(*lexicon, e.word), e.headword) << e.word << ", line order " << order;
    }
  }
}

TEST(LexiconTest, CandidatesAreOrderedStepByStep) {
  const auto lexicon = Lexicon::Build(AmbiguousRecords(), AmbiguousLevels().Pointers());
  auto spellings = [&](std::string_view word) {
    std::vector<std::string> out;
    for (const HeadwordId h : lexicon->Candidates(word)) out.push_back(lexicon->At(h).spelling);
    return out;
  };
  using S = std::vector<std::string>;
  EXPECT_EQ(spellings("leaves"), (S{"leave", "leaf"}));
  EXPECT_EQ(spellings("left"), (S{"leave", "left"}));
  EXPECT_EQ(spellings("Bass"), (S{"bass", "Bass"}));
  EXPECT_EQ(spellings("lay"), (S{"lay", "lie"}));
  EXPECT_EQ(spellings("see"), (S{"see"}));
  EXPECT_TRUE(spellings("seee").empty());
  // A headword that lists its own spelling again is one candidate.
  const auto twice = Lexicon::Build({Record("go", {"Go", "goes"})}, {});
  EXPECT_EQ(twice->Candidates("GO").size(), 1u);
}

TEST(LexiconTest, RecordsCarryTheirLevelsAndFlags) {
  const auto lexicon = Lexicon::Build(AmbiguousRecords(), AmbiguousLevels().Pointers());
  struct Case {
    const char* word;
    WordLevel level;
    uint8_t flags;
    const char* stored;    // 表記
    const char* headword;  // 見出し語
  } cases[] = {
      {"SAW", WordLevel::Basic, kWordOwnHeadword | kWordAmbiguous, "saw", "saw"},
      {"Sees", WordLevel::Basic, 0, "sees", "see"},
      {"found", WordLevel::Basic, kWordOwnHeadword | kWordAmbiguous, "found", "found"},
      {"taxes", WordLevel::Junior, kWordAmbiguous, "taxes", "tax"},
      {"Roses", WordLevel::ToUniversity, 0, "roses", "rose"},
      {"singeing", WordLevel::Other, 0, "singeing", "singe"},
      {"nothing", WordLevel::None, 0, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    const WordClass w = lexicon->Classify(c.word);
    EXPECT_EQ(w.level, c.level) << c.word;
    EXPECT_EQ(w.flags, c.flags) << c.word;
    if (c.stored == nullptr) {
      EXPECT_FALSE(w.InDictionary()) << c.word;
      continue;
    }
    ASSERT_TRUE(w.InDictionary()) << c.word;
    EXPECT_EQ(lexicon->StoredSpelling(w.spelling), c.stored) << c.word;
    EXPECT_EQ(lexicon->HeadwordForm(w.spelling), c.headword) << c.word;
    EXPECT_EQ(lexicon->HeadwordSpelling(w.headword), lexicon->At(lexicon->Resolve(c.word)).spelling);
  }
  EXPECT_EQ(lexicon->FindHeadword("BASS"), lexicon->Resolve("bass"));
  EXPECT_EQ(lexicon->FindHeadword("sees"), kNoHeadword);  // a form, not a headword
}

TEST(LexiconTest, LineWithoutHeadwordIsAnOtherWordStoredAsItsForm) {
  std::vector<Headword> records = {Record("", {"sees"}), Record("", {}), Record("cat", {"cats"})};
  const Levels levels{{"cat", "sees"}, {}, {}, {}};
  const auto lexicon = Lexicon::Build(records, levels.Pointers());
  const WordClass w = lexicon->Classify("Sees");
  ASSERT_TRUE(w.InDictionary());
  EXPECT_EQ(w.level, WordLevel::Other);  // the level lists hold headwords, and it has none
  EXPECT_EQ(lexicon->HeadwordSpelling(w.headword), "");
  EXPECT_EQ(lexicon->StoredSpelling(w.spelling), "sees");
  EXPECT_FALSE(lexicon->Classify("").InDictionary());
  EXPECT_EQ(lexicon->ListedSpellingCount(), 3);  // sees, cat, cats
}

TEST(LexiconTest, LevelEntriesCountOncePerListAndTheFirstListGivesTheLevel) {
  // «cat» in Basic and Junior; «dog» twice in Basic in two cases.
  const Levels levels{{"cat", "dog", "Dog"}, {"cat", "owl"}, {}, {"emu"}};
  const auto lexicon =
      Lexicon::Build({Record("cat", {}), Record("dog", {}), Record("owl", {}), Record("yak", {})}, levels.Pointers());
  EXPECT_EQ(lexicon->LevelEntryCount(), 5);  // cat dog | cat owl | emu
  EXPECT_EQ(lexicon->LevelListSize(WordLevel::Basic), 3);
  EXPECT_EQ(lexicon->LevelListSize(WordLevel::ToUniversity), 0);
  EXPECT_EQ(lexicon->LevelListSize(WordLevel::Other), 0);
  EXPECT_EQ(lexicon->At(0).level, WordLevel::Basic);
  EXPECT_EQ(lexicon->At(2).level, WordLevel::Junior);
  EXPECT_EQ(lexicon->At(3).level, WordLevel::Other);
  EXPECT_EQ(lexicon->LevelEntryOf(3), -1);
  const int32_t cat = lexicon->LevelEntryOf(0), dog = lexicon->LevelEntryOf(1), owl = lexicon->LevelEntryOf(2);
  EXPECT_NE(cat, dog);
  EXPECT_NE(dog, owl);
  EXPECT_NE(cat, owl);
  EXPECT_TRUE(Lexicon::Empty()->Candidates("cat").empty());
}

// The resolution of every spelling: its chosen headword's spelling and level.
std::vector<std::pair<std::string, WordLevel>> Resolutions(const Lexicon& lexicon,
                                                           const std::vector<std::string>& spellings) {
  std::vector<std::pair<std::string, WordLevel>> out;
  out.reserve(spellings.size());
  for (const std::string& s : spellings) {
    const HeadwordId h = lexicon.Resolve(s);
    out.emplace_back(h == kNoHeadword ? "-" : lexicon.At(h).spelling,
                     h == kNoHeadword ? WordLevel::None : lexicon.At(h).level);
  }
  return out;
}

// True when a headword spelled like `record` spells `s` in `lexicon`.
bool EditedRecordSpells(const Lexicon& lexicon, const Headword& record, const std::string& s) {
  for (const HeadwordId h : lexicon.Candidates(s)) {
    if (lexicon.At(h).spelling == record.spelling) return true;
  }
  return false;
}

TEST(LexiconTest, EditingOneEntryNeverMovesAnotherSpelling) {
  // A random dictionary over a small alphabet, so that spellings are shared
  // by many headwords: record (change the forms and move the line to the
  // end, as a sorted rewrite may) and delete each of 200 random entries.
  std::mt19937 rng(2016);
  auto word = [&rng] {
    std::string w;
    const int n = 2 + static_cast<int>(rng() % 3);
    for (int i = 0; i < n; ++i) w.push_back("abcdE"[rng() % 5]);
    return w;
  };
  std::vector<Headword> records;
  std::vector<std::string> spellings;
  for (int i = 0; i < 400; ++i) {
    Headword h;
    h.spelling = word();
    for (int f = static_cast<int>(rng() % 4); f > 0; --f) h.forms.push_back(word());
    spellings.push_back(h.spelling);
    spellings.insert(spellings.end(), h.forms.begin(), h.forms.end());
    records.push_back(std::move(h));
  }
  Levels levels{{}, {}, {}, {}};
  for (int i = 0; i < 120; ++i) levels.lists[rng() % 4].Add(records[rng() % records.size()].spelling);
  const auto before = Lexicon::Build(records, levels.Pointers());
  const auto resolvedBefore = Resolutions(*before, spellings);

  for (int round = 0; round < 200; ++round) {
    const size_t e = rng() % records.size();
    // Record: new forms, line moved to the end.
    std::vector<Headword> recorded = records;
    Headword changed = recorded[e];
    changed.forms = {word(), word()};
    recorded.erase(recorded.begin() + static_cast<std::ptrdiff_t>(e));
    recorded.push_back(changed);
    // Delete.
    std::vector<Headword> deleted = records;
    deleted.erase(deleted.begin() + static_cast<std::ptrdiff_t>(e));

    for (const auto& edited : {recorded, deleted}) {
      const auto after = Lexicon::Build(edited, levels.Pointers());
      const auto resolvedAfter = Resolutions(*after, spellings);
      for (size_t i = 0; i < spellings.size(); ++i) {
        const std::string& s = spellings[i];
        if (EditedRecordSpells(*before, records[e], s) || EditedRecordSpells(*after, records[e], s)) continue;
        ASSERT_EQ(resolvedAfter[i], resolvedBefore[i]) << s << " after editing " << records[e].spelling;
      }
    }
  }
}

}  // namespace
}  // namespace lexiscoop
