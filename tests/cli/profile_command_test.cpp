#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "export_reader.h"

namespace lexiscoop {
namespace {

using testing::CliDataFolder;
using testing::RunCliProgram;
using testing::TempFolder;
using testing::WriteFileBytes;

using Row = std::map<std::string, std::string>;

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = s.find(sep, start);
    parts.push_back(s.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

// The rows of the TSV output, keyed by the header's column names.
std::vector<Row> ParseTsv(const std::string& out) {
  std::vector<std::string> lines = Split(out, '\n');
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  std::vector<Row> rows;
  if (lines.empty()) return rows;
  const std::vector<std::string> header = Split(lines[0], '\t');
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> cells = Split(lines[i], '\t');
    Row row;
    for (size_t c = 0; c < header.size() && c < cells.size(); ++c) row[header[c]] = cells[c];
    rows.push_back(row);
  }
  return rows;
}

// The count on a counted line of the report: the number after the name.
std::string ReportCount(const std::string& line) {
  std::string digits;
  size_t i = line.find_first_of("0123456789");
  for (; i < line.size() && (isdigit(static_cast<unsigned char>(line[i])) || line[i] == ','); ++i) {
    if (line[i] != ',') digits += line[i];
  }
  return digits;
}

class ProfileCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(data_.packed());
    WriteFileBytes(texts_ / "a.txt", "The cat and the dog. Cats wrote letters.\nThomas writes in Japan.\n");
    WriteFileBytes(texts_ / "b.txt", "You began it; I'm begun. A zebra! Zebras run, ran, running.\n");
    std::filesystem::copy_file(testing::TestDataFile("cli_sample.txt"), texts_ / "c.txt");
  }
  testing::CliRun Profile(std::initializer_list<std::string> args) {
    std::vector<std::string> all = data_.With({"profile"});
    all.insert(all.end(), args.begin(), args.end());
    return RunCliProgram(all);
  }
  CliDataFolder data_;
  TempFolder texts_;
};

TEST_F(ProfileCommandTest, RowsEqualTheReportOfEachFileAndTotalIsTheSum) {
  const testing::CliRun run = Profile({texts_ / "a.txt", texts_ / "b.txt", texts_ / "c.txt"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, 17), "file\ttokens\ttypes");
  const std::vector<Row> rows = ParseTsv(run.out);
  ASSERT_EQ(rows.size(), 4u);
  const char* const levels[] = {"basic", "junior", "university", "general", "other", "none"};
  for (size_t f = 0; f < 3; ++f) {
    const std::string path = texts_ / std::string(1, static_cast<char>('a' + f)) + ".txt";
    SCOPED_TRACE(path);
    EXPECT_EQ(rows[f].at("file"), path);
    const testing::CliRun report = RunCliProgram(data_.With({"report", path}));
    ASSERT_EQ(report.exitCode, 0);
    const std::vector<std::string> lines = Split(report.out, '\n');
    EXPECT_EQ(rows[f].at("tokens"), ReportCount(lines[5]));
    EXPECT_EQ(rows[f].at("types"), ReportCount(lines[19]));
    for (size_t l = 0; l < 6; ++l) {
      EXPECT_EQ(rows[f].at(std::string("tokens_") + levels[l]), ReportCount(lines[7 + l])) << levels[l];
      EXPECT_EQ(rows[f].at(std::string("types_") + levels[l]), ReportCount(lines[21 + l])) << levels[l];
    }
  }
  const Row& total = rows[3];
  EXPECT_EQ(total.at("file"), "(total)");
  // The distinct words are the collection's: those of the three texts read
  // as one (a word in two files counts once).
  TempFolder joinedFolder;
  std::string joined;
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
    std::ifstream in(texts_ / name, std::ios::binary);
    joined += std::string(std::istreambuf_iterator<char>(in), {}) + "\n";
  }
  WriteFileBytes(joinedFolder / "all.txt", joined);
  const testing::CliRun all = RunCliProgram(data_.With({"report", joinedFolder / "all.txt"}));
  ASSERT_EQ(all.exitCode, 0);
  const std::vector<std::string> allLines = Split(all.out, '\n');
  EXPECT_EQ(total.at("types"), ReportCount(allLines[19]));
  EXPECT_LT(std::stoll(total.at("types")),
            std::stoll(rows[0].at("types")) + std::stoll(rows[1].at("types")) + std::stoll(rows[2].at("types")));
  for (size_t l = 0; l < 6; ++l) {
    EXPECT_EQ(total.at(std::string("types_") + levels[l]), ReportCount(allLines[21 + l])) << levels[l];
  }
  for (const auto& [column, value] : total) {
    if (column == "file" || column == "error" || column.find("pct") != std::string::npos ||
        column.rfind("coverage", 0) == 0 || column.rfind("stage", 0) == 0 || column.rfind("types", 0) == 0) {
      continue;
    }
    int64_t sum = 0;
    for (size_t f = 0; f < 3; ++f) sum += std::stoll(rows[f].at(column));
    EXPECT_EQ(value, std::to_string(sum)) << column;
  }
}

