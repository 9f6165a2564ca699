#include "views/WordListColumns.h"

#include <array>
#include <charconv>
#include <vector>

#include "analysis/Analysis.h"
#include "platform/Cp932.h"
#include "views/ClassifiedWord.h"
#include "views/FirstSentence.h"
#include "views/LineWords.h"
#include "views/OccurrenceReadings.h"
#include "views/ShownWordList.h"

namespace lexiscoop {
namespace {

void AppendNumber(std::string& out, int64_t value) {
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void AppendRowNumber(std::string& out, const ListRow& r) { AppendNumber(out, r.row + 1); }
double RowNumber(const ListRow& r) { return r.row + 1; }

void AppendWord(std::string& out, const ListRow& r) { out += r.shown.WordOfRow(r.row); }

void AppendCount(std::string& out, const ListRow& r) { AppendNumber(out, r.shown.CountOfRow(r.row)); }
double Count(const ListRow& r) { return r.shown.CountOfRow(r.row); }

void AppendPerCent(std::string& out, const ListRow& r) {
  AppendPerCentText(out, r.shown.CountOfRow(r.row), r.result.tokenCount);
}
double PerCent(const ListRow& r) {
  const int32_t tokens = r.result.tokenCount;
  return tokens > 0 ? static_cast<double>(r.shown.CountOfRow(r.row)) * 100.0 / tokens : 0.0;
}

void AppendLevel(std::string& out, const ListRow& r) { out += r.result.Levels().Name(r.shown.LevelOfRow(r.row)); }
double Level(const ListRow& r) { return LevelIndex(r.shown.LevelOfRow(r.row)); }

void AppendGlosses(std::string& out, const ListRow& r) {
  out += ClassifiedRowOf(r.shown, r.row, r.result).glosses.text;
}
void AppendFirstGlossGroup(std::string& out, const ListRow& r) {
  out += ClassifiedRowOf(r.shown, r.row, r.result).glosses.FirstGroup();
}

void AppendHeadword(std::string& out, const ListRow& r) {
  out += ClassifiedRowOf(r.shown, r.row, r.result).headwordForm;
}

// «既習» for a row whose words the class knows.
bool Known(const ListRow& r) {
  const int32_t entry = r.shown.FirstWordOfPosition(r.shown.PositionOfRow(r.row));
  return entry >= 0 && static_cast<size_t>(entry) < r.known.size() && r.known[static_cast<size_t>(entry)] != 0;
}
void AppendKnown(std::string& out, const ListRow& r) {
  static const Cp932Text kKnown("既習");
  if (Known(r)) out += kKnown.str();
}

int64_t LetterCount(std::string_view word) {
  int64_t letters = 0;
  for (const char c : word) letters += (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  return letters;
}
void AppendLetters(std::string& out, const ListRow& r) { AppendNumber(out, LetterCount(r.shown.WordOfRow(r.row))); }
double Letters(const ListRow& r) { return static_cast<double>(LetterCount(r.shown.WordOfRow(r.row))); }

// Where the row's first word first occurs read as the row's headword: the
// first occurrence of a word read as several headwords that was read so.
TextSpan FirstOccurrenceOfRow(const ListRow& r, int32_t entry) {
  const TextSpan first = r.result.firstOccurrences[static_cast<size_t>(entry)];
  const HeadwordId headword = r.shown.HeadwordOfPosition(r.shown.PositionOfRow(r.row));
  if (headword == kNoHeadword) return first;
  const int64_t offset = FirstOccurrenceReadAs(r.result, entry, headword);
  if (offset < 0 || static_cast<uint64_t>(offset) >= r.text.size()) return first;
  LineWordScanner scanner(r.text.substr(static_cast<size_t>(offset), r.text.find_first_of("\r\n", static_cast<size_t>(offset)) - static_cast<size_t>(offset)));
  LineWord word{};
  if (!scanner.Next(word) || word.start != 0) return first;
  return {offset, word.length};
}

// The first sentence where the row's words occur, the word marked 【word】.
void AppendSentence(std::string& out, const ListRow& r) {
  const int32_t entry = r.shown.FirstWordOfPosition(r.shown.PositionOfRow(r.row));
  if (entry < 0 || static_cast<size_t>(entry) >= r.result.firstOccurrences.size()) return;
  const SentenceExcerpt sentence = SentenceAround(r.text, FirstOccurrenceOfRow(r, entry));
  if (sentence.Empty()) return;
  static const Cp932Text kOpen("【");
  static const Cp932Text kClose("】");
  out += sentence.before;
  out += kOpen.str();
  out += sentence.word;
  out += kClose.str();
  out += sentence.after;
}

using enum CellKind;
using enum CellAlignment;

// clang-format off
constexpr WordListColumn kColumns[] = {
  // id         export      caption     align  kind     dec sort                  sortName inWin  shown  width after ownW   colour text             number     short
  {"no",        "",         "No",       Left,  Integer, 0, kSortFirstAppearance, "first", true,  true,  60,   -1,   false, false, AppendRowNumber, RowNumber, nullptr},
  {"word",      "",         "Word",     Left,  Text,    0, kSortAlphabetical,    "alpha", true,  true,  150,  -1,   false, false, AppendWord,      nullptr,   nullptr},
  {"count",     "",         "Number",   Right, Integer, 0, kSortCount,           "count", true,  true,  70,   -1,   false, false, AppendCount,     Count,     nullptr},
  {"percent",   "per_cent", "per cent", Right, Decimal, 3, kSortPerCent,         "",      true,  true,  60,   -1,   false, false, AppendPerCent,   PerCent,   nullptr},
  {"level",     "",         "レベル",   Left,  Text,    0, kSortLevel,           "level", true,  true,  64,   2,    false, true,  AppendLevel,     Level,     nullptr},
  {"gloss",     "",         "訳語",     Left,  Text,    0, -1,                   "",      true,  true,  130,  -1,   true,  false, AppendGlosses,   nullptr,   AppendFirstGlossGroup},
  {"letters",   "",         "文字数",   Right, Integer, 0, -1,                   "",      true,  false, 56,   -1,   false, false, AppendLetters,   Letters,   nullptr},
  {"known",     "",         "既習",     Left,  Text,    0, -1,                   "",      true,  false, 40,   -1,   false, false, AppendKnown,     nullptr,   nullptr},
  {"headword",  "",         "",         Left,  Text,    0, -1,                   "",      false, false, 0,    -1,   false, false, AppendHeadword,  nullptr,   nullptr},
  {"sentence",  "",         "",         Left,  Text,    0, -1,                   "",      false, false, 0,    -1,   false, false, AppendSentence,  nullptr,   nullptr},
};
// clang-format on

}  // namespace

std::span<const WordListColumn> WordListColumns() { return kColumns; }

const WordListColumn* FindWordListColumn(std::string_view id) {
  for (const WordListColumn& column : kColumns) {
    if (column.id == id) return &column;
  }
  return nullptr;
}

std::span<const WordListColumn* const> WindowColumns() {
  static const std::vector<const WordListColumn*> kWindow = [] {
    std::vector<const WordListColumn*> columns;
    for (const WordListColumn& column : kColumns) {
      if (column.inWindow) columns.push_back(&column);
    }
    return columns;
  }();
  return kWindow;
}

int WindowColumnIndex(std::string_view id) {
  const std::span<const WordListColumn* const> columns = WindowColumns();
  for (size_t i = 0; i < columns.size(); ++i) {
    if (columns[i]->id == id) return static_cast<int>(i);
  }
  return -1;
}

std::string CellText(const WordListColumn& column, const ListRow& row) {
  std::string text;
  column.appendText(text, row);
  return text;
}

std::string ShortCellText(const WordListColumn& column, const ListRow& row) {
  if (column.appendShortText == nullptr) return CellText(column, row);
  std::string text;
  column.appendShortText(text, row);
  return text;
}

std::string ColumnNameList(std::span<const WordListColumn> columns, bool sortNames) {
  std::vector<std::string_view> names;
  for (const WordListColumn& column : columns) {
    const std::string_view name = sortNames ? column.sortName : column.id;
    if (!name.empty()) names.push_back(name);
  }
  std::string list;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) list += i + 1 == names.size() ? " or " : ", ";
    list += names[i];
  }
  return list;
}

}  // namespace lexiscoop
