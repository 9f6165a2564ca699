#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>


#include "analysis/MyParser.h"
#include "cli/CliCommands.h"
#include "cli/DictionarySession.h"
#include "cli/ListSession.h"
#include "export/ExportFile.h"
#include "lists/KnownWords.h"
#include "export/WordListExport.h"
#include "platform/Cp932.h"
#include "platform/OutputPath.h"
#include "views/ShownWordList.h"
#include "views/WordListBuilder.h"
#include "views/WordListColumns.h"

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

// The levels of `list` (keys of `levels`, or all).
LevelMask ParseLevels(const std::string& list, const LevelSet& levels) {
  LevelMask mask = 0;
  ForEachListName(list, [&](const std::string& name) {
    if (name == "all") {
      mask = static_cast<LevelMask>(levels.AllFilterBits());
    } else if (const LevelInfo* level = levels.FindKey(name)) {
      mask = static_cast<LevelMask>(mask | LevelBit(level->filterBit));
    } else {
      std::string keys;
      for (const LevelInfo& known : levels.Levels()) keys += std::string(known.key) + ", ";
      throw UsageError{"unknown level '" + name + "' in --levels (use " + keys.substr(0, keys.size() - 2) + " or all)"};
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
  for (const WordListColumn& column : WordListColumns()) {
    if (!column.sortName.empty() && column.sortName == name) return column.sortKey;
  }
  throw UsageError{"unknown sort key '" + name + "' (use " + ColumnNameList(WordListColumns(), true) + ")"};
}

// Appends `text` as one cell of a TAB-separated line: a TAB or a line break
// inside it becomes a blank.
void AppendCell(std::string& out, std::string_view text) {
  for (const char c : text) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

std::vector<const WordListColumn*> ParseColumns(const std::string& list) {
  std::vector<const WordListColumn*> columns;
  ForEachListName(list, [&](const std::string& name) {
    const WordListColumn* column = FindWordListColumn(name);
    if (column == nullptr) {
      throw UsageError{"unknown column '" + name + "' in --columns (use " + ColumnNameList(WordListColumns(), false) +
                       ")"};
    }
    columns.push_back(column);
  });
  return columns;
}

// Writes the shown rows in an export format to `path`, or to standard output
// (UTF-8 whatever --encoding says: the formats are UTF-8).
int ExportWords(CliContext& context, const ShownWordList& shown, const AnalysedText& text, const TMyParser& parser,
                ExportFormat format, const std::string& path) {
  if (const Status fits = CheckExportRowCount(static_cast<size_t>(shown.RowCount()), format); !fits.ok()) {
    context.Error(Cp932FromUtf8(path + ": cannot write (" + fits.ToString() + ")"));
    return kExitFailure;
  }
  const ExportTable table = ShownWordListTable(shown, text.result, parser.FullText(), format);
  if (path.empty() || path == "-") {
    const std::string bytes = ExportText(table, format);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    return kExitOk;
  }
  const Status failure = WriteExportFile(table, format, path);
  if (!failure.ok()) {
    context.Error(Cp932FromUtf8(path + ": cannot write (" + failure.ToString() + ")"));
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
  std::vector<const WordListColumn*> columns = ParseColumns("word,count,percent");
  std::vector<std::string> files;
  std::string unknownTo;
  std::string knownList;
  std::string setName;
  std::optional<std::string> levelList;
  const std::vector<std::string>& args = context.args;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string value;
    if (TakeOption(args, i, "--form", value)) {
      filter.formMode = ParseForm(value);
    } else if (TakeOption(args, i, "--levels", value)) {
      levelList = value;
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
    } else if (TakeOption(args, i, "--unknown-to", value)) {
      unknownTo = ArgumentText(context, value);
    } else if (TakeOption(args, i, "--known", value)) {
      knownList = ArgumentText(context, value);
    } else if (TakeOption(args, i, "--levels-set", value)) {
      setName = ArgumentText(context, value);
    } else if (args[i] == "--desc") {
      descending = true;
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      throw UsageError{"words: unknown option '" + args[i] + "'"};
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 1) throw UsageError{"words needs exactly one FILE"};
  if (levelList && setName.empty()) filter.levelMask = ParseLevels(*levelList, ShippedLevels());
  if (!outputPath.empty() && !format) {
    format = ExportFormatFromPath(outputPath);
    if (!format) throw UsageError{"words: cannot tell the format of '" + outputPath + "' (give --format)"};
  }
  if (format == ExportFormat::Xlsx && outputPath.empty()) throw UsageError{"words: --format xlsx needs -o FILE"};
  if (!outputPath.empty() && outputPath != "-") {
    if (const Status usable = CheckOutputPath(outputPath, files); !usable.ok()) {
      context.Error(Cp932FromUtf8(usable.message()));
      return kExitFailure;
    }
  }

  auto dictionary = LoadDictionary(context);
  TMyParser parser;
  AnalysedText text = AnalyseFile(context, files[0], *dictionary, &parser);
  ApplyLevelSet(context, setName, text.result);
  if (levelList && !setName.empty()) filter.levelMask = ParseLevels(*levelList, text.result.Levels());
  else if (!levelList) filter.levelMask = static_cast<LevelMask>(text.result.Levels().AllFilterBits());
  std::vector<uint8_t> newOnly;
  if (!unknownTo.empty()) {
    newOnly = KnownWords(LoadKnownList(context, unknownTo).headwords).KnownEntries(text.result);
    filter.leaveOut = newOnly;
  }
  std::vector<uint8_t> known;
  if (!knownList.empty()) known = KnownWords(LoadKnownList(context, knownList).headwords).KnownEntries(text.result);
  ShownWordList shown;
  WordListBuilder().Rebuild(text.result, filter, shown);
  shown.SortBy(sortKey, descending);
  if (format) return ExportWords(context, shown, text, parser, *format, outputPath);

  // The chosen columns TAB-separated, written straight into one buffer.
  std::string out;
  out.reserve(shown.RowCount() * size_t{24});
  std::string cell;
  for (int r = 0; r < shown.RowCount(); ++r) {
    const ListRow row{shown, text.result, r, parser.FullText(), known};
    for (size_t c = 0; c < columns.size(); ++c) {
      if (c > 0) out += '\t';
      cell.clear();
      columns[c]->appendText(cell, row);
      AppendCell(out, cell);
    }
    out += '\n';
  }
  context.Out(out);
  return kExitOk;
}

}  // namespace lexiscoop
