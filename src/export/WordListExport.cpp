#include "export/WordListExport.h"

#include <array>
#include <vector>

#include "analysis/Analysis.h"
#include "platform/Cp932.h"
#include "views/ShownWordList.h"
#include "views/WordListColumns.h"

namespace lexiscoop {
namespace {

// The columns of the word list table, in their order.
constexpr std::array<std::string_view, 7> kTableColumns = {"word",  "headword", "level",   "gloss",
                                                          "count", "percent",  "sentence"};

// The cell of `column` for `row`: its text in UTF-8, or its number.
ExportValue ExportCell(const WordListColumn& column, const ListRow& row, std::string& scratch) {
  switch (column.kind) {
    case CellKind::Integer: return static_cast<int64_t>(column.number(row));
    case CellKind::Decimal: return column.number(row);
    case CellKind::Text: break;
  }
  scratch.clear();
  column.appendText(scratch, row);
  return Utf8FromCp932(scratch);
}

const WordListColumn& Column(std::string_view id) { return *FindWordListColumn(id); }

ExportTable WordListTable(const ShownWordList& shown, const AnalysisResult& result, std::string_view text) {
  ExportTable table;
  table.sheetName = "words";
  std::vector<const WordListColumn*> columns;
  for (const std::string_view id : kTableColumns) {
    const WordListColumn& column = Column(id);
    columns.push_back(&column);
    const ColumnKind kind = column.kind == CellKind::Integer   ? ColumnKind::Integer
                            : column.kind == CellKind::Decimal ? ColumnKind::Decimal
                                                               : ColumnKind::Text;
    table.columns.push_back({std::string(column.exportName.empty() ? column.id : column.exportName), kind,
                             column.decimals});
  }
  table.rows.reserve(static_cast<size_t>(shown.RowCount()));
  std::string scratch;
  for (int r = 0; r < shown.RowCount(); ++r) {
    const ListRow row{shown, result, r, text};
    std::vector<ExportValue> cells;
    cells.reserve(columns.size());
    for (const WordListColumn* column : columns) cells.push_back(ExportCell(*column, row, scratch));
    table.rows.push_back(std::move(cells));
  }
  return table;
}

ExportTable FlashCardTable(const ShownWordList& shown, const AnalysisResult& result, std::string_view text) {
  ExportTable table;
  table.sheetName = "cards";
  table.tsvHeader = false;
  table.columns = {{"front"}, {"back"}};
  table.rows.reserve(static_cast<size_t>(shown.RowCount()));
  const WordListColumn& word = Column("word");
  const WordListColumn& headword = Column("headword");
  const WordListColumn& level = Column("level");
  const WordListColumn& gloss = Column("gloss");
  const WordListColumn& sentence = Column("sentence");
  static const Cp932Text kOpen("（");
  static const Cp932Text kClose("）");
  std::string front;
  std::string back;
  std::string piece;
  for (int r = 0; r < shown.RowCount(); ++r) {
    const ListRow row{shown, result, r, text};
    front.clear();
    word.appendText(front, row);
    back.clear();
    headword.appendText(back, row);
    back += kOpen.str();
    level.appendText(back, row);
    back += kClose.str();
    // The glosses' first group and the sentence, each after a blank where
    // there is one.
    for (const WordListColumn* column : {&gloss, &sentence}) {
      piece.clear();
      (column->appendShortText != nullptr ? column->appendShortText : column->appendText)(piece, row);
      if (piece.empty()) continue;
      back += ' ';
      back += piece;
    }
    table.rows.push_back({Utf8FromCp932(front), Utf8FromCp932(back)});
  }
  return table;
}

}  // namespace

ExportTable ShownWordListTable(const ShownWordList& shown, const AnalysisResult& result, std::string_view text,
                               ExportFormat format) {
  return format == ExportFormat::Tsv ? FlashCardTable(shown, result, text) : WordListTable(shown, result, text);
}

}  // namespace lexiscoop
