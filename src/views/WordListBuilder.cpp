#include "views/WordListBuilder.h"

#include <memory>

#include "analysis/NumberFormat.h"
#include "platform/Cp932.h"
#include "platform/TickCount.h"
#include "views/FoldedLookup.h"
#include "views/WordForms.h"

namespace lexiscoop {
namespace {

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

// The level test of a preferred headword against the four level lists:
// it passes when a list whose bit is set holds it, or, with the Other bit
// set, when no list holds it. Each list is hashed once per rebuild.
class LevelTest {
 public:
  LevelTest(const std::array<const TStringList*, kListedLevelCount>& lists, LevelMask mask) : mask_(mask) {
    for (size_t l = 0; l < lists.size(); ++l) {
      if (lists[l] != nullptr && lists[l]->Count() > 0) lookups_[l] = std::make_unique<FoldedLookup>(*lists[l]);
    }
  }

  bool Passes(std::string_view headword) const {
    static constexpr int kBits[kListedLevelCount] = {kLevelBitBasic, kLevelBitJunior, kLevelBitToUniversity,
                                                     kLevelBitGeneral};
    const bool other = HasLevelBit(mask_, kLevelBitOther);
    bool inAnyList = false;
    for (size_t l = 0; l < lookups_.size(); ++l) {
      const bool bit = HasLevelBit(mask_, kBits[l]);
      if (!lookups_[l] || (!bit && !other)) continue;
      if (lookups_[l]->Contains(headword)) {
        if (bit) return true;
        inAnyList = true;
      }
    }
    return other && !inAnyList;
  }

 private:
  LevelMask mask_;
  std::array<std::unique_ptr<FoldedLookup>, kListedLevelCount> lookups_;
};

}  // namespace

bool WordListBuilder::Rebuild(const WordTable& words, const WordListFilter& filter,
                              ShownWordList& shown, const RebuildControl& control) const {
  if (shown.busy_) return false;
  BusyScope busy(shown.busy_);
  shown.Clear();
  try {
    WordFormResolver resolver(dictionary_.inflectionIndex, dictionary_.headwordList);
    const LevelTest levelTest(dictionary_.levelLists, filter.levelMask);
    const int n = words.Count();
    const bool showNone = HasLevelBit(filter.levelMask, kLevelBitNone);
    auto add = [&](std::string_view form, int32_t count, int word) {
      if (!form.empty() && PassesProperNounChoice(form, filter.properNoun)) {
        shown.AddShownForm(form, count, word);
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
          levelTest.Passes(forms.preferredHeadword)) {
        switch (filter.formMode) {
          case FormMode::Written: add(forms.writtenForm, count, i); break;
          case FormMode::Headword: add(forms.headwordForm, count, i); break;
          case FormMode::Original: add(forms.preferredHeadword, count, i); break;
          case FormMode::None: break;
        }
      }
      if (showNone) add(forms.notFoundForm, count, i);
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
