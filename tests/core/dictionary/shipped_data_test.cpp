// The shipped dictionary and level lists (data/): they match the manifest
// that tools/mkdict/build wrote, decode, hold no empty or stray entries, and
// the program resolves irregular and rule-made spellings through them to the
// right headwords and levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/ConjugationDictionary.h"
#include "platform/Compare.h"
#include "views/WordForms.h"
#include "shipped_dictionary.h"

namespace lexiscoop {
namespace {

const std::string kDataDir = LEXISCOOP_SHIPPED_DATA_DIR;
const std::array<std::string, 6> kFiles = {"LxScoop.dat", "LXBasics.dat", "LXJunior.dat",
                                           "LXToUnuvercity.dat", "LXGeneral.dat", "LxGloss.dat"};

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// SHA-256 (FIPS 180-4) of a byte string, as lower-case hex.
std::string Sha256(const std::string& data) {
  static constexpr uint32_t k[64] = {
      0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4,
      0xab1c5ed5, 0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe,
      0x9bdc06a7, 0xc19bf174, 0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f,
      0x4a7484aa, 0x5cb0a9dc, 0x76f988da, 0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7,
      0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967, 0x27b70a85, 0x2e1b2138, 0x4d2c6dfc,
      0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85, 0xa2bfe8a1, 0xa81a664b,
      0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070, 0x19a4c116,
      0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
      0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7,
      0xc67178f2};
  uint32_t h[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                   0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  std::string m = data;
  const uint64_t bits = static_cast<uint64_t>(data.size()) * 8;
  m.push_back(static_cast<char>(0x80));
  while (m.size() % 64 != 56) m.push_back(0);
  for (int i = 7; i >= 0; --i) m.push_back(static_cast<char>(bits >> (i * 8)));
  auto rotr = [](uint32_t x, int n) { return (x >> n) | (x << (32 - n)); };
  for (size_t block = 0; block < m.size(); block += 64) {
    uint32_t w[64];
    for (int i = 0; i < 16; ++i) {
      w[i] = 0;
      for (int j = 0; j < 4; ++j) w[i] = (w[i] << 8) | static_cast<unsigned char>(m[block + 4 * i + j]);
    }
    for (int i = 16; i < 64; ++i) {
      const uint32_t s0 = rotr(w[i - 15], 7) ^ rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
      const uint32_t s1 = rotr(w[i - 2], 17) ^ rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
      w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6], hh = h[7];
    for (int i = 0; i < 64; ++i) {
      const uint32_t t1 = hh + (rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25)) + ((e & f) ^ (~e & g)) + k[i] + w[i];
      const uint32_t t2 = (rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
      hh = g, g = f, f = e, e = d + t1, d = c, c = b, b = a, a = t1 + t2;
    }
    h[0] += a, h[1] += b, h[2] += c, h[3] += d, h[4] += e, h[5] += f, h[6] += g, h[7] += hh;
  }
  static const char* hex = "0123456789abcdef";
  std::string out;
  for (uint32_t v : h)
    for (int i = 28; i >= 0; i -= 4) out.push_back(hex[(v >> i) & 0xF]);
  return out;
}

TEST(Sha256Test, MatchesKnownDigests) {
  EXPECT_EQ(Sha256(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Sha256("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Sha256(std::string(1000, 'a')),
            "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3");
}

TEST(ShippedDataTest, FilesMatchTheGeneratorsManifest) {
  std::ifstream manifest(kDataDir + "/MANIFEST");
  ASSERT_TRUE(manifest) << "data/MANIFEST is missing; run tools/mkdict/build";
  std::set<std::string> listed;
  std::string line;
  while (std::getline(manifest, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string sum, name;
    size_t size = 0;
    ASSERT_TRUE(fields >> sum >> size >> name) << line;
    const std::string bytes = ReadFile(kDataDir + "/" + name);
    EXPECT_EQ(bytes.size(), size) << name << " differs from what tools/mkdict/build wrote";
    EXPECT_EQ(Sha256(bytes), sum) << name << " differs from what tools/mkdict/build wrote";
    listed.insert(name);
  }
  std::set<std::string> expected(kFiles.begin(), kFiles.end());
  expected.insert("LxTagger.dat");  // the tagger's model, not a compressed list
  EXPECT_EQ(listed, expected);
}

TEST(ShippedDataTest, EveryFileDecodesWithoutEmptyLinesAndStaysSmall) {
  size_t total = 0;
  for (const std::string& name : kFiles) {
    TCompressStringList list;
    ASSERT_TRUE(list.LoadFromFile(kDataDir + "/" + name).ok()) << name;
    EXPECT_GT(list.Count(), 0) << name;
    for (int i = 0; i < list.Count(); ++i) ASSERT_FALSE(list[i].empty()) << name << " line " << i + 1;
    total += ReadFile(kDataDir + "/" + name).size();
  }
  // The dictionary and levels take about 0.44 MB, the glosses (hand-checked
  // for 11,500 headwords, by part of speech) about 0.65 MB.
  EXPECT_LT(total, 5u << 18);
}

// The shipped dictionary as the program loads it.
class ShippedDictionaryTest : public ShippedDictionaryFixture {};

TEST_F(ShippedDictionaryTest, HoldsTheMostFrequentHeadwordsWithTheirForms) {
  const std::vector<Headword>& headwords = dictionary_->CurrentLexicon()->Headwords();
  EXPECT_GE(headwords.size(), 25000u);
  EXPECT_LE(headwords.size(), 42000u);  // hyphenated words and numbers on top
  std::set<std::string> seen;
  for (size_t i = 0; i < headwords.size(); ++i) {
    ASSERT_FALSE(headwords[i].spelling.empty()) << "line " << i + 1;
    std::string folded;
    for (char c : headwords[i].spelling) folded.push_back(static_cast<char>(FoldAscii(static_cast<unsigned char>(c))));
    EXPECT_TRUE(seen.insert(folded).second) << "headword twice: " << headwords[i].spelling;
  }
  EXPECT_GT(dictionary_->CurrentLexicon()->FormCount(), 25000);
}

TEST_F(ShippedDictionaryTest, LevelListsAreDisjointSortedAndHoldOnlyHeadwords) {
  std::set<std::string> headwords;
  for (const Headword& h : dictionary_->CurrentLexicon()->Headwords()) headwords.insert(h.spelling);
  std::set<std::string> placed;
  for (int level = 1; level <= kLevelCount; ++level) {
    TCompressStringList list;
    ASSERT_TRUE(list.LoadFromFile(dictionary_->ShippedLevelPath(level)).ok()) << level;
    for (int i = 0; i < list.Count(); ++i) {
      EXPECT_TRUE(headwords.count(list[i])) << list[i] << " (level " << level << ") is no headword";
      EXPECT_TRUE(placed.insert(list[i]).second) << list[i] << " is in two levels";
      if (i > 0) {
        EXPECT_LT(CompareText(list[i - 1], list[i]), 0) << list[i - 1] << " / " << list[i];
      }
    }
  }
}

struct Resolution {
  const char* word;
  const char* headword;  // the chosen headword, which the statistics count and the list shows
  const char* shown;     // the form the older list chose where it differed; not checked
};

// Irregular forms, spelling rules and ambiguous spellings.
const Resolution kResolutions[] = {
    {"went", "go", "go"}, {"gone", "go", "go"}, {"goes", "go", "go"}, {"going", "go", "go"},
    {"am", "be", "be"}, {"is", "be", "be"}, {"are", "be", "be"}, {"was", "be", "be"},
    {"were", "be", "be"}, {"been", "be", "be"}, {"has", "have", "have"}, {"had", "have", "have"},
    {"did", "do", "do"}, {"does", "do", "do"}, {"done", "do", "do"}, {"said", "say", "say"},
    {"children", "child", "child"}, {"men", "man", "man"}, {"women", "woman", "woman"},
    {"feet", "foot", "foot"}, {"teeth", "tooth", "tooth"}, {"mice", "mouse", "mouse"},
    {"knives", "knife", "knife"}, {"wives", "wife", "wife"}, {"lives", "life", "life"},
    {"worse", "bad", "bad"}, {"worst", "bad", "bad"}, {"better", "good", nullptr}, {"best", "good", nullptr},
    {"dying", "die", "die"}, {"lying", "lie", "lie"}, {"stopped", "stop", "stop"},
    {"stopping", "stop", "stop"}, {"panicked", "panic", "panic"}, {"panicking", "panic", "panic"},
    {"studied", "study", "study"}, {"studies", "study", "study"}, {"happier", "happy", "happy"},
    {"biggest", "big", "big"}, {"larger", "large", "large"}, {"hoping", "hope", "hope"},
    {"hopped", "hop", "hop"}, {"watches", "watch", "watch"}, {"boxes", "box", "box"},
    {"cities", "city", "city"}, {"played", "play", "play"}, {"agreed", "agree", "agree"},
    {"written", "write", "write"}, {"wrote", "write", "write"},
    {"taught", "teach", "teach"}, {"bought", "buy", "buy"}, {"caught", "catch", "catch"},
    {"left", "leave", "leave"}, {"saw", "see", nullptr}, {"found", "find", nullptr},
    {"singing", "sing", nullptr}, {"taxes", "tax", nullptr},
    {"Mondays", "Monday", "Monday"}, {"WENT", "go", "go"},
    // Words of their own, not forms of a shorter word.
    {"number", "number", "number"}, {"seed", "seed", "seed"}, {"evening", "evening", "evening"},
    {"news", "news", "news"}, {"people", "people", "people"},
};

TEST_F(ShippedDictionaryTest, ResolvesSpellingsToTheirHeadwords) {
  for (const Resolution& r : kResolutions) {
    EXPECT_EQ(Chosen(r.word), r.headword) << r.word;
  }
}

TEST_F(ShippedDictionaryTest, ListsIrregularFormsUnderTheirHeadwordEvenWhenAnotherReadingWins) {
  // "bit" is mostly the noun, yet the word details of "bite" still list it.
  const std::shared_ptr<const Lexicon> lexicon = dictionary_->CurrentLexicon();
  const struct {
    const char* headword;
    const char* spelling;
  } cases[] = {{"bite", "bit"}, {"see", "saw"}, {"find", "found"}, {"lie", "lay"}, {"rise", "rose"}};
  for (const auto& c : cases) {
    const HeadwordId h = lexicon->FindHeadword(c.headword);
    ASSERT_GE(h, 0) << c.headword;
    const std::vector<std::string> spellings = lexicon->SpellingsOf(h);
    EXPECT_NE(std::find(spellings.begin(), spellings.end(), c.spelling), spellings.end())
        << c.spelling << " under " << c.headword;
  }
}

TEST_F(ShippedDictionaryTest, PlacesHeadwordsInTheirLevels) {
  const struct {
    const char* headword;
    int level;
  } exact[] = {{"the", 1}, {"be", 1}, {"have", 1}, {"go", 1}, {"apple", 1}, {"pencil", 1},
               {"homework", 1}, {"gonna", 0}, {"yeah", 0}};
  for (const auto& c : exact) EXPECT_EQ(dictionary_->LevelOf(c.headword), c.level) << c.headword;
  EXPECT_NE(dictionary_->LevelOf("abdomen"), 1);
  EXPECT_GE(dictionary_->LevelOf("abdomen"), 2);
  const int monday = dictionary_->LevelOf("Monday");
  EXPECT_GE(monday, 1);
  for (const char* day : {"Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"})
    EXPECT_EQ(dictionary_->LevelOf(day), monday) << day;
  const int january = dictionary_->LevelOf("January");
  EXPECT_GE(january, 1);
  for (const char* month : {"February", "June", "October", "December"})
    EXPECT_EQ(dictionary_->LevelOf(month), january) << month;
}

}  // namespace
}  // namespace lexiscoop
