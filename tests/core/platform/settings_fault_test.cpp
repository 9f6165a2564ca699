// The settings file under failing saves: whatever step fails, the old file
// stays byte for byte, nothing else is left in its folder and the failure is
// the status.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/AtomicFile.h"
#include "platform/IniFile.h"

namespace lexiscoop {
namespace {

namespace fs = std::filesystem;

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(SettingsFaultTest, EveryFailedStepKeepsTheOldSettings) {
  char tmpl[] = "/tmp/lexiscoop-settings-XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  const std::string dir = tmpl;
  const std::string path = dir + "/lexiscoop.ini";
  const std::string old = "[system]\r\nWidth=700\r\nColWidth=60,150,70,60,\r\n";
  std::ofstream(path, std::ios::binary) << old;

  TIniFile changed(path);
  changed.WriteInteger("system", "Width", 900);
  TIniFile emptied(dir + "/missing.ini");  // an empty profile: nothing to write
  ASSERT_EQ(emptied.Text(), "");
  for (const WriteStep step : {WriteStep::Open, WriteStep::Write, WriteStep::Flush, WriteStep::Rename}) {
    SetWriteFaultForTesting(step);
    EXPECT_EQ(changed.UpdateFile().systemError(), EIO) << static_cast<int>(step);
    EXPECT_EQ(emptied.UpdateFile().systemError(), EIO) << static_cast<int>(step);
    SetWriteFaultForTesting(std::nullopt);
    EXPECT_EQ(Read(path), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  }
  EXPECT_TRUE(changed.UpdateFile().ok());
  EXPECT_EQ(TIniFile(path).ReadInteger("system", "Width", 0), 900);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace lexiscoop
