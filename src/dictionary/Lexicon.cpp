#include "dictionary/Lexicon.h"

#include <algorithm>

#include "analysis/StringList.h"
#include "platform/Compare.h"

namespace lexiscoop {
namespace {

// One listing of a spelling while the index is built: headword `id` spells
// it as its own spelling (form -1) or as its inflected spelling `form`.
struct Listing {
  HeadwordId id;
  int32_t form;
  int32_t next;  // the entry's next listing, -1 at the end
};

// A candidate while the candidates of one spelling are ordered.
struct Candidate {
  HeadwordId id;
  int32_t form;  // the first of its spellings that matched; -1 its own
};

// Whether candidate a goes before candidate b by the headword rule.
bool RanksBefore(const Candidate& a, const Candidate& b, const std::vector<Headword>& headwords) {
  const Headword& x = headwords[static_cast<size_t>(a.id)];
  const Headword& y = headwords[static_cast<size_t>(b.id)];
  if (x.level != y.level) return LevelIndex(x.level) < LevelIndex(y.level);
  if (x.HasInflections() != y.HasInflections()) return x.HasInflections();
  const bool ownA = a.form < 0, ownB = b.form < 0;
  if (ownA != ownB) return ownA;
  if (x.spelling.size() != y.spelling.size()) return x.spelling.size() < y.spelling.size();
  if (const int c = CompareStr(x.spelling, y.spelling); c != 0) return c < 0;
  if (x.spelling != y.spelling) return x.spelling < y.spelling;
  // Two lines with one headword: the record's content decides, not its place.
  const size_t n = std::min(x.forms.size(), y.forms.size());
  for (size_t i = 0; i < n; ++i) {
    if (x.forms[i] != y.forms[i]) return x.forms[i] < y.forms[i];
  }
  if (x.forms.size() != y.forms.size()) return x.forms.size() < y.forms.size();
  return a.id < b.id;
}

}  // namespace

std::shared_ptr<const Lexicon> Lexicon::Build(std::vector<Headword> headwords, const LevelLists& levels,
                                              GlossTexts glossTexts) {
  std::shared_ptr<Lexicon> lexicon(new Lexicon());
  lexicon->headwords_ = std::move(headwords);
  lexicon->glossTexts_ = std::move(glossTexts);
  lexicon->SetLevels(levels);
  lexicon->Index();
  return lexicon;
}

std::shared_ptr<const Lexicon> Lexicon::Empty() {
  return Build({}, LevelLists{});
}

void Lexicon::SetLevels(const LevelLists& levels) {
  // Spelling (letter case ignored) -> the first level entry that holds it.
  struct LevelEntry {
    std::string_view spelling;
    int32_t entry;     // the first entry, in the most basic list
    int8_t level;      // that list
    int8_t lastLevel;  // the last list that had it, to count each list's entry once
  };
  std::vector<LevelEntry> found;
  size_t total = 0;
  for (const TStringList* list : levels) total += list != nullptr ? static_cast<size_t>(list->Count()) : 0;
  found.reserve(total);
  FoldedIndex index;
  index.Reset(total);
  auto keyOf = [&found](int32_t i) { return found[static_cast<size_t>(i)].spelling; };
  levelEntryCount_ = 0;
  for (int l = 0; l < kListedLevelCount; ++l) {
    const TStringList* list = levels[static_cast<size_t>(l)];
    levelListSize_[static_cast<size_t>(l)] = list != nullptr ? list->Count() : 0;
    if (list == nullptr) continue;
    for (int i = 0; i < list->Count(); ++i) {
      const std::string& s = (*list)[i];
      if (s.empty()) continue;
      const auto [position, added] = index.Insert(s, FoldedHash(s), static_cast<int32_t>(found.size()), keyOf);
      if (added) {
        found.push_back({s, levelEntryCount_++, static_cast<int8_t>(l), static_cast<int8_t>(l)});
      } else if (found[static_cast<size_t>(position)].lastLevel != l) {
        found[static_cast<size_t>(position)].lastLevel = static_cast<int8_t>(l);
        ++levelEntryCount_;  // an entry of this list too, though it never gives a level
      }
    }
  }
  levelEntryOf_.assign(headwords_.size(), -1);
  for (size_t h = 0; h < headwords_.size(); ++h) {
    Headword& headword = headwords_[h];
    const int32_t i = headword.spelling.empty() ? -1 : index.Find(headword.spelling, keyOf);
    if (i < 0) {
      headword.level = WordLevel::Other;
    } else {
      headword.level = static_cast<WordLevel>(found[static_cast<size_t>(i)].level);
      levelEntryOf_[h] = found[static_cast<size_t>(i)].entry;
    }
  }
}

void Lexicon::Index() {
  size_t listed = 0;
  for (const Headword& h : headwords_) listed += 1 + h.forms.size();
  entries_.clear();
  entries_.reserve(listed);
  index_.Reset(listed);
  formCount_ = static_cast<int32_t>(listed - headwords_.size());
  std::vector<Listing> listings;
  listings.reserve(listed);
  std::vector<int32_t> firstListing;  // per entry
  std::vector<int32_t> lastListing;
  firstListing.reserve(listed);
  lastListing.reserve(listed);
  auto keyOf = [this](int32_t e) { return KeyOf(e); };
  listedSpellings_ = 0;

  for (size_t h = 0; h < headwords_.size(); ++h) {
    const Headword& headword = headwords_[h];
    for (int32_t form = -1; form < static_cast<int32_t>(headword.forms.size()); ++form) {
      const std::string_view s = SpellingOf(static_cast<HeadwordId>(h), form);
      if (s.empty()) continue;
      ++listedSpellings_;
      const auto [entry, added] = index_.Insert(s, FoldedHash(s), static_cast<int32_t>(entries_.size()), keyOf);
      const auto listing = static_cast<int32_t>(listings.size());
      listings.push_back({static_cast<HeadwordId>(h), form, -1});
      if (added) {
        Entry e;
        e.keyHeadword = static_cast<HeadwordId>(h);
        e.keyForm = form;
        entries_.push_back(e);
        firstListing.push_back(listing);
        lastListing.push_back(listing);
      } else {
        listings[static_cast<size_t>(lastListing[static_cast<size_t>(entry)])].next = listing;
        lastListing[static_cast<size_t>(entry)] = listing;
      }
    }
  }

  candidates_.clear();
  candidates_.reserve(listings.size());
  std::vector<Candidate> ranked;
  for (size_t e = 0; e < entries_.size(); ++e) {
    ranked.clear();
    for (int32_t l = firstListing[e]; l >= 0; l = listings[static_cast<size_t>(l)].next) {
      const Listing& listing = listings[static_cast<size_t>(l)];
      // A headword is a candidate once, by the first of its spellings met
      // (its own spelling comes first); listings of one headword are adjacent.
      if (!ranked.empty() && ranked.back().id == listing.id) continue;
      ranked.push_back({listing.id, listing.form});
    }
    if (ranked.size() > 1) {
      std::sort(ranked.begin(), ranked.end(),
                [this](const Candidate& a, const Candidate& b) { return RanksBefore(a, b, headwords_); });
    }
    Entry& entry = entries_[e];
    entry.candidatesBegin = static_cast<uint32_t>(candidates_.size());
    entry.storedForm = ranked.front().form;
    for (const Candidate& c : ranked) {
      candidates_.push_back(c.id);
      if (entry.ownHeadword == kNoHeadword && c.form < 0) entry.ownHeadword = c.id;
    }
  }
}

int32_t Lexicon::EntryOf(std::string_view spelling) const {
  return index_.Find(spelling, [this](int32_t e) { return KeyOf(e); });
}

std::span<const HeadwordId> Lexicon::Candidates(std::string_view spelling) const {
  const int32_t e = EntryOf(spelling);
  if (e < 0) return {};
  const Entry& entry = entries_[static_cast<size_t>(e)];
  return std::span<const HeadwordId>(candidates_.data() + entry.candidatesBegin, CandidateCount(static_cast<size_t>(e)));
}

HeadwordId Lexicon::Resolve(std::string_view spelling) const {
  const int32_t e = EntryOf(spelling);
  return e < 0 ? kNoHeadword : candidates_[entries_[static_cast<size_t>(e)].candidatesBegin];
}

HeadwordId Lexicon::FindHeadword(std::string_view spelling) const {
  const int32_t e = EntryOf(spelling);
  return e < 0 ? kNoHeadword : entries_[static_cast<size_t>(e)].ownHeadword;
}

std::vector<std::string> Lexicon::SpellingsOf(HeadwordId id) const {
  const Headword& h = At(id);
  std::vector<std::string> spellings;
  spellings.reserve(h.forms.size() + 1);
  if (!h.spelling.empty()) spellings.push_back(h.spelling);
  spellings.insert(spellings.end(), h.forms.begin(), h.forms.end());
  return spellings;
}

WordClass Lexicon::Classify(std::string_view word) const {
  WordClass c;
  const int32_t e = EntryOf(word);
  if (e < 0) return c;
  const Entry& entry = entries_[static_cast<size_t>(e)];
  c.headword = candidates_[entry.candidatesBegin];
  c.spelling = e;
  c.level = At(c.headword).level;
  if (entry.ownHeadword != kNoHeadword) c.flags |= kWordOwnHeadword;
  if (CandidateCount(static_cast<size_t>(e)) > 1) c.flags |= kWordAmbiguous;
  return c;
}

std::string_view Lexicon::StoredSpelling(int32_t spelling) const {
  const Entry& entry = entries_[static_cast<size_t>(spelling)];
  return SpellingOf(candidates_[entry.candidatesBegin], entry.storedForm);
}

std::string_view Lexicon::HeadwordForm(int32_t spelling) const {
  const Entry& entry = entries_[static_cast<size_t>(spelling)];
  const HeadwordId id = entry.ownHeadword != kNoHeadword ? entry.ownHeadword : candidates_[entry.candidatesBegin];
  return At(id).spelling;
}

int32_t Lexicon::LevelListSize(WordLevel level) const {
  const int l = LevelIndex(level);
  return l >= 0 && l < kListedLevelCount ? levelListSize_[static_cast<size_t>(l)] : 0;
}

}  // namespace lexiscoop
