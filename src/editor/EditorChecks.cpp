#include "editor/EditorChecks.h"

#include <algorithm>
#include <memory>

#include "dictionary/CommaText.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/InflectionItem.h"
#include "dictionary/Lexicon.h"
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

int FindHeadword(const Lexicon& lexicon, std::string_view text) {
  int first = -1;
  for (const HeadwordId id : lexicon.Candidates(text)) {
    if ((first < 0 || id < first) && SameText(lexicon.At(id).spelling, text)) first = id;
  }
  return first;
}

int FindSpelling(const Lexicon& lexicon, std::string_view text) {
  const HeadwordId id = lexicon.Resolve(text);
  return id == kNoHeadword ? -1 : id;
}

std::vector<std::string> InflectionLines(const Lexicon& lexicon, HeadwordId id, std::string_view headword) {
  if (id < 0 || id >= lexicon.HeadwordCount()) return {};
  const Headword& record = lexicon.At(id);
  // Spellings in the order they were listed, the headword's own first; the
  // sort below puts the later of two equal spellings first.
  std::vector<const std::string*> listed;
  listed.reserve(record.forms.size() + 1);
  listed.push_back(&record.spelling);
  for (const std::string& form : record.forms) listed.push_back(&form);
  std::reverse(listed.begin(), listed.end());
  std::stable_sort(listed.begin(), listed.end(),
                   [](const std::string* a, const std::string* b) { return CompareText(*a, *b) < 0; });
  std::vector<std::string> lines;
  for (const std::string* spelling : listed) {
    if (*spelling != headword) lines.push_back(*spelling);
  }
  return lines;
}

std::vector<uint8_t> BuildRowLevels(const ConjugationDictionary& dictionary) {
  const std::shared_ptr<const Lexicon> lexicon = dictionary.CurrentLexicon();
  std::vector<uint8_t> levels(static_cast<size_t>(lexicon->HeadwordCount()), 0);
  for (HeadwordId i = 0; i < lexicon->HeadwordCount(); ++i) {
    levels[static_cast<size_t>(i)] = static_cast<uint8_t>(ShippedLevels().DictionaryNumber(lexicon->At(i).level));
  }
  return levels;
}

}  // namespace lexiscoop
