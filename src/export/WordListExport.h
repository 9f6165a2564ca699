#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/WordLevel.h"
#include "export/ExportFile.h"
#include "export/ExportTable.h"
#include "views/FirstSentence.h"

namespace lexiscoop {

class ShownWordList;
class WordTable;

// The headword and level of one word-table entry (CP932); no headword for a
// word that is not in the dictionary (level None).
struct EntryHeadword {
  std::string headword;
  WordLevel level = WordLevel::None;
  std::string gloss;  // the headword's Japanese glosses («a; b»); empty if none
};

// One row of the word list as exported (CP932 text).
struct WordExportRow {
  std::string word;      // the shown form
  std::string headword;  // the headword of the row's first word; empty if none
  WordLevel level = WordLevel::None;
  std::string gloss;  // the headword's Japanese glosses; empty if none
  int32_t count = 0;
  double perCent = 0;        // count × 100 ÷ token count; 0 without tokens
  SentenceExcerpt sentence;  // the first sentence where the row's words occur
};

// What the rows are made from: the shown list (rows in their shown order),
// the run's word table and token count, the text and the first occurrence of
// every table entry (FirstOccurrences), and the classification of a table
// entry. All must outlive the call.
struct WordListSource {
  const ShownWordList& shown;
  const WordTable& words;
  int32_t tokenCount = 0;
  std::string_view text;
  const std::vector<TextSpan>& firstOccurrences;
  std::function<EntryHeadword(int entry)> classify;
};

// The rows as shown, one per row of the list. A row's headword, level and
// sentence are those of the table entry that first gave the row its form,
// which is the entry of the row that occurs first in the text.
std::vector<WordExportRow> WordExportRows(const WordListSource& source);

// The word list table: word, headword, level (its name as text), gloss (the
// Japanese glosses), count, per_cent (3 decimals), sentence (the word marked
// 【word】).
ExportTable WordListTable(const std::vector<WordExportRow>& rows);

// Flash cards: two columns, front (the word) and back (headword, level in
// brackets, the glosses, then the sentence), written without a header row as
// TSV.
ExportTable FlashCardTable(const std::vector<WordExportRow>& rows);

// The table for a format: flash cards for TSV, the word list table else.
ExportTable WordListTableFor(const std::vector<WordExportRow>& rows, ExportFormat format);

// The sentence as UTF-8 with the word marked 【word】; empty without one.
std::string MarkedSentenceUtf8(const SentenceExcerpt& sentence);

// A level's name as exported (UTF-8): 基本, 中学, 大学受験, 一般, その他, 未登録.
const std::string& LevelNameUtf8(WordLevel level);

}  // namespace lexiscoop
