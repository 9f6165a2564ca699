#include "views/WordForms.h"

#include "platform/Compare.h"

namespace lexiscoop {

WordForms WordFormResolver::Resolve(std::string_view word) {
  withItems_.clear();
  withoutItems_.clear();
  WordForms forms;
  const int k = lookup_.Find(word);
  if (k < 0) {
    forms.notFoundForm = word;
    return forms;
  }
  const int headwordCount = headwords_.Count();
  auto headwordOf = [&](int entry) {
    const int h = index_.Objects(entry);
    return h >= 0 && h < headwordCount ? h : -1;
  };
  forms.writtenForm = index_[k];
  if (const int h = headwordOf(k); h >= 0) forms.headwordForm = headwords_[h];

  int first = k;
  while (first > 0 && SameText(index_[first - 1], word)) --first;
  const int count = index_.Count();
  for (int e = first; e < count && SameText(index_[e], word); ++e) {
    const int h = headwordOf(e);
    if (h < 0) continue;
    (headwords_.Objects(h) > 0 ? withItems_ : withoutItems_).push_back(h);
  }
  if (IsCandidate(forms.writtenForm)) forms.headwordForm = forms.writtenForm;

  if (!withItems_.empty()) {
    forms.preferredHeadword = headwords_[withItems_.back()];
  } else if (!withoutItems_.empty()) {
    forms.preferredHeadword = headwords_[withoutItems_.front()];
  }
  return forms;
}

bool WordFormResolver::IsCandidate(std::string_view spelling) const {
  for (int h : withItems_) {
    if (SameText(headwords_[h], spelling)) return true;
  }
  for (int h : withoutItems_) {
    if (SameText(headwords_[h], spelling)) return true;
  }
  return false;
}

std::vector<int> WordFormResolver::CandidateHeadwords() const {
  std::vector<int> candidates(withItems_.rbegin(), withItems_.rend());
  candidates.insert(candidates.end(), withoutItems_.begin(), withoutItems_.end());
  return candidates;
}

}  // namespace lexiscoop
