#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "export_reader.h"

namespace lexiscoop {
namespace {

using testing::CliDataFolder;
using testing::ReadExportBack;
using testing::RunCliProgram;
using testing::TempFolder;
using testing::TestDataFile;

// The sample text (tests/data/cli_sample.txt) has 37 words; its first lines
// are Japanese, then «1) The dog is running after foure cats.» and so on.
class ExportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(data_.packed()); }
  testing::CliRun Words(std::vector<std::string> options) {
    std::vector<std::string> args = data_.With({"words", TestDataFile("cli_sample.txt")});
    args.insert(args.end(), options.begin(), options.end());
    return RunCliProgram(args);
  }
  CliDataFolder data_;
  TempFolder out_;
};

// The first rows of the default list (base forms, order of first appearance).
const char* const kFirstRowsJson[] = {
    R"(["the", "the", "基本", "", 1, 2.703, "1) 【The】 dog is running after foure cats."])",
    R"(["dog", "dog", "基本", "", 1, 2.703, "1) The 【dog】 is running after foure cats."])",
    R"(["be", "be", "基本", "", 1, 2.703, "1) The dog 【is】 running after foure cats."])",
    R"(["run", "run", "その他", "", 1, 2.703, "1) The dog is 【running】 after foure cats."])",
    R"(["after", "", "未登録", "", 1, 2.703, "1) The dog is running 【after】 foure cats."])",
};

TEST_F(ExportCommandTest, JsonLinesAndWorkbookHoldTheRowsAsShown) {
  for (const std::string kind : {"json", "xlsx"}) {
    SCOPED_TRACE(kind);
    const std::string path = out_ / ("words." + (kind == "json" ? std::string("jsonl") : kind));
    const testing::CliRun run = Words({"-o", path});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> rows = ReadExportBack(kind, path);
    ASSERT_FALSE(rows.empty());
    if (kind == "xlsx") {
      EXPECT_EQ(rows[0],
                R"({"freeze": "A2", "filter": "A1:G27", "bold": true, "narrow": [], "types": ["s", "s", "s", "n", "n", "n", "s"], "formats": ["General", "General", "General", "General", "General", "0.000", "General"]})");
      rows.erase(rows.begin());
    }
    if (kind == "json") {
      // Objects: the reader prints them as they are, keys in column order.
      ASSERT_EQ(rows.size(), 26u);
      EXPECT_EQ(rows[0],
                R"({"word": "the", "headword": "the", "level": "基本", "gloss": "", "count": 1, "per_cent": 2.703, "sentence": "1) 【The】 dog is running after foure cats."})");
      EXPECT_EQ(rows[6],
                R"({"word": "cat", "headword": "cat", "level": "基本", "gloss": "", "count": 4, "per_cent": 10.811, "sentence": "1) The dog is running after foure 【cats】."})");
      continue;
    }
    ASSERT_EQ(rows.size(), 27u);
    EXPECT_EQ(rows[0], R"(["word", "headword", "level", "gloss", "count", "per_cent", "sentence"])");
    for (size_t i = 0; i < std::size(kFirstRowsJson); ++i) {
      // A workbook leaves an empty text cell blank.
      std::string expected = kFirstRowsJson[i];
      for (size_t p; kind == "xlsx" && (p = expected.find(R"("", )")) != std::string::npos;) {
        expected.replace(p, 2, "null");
      }
      EXPECT_EQ(rows[i + 1], expected);
    }
    // Without a gloss file the gloss cells are blank.
    EXPECT_EQ(rows[7], R"(["cat", "cat", "基本", null, 4, 10.811, "1) The dog is running after foure 【cats】."])");
    EXPECT_EQ(rows[17], R"(["I", "I", "その他", null, 2, 5.405, "3) 【I'm】 here!"])");
  }
}

