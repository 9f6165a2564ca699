#include <gtest/gtest.h>

#include <string>

#include "editor/EditorTexts.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

std::string Sjis(const char* utf8) { return Cp932FromUtf8(utf8); }

TEST(EditorTextsTest, RecordQuestionListsHeadwordInflectionsAndLevel) {
  const struct {
    const char* headword;
    const char* inflections;
    int level;
    const char* question;
    const char* gloss = "";
  } cases[] = {
      {"study", "studied\r\nstudies\r\nstudying\r\n", 2,
       "--原形--\r\nstudy\r\n\r\n--活用--\r\nstudied\r\nstudies\r\nstudying\r\n\r\n--分類--\r\n中学\r\n\r\n登録しますか？"},
      {"walk", "", 0, "--原形--\r\nwalk\r\n\r\n--分類--\r\nなし\r\n\r\n登録しますか？"},
      {"O'Neill", "O'Neills\r\n", 3,
       "--原形--\r\nO'Neill\r\n\r\n--活用--\r\nO'Neills\r\n\r\n--分類--\r\n大学へ\r\n\r\n登録しますか？"},
      {"x", "y\r\n", 1, "--原形--\r\nx\r\n\r\n--活用--\r\ny\r\n\r\n--分類--\r\n基本\r\n\r\n登録しますか？"},
      {"x", "", 4, "--原形--\r\nx\r\n\r\n--分類--\r\n一般\r\n\r\n登録しますか？"},
      {"homeworld", "homeworlds\r\n", 0,
       "--原形--\r\nhomeworld\r\n\r\n--活用--\r\nhomeworlds\r\n\r\n--分類--\r\nなし\r\n\r\n"
       "--訳語--\r\n母星; 故郷の惑星\r\n\r\n登録しますか？",
       "母星; 故郷の惑星"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RecordQuestion(c.headword, c.inflections, c.level, Sjis(c.gloss)), Sjis(c.question)) << c.headword;
  }
}

TEST(EditorTextsTest, QuestionsAndMessagesAreTheProgramsTexts) {
  EXPECT_EQ(SpellingOfOtherQuestion("left", "leave"),
            Sjis("left は leave の活用形として登録されています\r\n\r\nかまわず登録しますか？"));
  EXPECT_EQ(DeleteQuestion("cat"), Sjis("cat を削除します\r\n\r\nよろしいか？"));
  EXPECT_EQ(InvalidHeadwordMessage(), Sjis("a～z, A～Z, -, ' （半角）だけです"));
  // The wave dash of the message is the CP932 full-width tilde.
  EXPECT_EQ(InvalidHeadwordMessage().substr(1, 2), "\x81\x60");
  EXPECT_EQ(DictionaryUnreadableMessage("/opt/レキシ/myLxScoop.dat"),
            Sjis("辞書ファイル /opt/レキシ/myLxScoop.dat を読み込めないため、登録しませんでした"));
}

TEST(EditorTextsTest, RecordQuestionElidesLongListsOfSpellings) {
  auto lines = [](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text.append("w").append(std::to_string(i)).append("\r\n");
    return text;
  };
  // Twenty lines are shown as they are.
  EXPECT_EQ(RecordQuestion("w", lines(20), 0).find(Sjis("ほか")), std::string::npos);
  const std::string question = RecordQuestion("w", lines(5000), 1);
  EXPECT_NE(question.find(std::string("w19\r\n").append(Sjis("…ほか 4980 行")).append("\r\n\r\n")), std::string::npos);
  EXPECT_EQ(question.find("w20\r\n"), std::string::npos);
  EXPECT_NE(question.find(Sjis("--分類--\r\n基本\r\n\r\n登録しますか？")), std::string::npos);
  EXPECT_NE(RecordQuestion("w", lines(21), 0).find(Sjis("…ほか 1 行")), std::string::npos);
}

}  // namespace
}  // namespace lexiscoop
