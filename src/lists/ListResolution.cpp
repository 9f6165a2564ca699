#include "lists/ListResolution.h"

#include <unordered_map>

#include "dictionary/Lexicon.h"
#include "lists/ListTexts.h"
#include "platform/Compare.h"

namespace lexiscoop {
namespace {

std::string FoldedKey(std::string_view word) {
  std::string key(word);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

// The headword `entry` counts for, or "" when it is dropped; notes what
// resolution did to it.
std::string HeadwordOf(const ListEntry& entry, const Lexicon& lexicon, UnknownWords unknown,
                       std::vector<ListNote>& notes) {
  // A headword stands for itself; any other spelling for the headword it resolves to.
  HeadwordId id = lexicon.FindHeadword(entry.word);
  if (id == kNoHeadword) id = lexicon.Resolve(entry.word);
  if (id == kNoHeadword || lexicon.At(id).spelling.empty()) {
    const bool keep = unknown == UnknownWords::Keep;
    notes.push_back({entry.file, entry.line,
                     ListMessage(keep ? ListText::KeptAsOwn : ListText::NotInDictionary, entry.word)});
    return keep ? entry.word : std::string();
  }
  const std::string& headword = lexicon.At(id).spelling;
  if (!SameText(headword, entry.word)) {
    notes.push_back({entry.file, entry.line, ListMessage(ListText::CountsAs, entry.word, headword)});
  }
  return headword;
}

}  // namespace

std::string FileStem(const std::string& path) {
  const size_t slash = path.rfind('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

ListImport<UserLevelSet> BuildLevelSet(const std::string& name, const std::vector<ListReading>& files,
                                       const std::vector<std::string>& fileLevels, const Lexicon& lexicon,
                                       UnknownWords unknown) {
  ListImport<UserLevelSet> result;
  result.list.name = name;
  std::vector<UserLevel>& levels = result.list.levels;
  std::unordered_map<std::string, int> levelOf;  // folded headword -> level index
  std::vector<bool> overflowNamed(files.size(), false);

  auto levelIndex = [&](const std::string& levelName, size_t file, const ListEntry& entry) -> int {
    for (size_t i = 0; i < levels.size(); ++i) {
      if (levels[i].name == levelName) return static_cast<int>(i);
    }
    if (levels.size() >= static_cast<size_t>(kMaxUserLevels)) {
      if (!overflowNamed[file]) result.notes.push_back({entry.file, entry.line, ListMessage(ListText::TooManyLevels)});
      overflowNamed[file] = true;
      return -1;
    }
    const int n = static_cast<int>(levels.size());
    levels.push_back({levelName, DefaultLevelKey(n), DefaultLevelColour(n), {}});
    return n;
  };

  for (size_t f = 0; f < files.size(); ++f) {
    const std::string fileLevel = f < fileLevels.size() ? fileLevels[f] : std::to_string(f + 1);
    for (const ListEntry& entry : files[f].entries) {
      ++result.entriesRead;
      const int level = levelIndex(entry.level.empty() ? fileLevel : entry.level, f, entry);
      if (level < 0) {
        continue;  // named once per file above
      }
      const std::string headword = HeadwordOf(entry, lexicon, unknown, result.notes);
      if (headword.empty()) continue;
      const auto [it, added] = levelOf.emplace(FoldedKey(headword), level);
      if (added) {
        levels[static_cast<size_t>(level)].headwords.push_back(headword);
      } else if (it->second != level) {
        result.notes.push_back({entry.file, entry.line,
                                ListMessage(ListText::InEarlierLevel, entry.word,
                                            levels[static_cast<size_t>(it->second)].name)});
      }
    }
  }
  // Levels that took no word are dropped; keys and colours follow the places left.
  std::vector<UserLevel> kept;
  for (UserLevel& level : levels) {
    if (level.headwords.empty()) continue;
    const int n = static_cast<int>(kept.size());
    level.key = DefaultLevelKey(n);
    level.colour = DefaultLevelColour(n);
    kept.push_back(std::move(level));
  }
  levels = std::move(kept);
  return result;
}

ListImport<std::vector<std::string>> ResolveListWords(const std::vector<ListEntry>& entries,
                                                      const Lexicon& lexicon, UnknownWords unknown) {
  ListImport<std::vector<std::string>> result;
  std::unordered_map<std::string, bool> seen;
  for (const ListEntry& entry : entries) {
    ++result.entriesRead;
    std::string headword = HeadwordOf(entry, lexicon, unknown, result.notes);
    if (headword.empty()) continue;
    if (seen.emplace(FoldedKey(headword), true).second) result.list.push_back(std::move(headword));
  }
  return result;
}

}  // namespace lexiscoop
