#pragma once

#include <string_view>

#include "export/ExportFile.h"
#include "export/ExportTable.h"

namespace lexiscoop {

class ShownWordList;
struct AnalysisResult;

// The export of the shown list, the window's and the command line's alike:
// one row per row of `shown` in its shown order, its cells read through the
// word list's column table as the run `result` classified the rows. `text`
// is the text the run scanned, for the sentences: a row's sentence is the
// first one where the row's words occur.
//
// TSV gives flash cards: two columns, front (the word) and back (headword,
// level in brackets, the glosses, then the sentence), without a header row.
// Every other format gives the word list table: word, headword, level (its
// name), gloss, count, per_cent (3 decimals), sentence (the word marked
// 【word】).
ExportTable ShownWordListTable(const ShownWordList& shown, const AnalysisResult& result, std::string_view text,
                               ExportFormat format);

}  // namespace lexiscoop
