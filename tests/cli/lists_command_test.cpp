// sets and known on the command line: imports with their notes, the stored
// lists, and the errors that name the file and line.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace lexiscoop {
namespace {

using testing::CliDataFolder;
using testing::CliRun;
using testing::RunCliProgram;
using testing::WriteFileBytes;

class ListsCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(data_.packed()); }
  CliRun Run(std::initializer_list<std::string> args) { return RunCliProgram(data_.With(args)); }
  CliDataFolder data_;
};

TEST_F(ListsCommandTest, SetsImportListAndRemove) {
  WriteFileBytes(data_ / "first.txt", "went\nthe\n2x\n\nwrote\n");
  WriteFileBytes(data_ / "more.csv", "単語,レベル\nthe,A\ncats,B\nzzz,B\n");
  const CliRun import = Run({"sets", "import", "教科書", data_ / "first.txt", data_ / "more.csv"});
  ASSERT_EQ(import.exitCode, 0) << import.err;
  EXPECT_EQ(import.out, "教科書: 3 headwords in 2 levels from 6 entries; 6 lines noted\n");
  const std::string first = data_ / "first.txt";
  const std::string more = data_ / "more.csv";
  for (const std::string& where : {first + ":1: 「went」", first + ":3: ", first + ":5: 「wrote」", more + ":2: 「the」",
                                   more + ":3: 「cats」", more + ":4: 「zzz」"}) {
    EXPECT_NE(import.err.find(where), std::string::npos) << where << "\n" << import.err;
  }
  EXPECT_EQ(Run({"sets", "list"}).out, "教科書\t1:first=2\t2:B=1\n");

  // Unknown words kept on request; an unreadable file stops the whole import.
  EXPECT_EQ(Run({"sets", "import", "own", data_ / "more.csv", "--keep-unknown"}).out,
            "own: 3 headwords in 2 levels from 3 entries; 2 lines noted\n");
  const CliRun missing = Run({"sets", "import", "x", data_ / "first.txt", data_ / "none.txt"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find(data_ / "none.txt"), std::string::npos);
  ASSERT_EQ(Run({"sets", "remove", "own"}).exitCode, 0);
  EXPECT_EQ(Run({"sets", "list"}).out, "教科書\t1:first=2\t2:B=1\n");
  EXPECT_EQ(Run({"sets", "remove", "own"}).exitCode, 1);
  EXPECT_EQ(Run({"sets", "import", "a/b", first}).exitCode, 1);
  EXPECT_EQ(Run({"sets", "frob"}).exitCode, 2);
}

TEST_F(ListsCommandTest, KnownListsChangeAndSurvive) {
  // went is not in this dictionary: named and left out.
  const CliRun add = Run({"known", "add", "2年3組", "went", "cats", "Dog"});
  ASSERT_EQ(add.exitCode, 0);
  EXPECT_EQ(add.out, "2年3組: 2 headwords added; 2 lines noted\n");
  WriteFileBytes(data_ / "k.txt", "letters\nzzz\n");
  const CliRun import = Run({"known", "import", "2年3組", data_ / "k.txt"});
  EXPECT_EQ(import.out, "2年3組: 1 headwords added; 2 lines noted\n");
  EXPECT_NE(import.err.find(data_ / "k.txt" + ":2: 「zzz」"), std::string::npos) << import.err;
  EXPECT_EQ(Run({"known", "list", "2年3組"}).out, "cat\ndog\nletter\n");
  EXPECT_EQ(Run({"known", "list"}).out, "2年3組\t3\n");
  ASSERT_EQ(Run({"known", "remove", "2年3組", "dogs", "cat"}).exitCode, 0);
  EXPECT_EQ(Run({"known", "list", "2年3組"}).out, "letter\n");
  EXPECT_EQ(Run({"known", "remove", "2年3組", "--all"}).exitCode, 0);
  EXPECT_EQ(Run({"known", "list"}).out, "");
  EXPECT_EQ(Run({"known", "list", "2年3組"}).exitCode, 1);
  EXPECT_EQ(Run({"known", "add", "x", "two words"}).exitCode, 1);
}

// Known: Smith ×2 and Osaka (names), likes (like), cats (cat) and zork (kept
// as the class's own): 6 of 14 running words.
TEST_F(ListsCommandTest, CoverageGainsTheKnownShare) {
  ASSERT_EQ(Run({"known", "add", "k", "like", "cat", "zork", "--keep-unknown"}).exitCode, 0);
  const std::string text = data_ / "names.txt";
  WriteFileBytes(text, "Smith saw the dog in Osaka. Smith likes cats. The zork and the letter.\n");
  const CliRun run = Run({"coverage", text, "--known", "k"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "basic\t57.1\njunior\t64.2\nuniversity\t64.2\ngeneral\t64.2\nknown\t42.8\n");
  const CliRun json = Run({"coverage", text, "--known", "k", "--format", "json"});
  EXPECT_NE(json.out.find(",\"known\":{\"percent\":42.8,\"words\":6}}"), std::string::npos) << json.out;
  const CliRun missing = Run({"coverage", text, "--known", "none"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("none: "), std::string::npos);
}

// The new words only: the rows whose headword the list holds go, from the
// list and from every export; the per cents stay those of the whole text.
TEST_F(ListsCommandTest, WordsUnknownToAListLeavesTheKnownOnesOut) {
  ASSERT_EQ(Run({"known", "add", "k", "like", "cat", "zork", "the", "--keep-unknown"}).exitCode, 0);
  const std::string text = data_ / "names.txt";
  WriteFileBytes(text, "Smith saw the dog in Osaka. Smith likes cats. The zork and the letter.\n");
  const CliRun all = Run({"words", text, "--columns", "word,count"});
  const CliRun fresh = Run({"words", text, "--columns", "word,count", "--unknown-to", "k"});
  ASSERT_EQ(fresh.exitCode, 0) << fresh.err;
  EXPECT_EQ(all.out, "Smith\t2\nsaw\t1\nthe\t3\ndog\t1\nin\t1\nOsaka\t1\nlike\t1\ncat\t1\nzork\t1\nand\t1\nletter\t1\n");
  EXPECT_EQ(fresh.out, "Smith\t2\nsaw\t1\ndog\t1\nin\t1\nOsaka\t1\nand\t1\nletter\t1\n");
  const CliRun csv = Run({"words", text, "--unknown-to", "k", "--format", "csv"});
  EXPECT_EQ(csv.out.find("cat"), std::string::npos);
  EXPECT_NE(csv.out.find("letter"), std::string::npos);
  EXPECT_EQ(Run({"words", text, "--unknown-to", "nothing"}).exitCode, 1);
}

// A set of one's own gives the coverage by its levels: level 1 holds the and
// cat, level 2 letter and zork (kept); Smith ×2 and Osaka are names.
TEST_F(ListsCommandTest, CoverageByASetOfOnesOwn) {
  WriteFileBytes(data_ / "one.txt", "the\ncats\n");
  WriteFileBytes(data_ / "two.txt", "letter\nzork\nthe\n");
  ASSERT_EQ(Run({"sets", "import", "s", data_ / "one.txt", data_ / "two.txt", "--keep-unknown"}).exitCode, 0);
  const std::string text = data_ / "names.txt";
  WriteFileBytes(text, "Smith saw the dog in Osaka. Smith likes cats. The zork and the letter.\n");
  const CliRun run = Run({"coverage", text, "--levels-set", "s"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "1\t50.0\n2\t64.2\n");  // (3 + 3 + 1) / 14, then + letter + zork
  EXPECT_EQ(Run({"coverage", text, "--levels-set", "none"}).exitCode, 1);
}

// Every analysis command follows a set of one's own: the report keeps its
// layout with a line per level of the set, the list and the profile name
// the set's levels, --levels takes its keys, dict lookup gives its level.
TEST_F(ListsCommandTest, AnalysisCommandsFollowASetOfOnesOwn) {
  WriteFileBytes(data_ / "one.txt", "the\ncats\n");
  WriteFileBytes(data_ / "two.txt", "letter\nzork\nthe\n");
  ASSERT_EQ(Run({"sets", "import", "s", data_ / "one.txt", data_ / "two.txt", "--keep-unknown"}).exitCode, 0);
  ASSERT_EQ(Run({"known", "add", "k", "cat"}).exitCode, 0);
  const std::string text = data_ / "names.txt";
  WriteFileBytes(text, "Smith saw the dog in Osaka. Smith likes cats. The zork and the letter.\n");

  const CliRun report = Run({"report", text, "--levels-set", "s"});
  ASSERT_EQ(report.exitCode, 0) << report.err;
  const std::string expected[] = {"総数                  14 個  100 %", "one                    4 個   28 %",
                                  "two                    2 個   14 %", "未登録                 6 個   42 %",
                                  "one                    2 種  100 %", "two                    2 種  100 %"};
  for (const std::string& line : expected) EXPECT_NE(report.out.find(line + "\n"), std::string::npos) << line;
  EXPECT_EQ(std::count(report.out.begin(), report.out.end(), '\n'), 25 + 3 * 2);

  const CliRun words = Run({"words", text, "--levels-set", "s", "--levels", "2,none", "--columns", "word,level,known",
                            "--known", "k"});
  EXPECT_EQ(words.out, "Smith\t未登録\t\nsaw\t未登録\t\nin\t未登録\t\nOsaka\t未登録\t\nzork\ttwo\t\nand\t未登録\t\n"
                       "letter\ttwo\t\n")
      << words.err;
  EXPECT_EQ(Run({"words", text, "--levels-set", "s", "--columns", "word,known", "--known", "k", "--levels", "1"}).out,
            "the\t\ncat\t既習\n");
  EXPECT_EQ(Run({"words", text, "--levels-set", "s", "--levels", "basic"}).exitCode, 2);
  EXPECT_NE(Run({"dict", "lookup", "cats", "--levels-set", "s"}).out.find("レベル: one\n"), std::string::npos);
  const CliRun profile = Run({"profile", text, "--levels-set", "s", "--sort", "tokens_2"});
  EXPECT_EQ(profile.out.substr(0, profile.out.find('\n')).find("\ttokens_1\ttokens_1_pct\ttypes_1\t"), size_t{17})
      << profile.out;
  EXPECT_NE(profile.out.find("\tcoverage_1\tcoverage_2\tstage_95"), std::string::npos);
  EXPECT_EQ(Run({"report", text, "--levels-set", "nothing"}).exitCode, 1);
}

}  // namespace
}  // namespace lexiscoop
