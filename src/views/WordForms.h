#pragma once

#include <string_view>

#include "analysis/WordClassifier.h"
#include "views/WordListFilter.h"

namespace lexiscoop {

// The form under which the word lists show a classified dictionary word:
//   Written  (表記)     the word's spelling as its chosen headword stores it;
//   Headword (見出し語) the headword spelled like the word if there is one,
//                       else the chosen headword;
//   Original (原形)     the chosen headword.
// A headword without a spelling (a dictionary line with nothing before its
// tab) shows the stored spelling instead, so that every dictionary word has a
// form. Empty for FormMode::None and for a word not in the dictionary. The
// view points into the classifier's records.
std::string_view ShownForm(const WordClassifier& classifier, const WordClass& word, FormMode mode);

// The level bit of the word list's level mask that selects `level`.
int LevelBitOf(WordLevel level);

}  // namespace lexiscoop