TEST_F(ProfileCommandTest, HandWorkedFiguresOfOneText) {
  // a.txt: The cat and the dog Cats wrote letters Thomas writes in Japan = 12
  // words; the(2) cat(1) dog(1) Cats(1) basic = 5; wrote writes letters
  // junior = 3; and, in not in the dictionary (none) = 2; Thomas (other) 1;
  // Japan general 1. Names among the none words: none (and, in are lower
  // case). Coverage: basic 5/12, junior 8/12, university 8/12, general 9/12.
  const std::vector<Row> rows = ParseTsv(Profile({texts_ / "a.txt"}).out);
  ASSERT_EQ(rows.size(), 2u);
  const Row& a = rows[0];
  EXPECT_EQ(a.at("tokens"), "12");
  EXPECT_EQ(a.at("tokens_basic"), "5");
  EXPECT_EQ(a.at("tokens_basic_pct"), "41.7");
  EXPECT_EQ(a.at("tokens_junior"), "3");
  EXPECT_EQ(a.at("tokens_general"), "1");
  EXPECT_EQ(a.at("tokens_other"), "1");
  EXPECT_EQ(a.at("tokens_none"), "2");
  EXPECT_EQ(a.at("coverage_basic"), "41.6");  // truncated, not rounded
  EXPECT_EQ(a.at("coverage_junior"), "66.6");
  EXPECT_EQ(a.at("coverage_general"), "75.0");
  EXPECT_EQ(a.at("stage_95"), "");
}

