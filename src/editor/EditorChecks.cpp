#include "editor/EditorChecks.h"

#include <algorithm>
#include <unordered_map>

#include "dictionary/CommaText.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/InflectionItem.h"
#include "platform/Compare.h"
#include "platform/TextTrim.h"

namespace lexiscoop {
namespace {

bool IsHeadwordByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '\'';
}

bool LineOrder(const std::string& a, const std::string& b) {
  if (const int byText = CompareText(a, b); byText != 0) return byText < 0;
  if (const int byStr = CompareStr(a, b); byStr != 0) return byStr < 0;
  return a < b;
}

std::string JoinLines(std::vector<std::string> lines) {
  std::sort(lines.begin(), lines.end(), LineOrder);
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace

std::string UnstorableSpelling(std::string_view headword, std::string_view inflectionText) {
  for (const std::string& spelling : ReadCommaText(inflectionText)) {
    if (!InflectionItemRoundTrips(headword, spelling)) return spelling;
  }
  return {};
}

bool IsValidHeadword(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsHeadwordByte);
}

std::string NormalizeLines(std::string_view text) {
  TStringList split;
  split.SetText(text);
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(split.Count()));
  for (int i = 0; i < split.Count(); ++i) {
    const std::string_view line = TrimBlanks(split[i]);
    if (!line.empty()) lines.emplace_back(line);
  }
  return JoinLines(std::move(lines));
}

int FindHeadword(const TStringList& headwordList, std::string_view text) {
  for (int i = 0; i < headwordList.Count(); ++i) {
    if (SameText(headwordList[i], text)) return i;
  }
  return -1;
}

int FindSpelling(const TStringList& inflectionIndex, std::string_view text) {
  for (int i = 0; i < inflectionIndex.Count(); ++i) {
    if (SameText(inflectionIndex[i], text)) return inflectionIndex.Objects(i);
  }
  return -1;
}

std::vector<std::string> InflectionLines(const TStringList& inflectionIndex, int headwordIndex,
                                         std::string_view headword) {
  std::vector<std::string> lines;
  for (int i = 0; i < inflectionIndex.Count(); ++i) {
    if (inflectionIndex.Objects(i) == headwordIndex && inflectionIndex[i] != headword) {
      lines.push_back(inflectionIndex[i]);
    }
  }
  return lines;
}

std::vector<uint8_t> BuildRowLevels(const ConjugationDictionary& dictionary) {
  // LevelOf for every row, through one table of the level lists' entries:
  // equal by SameText is equal by CompareText, the lists' own look-up.
  struct Hash {
    size_t operator()(std::string_view s) const { return static_cast<size_t>(FoldedHash(s)); }
  };
  struct Equal {
    bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
  };
  size_t entries = 0;
  for (int level = 1; level <= kLevelCount; ++level) entries += static_cast<size_t>(dictionary.LevelList(level).Count());
  std::unordered_map<std::string_view, uint8_t, Hash, Equal> firstLevel(entries);
  for (int level = 1; level <= kLevelCount; ++level) {
    const TStringList& list = dictionary.LevelList(level);
    for (int i = 0; i < list.Count(); ++i) firstLevel.try_emplace(list[i], static_cast<uint8_t>(level));
  }

  const TStringList& headwords = dictionary.HeadwordList();
  std::vector<uint8_t> levels(static_cast<size_t>(headwords.Count()), 0);
  for (int i = 0; i < headwords.Count(); ++i) {
    const auto found = firstLevel.find(headwords[i]);
    if (found != firstLevel.end()) levels[static_cast<size_t>(i)] = found->second;
  }
  return levels;
}

}  // namespace lexiscoop
