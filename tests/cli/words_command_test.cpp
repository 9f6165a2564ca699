#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

using testing::CliDataFolder;
using testing::RunCliProgram;
using testing::TestDataFile;

// The sample text has 37 words; the dictionary is tests/data/cli_dictionary.txt.
class WordsCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(data_.packed()); }
  testing::CliRun Words(std::initializer_list<std::string> options) {
    std::vector<std::string> args = data_.With({"words", TestDataFile("cli_sample.txt")});
    args.insert(args.end(), options.begin(), options.end());
    return RunCliProgram(args);
  }
  CliDataFolder data_;
};

TEST_F(WordsCommandTest, DefaultListShowsBaseFormsInOrderOfFirstAppearance) {
  const testing::CliRun run = Words({});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "the\t1\t2.703\ndog\t1\t2.703\nbe\t1\t2.703\nrun\t1\t2.703\nafter\t1\t2.703\n"
            "foure\t1\t2.703\ncat\t4\t10.811\nThomas\t1\t2.703\nwrite\t3\t8.108\na\t1\t2.703\n"
            "letter\t1\t2.703\nto\t1\t2.703\nhis\t1\t2.703\nwife\t1\t2.703\nin\t1\t2.703\n"
            "Japan\t1\t2.703\nI\t2\t5.405\nhere\t1\t2.703\nget\t1\t2.703\nit\t1\t2.703\n"
            "you\t2\t5.405\nlike\t1\t2.703\nthat\t1\t2.703\nwould\t1\t2.703\ncaat\t1\t2.703\n"
            "begin\t5\t13.514\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(WordsCommandTest, FiltersFormsLevelsAndProperNouns) {
  struct Case {
    std::vector<std::string> options;
    std::string out;
  } cases[] = {
      {{"--levels", "basic"}, "the\t1\t2.703\ndog\t1\t2.703\nbe\t1\t2.703\ncat\t4\t10.811\nyou\t2\t5.405\n"},
      {{"--levels=junior,general", "--proper", "proper"}, "Japan\t1\t2.703\n"},
      {{"--levels", "other"}, "run\t1\t2.703\nThomas\t1\t2.703\nI\t2\t5.405\nget\t1\t2.703\nlike\t1\t2.703\n"},
      {{"--levels", "junior", "--form", "written"},
       "wrote\t2\t5.405\nletter\t1\t2.703\nwrite\t1\t2.703\nbegins\t2\t5.405\nbeginning\t1\t2.703\n"
       "began\t1\t2.703\nbegun\t1\t2.703\n"},
      {{"--form", "none", "--proper", "common", "--levels", "none,basic"},
       "after\t1\t2.703\nfoure\t1\t2.703\na\t1\t2.703\nto\t1\t2.703\nhis\t1\t2.703\nwife\t1\t2.703\n"
       "in\t1\t2.703\nhere\t1\t2.703\nit\t1\t2.703\nthat\t1\t2.703\nwould\t1\t2.703\ncaat\t1\t2.703\n"},
      {{"--levels", "university"}, ""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = data_.With({"words", TestDataFile("cli_sample.txt")});
    args.insert(args.end(), c.options.begin(), c.options.end());
    const testing::CliRun run = RunCliProgram(args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, c.out) << c.options[0] << " " << c.options[1];
  }
}

TEST_F(WordsCommandTest, SortsAscendingUnlessDescendingIsAsked) {
  auto firstLines = [](const std::string& out, int n) {
    std::string head;
    size_t pos = 0;
    for (int i = 0; i < n && pos < out.size(); ++i) {
      const size_t end = out.find('\n', pos);
      head += out.substr(pos, end - pos + 1);
      pos = end + 1;
    }
    return head;
  };
  testing::CliRun run = Words({"--sort", "count", "--desc"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(firstLines(run.out, 3), "begin\t5\t13.514\ncat\t4\t10.811\nwrite\t3\t8.108\n");
  run = Words({"--sort=alpha"});
  EXPECT_EQ(firstLines(run.out, 4), "a\t1\t2.703\nafter\t1\t2.703\nbe\t1\t2.703\nbegin\t5\t13.514\n");
  run = Words({"--sort", "alpha", "--desc", "--levels", "basic"});
  EXPECT_EQ(run.out, "you\t2\t5.405\nthe\t1\t2.703\ndog\t1\t2.703\ncat\t4\t10.811\nbe\t1\t2.703\n");
  run = Words({"--desc", "--levels", "general,other"});  // first appearance, reversed
  EXPECT_EQ(run.out,
            "like\t1\t2.703\nget\t1\t2.703\nI\t2\t5.405\nJapan\t1\t2.703\nThomas\t1\t2.703\nrun\t1\t2.703\n");
}

TEST_F(WordsCommandTest, ReadsStandardInputAndWritesShiftJisOnRequest) {
  testing::TempFolder folder;
  testing::WriteFileBytes(folder / "in.txt", "Cats and cat\n");
  const auto args = data_.With({"--encoding", "sjis", "words", "-"});
  const testing::CliRun run = RunCliProgram(args, folder / "in.txt");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "cat\t2\t66.667\nand\t1\t33.333\n");
}

TEST(WordsAndReportTest, DictionaryLineWithoutHeadwordIsListedWhereTheReportCountsIt) {
  // The line «\tsees» has no headword: the report counts «Sees» as その他,
  // and the list shows it there, as the dictionary spells it, in every form.
  testing::TempFolder folder;
  testing::WriteFileBytes(folder / "dict.txt", "\tsees\r\ncat\ts\r\n");
  testing::WriteFileBytes(folder / "basic.txt", "cat\r\n");
  ASSERT_EQ(RunCliProgram({"dict", "pack", folder / "dict.txt", folder / "LxScoop.dat"}).exitCode, 0);
  ASSERT_EQ(RunCliProgram({"dict", "pack", folder / "basic.txt", folder / "LXBasics.dat"}).exitCode, 0);
  testing::WriteFileBytes(folder / "text.txt", "Sees cats\n");
  const std::string data = folder.path().string();
  for (const char* form : {"written", "headword", "base"}) {
    const testing::CliRun run =
        RunCliProgram({"--data", data, "words", folder / "text.txt", "--form", form, "--levels", "other"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "sees\t1\t50.000\n") << form;
  }
  const testing::CliRun report = RunCliProgram({"--data", data, "report", folder / "text.txt"});
  ASSERT_EQ(report.exitCode, 0) << report.err;
  EXPECT_NE(report.out.find("基本                   1 個   50 %"), std::string::npos) << report.out;
  EXPECT_NE(report.out.find("その他                 1 個   50 %"), std::string::npos) << report.out;
}

TEST_F(WordsCommandTest, RefusesBadOptionsAndReportsFailures) {
  for (const std::vector<std::string>& options :
       {std::vector<std::string>{"--form", "stem"}, {"--levels", "basic,nope"}, {"--levels", ""},
        {"--proper", "x"}, {"--sort", "size"}, {"--sort"}, {"--bogus"}, {"second-file.txt"}}) {
    std::vector<std::string> args = data_.With({"words", TestDataFile("cli_sample.txt")});
    args.insert(args.end(), options.begin(), options.end());
    const testing::CliRun run = RunCliProgram(args);
    EXPECT_EQ(run.exitCode, 2) << options[0];
    EXPECT_NE(run.err.find("--help"), std::string::npos);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(RunCliProgram(data_.With({"words"})).exitCode, 2);

  testing::CliRun run = RunCliProgram(data_.With({"words", data_ / "missing.txt"}));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("missing.txt"), std::string::npos);

  testing::TempFolder empty;  // no dictionary file
  run = RunCliProgram({"--data", empty.path().string(), "words", TestDataFile("cli_sample.txt")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("活用辞典 < LxScoop.dat > がありません"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace lexiscoop

namespace lexiscoop {
namespace {

// The level column, and the level sort from the most basic level; words of
// one level keep their order of first appearance.
TEST(WordsColumnsTest, AddsTheLevelAndSortsByIt) {
  CliDataFolder data;
  ASSERT_TRUE(data.packed());
  const testing::CliRun run = RunCliProgram(
      data.With({"words", TestDataFile("cli_sample.txt"), "--columns", "level,word", "--sort", "level"}));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "基本\tthe\n基本\tdog\n基本\tbe\n基本\tcat\n基本\tyou\n"
            "中学\twrite\n中学\tletter\n中学\tbegin\n"
            "一般\tJapan\n"
            "その他\trun\nその他\tThomas\nその他\tI\nその他\tget\nその他\tlike\n"
            "未登録\tafter\n未登録\tfoure\n未登録\ta\n未登録\tto\n未登録\this\n未登録\twife\n"
            "未登録\tin\n未登録\there\n未登録\tit\n未登録\tthat\n未登録\twould\n未登録\tcaat\n");

  const testing::CliRun numbered = RunCliProgram(data.With(
      {"words", TestDataFile("cli_sample.txt"), "--columns=no,word,level,count,percent", "--sort", "count", "--desc"}));
  ASSERT_EQ(numbered.exitCode, 0) << numbered.err;
  EXPECT_EQ(numbered.out.substr(0, numbered.out.find('\n', numbered.out.find('\n') + 1) + 1),
            "1\tbegin\t中学\t5\t13.514\n2\tcat\t基本\t4\t10.811\n");

  EXPECT_EQ(RunCliProgram(data.With({"words", TestDataFile("cli_sample.txt"), "--columns", "word,meaning"})).exitCode, 2);
  EXPECT_EQ(RunCliProgram(data.With({"words", TestDataFile("cli_sample.txt"), "--columns", ""})).exitCode, 2);
}

// The gloss column: the glosses of the headword each row counts for, an
// empty cell where it has none, in any form of the list; the other columns
// are the same with or without a gloss file.
TEST(WordsColumnsTest, GlossColumnShowsTheHeadwordsGlosses) {
  CliDataFolder data;
  ASSERT_TRUE(data.packed());
  const auto words = [&](std::initializer_list<std::string> options) {
    std::vector<std::string> args = data.With({"words", TestDataFile("cli_sample.txt")});
    args.insert(args.end(), options.begin(), options.end());
    return RunCliProgram(args);
  };
  const testing::CliRun before = words({"--columns", "no,word,level,count,percent"});
  const testing::CliRun plainBefore = words({});
  ASSERT_EQ(before.exitCode, 0) << before.err;
  // Without a gloss file every gloss cell is empty.
  testing::CliRun run = words({"--levels", "basic", "--columns", "word,gloss"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "the\t\ndog\t\nbe\t\ncat\t\nyou\t\n");

  // A TAB inside a gloss would split the cell: it shows as a blank.
  testing::WriteFileBytes(data / "gloss.txt",
                          "#LxGloss 2\ncat\t猫\ndog\t名 犬; ドッグ / 動 つけ回す\nwrite\t書く; 記す\nbegin\t始める\tはじめる\n");
  ASSERT_EQ(RunCliProgram(data.With({"dict", "pack", data / "gloss.txt", data / "LxGloss.dat"})).exitCode, 0);
  run = words({"--levels", "basic,junior", "--columns", "word,gloss,count"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "the\t\t1\ndog\t名 犬; ドッグ / 動 つけ回す\t1\nbe\t\t1\ncat\t猫\t4\nwrite\t書く; 記す\t3\nletter\t\t1\n"
            "you\t\t2\nbegin\t始める はじめる\t5\n");
  // As written: each spelling shows its headword's glosses.
  run = words({"--form", "written", "--levels", "junior", "--columns", "gloss,word"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "書く; 記す\twrote\n\tletter\n書く; 記す\twrite\n始める はじめる\tbegins\n"
            "始める はじめる\tbeginning\n始める はじめる\tbegan\n始める はじめる\tbegun\n");

  EXPECT_EQ(words({"--columns", "no,word,level,count,percent"}).out, before.out);
  EXPECT_EQ(words({}).out, plainBefore.out);
}

// A row's gloss is its own headword's, from the run, even where the row's
// spelling, looked up afresh, counts for another headword: «founded» is
// listed as found, a spelling that alone counts for find.
TEST(WordsColumnsTest, GlossColumnFollowsTheRowsOwnHeadword) {
  CliDataFolder data;
  ASSERT_TRUE(data.packed());
  const auto pack = [&](const std::string& text, const std::string& file) {
    testing::WriteFileBytes(data / (file + ".txt"), text);
    return RunCliProgram(data.With({"dict", "pack", data / (file + ".txt"), data / file})).exitCode;
  };
  ASSERT_EQ(pack("find\ts,ing,3ound\nfound\ted,ing,s\n", "LxScoop.dat"), 0);
  ASSERT_EQ(pack("find\n", "LXBasics.dat"), 0);
  ASSERT_EQ(pack("find\t見つける\nfound\t設立する\n", "LxGloss.dat"), 0);
  testing::WriteFileBytes(data / "text.txt", "They found it. It was founded long ago.\n");

  const testing::CliRun run = RunCliProgram(data.With({"words", data / "text.txt", "--columns", "word,gloss"}));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("find\t見つける\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("found\t設立する\n"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace lexiscoop

namespace lexiscoop::testing {
namespace {

// The shipped data in a folder of its own, with the tagger's model as given.
class ContextDataFolder : public TempFolder {
 public:
  explicit ContextDataFolder(bool damageModel) {
    for (const char* name : {"LxScoop.dat", "LXBasics.dat", "LXJunior.dat", "LXToUnuvercity.dat", "LXGeneral.dat",
                             "LxGloss.dat", "LxTagger.dat"}) {
      std::filesystem::copy_file(std::string(LEXISCOOP_SHIPPED_DATA_DIR) + "/" + name, *this / name);
    }
    if (damageModel) {
      std::fstream model(*this / "LxTagger.dat", std::ios::in | std::ios::out | std::ios::binary);
      model.seekp(1000);
      model.put('\x7f');
    }
  }
};

TEST(WordsContextTest, ReadsBySentenceUnlessOffAndFallsBackOnADamagedModel) {
  TempFolder texts;
  {
    std::ofstream(texts / "text.txt") << "He leaves at six. The leaves fall. I saw a saw.\r\n";
  }
  const ContextDataFolder good(false), damaged(true);
  const auto words = [&](const ContextDataFolder& data, std::initializer_list<std::string> options) {
    std::vector<std::string> args = {"--data", data.path().string()};
    args.insert(args.end(), options.begin(), options.end());
    for (const std::string& a : {std::string("words"), std::string("--form"), std::string("base"), texts / "text.txt"})
      args.push_back(a);
    return RunCliProgram(args);
  };
  const CliRun read = words(good, {});
  EXPECT_EQ(read.exitCode, 0) << read.err;
  EXPECT_EQ(read.err, "");
  EXPECT_NE(read.out.find("leave\t1\t"), std::string::npos) << read.out;
  EXPECT_NE(read.out.find("leaf\t1\t"), std::string::npos) << read.out;
  EXPECT_NE(read.out.find("saw\t1\t"), std::string::npos) << read.out;
  EXPECT_NE(read.out.find("see\t1\t"), std::string::npos) << read.out;

  const CliRun rule = words(good, {"--no-context"});
  EXPECT_NE(rule.out.find("leaf\t2\t"), std::string::npos) << rule.out;
  EXPECT_NE(rule.out.find("see\t2\t"), std::string::npos) << rule.out;

  const CliRun fallback = words(damaged, {});
  EXPECT_EQ(fallback.exitCode, 0);
  EXPECT_NE(fallback.err.find("LxTagger.dat: damaged"), std::string::npos) << fallback.err;
  EXPECT_NE(fallback.err.find("headword rule"), std::string::npos) << fallback.err;
  EXPECT_EQ(fallback.out, rule.out);

  // A text no tag reads otherwise never loads the model, damaged or not.
  std::ofstream(texts / "plain.txt") << "The cat is the cat.\r\n";
  const CliRun plain = RunCliProgram({"--data", damaged.path().string(), "words", texts / "plain.txt"});
  EXPECT_EQ(plain.exitCode, 0);
  EXPECT_EQ(plain.err, "");

  // profile reads the split too: the saw read as a noun counts at its own
  // level, not at see's, and a damaged model gives the rule's profile.
  const auto profile = [&](const ContextDataFolder& data, std::initializer_list<std::string> options) {
    std::vector<std::string> args = {"--data", data.path().string()};
    args.insert(args.end(), options.begin(), options.end());
    args.insert(args.end(), {"profile", texts / "text.txt"});
    return RunCliProgram(args).out;
  };
  EXPECT_NE(profile(good, {}), profile(good, {"--no-context"}));
  EXPECT_EQ(profile(damaged, {}), profile(good, {"--no-context"}));
}

}  // namespace
}  // namespace lexiscoop::testing
