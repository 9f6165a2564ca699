#include "views/WordListBuilder.h"

#include "analysis/NumberFormat.h"
#include "platform/Cp932.h"
#include "platform/TickCount.h"
#include "views/WordForms.h"

namespace lexiscoop {
namespace {

bool InList(const TStringList* list, std::string_view word) {
  return list != nullptr && list->Count() > 0 && list->IndexOf(word) >= 0;
}

bool PassesProperNounChoice(std::string_view form, ProperNounChoice choice) {
  if (choice == ProperNounChoice::All) return true;
  const bool capital = !form.empty() && form[0] >= 'A' && form[0] <= 'Z';
  return choice == ProperNounChoice::ProperOnly ? capital : !capital;
}

// Marks the list busy for the span of one rebuild.
class BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& busy_;
};

}  // namespace

bool WordListBuilder::PassesLevels(std::string_view headword, LevelMask mask) const {
  static constexpr int kBits[kListedLevelCount] = {kLevelBitBasic, kLevelBitJunior,
                                                   kLevelBitToUniversity, kLevelBitGeneral};
  const auto& lists = dictionary_.levelLists;
  for (int l = 0; l < kListedLevelCount; ++l) {
    if (HasLevelBit(mask, kBits[l]) && InList(lists[static_cast<size_t>(l)], headword)) return true;
  }
  if (!HasLevelBit(mask, kLevelBitOther)) return false;
  for (const TStringList* list : lists) {
    if (InList(list, headword)) return false;
  }
  return true;
}

bool WordListBuilder::Rebuild(const WordTable& words, const WordListFilter& filter,
                              ShownWordList& shown, const RebuildControl& control) const {
  if (shown.busy_) return false;
  BusyScope busy(shown.busy_);
  shown.Clear();
  try {
    WordFormResolver resolver(dictionary_.inflectionIndex, dictionary_.headwordList);
    const int n = words.Count();
    const bool showNone = HasLevelBit(filter.levelMask, kLevelBitNone);
    auto add = [&](std::string_view form, int32_t count) {
      if (!form.empty() && PassesProperNounChoice(form, filter.properNoun)) {
        shown.AddShownForm(form, count);
      }
    };

    if (control.pump) control.pump(100);
    uint32_t lastPump = TickCount();
    int untilClockCheck = control.wordsPerClockCheck;
    for (int i = 0; i < n; ++i) {
      if (--untilClockCheck <= 0) {
        untilClockCheck = control.wordsPerClockCheck;
        if (control.pump && TickCount() - lastPump >= control.sliceMs) {
          control.pump(static_cast<int>(static_cast<int64_t>(n - i) * 100 / n));
          lastPump = TickCount();
        }
      }
      const int32_t count = words.Occurrences(i);
      const WordForms forms = resolver.Resolve(words.Word(i));
      if (!forms.preferredHeadword.empty() && filter.formMode != FormMode::None &&
          PassesLevels(forms.preferredHeadword, filter.levelMask)) {
        switch (filter.formMode) {
          case FormMode::Written: add(forms.writtenForm, count); break;
          case FormMode::Headword: add(forms.headwordForm, count); break;
          case FormMode::Original: add(forms.preferredHeadword, count); break;
          case FormMode::None: break;
        }
      }
      if (showNone) add(forms.notFoundForm, count);
    }
    shown.ResetRowOrder();
  } catch (...) {
    shown.Clear();
    throw;
  }
  return true;
}

std::optional<std::string> ShownWordsStatusText(int shownCount, int distinctCount) {
  if (distinctCount <= 0) return std::nullopt;
  static const Cp932Text kPrefix("表示単語数 ");
  static const Cp932Text kMiddle(" 語（");
  static const Cp932Text kSuffix(" ％）");
  const int64_t percent = static_cast<int64_t>(shownCount) * 100 / distinctCount;
  return kPrefix.str() + FormatThousands(shownCount) + kMiddle.str() + std::to_string(percent) +
         kSuffix.str();
}

}  // namespace lexiscoop
