// What the shipped glosses must never do and always cover: no gloss is on
// the offensive list (tools/mkdict/offensive_ja.txt), and the hand-checked
// table (tools/mkdict/hand_glosses/) belongs to the dictionary's headwords
// and covers every headword of 基本, 中学 and 大学受験.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "dictionary/CompressStringList.h"
#include "dictionary/GlossGroups.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

const std::string kDataDir = LEXISCOOP_SHIPPED_DATA_DIR;
const std::string kMkdictDir = kDataDir + "/../tools/mkdict";

std::vector<std::string> ReadUtf8Lines(const std::string& path) {
  std::ifstream f(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(f, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> LoadList(const std::string& path) {
  TCompressStringList list;
  EXPECT_TRUE(list.LoadFromFile(path).ok()) << path;
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
  return lines;
}

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// `term` occurs in `gloss` starting at a character (CP932: a trail byte is
// never taken for the start of a character).
bool ContainsCharacters(std::string_view gloss, std::string_view term) {
  for (size_t i = 0; i + term.size() <= gloss.size();
       i += IsLeadByte(static_cast<unsigned char>(gloss[i])) ? 2 : 1) {
    if (gloss.compare(i, term.size(), term) == 0) return true;
  }
  return false;
}

TEST(ShippedGlossPolicyTest, NoShippedGlossIsOnTheOffensiveList) {
  std::set<std::string> whole, parts;
  for (std::string term : ReadUtf8Lines(kMkdictDir + "/offensive_ja.txt")) {
    term = term.substr(0, term.find(" #"));
    term = term.substr(0, term.find('\t'));
    if (term.empty() || term[0] == '#') continue;
    if (term[0] == '=') {
      whole.insert(Cp932FromUtf8(term.substr(1)));
    } else {
      parts.insert(Cp932FromUtf8(term));
    }
  }
  ASSERT_GT(whole.size() + parts.size(), 100u);
  // The checker itself: a term inside a word, and never across characters.
  ASSERT_TRUE(ContainsCharacters(Cp932FromUtf8("気違い沙汰"), Cp932FromUtf8("気違い")));
  ASSERT_FALSE(ContainsCharacters("\x83\x5C\x83\x5C", "\x5C\x83"));

  int checked = 0;
  for (const std::string& line : LoadList(kDataDir + "/LxGloss.dat")) {
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const std::string headword = line.substr(0, tab);
    for (const GlossGroup& group : DecodeGlossGroups(std::string_view(line).substr(tab + 1))) {
      for (std::string_view gloss : group.glosses) {
        ++checked;
        EXPECT_FALSE(whole.count(std::string(gloss))) << headword << ": " << Utf8FromCp932(gloss);
        for (const std::string& part : parts) {
          EXPECT_FALSE(ContainsCharacters(gloss, part))
              << headword << ": " << Utf8FromCp932(gloss) << " holds " << Utf8FromCp932(part);
        }
      }
    }
  }
  EXPECT_GT(checked, 20000);
}

TEST(ShippedGlossPolicyTest, TheHandTableBelongsToHeadwordsAndCoversTheSchoolLevels) {
  std::set<std::string> headwords;
  for (const std::string& line : LoadList(kDataDir + "/LxScoop.dat")) headwords.insert(line.substr(0, line.find('\t')));

  std::set<std::string> table;
  int files = 0;
  for (const auto& file : std::filesystem::directory_iterator(kMkdictDir + "/hand_glosses")) {
    if (file.path().extension() != ".txt") continue;
    ++files;
    for (const std::string& line : ReadUtf8Lines(file.path().string())) {
      if (line.empty() || line[0] == '#') continue;
      const std::string headword = line.substr(0, line.find('\t'));
      EXPECT_TRUE(headwords.count(headword))
          << file.path().filename().string() << ": " << headword << " is not a headword of the dictionary";
      EXPECT_TRUE(table.insert(headword).second) << headword << " has two lines in the table";
    }
  }
  ASSERT_GT(files, 0);

  for (const char* level : {"LXBasics", "LXJunior", "LXToUnuvercity"}) {
    std::vector<std::string> missing;
    const std::vector<std::string> words = LoadList(kDataDir + "/" + level + ".dat");
    for (const std::string& word : words) {
      if (!table.count(word)) missing.push_back(word);
    }
    EXPECT_TRUE(missing.empty()) << level << ": " << missing.size() << " of " << words.size()
                                 << " headwords have no hand-checked glosses, the first "
                                 << (missing.empty() ? "" : missing.front());
  }
}

}  // namespace
}  // namespace lexiscoop
