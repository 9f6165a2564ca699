#include <gtest/gtest.h>

#include <string>

#include "cli_runner.h"

namespace lexiscoop {
namespace {

using testing::RunCliProgram;

TEST(CliOptionsTest, HelpDocumentsEveryCommand) {
  for (const char* flag : {"--help", "-h"}) {
    const testing::CliRun run = RunCliProgram({flag});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* text : {"words FILE", "--form base|headword|written|none", "--levels", "--proper",
                             "--sort first|alpha|count", "--desc", "report FILE", "--clipboard-form",
                             "dict pack", "dict unpack", "dict lookup", "dict gloss", "dict record", "dict delete",
                             "dict info", "--data DIR"}) {
      EXPECT_NE(run.out.find(text), std::string::npos) << text;
    }
  }
  // Help wins wherever it stands.
  EXPECT_EQ(RunCliProgram({"words", "--help"}).exitCode, 0);
}

TEST(CliOptionsTest, VersionAndUsageErrors) {
  const testing::CliRun version = RunCliProgram({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("lexiscoop-cli ", 0), 0u);
  EXPECT_EQ(RunCliProgram({}).exitCode, 2);
  EXPECT_EQ(RunCliProgram({"teleport"}).exitCode, 2);
  EXPECT_EQ(RunCliProgram({"--encoding", "latin1", "dict", "info"}).exitCode, 2);
  EXPECT_EQ(RunCliProgram({"--data"}).exitCode, 2);
}

}  // namespace
}  // namespace lexiscoop
