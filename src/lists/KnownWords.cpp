#include "lists/KnownWords.h"

#include "analysis/Analysis.h"

namespace lexiscoop {
namespace {

std::string Folded(std::string_view word) {
  std::string key(word);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

}  // namespace

KnownWords::KnownWords(const std::vector<std::string>& headwords) {
  folded_.reserve(headwords.size());
  for (const std::string& headword : headwords) folded_.insert(Folded(headword));
}

bool KnownWords::Contains(std::string_view headword) const { return folded_.count(Folded(headword)) > 0; }

std::vector<uint8_t> KnownWords::KnownEntries(const AnalysisResult& result) const {
  std::vector<uint8_t> known(static_cast<size_t>(result.words.Count()), 0);
  if (!result.Classified() || folded_.empty()) return known;
  for (int32_t i = 0; i < result.words.Count(); ++i) {
    const WordClass& word = result.classes[static_cast<size_t>(i)];
    const std::string_view spelling = word.InDictionary() ? result.classifier->HeadwordSpelling(word.headword)
                                                          : std::string_view(result.words.Word(i));
    known[static_cast<size_t>(i)] = Contains(spelling) ? 1 : 0;
  }
  // A spelling read as several headwords in its sentences is known only
  // when every one of them is: knowing life does not make the lives read
  // as live known, nor hide them.
  for (const EntryReadings& split : result.readings) {
    if (split.entry < 0 || split.entry >= result.words.Count()) continue;
    for (const WordReading& reading : split.readings) {
      if (!reading.word.InDictionary() || !Contains(result.classifier->HeadwordSpelling(reading.word.headword))) {
        known[static_cast<size_t>(split.entry)] = 0;
      }
    }
  }
  return known;
}

}  // namespace lexiscoop
