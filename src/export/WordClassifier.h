#pragma once

#include <functional>

#include "export/WordListExport.h"
#include "views/DictionaryLists.h"

namespace lexiscoop {

class WordTable;

// The classification of the entries of a run's word table against the
// dictionary lists, by the rule of the level statistics (ChooseHeadwordForLevel,
// then the first level list that holds the headword, else Other). The
// returned function keeps references to the table and the lists.
std::function<WordClass(int entry)> TableWordClassifier(const WordTable& words, const DictionaryLists& lists);

}  // namespace lexiscoop
