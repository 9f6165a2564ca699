#include "export/WordListExport.h"

#include <array>

#include "analysis/WordTable.h"
#include "platform/Cp932.h"
#include "views/ShownWordList.h"

namespace lexiscoop {

const std::string& LevelNameUtf8(WordLevel level) {
  static const std::array<std::string, kWordLevelCount> kNames = [] {
    std::array<std::string, kWordLevelCount> names;
    for (int l = 0; l < kWordLevelCount; ++l) {
      names[static_cast<size_t>(l)] = Utf8FromCp932(LevelButtonName(static_cast<WordLevel>(l)));
    }
    return names;
  }();
  const int index = LevelIndex(level);
  return kNames[static_cast<size_t>(index >= 0 && index < kWordLevelCount ? index : LevelIndex(WordLevel::None))];
}

std::string MarkedSentenceUtf8(const SentenceExcerpt& sentence) {
  if (sentence.Empty()) return {};
  // Converted piece by piece: most pieces are ASCII and need no conversion.
  return Utf8FromCp932(sentence.before) + "【" + Utf8FromCp932(sentence.word) + "】" +
         Utf8FromCp932(sentence.after);
}

std::vector<WordExportRow> WordExportRows(const WordListSource& source) {
  std::vector<WordExportRow> rows;
  const ShownWordList& shown = source.shown;
  rows.reserve(static_cast<size_t>(shown.RowCount()));
  for (int r = 0; r < shown.RowCount(); ++r) {
    WordExportRow row;
    row.word = shown.WordOfRow(r);
    row.count = shown.CountOfRow(r);
    row.perCent = source.tokenCount > 0 ? static_cast<double>(row.count) * 100.0 / source.tokenCount : 0.0;
    const int entry = shown.FirstWordOfPosition(shown.PositionOfRow(r));
    if (entry >= 0 && entry < source.words.Count()) {
      if (source.classify) {
        EntryHeadword word = source.classify(entry);
        row.headword = std::move(word.headword);
        row.level = word.level;
        row.gloss = std::move(word.gloss);
      }
      if (static_cast<size_t>(entry) < source.firstOccurrences.size()) {
        row.sentence = SentenceAround(source.text, source.firstOccurrences[static_cast<size_t>(entry)]);
      }
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

ExportTable WordListTable(const std::vector<WordExportRow>& rows) {
  ExportTable table;
  table.sheetName = "words";
  table.columns = {{"word"},
                   {"headword"},
                   {"level"},
                   {"gloss"},
                   {"count", ColumnKind::Integer},
                   {"per_cent", ColumnKind::Decimal, 3},
                   {"sentence"}};
  table.rows.reserve(rows.size());
  for (const WordExportRow& row : rows) {
    table.rows.push_back({Utf8FromCp932(row.word), Utf8FromCp932(row.headword), LevelNameUtf8(row.level),
                          Utf8FromCp932(row.gloss), int64_t{row.count}, row.perCent, MarkedSentenceUtf8(row.sentence)});
  }
  return table;
}

ExportTable FlashCardTable(const std::vector<WordExportRow>& rows) {
  ExportTable table;
  table.sheetName = "cards";
  table.tsvHeader = false;
  table.columns = {{"front"}, {"back"}};
  table.rows.reserve(rows.size());
  for (const WordExportRow& row : rows) {
    std::string back = Utf8FromCp932(row.headword);
    back += "（" + LevelNameUtf8(row.level) + "）";
    // Appended piece by piece: «" " + temporary» trips GCC 12's -Wrestrict.
    if (!row.gloss.empty()) {
      back += ' ';
      back += Utf8FromCp932(row.gloss);
    }
    const std::string sentence = MarkedSentenceUtf8(row.sentence);
    if (!sentence.empty()) {
      back += ' ';
      back += sentence;
    }
    table.rows.push_back({Utf8FromCp932(row.word), std::move(back)});
  }
  return table;
}

ExportTable WordListTableFor(const std::vector<WordExportRow>& rows, ExportFormat format) {
  return format == ExportFormat::Tsv ? FlashCardTable(rows) : WordListTable(rows);
}

}  // namespace lexiscoop
