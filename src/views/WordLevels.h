#pragma once

#include <vector>

#include "analysis/WordLevel.h"
#include "analysis/WordTable.h"
#include "views/DictionaryLists.h"

namespace lexiscoop {

// The level of every entry of `words` (index i → entry i), by the rule that
// ClassifyWords counts with: the headword that ChooseHeadwordForLevel picks,
// the first level list (Basic..General) that holds it, else Other; None for a
// word not in the index. The levels therefore add up to the report's counts.
std::vector<WordLevel> ClassifyWordLevels(const WordTable& words, const DictionaryLists& dictionary);

}  // namespace lexiscoop