TEST_F(ProfileCommandTest, BadFilesAreRowsOrNotesAndNeverStopTheRest) {
  ASSERT_EQ(mkfifo((texts_ / "fifo.txt").c_str(), 0600), 0);
  WriteFileBytes(texts_ / "long.txt", std::string(5000, 'a'));
  WriteFileBytes(texts_ / "binary.dat", std::string("ELF\0\0\1\2 cat dog", 15));
  // Too large: refused before it is read (a sparse file costs no disk).
  {
    const std::string huge = texts_ / "huge.txt";
    WriteFileBytes(huge, "");
    std::filesystem::resize_file(huge, (1ull << 31));
  }
  const testing::CliRun run = Profile({texts_ / "a.txt", texts_ / "fifo.txt", texts_ / "binary.dat",
                                       texts_ / "long.txt", texts_ / "huge.txt", texts_ / "missing.txt",
                                       texts_ / "b.txt"});
  EXPECT_EQ(run.exitCode, 1);
  const std::vector<Row> rows = ParseTsv(run.out);
  ASSERT_EQ(rows.size(), 7u);  // no row for the binary file
  const std::vector<std::string> order = {"a.txt", "fifo.txt", "long.txt", "huge.txt", "missing.txt", "b.txt"};
  for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(rows[i].at("file"), texts_ / order[i]);
  EXPECT_EQ(rows[0].at("error"), "");
  for (size_t i : {1, 3, 4}) {
    EXPECT_NE(rows[i].at("error"), "") << order[i];
    EXPECT_EQ(rows[i].at("tokens"), "") << order[i];
  }
  // A line longer than the scanner's window is a text like any other.
  EXPECT_EQ(rows[2].at("error"), "");
  EXPECT_EQ(rows[2].at("tokens"), "1");
  EXPECT_EQ(rows[5].at("error"), "");
  // The total counts the good files only.
  EXPECT_EQ(std::stoll(rows[6].at("tokens")),
            std::stoll(rows[0].at("tokens")) + 1 + std::stoll(rows[5].at("tokens")));
  EXPECT_NE(run.err.find("binary.dat: skipped: not a text file"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("missing.txt: no such file or folder"), std::string::npos) << run.err;

  // A skipped binary file alone is no failure.
  EXPECT_EQ(Profile({texts_ / "a.txt", texts_ / "binary.dat"}).exitCode, 0);

  // A zero byte past the head ends the text where words and report end it,
  // and every one of them says so.
  WriteFileBytes(texts_ / "cut.txt", std::string(9000, ' ') + std::string("cat\0dog dog", 11));
  for (const char* command : {"profile", "words", "report"}) {
    const testing::CliRun cut = RunCliProgram(data_.With({command, texts_ / "cut.txt"}));
    EXPECT_EQ(cut.exitCode, 0) << command;
    EXPECT_NE(cut.err.find("cut.txt: 9,004 バイト目のゼロバイトで読み終えました: 残り 7 バイトは数えていません"),
              std::string::npos)
        << command << ": " << cut.err;
  }
}

// Runs the CLI with its address space limited to `limitBytes`.
testing::CliRun RunWithMemoryLimit(const std::vector<std::string>& args, rlim_t limitBytes) {
  TempFolder outputs;
  const std::string out = outputs / "out";
  const std::string err = outputs / "err";
  const pid_t pid = fork();
  if (pid == 0) {
    const rlimit limit{limitBytes, limitBytes};
    setrlimit(RLIMIT_AS, &limit);
    freopen(out.c_str(), "w", stdout);
    freopen(err.c_str(), "w", stderr);
    std::vector<std::string> all = {LEXISCOOP_CLI_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  testing::CliRun run;
  int status = 0;
  waitpid(pid, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.out = testing::ReadFileBytes(out);
  run.err = testing::ReadFileBytes(err);
  return run;
}

TEST_F(ProfileCommandTest, AFileThatRunsOutOfMemoryIsItsOwnErrorRow) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer's shadow memory cannot live under an address-space limit";
#endif
  // One text far larger than the memory the run may take, between two
  // small: a text at its start, longer than the head that tells a binary
  // file, then a hole (zero bytes, no disk).
  std::string start;
  while (start.size() < (1u << 16)) start += "Cats and dogs.\n";
  WriteFileBytes(texts_ / "big.txt", start);
  std::filesystem::resize_file(texts_ / "big.txt", 400u << 20);
  for (const char* threads : {"2", "3"}) {
    SCOPED_TRACE(threads);
    std::vector<std::string> args = data_.With({"profile", "--threads", threads});
    for (const char* name : {"a.txt", "big.txt", "b.txt"}) args.push_back(texts_ / name);
    const testing::CliRun run = RunWithMemoryLimit(args, rlim_t{120} << 20);
    EXPECT_EQ(run.exitCode, 1) << run.err;
    const std::vector<Row> rows = ParseTsv(run.out);
    ASSERT_EQ(rows.size(), 4u) << run.out << run.err;
    EXPECT_EQ(rows[0].at("error"), "");
    EXPECT_EQ(rows[1].at("file"), texts_ / "big.txt");
    EXPECT_EQ(rows[1].at("error"), "メモリが足りません");
    EXPECT_EQ(rows[2].at("error"), "");
    EXPECT_NE(rows[2].at("tokens"), "");
    EXPECT_NE(run.err.find("big.txt: メモリが足りません"), std::string::npos) << run.err;
  }
}

TEST_F(ProfileCommandTest, FoldersAndThreadCountsGiveTheSameOutput) {
  std::filesystem::create_directories(texts_ / "sub/deeper");
  std::filesystem::create_directories(texts_ / ".hidden");
  for (int i = 0; i < 24; ++i) {
    std::string text;
    for (int w = 0; w <= i * 7; ++w) text += (w % 3 == 0 ? "The cat " : w % 3 == 1 ? "wrote to Japan. " : "zebra\n");
    WriteFileBytes(texts_ / ((i % 2 ? "sub/deeper/" : "sub/") + std::to_string(i) + ".txt"), text);
  }
  WriteFileBytes(texts_ / ".hidden/x.txt", "hidden words");
  const testing::CliRun flat = Profile({texts_ / "sub"});
  const testing::CliRun one = Profile({"-r", "--threads", "1", texts_ / "sub"});
  const testing::CliRun two = Profile({"-r", "--threads=2", texts_ / "sub"});
  const testing::CliRun many = Profile({"-r", "--threads", "7", texts_ / "sub", texts_ / ".hidden"});
  ASSERT_EQ(one.exitCode, 0) << one.err;
  EXPECT_EQ(ParseTsv(flat.out).size(), 13u);  // 12 files directly in sub, and the total
  EXPECT_EQ(ParseTsv(one.out).size(), 25u);
  EXPECT_EQ(one.out, two.out);
  // A hidden folder named on the command line is read; inside folders, hidden names are not.
  EXPECT_EQ(ParseTsv(many.out).size(), 26u);
  const std::vector<Row> rows = ParseTsv(one.out);
  // Sorted by path: sub/0.txt, sub/10.txt, sub/12.txt, ... then sub/deeper/1.txt ...
  EXPECT_EQ(rows[0].at("file"), texts_ / "sub/0.txt");
  EXPECT_EQ(rows[1].at("file"), texts_ / "sub/10.txt");
  EXPECT_EQ(rows[12].at("file"), texts_ / "sub/deeper/1.txt");
}

TEST_F(ProfileCommandTest, SortsByAnyColumnWithTheTotalLast) {
  const testing::CliRun run = Profile({"--sort", "tokens", "--desc", texts_ / "a.txt", texts_ / "b.txt", texts_ / "c.txt"});
  const std::vector<Row> rows = ParseTsv(run.out);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].at("file"), texts_ / "c.txt");  // 37 words
  EXPECT_EQ(rows[1].at("file"), texts_ / "a.txt");  // 12 words
  EXPECT_EQ(rows[2].at("file"), texts_ / "b.txt");  // 11 words
  EXPECT_EQ(rows[3].at("file"), "(total)");
  const std::vector<Row> byName = ParseTsv(Profile({"--sort=file", "--desc", texts_ / "a.txt", texts_ / "c.txt"}).out);
  EXPECT_EQ(byName[0].at("file"), texts_ / "c.txt");
  EXPECT_EQ(Profile({"--sort", "nonsense", texts_ / "a.txt"}).exitCode, 2);
  EXPECT_EQ(Profile({"--threads", "0", texts_ / "a.txt"}).exitCode, 2);
  EXPECT_EQ(Profile({}).exitCode, 2);
}

TEST_F(ProfileCommandTest, ExportsReadBackIndependently) {
  const std::string csv = texts_ / "p.csv";
  const std::string xlsx = texts_ / "p.xlsx";
  ASSERT_EQ(Profile({"-o", csv, texts_ / "a.txt", texts_ / "b.txt"}).exitCode, 0);
  ASSERT_EQ(Profile({"-o", xlsx, texts_ / "a.txt", texts_ / "b.txt"}).exitCode, 0);
  const std::vector<std::string> csvRows = testing::ReadExportBack("csv", csv);
  ASSERT_EQ(csvRows.size(), 4u);
  EXPECT_EQ(csvRows[0].rfind(R"(["file", "tokens", "types", )", 0), 0u) << csvRows[0];
  EXPECT_NE(csvRows[1].find(std::string("\"").append(texts_ / "a.txt").append("\", \"12\"")), std::string::npos) << csvRows[1];
  const std::vector<std::string> xlsxRows = testing::ReadExportBack("xlsx", xlsx);
  ASSERT_EQ(xlsxRows.size(), 5u);
  EXPECT_NE(xlsxRows[0].find(R"("freeze": "A2")"), std::string::npos) << xlsxRows[0];
  EXPECT_NE(xlsxRows[2].find(std::string("\"").append(texts_ / "a.txt").append("\", 12, ")), std::string::npos) << xlsxRows[2];
  EXPECT_EQ(xlsxRows[4].substr(0, 13), R"x(["(total)", 2)x");
}

}  // namespace
}  // namespace lexiscoop
