#include "dictionary/DictionaryFiles.h"

#include <stdexcept>
#include <vector>

#include "analysis/NumberFormat.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

void CheckLevel(int level, int lowest) {
  if (level < lowest || level > kLevelCount) throw std::out_of_range("level number " + std::to_string(level));
}

}  // namespace

const LevelFileNames& LevelFiles(int level) {
  static const std::vector<LevelFileNames> kFiles = [] {
    std::vector<LevelFileNames> files;
    for (const LevelInfo& info : ShippedLevels().Listed()) files.push_back({info.shippedFile, info.userFile});
    return files;
  }();
  CheckLevel(level, 1);
  return kFiles[static_cast<size_t>(level - 1)];
}

const std::string& LevelName(int level) {
  static const std::vector<std::string> kNames = [] {
    std::vector<std::string> names;
    for (int number = 0; number <= kLevelCount; ++number) {
      const LevelSet& levels = ShippedLevels();
      names.push_back(Cp932FromUtf8(std::string(levels[levels.FromDictionaryNumber(number)].editorName)));
    }
    return names;
  }();
  CheckLevel(level, 0);
  return kNames[static_cast<size_t>(level)];
}

std::string LevelHint(int level, int count) {
  // Each hint is "<list description> <count> 個登録".
  static const Cp932Text kAfter{" 個登録"};
  CheckLevel(level, 1);
  const LevelSet& levels = ShippedLevels();
  return Cp932FromUtf8(std::string(levels[levels.FromDictionaryNumber(level)].listName)) + " " +
         FormatThousands(count) + kAfter.str();
}

}  // namespace lexiscoop
