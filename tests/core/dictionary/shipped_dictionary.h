// The shipped dictionary (data/) loaded once per test suite, as the program
// loads it, with the headword every view counts a spelling for.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "dictionary/ConjugationDictionary.h"
#include "dictionary/Lexicon.h"

namespace lexiscoop {

class ShippedDictionaryFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dictionary_ = new ConjugationDictionary(LEXISCOOP_SHIPPED_DATA_DIR, LEXISCOOP_SHIPPED_DATA_DIR);
    dictionary_->ReloadDictionary(false);
  }
  static void TearDownTestSuite() {
    delete dictionary_;
    dictionary_ = nullptr;
  }

  // The headword the lexicon chooses for `word` (the one every view shows
  // and counts), "" if not found.
  static std::string Chosen(const std::string& word) {
    const auto lexicon = dictionary_->CurrentLexicon();
    const HeadwordId h = lexicon->Resolve(word);
    return h == kNoHeadword ? "" : lexicon->At(h).spelling;
  }

  static inline ConjugationDictionary* dictionary_ = nullptr;
};

}  // namespace lexiscoop