TEST_F(ExportCommandTest, CsvOpensWithPythonsCsvModuleAfterFiltersAndSort) {
  const std::string path = out_ / "words.csv";
  const testing::CliRun run = Words({"--levels", "junior", "--form", "written", "--sort", "count", "--desc", "-o", path});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> rows = ReadExportBack("csv", path);
  // wrote 2, begins 2, letter 1, write 1, beginning 1, began 1, begun 1 (equal counts keep their order).
  // Lines without a sentence end run on into one sentence.
  ASSERT_EQ(rows.size(), 8u) << (rows.empty() ? "" : rows[0]);
  EXPECT_EQ(rows[0], R"(["word", "headword", "level", "gloss", "count", "per_cent", "sentence"])");
  EXPECT_EQ(rows[1], R"(["wrote", "write", "中学", "", "2", "5.405", "2) Thomas 【wrote】 a letter to his wife in Japan."])");
  EXPECT_EQ(rows[2], R"(["begins", "begin", "中学", "", "2", "5.405", "cat cats, cats, caat wrote, write 【begins】, beginning, began, begun, begins"])");
  EXPECT_EQ(rows[7], R"(["begun", "begin", "中学", "", "1", "2.703", "cat cats, cats, caat wrote, write begins, beginning, began, 【begun】, begins"])");
}

TEST_F(ExportCommandTest, TsvIsFlashCardsWithoutHeader) {
  const std::string path = out_ / "cards.tsv";
  const testing::CliRun run = Words({"--levels", "basic", "-o", path});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> rows = ReadExportBack("tsv", path);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0], R"(["the", "the（基本） 1) 【The】 dog is running after foure cats."])");
  EXPECT_EQ(rows[3], R"(["cat", "cat（基本） 1) The dog is running after foure 【cats】."])");
  EXPECT_EQ(rows[4], R"(["you", "you（基本） 5) 【You'd】 like that, wouldn't you?"])");
}

// Every group in the tables' gloss column; the flash card's back has the
// first group only.
TEST_F(ExportCommandTest, EveryFormatCarriesTheHeadwordsGlosses) {
  testing::WriteFileBytes(data_ / "gloss.txt", "#LxGloss 2\ncat\t猫\ndog\t名 犬; ドッグ / 動 つけ回す\n");
  ASSERT_EQ(RunCliProgram(data_.With({"dict", "pack", data_ / "gloss.txt", data_ / "LxGloss.dat"})).exitCode, 0);
  std::vector<std::string> rows = ReadExportBack("tsv", (Words({"--levels", "basic", "-o", out_ / "c.tsv"}), out_ / "c.tsv"));
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[1], R"(["dog", "dog（基本） 名 犬; ドッグ 1) The 【dog】 is running after foure cats."])");
  EXPECT_EQ(rows[3], R"(["cat", "cat（基本） 猫 1) The dog is running after foure 【cats】."])");
  EXPECT_EQ(rows[0], R"(["the", "the（基本） 1) 【The】 dog is running after foure cats."])");
  for (const std::string kind : {"csv", "json", "xlsx"}) {
    SCOPED_TRACE(kind);
    const std::string path = out_ / ("w." + (kind == "json" ? std::string("jsonl") : kind));
    ASSERT_EQ(Words({"-o", path}).exitCode, 0);
    rows = ReadExportBack(kind, path);
    const std::string all = [&] {
      std::string joined;
      for (const std::string& r : rows) joined += r + "\n";
      return joined;
    }();
    if (kind == "json") {
      EXPECT_NE(all.find(R"("headword": "cat", "level": "基本", "gloss": "猫")"), std::string::npos) << all;
      EXPECT_NE(all.find(R"("gloss": "名 犬; ドッグ / 動 つけ回す")"), std::string::npos) << all;
    } else {
      EXPECT_NE(all.find(R"(["cat", "cat", "基本", "猫", )"), std::string::npos) << all;
      EXPECT_NE(all.find(R"(["dog", "dog", "基本", "名 犬; ドッグ / 動 つけ回す", )"), std::string::npos) << all;
    }
  }
}

