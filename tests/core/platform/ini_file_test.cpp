#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"

namespace lexiscoop {
namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/lexiscoop-ini-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    path_ = dir_ + "/lexiscoop.ini";
  }
  void TearDown() override {
    SetWriteFaultForTesting(std::nullopt);
    fs::remove_all(dir_);
  }
  void Put(const std::string& bytes) { ASSERT_TRUE(WriteFileAtomically(path_, bytes).ok()); }
  std::string Read() {
    std::string bytes;
    EXPECT_EQ(ReadWholeFile(path_, bytes), 0);
    return bytes;
  }

  std::string dir_;
  std::string path_;
};

TEST_F(IniFileTest, MissingFileGivesEveryFallback) {
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadInteger("system", "width", 743), 743);
  EXPECT_EQ(ini.ReadString("system", "ColWidth", ""), "");
  EXPECT_EQ(ini.Text(), "");
}

TEST_F(IniFileTest, ReadsSectionsKeysAndLineBreaksOfAnyKind) {
  Put("[other]\nwidth=1\r\n[System]\rWidth = 800 \r\nColWidth=60,150,70,60,\r\ntop=-5\n");
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadInteger("system", "width", 0), 800);  // names ignore case
  EXPECT_EQ(ini.ReadInteger("system", "top", 0), -5);
  EXPECT_EQ(ini.ReadString("system", "colwidth", ""), "60,150,70,60,");
  EXPECT_EQ(ini.ReadInteger("other", "width", 0), 1);
  EXPECT_EQ(ini.ReadInteger("system", "left", 42), 42);
}

TEST_F(IniFileTest, IntegersThatAreNotNumbersFallBack) {
  struct Case {
    const char* value;
    int expected;
  };
  const Case cases[] = {
      {"12", 12},  {" +7 ", 7},       {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX},
      {"", -1},    {"12px", -1},      {"2147483648", -1},         {"--3", -1},
      {"1 2", -1}, {"0x10", -1},      {"-", -1},
  };
  for (const Case& c : cases) {
    Put(std::string("[system]\r\nheight=") + c.value + "\r\n");
    TIniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("system", "height", -1), c.expected) << "value «" << c.value << "»";
  }
}

TEST_F(IniFileTest, WritesCrLfAndKeepsForeignLines) {
  Put("; note\n[system]\nleft=1\n\n[tools]\nx=y\n");
  TIniFile ini(path_);
  ini.WriteInteger("system", "left", 140);
  ini.WriteInteger("system", "top", 192);
  ini.WriteString("new", "ColWidth", "60,150,");
  ASSERT_TRUE(ini.UpdateFile().ok());
  EXPECT_EQ(Read(),
            "; note\r\n[system]\r\nleft=140\r\ntop=192\r\n\r\n[tools]\r\nx=y\r\n"
            "[new]\r\nColWidth=60,150,\r\n");
  TIniFile again(path_);
  EXPECT_EQ(again.ReadInteger("system", "top", 0), 192);
  EXPECT_EQ(again.ReadString("new", "colwidth", ""), "60,150,");
}

TEST_F(IniFileTest, ValueWithLineBreakIsCutSoTheFileKeepsItsShape) {
  TIniFile ini(path_);
  ini.WriteString("system", "ColWidth", "1,2,\r\n[evil]\r\nwidth=1");
  ASSERT_TRUE(ini.UpdateFile().ok());
  TIniFile again(path_);
  EXPECT_EQ(again.ReadString("system", "ColWidth", ""), "1,2,");
  EXPECT_EQ(again.ReadInteger("evil", "width", 0), 0);
}

TEST_F(IniFileTest, FailedUpdateLeavesTheOldFile) {
  Put("[system]\r\nwidth=700\r\n");
  TIniFile ini(path_);
  ini.WriteInteger("system", "width", 900);
  SetWriteFaultForTesting(WriteStep::Rename);
  EXPECT_FALSE(ini.UpdateFile().ok());
  SetWriteFaultForTesting(std::nullopt);
  EXPECT_EQ(Read(), "[system]\r\nwidth=700\r\n");
}

TEST_F(IniFileTest, UnwritableFolderReportsAnError) {
  TIniFile ini(dir_ + "/no/such/folder/x.ini");
  ini.WriteInteger("system", "width", 1);
  EXPECT_FALSE(ini.UpdateFile().ok());
}

TEST_F(IniFileTest, ASettingsFileThatIsALinkIsWrittenThroughIt) {
  // Dotfile managers keep the real file elsewhere and link it in.
  fs::create_directory(dir_ + "/dotfiles");
  const std::string real = dir_ + "/dotfiles/lexiscoop.ini";
  {
    TIniFile first(real);
    first.WriteInteger("system", "width", 700);
    ASSERT_TRUE(first.UpdateFile().ok());
  }
  ASSERT_EQ(symlink("dotfiles/lexiscoop.ini", path_.c_str()), 0);
  for (const int width : {800, 900}) {
    TIniFile ini(path_);
    ini.WriteInteger("system", "width", width);
    ASSERT_TRUE(ini.UpdateFile().ok());
    EXPECT_TRUE(fs::is_symlink(path_));
    EXPECT_EQ(TIniFile(real).ReadInteger("system", "width", 0), width);
  }
}

}  // namespace
}  // namespace lexiscoop
