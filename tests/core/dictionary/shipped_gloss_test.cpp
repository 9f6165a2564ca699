// The shipped glosses (LxGloss.dat): the file decodes into well-formed lines
// of part-of-speech groups whose headwords are all in the shipped
// dictionary, and the words a learner meets first carry the translation a
// teacher would give, never a false friend, a wrong sense or an old name.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "dictionary/CompressStringList.h"
#include "dictionary/GlossGroups.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

const std::string kDataDir = LEXISCOOP_SHIPPED_DATA_DIR;

// The first gloss of a stored text, the placeholder ～ left out.
std::string FirstGloss(std::string_view text) {
  const std::vector<GlossGroup> groups = DecodeGlossGroups(text);
  if (groups.empty()) return {};
  std::string gloss(groups.front().glosses.front());
  const std::string wave = Cp932FromUtf8("～");
  for (size_t at; (at = gloss.find(wave)) != std::string::npos;) gloss.erase(at, wave.size());
  return gloss;
}

class ShippedGlossTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    TCompressStringList dictionary;
    ASSERT_TRUE(dictionary.LoadFromFile(kDataDir + "/LxScoop.dat").ok());
    headwords_ = new std::set<std::string>;
    for (int i = 0; i < dictionary.Count(); ++i) {
      const std::string& line = dictionary[i];
      headwords_->insert(line.substr(0, line.find('\t')));
    }
    TCompressStringList glosses;
    ASSERT_TRUE(glosses.LoadFromFile(kDataDir + "/LxGloss.dat").ok());
    lines_ = new std::vector<std::string>;
    for (int i = 0; i < glosses.Count(); ++i) lines_->push_back(glosses[i]);
  }
  static void TearDownTestSuite() {
    delete headwords_;
    delete lines_;
    headwords_ = nullptr;
    lines_ = nullptr;
  }

  // Headword → its stored gloss text.
  static std::map<std::string, std::string> ByHeadword() {
    std::map<std::string, std::string> out;
    for (const std::string& line : *lines_) {
      const size_t tab = line.find('\t');
      if (tab != std::string::npos) out[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return out;
  }

  static std::set<std::string>* headwords_;
  static std::vector<std::string>* lines_;
};

std::set<std::string>* ShippedGlossTest::headwords_ = nullptr;
std::vector<std::string>* ShippedGlossTest::lines_ = nullptr;

TEST_F(ShippedGlossTest, EveryLineIsAHeadwordOfTheDictionaryWithLabelledGroupsOfOneToThreeGlosses) {
  ASSERT_GT(lines_->size(), 10000u);
  EXPECT_EQ(lines_->front(), "#LxGloss 2") << "the version line comes first";
  std::set<std::string> seen;
  for (size_t i = 1; i < lines_->size(); ++i) {
    const std::string& line = (*lines_)[i];
    const size_t tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    const std::string headword = line.substr(0, tab);
    EXPECT_TRUE(headwords_->count(headword)) << headword << " is not a headword of LxScoop.dat";
    EXPECT_TRUE(seen.insert(headword).second) << headword << " has two lines";
    const std::vector<GlossGroup> groups = DecodeGlossGroups(std::string_view(line).substr(tab + 1));
    ASSERT_GE(groups.size(), 1u) << line;
    EXPECT_LE(groups.size(), 9u) << line;  // one a label at most
    std::set<std::string_view> labels;
    for (const GlossGroup& group : groups) {
      // Labelled throughout, or one group without a label.
      EXPECT_TRUE(!group.label.empty() || groups.size() == 1) << line;
      EXPECT_TRUE(labels.insert(group.label).second) << headword << " repeats a label";
      EXPECT_GE(group.glosses.size(), 1u) << line;
      EXPECT_LE(group.glosses.size(), 3u) << line;
      std::set<std::string_view> distinct;
      for (std::string_view gloss : group.glosses) {
        EXPECT_EQ(gloss.find_first_of("\t;\r\n"), std::string_view::npos) << headword;
        // Japanese, or what Japanese writes in Latin letters and digits (8, CD).
        EXPECT_FALSE(gloss.empty()) << headword;
        EXPECT_TRUE(distinct.insert(gloss).second) << headword << " repeats a gloss";
      }
    }
  }
}

TEST_F(ShippedGlossTest, FirstGlossIsTheTeachersTranslation) {
  // The first gloss of the first group must be one of the accepted ones:
  // everyday words, closed-class words, and the words whose first gloss
  // was a katakana false friend, a wrong sense or an old name of a country.
  const std::vector<std::pair<std::string, std::vector<std::string>>> table = {
      {"apple", {"りんご", "林檎", "リンゴ"}},
      {"government", {"政府"}},
      {"borrow", {"借りる"}},
      {"library", {"図書館"}},
      {"although", {"けれども", "だけれども", "けれど", "のに", "だけれど"}},
      {"school", {"学校"}},
      {"dog", {"犬", "イヌ"}},
      {"water", {"水"}},
      {"run", {"走る", "駆ける"}},
      {"beautiful", {"美しい", "きれいな", "綺麗な"}},
      {"eat", {"食べる"}},
      {"book", {"本"}},
      {"big", {"大きい", "大きな"}},
      {"red", {"赤", "赤い"}},
      {"money", {"お金", "金"}},
      {"by", {"によって", "のそばに", "までに", "で"}},
      {"if", {"もし", "もしも", "もしならば", "もしなら"}},
      {"can", {"できる", "ことができる"}},
      {"whether", {"かどうか"}},
      // Katakana false friends.
      {"sister", {"姉妹", "姉", "妹"}},
      {"night", {"夜", "晩"}},
      {"station", {"駅"}},
      {"word", {"単語", "語", "言葉"}},
      {"crab", {"カニ", "かに", "蟹"}},
      {"alive", {"生きている", "生きて"}},
      {"dumb", {"愚かな", "ばかな", "ばかげた"}},
      {"strawberry", {"いちご", "イチゴ", "苺"}},
      {"hungry", {"空腹の", "空腹な", "おなかがすいた", "お腹がすいた", "腹が減った"}},
      {"PC", {"パソコン", "パーソナルコンピューター"}},
      // The sense a learner meets first.
      {"child", {"子ども", "子供", "子"}},
      {"too", {"も", "また", "あまりに", "あまりにも"}},
      {"especially", {"特に", "とりわけ"}},
      {"own", {"自分自身の", "自分の", "自身の"}},
      {"shrine", {"神社"}},
      {"corn", {"トウモロコシ", "とうもろこし"}},
      {"tired", {"疲れた", "疲れて"}},
      {"ruler", {"定規", "物差し", "ものさし"}},
      {"notebook", {"ノート", "帳面"}},
      {"arrive", {"着く", "到着する"}},
      {"look", {"見る"}},
      {"close", {"閉める", "閉じる"}},
      {"chair", {"いす", "椅子", "イス"}},
      {"usually", {"たいてい", "普通は", "ふつうは", "いつもは", "通常"}},
      {"never", {"決して", "決してない", "一度もない"}},
      {"early", {"早い", "早く"}},
      // Countries and peoples by the names used today.
      {"china", {"中国"}},
      {"Korea", {"韓国"}},
      {"Brazilian", {"ブラジル人", "ブラジルの"}},
      {"Turkey", {"トルコ"}},
      {"Argentina", {"アルゼンチン"}},
      {"Egypt", {"エジプト"}},
      {"Australian", {"オーストラリア人", "オーストラリアの"}},
      {"Asia", {"アジア"}},
      {"Indian", {"インド人", "インドの"}},
      {"Ukraine", {"ウクライナ"}},
      {"Iceland", {"アイスランド"}},
      {"hi", {"やあ", "こんにちは"}},
      // Neutral words where the old first gloss was a slur.
      {"beggar", {"物乞い", "物ごい"}},
      {"soap", {"石けん", "石鹸", "せっけん"}},
      {"homosexual", {"同性愛の", "同性愛者"}},
      {"worthless", {"価値のない", "役に立たない", "無価値な"}},
  };
  const auto glosses = ByHeadword();
  for (const auto& [word, accepted] : table) {
    const auto it = glosses.find(word);
    ASSERT_NE(it, glosses.end()) << word << " has no gloss";
    std::set<std::string> ok;
    for (const std::string& a : accepted) ok.insert(Cp932FromUtf8(a));
    EXPECT_TRUE(ok.count(FirstGloss(it->second)))
        << word << ": the first gloss " << Utf8FromCp932(FirstGloss(it->second)) << " is not an accepted one";
  }
}

TEST_F(ShippedGlossTest, WordsWithoutAWordOfTheirOwnOrOnlyAnOffensiveOneGetNoGloss) {
  const auto glosses = ByHeadword();
  for (const char* word : {"the", "a", "an", "asshole", "bordello"}) EXPECT_FALSE(glosses.count(word)) << word;
}

}  // namespace
}  // namespace lexiscoop
