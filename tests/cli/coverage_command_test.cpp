#include <gtest/gtest.h>

#include <string>

#include "cli_runner.h"

namespace lexiscoop {
namespace {

using testing::CliDataFolder;
using testing::RunCliProgram;
using testing::TempFolder;
using testing::TestDataFile;
using testing::WriteFileBytes;

// The sample against the fixture dictionary (see the report test): 37 words,
// basic 9, junior 9, university 0, general 1 occurrences, no names (Thomas
// is in the dictionary, Japan is general).
TEST(CoverageCommandTest, PrintsTheCumulativeShareOfEachStage) {
  CliDataFolder data;
  ASSERT_TRUE(data.packed());
  const testing::CliRun run = RunCliProgram(data.With({"coverage", TestDataFile("cli_sample.txt")}));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "basic\t24.3\n"     // 9 / 37
            "junior\t48.6\n"    // 18 / 37
            "university\t48.6\n"
            "general\t51.3\n");  // 19 / 37
}

// Two names the dictionary lacks (Smith ×2, Osaka) count as known from the
// first stage on; lower-case words it lacks (saw, in, zork, and) do not, nor
// does "likes" (its headword is in no level list). 14 words: the ×3, dog and
// cats basic, letter junior.
TEST(CoverageCommandTest, CountsNamesAsKnownAndSaysSoInJson) {
  CliDataFolder data;
  ASSERT_TRUE(data.packed());
  TempFolder folder;
  const std::string text = folder / "names.txt";
  WriteFileBytes(text, "Smith saw the dog in Osaka. Smith likes cats. The zork and the letter.\n");
  const testing::CliRun run = RunCliProgram(data.With({"coverage", "--format", "json", text}));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "{\"words\":14,\"names\":{\"kinds\":2,\"occurrences\":3},\"stages\":["
            "{\"key\":\"basic\",\"percent\":57.1,\"known\":8},"
            "{\"key\":\"junior\",\"percent\":64.2,\"known\":9},"
            "{\"key\":\"university\",\"percent\":64.2,\"known\":9},"
            "{\"key\":\"general\",\"percent\":64.2,\"known\":9}],"
            "\"reaches95\":null,\"reaches98\":null,"
            "\"verdict\":\"一般レベルでも 64.2% (読むのは難しい)　固有名詞 3 語を既知として計算\"}\n");
}

TEST(CoverageCommandTest, RefusesAWrongCommandLine) {
  CliDataFolder data;
  ASSERT_TRUE(data.packed());
  EXPECT_EQ(RunCliProgram(data.With({"coverage"})).exitCode, 2);
  EXPECT_EQ(RunCliProgram(data.With({"coverage", "--format", "xml", TestDataFile("cli_sample.txt")})).exitCode, 2);
  EXPECT_EQ(RunCliProgram(data.With({"coverage", "--bogus", TestDataFile("cli_sample.txt")})).exitCode, 2);
  const testing::CliRun missing = RunCliProgram(data.With({"coverage", "/nonexistent/text.txt"}));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(missing.out.empty());
}

}  // namespace
}  // namespace lexiscoop
