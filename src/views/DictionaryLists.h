#pragma once

#include <array>

#include "analysis/StringList.h"
#include "analysis/WordLevel.h"

namespace lexiscoop {

// Read access to the dictionary lists that the result views consult: the
// inflection index (sorted, letter case ignored; object = headword index),
// the headword list (file order; object = number of inflection items) and the
// four level lists Basic, Junior, ToUniversity, General (sorted; may be null).
struct DictionaryLists {
  const TStringList& inflectionIndex;
  const TStringList& headwordList;
  std::array<const TStringList*, kListedLevelCount> levelLists{};
};

}  // namespace lexiscoop