TEST_F(ExportCommandTest, FormatGoesToStandardOutputWithoutFile) {
  const testing::CliRun run = Words({"--format", "json", "--levels", "university"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "");
  const testing::CliRun csv = Words({"--format", "csv", "--levels", "university"});
  EXPECT_EQ(csv.out, "\xEF\xBB\xBFword,headword,level,gloss,count,per_cent,sentence\r\n");
}

TEST_F(ExportCommandTest, WrongRequestsAreRefusedWithoutWriting) {
  struct Case {
    std::vector<std::string> options;
    int exitCode;
  } cases[] = {
      {{"--format", "pdf", "-o", out_ / "a.pdf"}, 2},
      {{"-o", out_ / "words.doc"}, 2},           // format unknown from the name
      {{"--format", "xlsx"}, 2},                  // a workbook needs a file
      {{"-o", out_ / "missing/words.csv"}, 1},   // folder does not exist
      {{"-o", out_ / "missing/words.xlsx"}, 1},
  };
  for (const Case& c : cases) {
    const testing::CliRun run = Words(c.options);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.options[0] << " " << run.err;
    EXPECT_NE(run.err, "");
  }
  EXPECT_TRUE(std::filesystem::is_empty(out_.path()));
  // A folder in the way is not replaced.
  std::filesystem::create_directory(out_ / "taken.xlsx");
  EXPECT_EQ(Words({"-o", out_ / "taken.xlsx"}).exitCode, 1);
  EXPECT_TRUE(std::filesystem::is_directory(out_ / "taken.xlsx"));
}

// Every kind of output path: an input given again as the output (by name,
// through a link, as a file of a profiled folder) is refused before any
// work and left as it was; a device or a pipe is written to as it is; a
// folder is refused by name.
TEST_F(ExportCommandTest, OutputPathsAreCheckedBeforeTheWork) {
  const std::string text = out_ / "t.txt";
  const std::string sample = testing::ReadFileBytes(TestDataFile("cli_sample.txt"));
  testing::WriteFileBytes(text, sample);
  std::filesystem::create_symlink(text, out_ / "link.csv");
  std::filesystem::create_directory(out_ / "folder");
  // More distinct words than a worksheet has rows, all on one line.
  std::string wide;
  for (int n = 0; n < (1 << 20) + 4096; ++n) {
    for (int i = 0; i < 6; ++i) wide += static_cast<char>('a' + (n >> (4 * i)) % 16);
    wide += ' ';
  }
  testing::WriteFileBytes(out_ / "wide.txt", wide);
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    const char* error;  // a part of the message; "" when none is expected
  } cases[] = {
      {{"words", text, "--format", "csv", "-o", text}, 1, "t.txt: is also an input"},
      {{"words", text, "-o", out_ / "link.csv"}, 1, "link.csv: is also an input"},
      {{"profile", text, "-o", text}, 1, "t.txt: is also an input"},
      {{"profile", "-r", out_.path().string(), "--format", "csv", "-o", text}, 1, "is also an input"},
      {{"words", text, "--format", "csv", "-o", "/dev/null"}, 0, ""},
      {{"words", text, "--format", "xlsx", "-o", "/dev/null"}, 0, ""},
      {{"profile", text, "--format", "tsv", "-o", "/dev/null"}, 0, ""},
      {{"words", text, "--format", "csv", "-o", out_ / "folder"}, 1, "folder: is a folder"},
      {{"profile", text, "--format", "csv", "-o", out_ / "folder/"}, 1, "is a folder"},
      {{"words", out_ / "wide.txt", "-o", out_ / "wide.xlsx"}, 1, "too many rows for a worksheet ("},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " -o " + c.args.back());
    std::vector<std::string> args = data_.With({});
    args.insert(args.end(), c.args.begin(), c.args.end());
    const testing::CliRun run = RunCliProgram(args);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    if (*c.error != '\0') {
      EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    }
    EXPECT_EQ(testing::ReadFileBytes(text), sample);
  }
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  EXPECT_TRUE(std::filesystem::is_directory(out_ / "folder"));
  EXPECT_TRUE(std::filesystem::is_symlink(out_ / "link.csv"));
  EXPECT_FALSE(std::filesystem::exists(out_ / "wide.xlsx"));

  // -o /dev/stdout with standard output on a pipe writes into the pipe.
  std::string command = "'" + std::string(LEXISCOOP_CLI_PATH) + "'";
  for (const std::string& arg : data_.With({"words", text, "--format", "csv", "-o", "/dev/stdout"})) {
    command += " '" + arg + "'";
  }
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string piped;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) piped.append(buffer, n);
  EXPECT_EQ(pclose(pipe), 0);
  EXPECT_EQ(piped.rfind("\xEF\xBB\xBFword,headword,level", 0), 0u) << piped.substr(0, 80);
}

}  // namespace
}  // namespace lexiscoop
