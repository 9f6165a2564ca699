#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "dictionary/CompressStringList.h"

namespace lexiscoop {
namespace {

using testing::CliDataFolder;
using testing::CliRun;
using testing::RunCliProgram;
using testing::TestDataFile;

class DictCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(data_.packed()); }
  CliRun Dict(std::initializer_list<std::string> args) {
    std::vector<std::string> all = data_.With({"dict"});
    all.insert(all.end(), args.begin(), args.end());
    return RunCliProgram(all);
  }
  CliDataFolder data_;
};

TEST_F(DictCommandTest, PackAndUnpackRoundTripTheLines) {
  const CliRun run = Dict({"unpack", data_ / "LxScoop.dat"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::string expected = testing::ReadFileBytes(TestDataFile("cli_dictionary.txt"));
  for (size_t p; (p = expected.find('\r')) != std::string::npos;) expected.erase(p, 1);
  EXPECT_EQ(run.out, expected);
  // The packed file is a compressed list file, not the plain text.
  EXPECT_EQ(testing::ReadFileBytes(data_ / "LxScoop.dat").substr(0, 4), "BDC1");

  // A UTF-8 text is packed as CP932 and unpacked back to UTF-8.
  testing::WriteFileBytes(data_ / "jp.txt", "基本\n中学\r\n");
  ASSERT_EQ(Dict({"pack", data_ / "jp.txt", data_ / "sub/jp.dat"}).exitCode, 0);
  EXPECT_EQ(Dict({"unpack", data_ / "sub/jp.dat"}).out, "基本\n中学\n");
  const CliRun sjis = RunCliProgram(data_.With({"--encoding", "sjis", "dict", "unpack", data_ / "sub/jp.dat"}));
  EXPECT_EQ(sjis.out, "\x8a\xee\x96\x7b\n\x92\x86\x8a\x77\n");
}

TEST_F(DictCommandTest, PackAndUnpackFailures) {
  CliRun run = Dict({"unpack", TestDataFile("cli_basic.txt")});  // plain text, not packed
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("not a compressed list file"), std::string::npos) << run.err;
  run = Dict({"unpack", data_ / "absent.dat"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("absent.dat"), std::string::npos) << run.err;
  run = Dict({"pack", data_ / "absent.txt", data_ / "x.dat"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("absent.txt"), std::string::npos) << run.err;
  EXPECT_EQ(Dict({"pack", TestDataFile("cli_basic.txt")}).exitCode, 2);
  EXPECT_EQ(Dict({"unpack"}).exitCode, 2);
}

TEST_F(DictCommandTest, InfoCountsHeadwordsSpellingsAndLevelEntries) {
  const CliRun run = Dict({"info"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, data_ / "LxScoop.dat" + "\n" +
                         "単語:         17\n"
                         "活用:         51\n"
                         "基本:          5\n"
                         "中学:          3\n"
                         "大学へ:          0\n"
                         "一般:          1\n");
  EXPECT_EQ(Dict({"info", "extra"}).exitCode, 2);
}

TEST_F(DictCommandTest, LookupShowsTheDetailsAndTheLevel) {
  struct Case {
    const char* word;
    std::string out;
  } cases[] = {
      // The headwords in the order of the headword rule: «leave», which has
      // inflected forms, is the chosen one.
      {"left",
       "----- left -----\n\n見出し語です\n\n   活用形一覧\nleft\n\n"
       "登録語です\n\n   見出し語一覧\nleave, left\n\nレベル: その他\n"},
      {"wrote", "----- wrote -----\n\n見出し語ではありません\n\n登録語です\n\n   見出し語一覧\nwrite\n\nレベル: 中学\n"},
      {"is", "----- is -----\n\n見出し語ではありません\n\n登録語です\n\n   見出し語一覧\nbe\n\nレベル: 基本\n"},
      {"caat", "----- caat -----\n\n見出し語ではありません\n\n登録語ではありません\n\nレベル: 未登録\n"},
  };
  for (const Case& c : cases) {
    const CliRun run = Dict({"lookup", c.word});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, c.out) << c.word;
  }
  EXPECT_EQ(Dict({"lookup"}).exitCode, 2);
}

TEST_F(DictCommandTest, RecordAndDeleteChangeOnlyTheUsersFiles) {
  const std::string shipped = testing::ReadFileBytes(data_ / "LxScoop.dat");
  CliRun run = Dict({"record", "study", "--forms", "studied,studies studying", "--level", "2"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "recorded study (中学)\n");
  EXPECT_EQ(testing::ReadFileBytes(data_ / "LxScoop.dat"), shipped);
  run = Dict({"unpack", data_ / "myLxScoop.dat"});
  EXPECT_NE(run.out.find("\nstudy\t1ied,1ies,ing\n"), std::string::npos) << run.out;
  EXPECT_EQ(Dict({"unpack", data_ / "myLXJunior.dat"}).out, "begin\nletter\nstudy\nwrite\n");
  EXPECT_EQ(Dict({"lookup", "studies"}).out,
            "----- studies -----\n\n見出し語ではありません\n\n登録語です\n\n   見出し語一覧\nstudy\n\n"
            "レベル: 中学\n");

  // Without --level the headword keeps its level; --level 0 takes it out of every list.
  run = Dict({"record", "study", "--forms=studied"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "recorded study (中学)\n");
  run = Dict({"record", "study", "--level", "0"});
  EXPECT_EQ(run.out, "recorded study (なし)\n");
  EXPECT_EQ(Dict({"unpack", data_ / "myLXJunior.dat"}).out, "begin\nletter\nwrite\n");

  run = Dict({"delete", "Study"});  // letter case counts
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("Study"), std::string::npos);
  run = Dict({"delete", "study"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "deleted study\n");
  EXPECT_EQ(Dict({"lookup", "study"}).out,
            "----- study -----\n\n見出し語ではありません\n\n登録語ではありません\n\nレベル: 未登録\n");
}

TEST_F(DictCommandTest, LookupPrintsTheHeadwordsGlossesAndTheUsersEditWins) {
  testing::WriteFileBytes(data_ / "gloss.txt", "#LxGloss 2\nwrite\t動 書く; 記す / 名 書き込み\nbe\tある; いる\n");
  ASSERT_EQ(Dict({"pack", data_ / "gloss.txt", data_ / "LxGloss.dat"}).exitCode, 0);
  // The gloss of the headword the spelling counts for, after the level.
  EXPECT_EQ(Dict({"lookup", "wrote"}).out,
            "----- wrote -----\n\n見出し語ではありません\n\n登録語です\n\n   見出し語一覧\nwrite\n\n"
            "レベル: 中学\n訳語: 動 書く; 記す / 名 書き込み\n");
  EXPECT_EQ(Dict({"lookup", "caat"}).out.find("訳語"), std::string::npos);

  CliRun run = Dict({"gloss", "write", "執筆する、書く"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "write\t訳語: 執筆する; 書く\n");
  const std::string lookup = Dict({"lookup", "writes"}).out;
  EXPECT_NE(lookup.find("\n訳語: 執筆する; 書く\n"), std::string::npos) << lookup;
  EXPECT_NE(Dict({"lookup", "is"}).out.find("\n訳語: ある; いる\n"), std::string::npos);
  EXPECT_EQ(Dict({"unpack", data_ / "myLxGloss.dat"}).out, "write\t執筆する; 書く\n");

  run = Dict({"gloss", "write", "--shipped"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "write\t訳語: 動 書く; 記す / 名 書き込み\n");
  EXPECT_EQ(Dict({"gloss", "write"}).exitCode, 2);
  EXPECT_EQ(Dict({"gloss", "a\tb", "x"}).exitCode, 1);
}

TEST_F(DictCommandTest, RefusesBadRecordArguments) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"record"}, {"record", "x", "--level", "5"}, {"record", "x", "--level", "one"},
        {"record", "x", "--level"}, {"record", "x", "y"}, {"record", "x", "--colour", "red"},
        {"delete"}, {"delete", "a", "b"}, {"frobnicate"}, {}}) {
    std::vector<std::string> all = data_.With({"dict"});
    all.insert(all.end(), args.begin(), args.end());
    const CliRun run = RunCliProgram(all);
    EXPECT_EQ(run.exitCode, 2) << (args.empty() ? "(none)" : args[0]) << " " << run.err;
  }
  // A headword with a tab would break the line structure: refused, nothing written.
  const CliRun run = Dict({"record", "a\tb"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(data_ / "myLxScoop.dat"));
}

TEST_F(DictCommandTest, PackRefusesWhatWouldChangeTheList) {
  struct Case {
    const char* name;
    std::string text;
    const char* error;  // "" when the text packs
  } cases[] = {
      {"zero byte", std::string("go\r\nrun\0x\r\nzoo\r\n", 16), "line 2: holds a zero byte"},
      {"zero byte first", std::string("\0go\n", 4), "line 1: holds a zero byte"},
      {"lone CR lines", std::string("a\rb\rc\0", 7), "line 3: holds a zero byte"},
      {"no CP932 form", "go\nrun\n\xe2\x82\xac\n", "line 3: holds a character that Shift-JIS"},
      {"emoji", "go\r\n\xf0\x9f\x98\x80 smile\r\n", "line 2: holds a character that Shift-JIS"},
      {"UTF-16 zero", std::string("\xff\xfeg\0o\0\n\0\0\0", 10), "line 2: holds a zero byte"},
      {"UTF-16 no CP932 form", std::string("\xff\xfeg\0\n\0\xac\x20", 8), "line 2: holds a character"},
      {"question marks kept", "why?\n\xe5\x9f\xba\xe6\x9c\xac?\n", ""},
      // The reader's bound on a line holds for the writer.
      {"a line over the bound", "go\n" + std::string(65537, 'b') + "\n", "line 2: longer than 65,536 bytes"},
      {"a line at the bound", "go\n" + std::string(65536, 'b') + "\n", ""},
      // «xﾗｺ» in Shift-JIS is no UTF-8 «x» with an unassigned code point.
      {"half-width katakana glued to a letter", "x\xD7\xBA\n", ""},
      {"plain", "go\nrun\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::WriteFileBytes(data_ / "in.txt", c.text);
    std::filesystem::remove(data_ / "out.dat");
    const CliRun run = Dict({"pack", data_ / "in.txt", data_ / "out.dat"});
    if (*c.error == '\0') {
      EXPECT_EQ(run.exitCode, 0) << run.err;
      if (c.text == "x\xD7\xBA\n") {
        EXPECT_EQ(Dict({"unpack", data_ / "out.dat"}).out, "x\uFF97\uFF7A\n");
      }
      continue;
    }
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("in.txt"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(data_ / "out.dat"));
  }

  // A list over the bound, written by other means, is refused by name.
  TCompressStringList list;
  list.Add(std::string(65537, 'b'));
  testing::WriteFileBytes(data_ / "long.dat", list.FileImage());
  const CliRun run = Dict({"unpack", data_ / "long.dat"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("long.dat: line 1: longer than 65,536 bytes, the most a list file holds"), std::string::npos)
      << run.err;
}

TEST_F(DictCommandTest, RecordAppliesTheEditorsHeadwordChecks) {
  const char* refused[] = {"new york", "日本", "\"go\"", "go,went", "it's\"", "tab\there", "   ", ""};
  for (const char* headword : refused) {
    // dict gloss takes the headwords dict record takes.
    for (const CliRun& run : {Dict({"record", headword}), Dict({"gloss", headword, "行く"})}) {
      EXPECT_EQ(run.exitCode, 1) << headword;
      EXPECT_NE(run.err.find("a～z, A～Z, -, '"), std::string::npos) << headword << ": " << run.err;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(data_ / "myLxGloss.dat"));
  // Glosses longer than the gloss file holds are refused with a message; the
  // user's other glosses stay readable.
  ASSERT_EQ(Dict({"gloss", "dog", "犬"}).exitCode, 0);
  const CliRun tooLong = Dict({"gloss", "cat", std::string(70 * 1024, 'x')});
  EXPECT_EQ(tooLong.exitCode, 1);
  EXPECT_NE(tooLong.err.find("holds at most 65536 bytes"), std::string::npos) << tooLong.err;
  EXPECT_EQ(Dict({"unpack", data_ / "myLxGloss.dat"}).out, "dog\t犬\n");
  // Surrounding blanks are trimmed as in the editor.
  CliRun run = Dict({"record", "  o'clock  ", "--level", "0"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "recorded o'clock (なし)\n");
  // A spelling that would be read back as another word is refused.
  for (const char* forms : {"go2", "gone,go4th", "g1"}) {
    run = Dict({"record", "go", "--forms", forms});
    EXPECT_EQ(run.exitCode, 1) << forms;
    EXPECT_NE(run.err.find("は登録できません"), std::string::npos) << run.err;
  }
  EXPECT_EQ(Dict({"record", "go", "--forms", "go0"}).exitCode, 0);  // a 0 is read back as it is
  EXPECT_FALSE(std::filesystem::exists(data_ / "myLXBasics.dat.tmp"));
}

// Standard output that cannot be written: a change is made all the same,
// said on standard error and told apart by exit status 3; a command that
// changed nothing fails with 1.
TEST_F(DictCommandTest, AChangeWhoseOutputIsLostIsStillSaid) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    const char* said;  // on standard error
  } cases[] = {
      {{"record", "study", "--level", "2"}, 3, "recorded study (中学)\n"},
      {{"gloss", "study", "勉強する"}, 3, "study\t訳語: 勉強する\n"},
      {{"delete", "dog"}, 3, "deleted dog\n"},
      {{"lookup", "study"}, 1, "cannot write the output (No space left on device)\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0]);
    std::vector<std::string> all = data_.With({"dict"});
    all.insert(all.end(), c.args.begin(), c.args.end());
    const CliRun run = RunCliProgram(all, "/dev/null", "/dev/full");
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
  }
  EXPECT_EQ(Dict({"unpack", data_ / "myLXJunior.dat"}).out, "begin\nletter\nstudy\nwrite\n");
  EXPECT_EQ(Dict({"lookup", "dog"}).out.find("見出し語です"), std::string::npos);
}

TEST_F(DictCommandTest, DamagedFilesAreNamedAndNeverWrittenOver) {
  std::string bytes = testing::ReadFileBytes(data_ / "LxScoop.dat");
  bytes.resize(bytes.size() - 3);
  testing::WriteFileBytes(data_ / "LxScoop.dat", bytes);
  for (const std::vector<std::string>& args : {std::vector<std::string>{"record", "zoo"}, {"delete", "go"}, {"info"}}) {
    std::vector<std::string> all = data_.With({"dict"});
    all.insert(all.end(), args.begin(), args.end());
    const CliRun run = RunCliProgram(all);
    EXPECT_EQ(run.exitCode, 1) << args[0];
    EXPECT_NE(run.err.find("LxScoop.dat: cannot be read (damaged"), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(data_ / "myLxScoop.dat"));
  EXPECT_EQ(testing::ReadFileBytes(data_ / "LxScoop.dat"), bytes);
}

}  // namespace
}  // namespace lexiscoop
