#include <gtest/gtest.h>

#include <string>

#include "export/ExportFile.h"
#include "export/TableText.h"

namespace lexiscoop {
namespace {

ExportTable OneColumn(ColumnKind kind, std::vector<ExportValue> cells, int decimals = 0) {
  ExportTable table;
  table.columns = {{"c", kind, decimals}};
  for (ExportValue& cell : cells) table.rows.push_back({std::move(cell)});
  return table;
}

TEST(CsvTextTest, QuotesOnlyWhatNeedsQuotingAndGuardsFormulas) {
  struct Case {
    std::string cell;
    std::string field;
  } cases[] = {
      {"plain", "plain"},
      {"", ""},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\r\nlines", "\"two\r\nlines\""},
      {"lf\nonly", "\"lf\nonly\""},
      {" blanks kept ", " blanks kept "},
      {"=SUM(A1)", "'=SUM(A1)"},
      {"+1", "'+1"},
      {"-2,3", "\"'-2,3\""},
      {"@cmd", "'@cmd"},
      {"a=b", "a=b"},
      {"日本語", "日本語"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CsvText(OneColumn(ColumnKind::Text, {c.cell})), "\xEF\xBB\xBF" "c\r\n" + c.field + "\r\n") << c.cell;
  }
}

TEST(CsvTextTest, NumbersArePlainAndDecimalsFixed) {
  ExportTable table;
  table.columns = {{"n", ColumnKind::Integer}, {"p", ColumnKind::Decimal, 3}, {"w"}};
  table.rows = {{int64_t{1234567}, 2.7027027, std::string("x")},
                {int64_t{-5}, 100.0, std::string("y")},
                {int64_t{0}, 0.0005, std::string("")}};
  EXPECT_EQ(CsvText(table), "\xEF\xBB\xBFn,p,w\r\n1234567,2.703,x\r\n-5,100.000,y\r\n0,0.001,\r\n");
}

TEST(TsvTextTest, EveryRowIsOneLineAndHeaderIsOptional) {
  ExportTable table;
  table.columns = {{"front"}, {"back"}};
  table.rows = {{std::string("a\tb"), std::string("line\r\nbreak")}, {std::string("=x"), std::string("\"q\"")}};
  EXPECT_EQ(TsvText(table, true), "front\tback\na b\tline  break\n=x\t\"q\"\n");
  EXPECT_EQ(TsvText(table, false), "a b\tline  break\n=x\t\"q\"\n");
}

TEST(JsonLinesTextTest, EscapesStringsAndKeepsNumbersNumeric) {
  ExportTable table;
  table.columns = {{"word"}, {"count", ColumnKind::Integer}, {"per_cent", ColumnKind::Decimal, 1}};
  table.rows = {{std::string("a\"b\\c\n\t\x01"), int64_t{3}, 12.26},
                {std::string("日本"), int64_t{0}, 0.0}};
  EXPECT_EQ(JsonLinesText(table),
            "{\"word\":\"a\\\"b\\\\c\\n\\t\\u0001\",\"count\":3,\"per_cent\":12.3}\n"
            "{\"word\":\"日本\",\"count\":0,\"per_cent\":0.0}\n");
}

TEST(ExportFormatTest, NamesAndExtensions) {
  struct Case {
    const char* path;
    std::optional<ExportFormat> format;
  } cases[] = {
      {"a.csv", ExportFormat::Csv},   {"A.CSV", ExportFormat::Csv},     {"x/y.tsv", ExportFormat::Tsv},
      {"cards.txt", ExportFormat::Tsv}, {"r.jsonl", ExportFormat::Json}, {"r.json", ExportFormat::Json},
      {"book.xlsx", ExportFormat::Xlsx}, {"book.xls", std::nullopt},     {"noext", std::nullopt},
      {"dir.csv/file", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ExportFormatFromPath(c.path), c.format) << c.path;
  EXPECT_EQ(ExportFormatFromName("xlsx"), ExportFormat::Xlsx);
  EXPECT_EQ(ExportFormatFromName("XLSX"), std::nullopt);
}

}  // namespace
}  // namespace lexiscoop
