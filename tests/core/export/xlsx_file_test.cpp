#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_runner.h"
#include "cli/export_reader.h"
#include "export/ExportFile.h"
#include "export/XlsxFile.h"

namespace lexiscoop {
namespace {

using testing::ReadExportBack;
using testing::TempFolder;

ExportTable AwkwardTable() {
  ExportTable table;
  table.sheetName = "a/b:c";  // characters a sheet name cannot hold
  table.columns = {{"text"}, {"n", ColumnKind::Integer}, {"p", ColumnKind::Decimal, 3}};
  table.rows = {{std::string("日本語の文"), int64_t{7}, 1.5},
                {std::string("=1+1"), int64_t{-3}, 0.0},
                {std::string("tab\tand \"quotes\""), int64_t{2147483648}, 99.9999}};
  return table;
}

TEST(XlsxFileTest, CellsReadBackWithTheirTypes) {
  TempFolder folder;
  const std::string path = folder / "t.xlsx";
  ASSERT_TRUE(WriteXlsxFile(AwkwardTable(), path).ok());
  const std::vector<std::string> rows = ReadExportBack("xlsx", path);
  ASSERT_EQ(rows.size(), 5u) << (rows.empty() ? "" : rows[0]);
  EXPECT_EQ(rows[0],
            R"({"freeze": "A2", "filter": "A1:C4", "bold": true, "narrow": [], "types": ["s", "n", "n"], "formats": ["General", "General", "0.000"]})");
  EXPECT_EQ(rows[1], R"(["text", "n", "p"])");
  EXPECT_EQ(rows[2], R"(["日本語の文", 7, 1.5])");
  // A formula-like text stays text in a workbook.
  EXPECT_EQ(rows[3], R"(["=1+1", -3, 0])");
  // 99.9999 is stored as shown with 3 decimals: 100.000, a whole number.
  EXPECT_EQ(rows[4], R"(["tab\tand \"quotes\"", 2147483648, 100])");
}

TEST(XlsxFileTest, ReplacesAnOldFileWholeAndLeavesNoTemporaryFile) {
  TempFolder folder;
  const std::string path = folder / "t.xlsx";
  testing::WriteFileBytes(path, "old bytes");
  ASSERT_TRUE(WriteExportFile(AwkwardTable(), ExportFormat::Xlsx, path).ok());
  EXPECT_EQ(testing::ReadFileBytes(path).substr(0, 2), "PK");
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) ++files;
  EXPECT_EQ(files, 1);
}

TEST(XlsxFileTest, FailureKeepsTheOldFile) {
  TempFolder folder;
  // Too many rows for a worksheet: refused before anything is written.
  ExportTable big;
  big.columns = {{"n", ColumnKind::Integer}};
  big.rows.resize(kXlsxMaxRows + 1, {int64_t{1}});
  const std::string path = folder / "big.xlsx";
  testing::WriteFileBytes(path, "old");
  EXPECT_FALSE(WriteXlsxFile(big, path).ok());
  EXPECT_EQ(testing::ReadFileBytes(path), "old");
  // A path in a folder that does not exist.
  EXPECT_FALSE(WriteXlsxFile(AwkwardTable(), folder / "none/t.xlsx").ok());
}

// The packing flags and method of every member named in the archive's
// central directory.
std::vector<std::pair<int, int>> MemberPacking(const std::string& zip) {
  std::vector<std::pair<int, int>> members;
  const std::string signature("PK\x01\x02", 4);
  for (size_t at = zip.find(signature); at != std::string::npos && at + 12 <= zip.size();
       at = zip.find(signature, at + 4)) {
    auto word = [&](size_t offset) {
      return static_cast<unsigned char>(zip[at + offset]) | static_cast<unsigned char>(zip[at + offset + 1]) << 8;
    };
    members.emplace_back(word(8), word(10));
  }
  return members;
}

TEST(XlsxFileTest, LargeSheetIsPackedAtTheFastLevelAndReadsBackWhole) {
  TempFolder folder;
  const std::string path = folder / "many.xlsx";
  ExportTable table;
  table.columns = {{"word"}, {"count", ColumnKind::Integer}, {"sentence"}};
  for (int i = 0; i < 3000; ++i) {
    table.rows.push_back({std::string("w").append(std::to_string(i)), int64_t{3000 - i}, std::string("And the LORD said <unto> Moses & ") + std::to_string(i)});
  }
  ASSERT_TRUE(WriteXlsxFile(table, path).ok());
  const std::vector<std::pair<int, int>> members = MemberPacking(testing::ReadFileBytes(path));
  ASSERT_GE(members.size(), 5u);  // content types, relations, workbook, styles, sheet, ...
  for (const auto& [flags, method] : members) {
    EXPECT_EQ(method, 8);          // deflated
    EXPECT_EQ(flags & 6, 6);       // at the fastest level
  }
  const std::vector<std::string> rows = ReadExportBack("xlsx", path);
  ASSERT_EQ(rows.size(), 3002u);
  EXPECT_EQ(rows[1], R"(["word", "count", "sentence"])");
  EXPECT_EQ(rows[2], R"(["w0", 3000, "And the LORD said <unto> Moses & 0"])");
  EXPECT_EQ(rows[3001], R"(["w2999", 1, "And the LORD said <unto> Moses & 2999"])");
}

}  // namespace
}  // namespace lexiscoop
