#include "views/ContextReading.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "analysis/Analysis.h"
#include "dictionary/Lexicon.h"
#include "tagging/Tagger.h"

namespace lexiscoop {
namespace {

using tagging::Tag;

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualFolded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

bool IsFormOf(const Headword& headword, std::string_view spelling) {
  return std::any_of(headword.forms.begin(), headword.forms.end(),
                     [&](const std::string& form) { return EqualFolded(form, spelling); });
}

// spelling = headword + "s" or + "es": a regular third person (or plural).
bool AddsS(std::string_view headword, std::string_view spelling) {
  for (std::string_view ending : {"s", "es"}) {
    if (spelling.size() == headword.size() + ending.size() &&
        EqualFolded(spelling.substr(0, headword.size()), headword) &&
        EqualFolded(spelling.substr(headword.size()), ending))
      return true;
  }
  return false;
}

// spelling = stem + "ves" for a headword stem + "f" or stem + "fe": a noun
// plural (life -> lives, leaf -> leaves).
bool PluralFromF(std::string_view headword, std::string_view spelling) {
  if (spelling.size() < 4 || !EqualFolded(spelling.substr(spelling.size() - 3), "ves")) return false;
  const std::string_view stem = spelling.substr(0, spelling.size() - 3);
  if (headword.size() < stem.size() + 1 || !EqualFolded(headword.substr(0, stem.size()), stem)) return false;
  const std::string_view rest = headword.substr(stem.size());
  return EqualFolded(rest, "f") || EqualFolded(rest, "fe");
}

// The headword of which `spelling` (…ves) is the -s form, when the
// dictionary files the spelling under a noun only (lives: life, live).
HeadwordId VerbOfPluralInVes(const Lexicon& lexicon, std::string_view spelling) {
  if (spelling.size() <= 4 || !EqualFolded(spelling.substr(spelling.size() - 3), "ves")) return kNoHeadword;
  return lexicon.FindHeadword(spelling.substr(0, spelling.size() - 1));
}

bool IsVerbFormFiledAsPlural(const Lexicon& lexicon, std::string_view spelling) {
  const HeadwordId verb = VerbOfPluralInVes(lexicon, spelling);
  if (verb == kNoHeadword) return false;
  const auto candidates = lexicon.Candidates(spelling);
  return std::find(candidates.begin(), candidates.end(), verb) == candidates.end();
}

bool IsWordByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The words of a sentence that are worth a tag, and where they are.
struct Hit {
  size_t token;
  int32_t entry;
};

// Counts of the headwords an entry was read as.
using ReadingCounts = std::vector<std::pair<HeadwordId, int32_t>>;

class SentenceReader {
 public:
  SentenceReader(const AnalysisResult& result, const Lexicon& lexicon,
                 std::shared_ptr<const tagging::TaggerModel> model)
      : result_(result), lexicon_(lexicon), tagger_(std::move(model)) {}

