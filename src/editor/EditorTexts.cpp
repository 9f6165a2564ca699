#include "editor/EditorTexts.h"

#include "analysis/NumberFormat.h"
#include "dictionary/DictionaryFiles.h"
#include "dictionary/DictionaryTransaction.h"
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

// At most kShownLines of the CR LF-ended lines of `text`, then a line that
// counts the rest: a question box must fit on the screen.
std::string ElidedLines(std::string_view text) {
  constexpr int kShownLines = 20;
  size_t end = 0;
  int lines = 0;
  while (lines < kShownLines) {
    const size_t next = text.find("\r\n", end);
    if (next == std::string_view::npos) return std::string(text);
    end = next + 2;
    ++lines;
  }
  if (end >= text.size()) return std::string(text);
  int rest = 0;
  for (size_t at = end; (at = text.find("\r\n", at)) != std::string_view::npos; at += 2) ++rest;
  if (text.size() > end && text.substr(text.size() - 2) != "\r\n") ++rest;
  static const Cp932Text kBefore{"…ほか "};
  static const Cp932Text kAfter{" 行"};
  return std::string(text.substr(0, end)) + kBefore.str() + std::to_string(rest) + kAfter.str() + "\r\n";
}

std::string RecordQuestion(std::string_view headword, std::string_view inflectionText, int level,
                           std::string_view gloss) {
  static const Cp932Text kHeadword{"--原形--"};
  static const Cp932Text kInflections{"--活用--"};
  static const Cp932Text kLevel{"--分類--"};
  static const Cp932Text kRecord{"登録しますか？"};
  static const Cp932Text kGloss{"--訳語--"};
  std::string text = kHeadword.str();
  text += kCrLf;
  text += headword;
  text += kCrLf;
  text += kCrLf;
  if (!inflectionText.empty()) {
    text += kInflections.str();
    text += kCrLf;
    text += ElidedLines(inflectionText);
    text += kCrLf;
  }
  text += kLevel.str();
  text += kCrLf;
  text += LevelName(level);
  text += kCrLf;
  text += kCrLf;
  if (!gloss.empty()) {
    text += kGloss.str();
    text += kCrLf;
    text += gloss;
    text += kCrLf;
    text += kCrLf;
  }
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

std::string GlossTooLongMessage(std::string_view headword, size_t lineBytes, size_t maxBytes) {
  static const Cp932Text kBefore{" の訳語が長すぎます（"};
  static const Cp932Text kMiddle{" バイト。1 行は "};
  static const Cp932Text kAfter{" バイトまで）。\r\n何も登録していません。"};
  return std::string(headword) + kBefore.str() + FormatThousands(static_cast<int64_t>(lineBytes)) + kMiddle.str() +
         FormatThousands(static_cast<int64_t>(maxBytes)) + kAfter.str();
}

std::string DictionaryUnreadableMessage(std::string_view path) {
  static const Cp932Text kBefore{"辞書ファイル "};
  static const Cp932Text kAfter{" を読み込めないため、登録しませんでした"};
  return kBefore.str() + Cp932FromUtf8(path) + kAfter.str();
}

std::string NotWrittenMessage(std::string_view headword, const Status& status) {
  static const Cp932Text kNotWritten{" の変更を辞書ファイルに書き込めませんでした"};
  const std::string& refusal = status.message();
  return std::string(headword) + kNotWritten.str() + (refusal.empty() ? std::string() : "\r\n" + refusal);
}

std::string UnstorableSpellingMessage(std::string_view spelling) {
  static const Cp932Text kRefused{
      " は登録できません（原形と共通の部分に続く文字が数字の活用形は、辞書ファイルで別の綴りとして読まれます）"};
  return std::string(spelling) + kRefused.str();
}

std::string DamagedFileMessage(std::string_view path) {
  static const Cp932Text kBefore{"辞書ファイル "};
  static const Cp932Text kAfter{" が壊れているか読み込めません。このファイルには書き込みません"};
  return kBefore.str() + Cp932FromUtf8(path) + kAfter.str();
}

std::string PendingMessage(std::string_view headword) {
  static const Cp932Text kPending{
      " の変更は確定しましたが、辞書ファイルの書き換えを最後まで終えられませんでした。次に辞書を読み込むときに完了します"};
  return std::string(headword) + kPending.str();
}

const std::string& ChangedOnDiskMessage() {
  static const Cp932Text kChanged{
      "辞書ファイルがほかのプログラムで変更されたため、読み込み直しました。いまの内容を確かめてから登録してください"};
  return kChanged.str();
}

}  // namespace lexiscoop
