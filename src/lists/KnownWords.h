#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace lexiscoop {

struct AnalysisResult;

// The headwords of a known-word list, for look-ups while a result is shown:
// a word of the text is known when the headword it resolves to is in the
// list (a word the dictionary lacks, when its own spelling is). ASCII letter
// case is ignored throughout.
class KnownWords {
 public:
  KnownWords() = default;
  explicit KnownWords(const std::vector<std::string>& headwords);

  bool Empty() const { return folded_.empty(); }
  size_t Size() const { return folded_.size(); }
  bool Contains(std::string_view headword) const;

  // Entry i is 1 when word i of the classified `result` is known, else 0;
  // all 0 for a result not classified.
  std::vector<uint8_t> KnownEntries(const AnalysisResult& result) const;

 private:
  std::unordered_set<std::string> folded_;
};

}  // namespace lexiscoop
