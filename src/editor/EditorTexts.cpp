#include "editor/EditorTexts.h"

#include "dictionary/DictionaryFiles.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

constexpr std::string_view kCrLf = "\r\n";

}  // namespace

const std::string& InvalidHeadwordMessage() {
  // "%S" of the message's format is the apostrophe.
  static const Cp932Text kText{"a～z, A～Z, -, ' （半角）だけです"};
  return kText;
}

std::string SpellingOfOtherQuestion(std::string_view headword, std::string_view owner) {
  static const Cp932Text kIs{" は "};
  static const Cp932Text kRecordedAs{" の活用形として登録されています"};
  static const Cp932Text kAnyway{"かまわず登録しますか？"};
  std::string text(headword);
  text += kIs.str();
  text += owner;
  text += kRecordedAs.str();
  text += kCrLf;
  text += kCrLf;
  text += kAnyway.str();
  return text;
}

std::string RecordQuestion(std::string_view headword, std::string_view inflectionText, int level) {
  static const Cp932Text kHeadword{"--原形--"};
  static const Cp932Text kInflections{"--活用--"};
  static const Cp932Text kLevel{"--分類--"};
  static const Cp932Text kRecord{"登録しますか？"};
  std::string text = kHeadword.str();
  text += kCrLf;
  text += headword;
  text += kCrLf;
  text += kCrLf;
  if (!inflectionText.empty()) {
    text += kInflections.str();
    text += kCrLf;
    text += inflectionText;
    text += kCrLf;
  }
  text += kLevel.str();
  text += kCrLf;
  text += LevelName(level);
  text += kCrLf;
  text += kCrLf;
  text += kRecord.str();
  return text;
}

std::string DeleteQuestion(std::string_view headword) {
  static const Cp932Text kDeletes{" を削除します"};
  static const Cp932Text kSure{"よろしいか？"};
  std::string text(headword);
  text += kDeletes.str();
  text += kCrLf;
  text += kCrLf;
  text += kSure.str();
  return text;
}

std::string RecordRefusedMessage(std::string_view headword) {
  static const Cp932Text kRefused{" は登録できません（原形・活用形に改行やタブは使えません）"};
  return std::string(headword) + kRefused.str();
}

std::string DictionaryUnreadableMessage(std::string_view path) {
  static const Cp932Text kBefore{"辞書ファイル "};
  static const Cp932Text kAfter{" を読み込めないため、登録しませんでした"};
  return kBefore.str() + Cp932FromUtf8(path) + kAfter.str();
}

std::string NotWrittenMessage(std::string_view headword) {
  static const Cp932Text kNotWritten{" の変更を辞書ファイルに書き込めませんでした"};
  return std::string(headword) + kNotWritten.str();
}

}  // namespace lexiscoop
