// Texts that would end early without a word: a zero byte ends the count
// where it stands, and says so; UTF-16 without a byte-order mark is read
// as the characters it holds, not as bytes with every other one zero.
#include <gtest/gtest.h>

#include <string>

#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "platform/Cp932.h"
#include "platform/InputEncoding.h"

namespace lexiscoop {
namespace {

std::string Wide(std::u16string_view text, bool bigEndian) {
  std::string bytes;
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

TEST(TextEndTest, ZeroBytesAndUtf16WithoutAMark) {
  using namespace std::string_literals;
  const struct {
    const char* name;
    std::string bytes;
    std::string text;    // as counted (CP932, up to a zero byte)
    int words;
    std::string notice;  // UTF-8
  } rows[] = {
      {"plain text", "one two three", "one two three", 3, ""},
      {"a zero byte in the middle", "one two\0three four"s, "one two\0three four"s, 2,
       "8 バイト目のゼロバイトで読み終えました: 残り 10 バイトは数えていません"},
      {"a zero byte first", "\0abc"s, "\0abc"s, 0,
       "1 バイト目のゼロバイトで読み終えました: 残り 3 バイトは数えていません"},
      {"a zero byte last", "abc\0"s, "abc\0"s, 1,
       "4 バイト目のゼロバイトで読み終えました: 残り 0 バイトは数えていません"},
      {"UTF-16LE without a mark", Wide(u"the cat and the hat", false), "the cat and the hat", 5, ""},
      {"UTF-16BE without a mark", Wide(u"the cat and the hat", true), "the cat and the hat", 5, ""},
      {"UTF-16LE with Japanese", Wide(u"a cat 猫 and 一 dog", false), Cp932FromUtf8("a cat 猫 and 一 dog"), 4, ""},
      {"UTF-16LE with a mark", "\xFF\xFE"s + Wide(u"to be", false), "to be", 2, ""},
      // Zero bytes, but not every other one: a text that ends early.
      {"zeros in a row", "ab\0\0\0\0cd"s, "ab\0\0\0\0cd"s, 1,
       "3 バイト目のゼロバイトで読み終えました: 残り 5 バイトは数えていません"},
      // One unit: too short to tell.
      {"two bytes", "a\0"s, "a\0"s, 1, "2 バイト目のゼロバイトで読み終えました: 残り 0 バイトは数えていません"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TMyParser parser;
    parser.AssignText(TextToCp932(row.bytes));
    EXPECT_EQ(std::string(parser.FullText()), row.text);
    AnalysisResult result;
    ScanText(parser, result);
    EXPECT_EQ(result.tokenCount, row.words);
    EXPECT_EQ(Utf8FromCp932(ZeroByteNotice(parser.FullText())), row.notice);
  }
}

}  // namespace
}  // namespace lexiscoop