  // `readings[k]` gives the headword of ambiguous entry k for each tag;
  // `slot[e]` is k + 1 for such an entry, 0 for the others.
  void Read(std::string_view text, const std::vector<uint32_t>& slot,
            const std::vector<std::array<HeadwordId, tagging::kTagCount>>& readings) {
    slot_ = &slot;
    readings_ = &readings;
    // Lengths (bit per length below 64) of the ambiguous spellings by their
    // folded first letter: most words need no table look-up.
    std::array<uint64_t, 256> lengths{};
    for (size_t e = 0; e < slot.size(); ++e) {
      if (!slot[e]) continue;
      const std::string_view w = result_.words.Word(static_cast<int>(e));
      if (!w.empty() && w.size() < 64) lengths[static_cast<unsigned char>(Fold(w[0]))] |= uint64_t{1} << w.size();
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const size_t size = text.size();
    size_t lineBreaks = 0;
    for (size_t i = 0; i < size;) {
      const unsigned char c = bytes[i];
      if (IsWordByte(c)) {
        size_t end = i + 1;
        while (end < size && (IsWordByte(bytes[end]) ||
                              ((bytes[end] == '\'' || bytes[end] == '-') && end + 1 < size && IsWordByte(bytes[end + 1]))))
          ++end;
        const std::string_view word = text.substr(i, end - i);
        if (word.size() < 64 && (lengths[static_cast<unsigned char>(Fold(word[0]))] >> word.size() & 1)) {
          const int entry = result_.words.IndexOf(word);
          if (entry >= 0 && slot[static_cast<size_t>(entry)]) hits_.push_back(Hit{tokens_.size(), entry});
        }
        tokens_.push_back(word);
        lineBreaks = 0;
        i = end;
      } else if (c == '\n') {
        if (++lineBreaks >= 2) Flush();
        ++i;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++i;
      } else if (c >= 0x80) {  // Japanese text between English sentences
        Flush();
        i += IsLeadByte(c) && i + 1 < size ? 2 : 1;
      } else {
        tokens_.push_back(text.substr(i, 1));
        if (c == '.' || c == '!' || c == '?') Flush();
        ++i;
      }
      if (tokens_.size() >= kLongestSentence) Flush();
    }
    Flush();
  }

  std::unordered_map<int32_t, ReadingCounts>& Counts() { return counts_; }

 private:
  static constexpr size_t kLongestSentence = 200;
  static constexpr size_t kBefore = 6, kAfter = 4;  // the window tagged around a word

  void Flush() {
    // Many words to read: the sentence is tagged once, as a whole.
    const bool whole = hits_.size() * (kBefore + kAfter + 1) >= tokens_.size();
    if (whole && !hits_.empty()) tagger_.TagSentence(tokens_);
    for (const Hit& hit : hits_) {
      Tag tag;
      if (whole) {
        tag = tagger_.Tags()[hit.token];
      } else {
        const size_t from = hit.token > kBefore ? hit.token - kBefore : 0;
        const size_t to = std::min(tokens_.size(), hit.token + kAfter + 1);
        const std::span<const std::string_view> window(tokens_.data() + from, to - from);
        tag = tagger_.TagSentence(window)[hit.token - from];
      }
      const size_t k = (*slot_)[static_cast<size_t>(hit.entry)] - 1;
      const HeadwordId id = (*readings_)[k][static_cast<size_t>(tag)];
      ReadingCounts& counts = counts_[hit.entry];
      auto it = std::find_if(counts.begin(), counts.end(), [&](const auto& p) { return p.first == id; });
      if (it == counts.end()) counts.emplace_back(id, 1);
      else ++it->second;
    }
    hits_.clear();
    tokens_.clear();
  }

  const AnalysisResult& result_;
  const Lexicon& lexicon_;
  tagging::Tagger tagger_;
  const std::vector<uint32_t>* slot_ = nullptr;
  const std::vector<std::array<HeadwordId, tagging::kTagCount>>* readings_ = nullptr;
  std::vector<std::string_view> tokens_;
  std::vector<Hit> hits_;
  std::unordered_map<int32_t, ReadingCounts> counts_;
};

}  // namespace

HeadwordId ReadingForTag(const Lexicon& lexicon, std::string_view spelling,
                         std::span<const HeadwordId> candidates, Tag tag) {
  if (candidates.empty()) return kNoHeadword;
  HeadwordId own = kNoHeadword;
  std::vector<HeadwordId> forms;  // headwords the spelling is an inflected form of
  for (const HeadwordId id : candidates) {
    const Headword& h = lexicon.At(id);
    if (EqualFolded(h.spelling, spelling)) {
      if (own == kNoHeadword) own = id;
    } else if (IsFormOf(h, spelling)) {
      forms.push_back(id);
    }
  }
  switch (tag) {
    case Tag::kVBD:
    case Tag::kVBN:
    case Tag::kVBG:
    case Tag::kJJR:
    case Tag::kJJS:
      if (!forms.empty()) return forms.front();
      break;
    case Tag::kVBZ: {
      for (const HeadwordId id : forms) {
        if (AddsS(lexicon.At(id).spelling, spelling)) return id;
      }
      // A verb whose -s form the dictionary files under a noun only
      // (lives, halves): the headword spelled without the -s.
      if (const HeadwordId verb = VerbOfPluralInVes(lexicon, spelling); verb != kNoHeadword) return verb;
      if (!forms.empty()) return forms.front();
      break;
    }
    case Tag::kNNS:
      for (const HeadwordId id : forms) {
        if (PluralFromF(lexicon.At(id).spelling, spelling)) return id;
      }
      if (!forms.empty()) return forms.front();
      break;
    default:
      if (own != kNoHeadword) return own;
      break;
  }
  return candidates.front();
}

std::vector<EntryReadings> ReadWordsInContext(const AnalysisResult& result, const Lexicon& lexicon,
                                              std::shared_ptr<const tagging::TaggerModel> model,
                                              std::string_view text) {
  if (!model || !result.Classified()) return {};
  // Only a word whose reading some tag changes is worth tagging.
  std::vector<uint32_t> slot(result.classes.size(), 0);
  std::vector<std::array<HeadwordId, tagging::kTagCount>> readings;
  for (size_t e = 0; e < result.classes.size(); ++e) {
    const WordClass& c = result.classes[e];
    if (!c.InDictionary()) continue;
    const std::string_view word = result.words.Word(static_cast<int>(e));
    if (!(c.flags & kWordAmbiguous) && !IsVerbFormFiledAsPlural(lexicon, word)) continue;
    std::array<HeadwordId, tagging::kTagCount> byTag;
    bool differs = false;
    for (int t = 0; t < tagging::kTagCount; ++t) {
      byTag[static_cast<size_t>(t)] = ReadingForTag(lexicon, word, lexicon.Candidates(word), static_cast<Tag>(t));
      differs = differs || byTag[static_cast<size_t>(t)] != c.headword;
    }
    if (!differs) continue;
    readings.push_back(byTag);
    slot[e] = static_cast<uint32_t>(readings.size());
  }
  if (readings.empty()) return {};
  SentenceReader reader(result, lexicon, std::move(model));
  reader.Read(text, slot, readings);

  std::vector<EntryReadings> splits;
  for (auto& [entry, counts] : reader.Counts()) {
    const WordClass& rule = result.classes[static_cast<size_t>(entry)];
    int64_t read = 0;
    for (const auto& p : counts) read += p.second;
    const int32_t occurrences = result.words.Occurrences(entry);
    if (read > occurrences) continue;  // the tokeniser saw more than the scanner: keep the rule
    // Occurrences the tokeniser did not reach keep the rule's headword.
    auto ruleCount = std::find_if(counts.begin(), counts.end(), [&](const auto& p) { return p.first == rule.headword; });
    if (ruleCount == counts.end()) {
      counts.emplace_back(rule.headword, 0);
      ruleCount = counts.end() - 1;
    }
    ruleCount->second += static_cast<int32_t>(occurrences - read);
    if (counts.size() == 1) continue;  // every occurrence read as the rule reads it
    std::stable_sort(counts.begin(), counts.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    EntryReadings split{entry, {}};
    for (const auto& [id, count] : counts) {
      if (count == 0) continue;
      WordClass word = rule;
      if (id != rule.headword) {
        word.headword = id;
        word.level = lexicon.At(id).level;
        word.flags = static_cast<uint8_t>(word.flags | kWordReadInContext);
      }
      split.readings.push_back(WordReading{word, count});
    }
    if (split.readings.size() == 1 && split.readings.front().word.headword == rule.headword) continue;
    splits.push_back(std::move(split));
  }
  std::sort(splits.begin(), splits.end(), [](const auto& a, const auto& b) { return a.entry < b.entry; });
  return splits;
}

}  // namespace lexiscoop
