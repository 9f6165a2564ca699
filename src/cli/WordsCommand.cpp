#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>


#include "analysis/MyParser.h"
#include "cli/CliCommands.h"
#include "cli/DictionarySession.h"
#include "export/ExportFile.h"
#include "export/WordClassifier.h"
#include "export/WordListExport.h"
#include "platform/Cp932.h"
#include "views/FirstSentence.h"
#include "views/ShownWordList.h"
#include "views/WordGloss.h"
#include "views/WordListBuilder.h"

namespace lexiscoop {
namespace {

FormMode ParseForm(const std::string& name) {
  if (name == "base") return FormMode::Original;
  if (name == "headword") return FormMode::Headword;
  if (name == "written") return FormMode::Written;
  if (name == "none") return FormMode::None;
  throw UsageError{"unknown form '" + name + "' (use base, headword, written or none)"};
}

// Calls `take` with each name of a comma list (an empty list has one empty name).
template <class Take>
void ForEachListName(const std::string& list, Take take) {
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(',', start);
    if (end == std::string::npos) end = list.size();
    take(list.substr(start, end - start));
    start = end + 1;
  }
}

LevelMask ParseLevels(const std::string& list) {
  struct Name {
    const char* name;
    int bit;
  };
  static constexpr Name kNames[] = {
      {"basic", kLevelBitBasic},     {"junior", kLevelBitJunior}, {"university", kLevelBitToUniversity},
      {"general", kLevelBitGeneral}, {"other", kLevelBitOther},   {"none", kLevelBitNone},
  };
  LevelMask mask = 0;
  ForEachListName(list, [&](const std::string& name) {
    bool known = false;
    for (const Name& n : kNames) {
      if (name == n.name) {
        mask = static_cast<LevelMask>(mask | LevelBit(n.bit));
        known = true;
      }
    }
    if (name == "all") {
      mask = kAllLevels;
      known = true;
    }
    if (!known) {
      throw UsageError{"unknown level '" + name +
                       "' in --levels (use basic, junior, university, general, other, none or all)"};
    }
  });
  return mask;
}

ProperNounChoice ParseProper(const std::string& name) {
  if (name == "all") return ProperNounChoice::All;
  if (name == "common") return ProperNounChoice::CommonOnly;
  if (name == "proper") return ProperNounChoice::ProperOnly;
  throw UsageError{"unknown --proper choice '" + name + "' (use all, common or proper)"};
}

int ParseSortKey(const std::string& name) {
  if (name == "first") return kSortFirstAppearance;
  if (name == "alpha") return kSortAlphabetical;
  if (name == "count") return kSortCount;
  if (name == "level") return kSortLevel;
  throw UsageError{"unknown sort key '" + name + "' (use first, alpha, count or level)"};
}

// Appends `text` as one cell of a TAB-separated line: a TAB or a line break
// inside it becomes a blank.
void AppendCell(std::string& out, std::string_view text) {
  for (const char c : text) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

// The columns of one output line.
enum class Column { Number, Word, Level, Gloss, Count, PerCent };

std::vector<Column> ParseColumns(const std::string& list) {
  struct Name {
    const char* name;
    Column column;
  };
  static constexpr Name kNames[] = {{"no", Column::Number},   {"word", Column::Word},
                                    {"level", Column::Level}, {"gloss", Column::Gloss},
                                    {"count", Column::Count}, {"percent", Column::PerCent}};
  std::vector<Column> columns;
  ForEachListName(list, [&](const std::string& name) {
    for (const Name& n : kNames) {
      if (name == n.name) {
        columns.push_back(n.column);
        return;
      }
    }
    throw UsageError{"unknown column '" + name + "' in --columns (use no, word, level, gloss, count or percent)"};
  });
  return columns;
}

// Writes the shown rows in an export format to `path`, or to standard output
// (UTF-8 whatever --encoding says: the formats are UTF-8).
int ExportWords(CliContext& context, const ShownWordList& shown, const AnalysedText& text, TMyParser& parser,
                ExportFormat format, const std::string& path) {
  const std::vector<TextSpan> first = FirstOccurrences(parser, text.result.words);
  const WordListSource source{shown, text.result.words, text.result.tokenCount, parser.FullText(), first,
                              ResultHeadwords(text.result)};
  const ExportTable table = WordListTableFor(WordExportRows(source), format);
  if (path.empty() || path == "-") {
    const std::string bytes = ExportText(table, format);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    return kExitOk;
  }
  const std::string failure = WriteExportFile(table, format, path);
  if (!failure.empty()) {
    context.Error(Cp932FromUtf8(path + ": cannot write (" + failure + ")"));
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

int RunWordsCommand(CliContext& context) {
  WordListFilter filter;
  int sortKey = kSortFirstAppearance;
  bool descending = false;
  std::optional<ExportFormat> format;
  std::string outputPath;
  std::vector<Column> columns = {Column::Word, Column::Count, Column::PerCent};
  std::vector<std::string> files;
  const std::vector<std::string>& args = context.args;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string value;
    if (TakeOption(args, i, "--form", value)) {
      filter.formMode = ParseForm(value);
    } else if (TakeOption(args, i, "--levels", value)) {
      filter.levelMask = ParseLevels(value);
    } else if (TakeOption(args, i, "--proper", value)) {
      filter.properNoun = ParseProper(value);
    } else if (TakeOption(args, i, "--sort", value)) {
      sortKey = ParseSortKey(value);
    } else if (TakeOption(args, i, "--format", value)) {
      format = ExportFormatFromName(value);
      if (!format) throw UsageError{"unknown format '" + value + "' (use tsv, csv, json or xlsx)"};
    } else if (TakeOption(args, i, "-o", value) || TakeOption(args, i, "--output", value)) {
      outputPath = value;
    } else if (TakeOption(args, i, "--columns", value)) {
      columns = ParseColumns(value);
    } else if (args[i] == "--desc") {
      descending = true;
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      throw UsageError{"words: unknown option '" + args[i] + "'"};
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 1) throw UsageError{"words needs exactly one FILE"};
  if (!outputPath.empty() && !format) {
    format = ExportFormatFromPath(outputPath);
    if (!format) throw UsageError{"words: cannot tell the format of '" + outputPath + "' (give --format)"};
  }
  if (format == ExportFormat::Xlsx && outputPath.empty()) throw UsageError{"words: --format xlsx needs -o FILE"};

  auto dictionary = LoadDictionary(context);
  TMyParser parser;
  const AnalysedText text = AnalyseFile(files[0], *dictionary, &parser);
  ShownWordList shown;
  WordListBuilder().Rebuild(text.result, filter, shown);
  shown.SortBy(sortKey, descending);
  if (format) return ExportWords(context, shown, text, parser, *format, outputPath);

  // word TAB count TAB per cent, written straight into one buffer.
  std::string out;
  out.reserve(shown.RowCount() * size_t{24});
  char number[16];
  for (int r = 0; r < shown.RowCount(); ++r) {
    const int32_t count = shown.CountOfRow(r);
    for (size_t c = 0; c < columns.size(); ++c) {
      if (c > 0) out += '\t';
      switch (columns[c]) {
        case Column::Number: out += std::to_string(r + 1); break;
        case Column::Word: out += shown.WordOfRow(r); break;
        case Column::Level: out += LevelButtonName(shown.LevelOfRow(r)); break;
        case Column::Gloss: AppendCell(out, GlossOfRow(shown, r, text.result)); break;
        case Column::Count: out.append(number, std::to_chars(number, number + sizeof number, count).ptr); break;
        case Column::PerCent: AppendPerCentText(out, count, text.result.tokenCount); break;
      }
    }
    out += '\n';
  }
  context.Out(out);
  return kExitOk;
}

}  // namespace lexiscoop
