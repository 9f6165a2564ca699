#include <gtest/gtest.h>

#include <string>

#include "platform/Cp932.h"
#include "platform/InputEncoding.h"

namespace lexiscoop {
namespace {

TEST(Cp932Test, ConvertsBothWays) {
  const std::string sjis = "\x82\xA0\x82\xA2 abc \x8A\xBF\x8E\x9A";  // あい abc 漢字
  const std::string utf8 = "\xE3\x81\x82\xE3\x81\x84 abc \xE6\xBC\xA2\xE5\xAD\x97";
  EXPECT_EQ(Cp932FromUtf8(utf8), sjis);
  EXPECT_EQ(Utf8FromCp932(sjis), utf8);
  EXPECT_EQ(Cp932FromUtf8(""), "");
}

TEST(Cp932Test, UnmappableCharactersBecomeQuestionMarks) {
  // U+1F600 (emoji) and U+00E9 have no CP932 form; a stray continuation byte is invalid.
  EXPECT_EQ(Cp932FromUtf8("a\xF0\x9F\x98\x80" "b"), "a?b");
  EXPECT_EQ(Cp932FromUtf8("caf\xC3\xA9"), "caf?");
  EXPECT_EQ(Cp932FromUtf8("x\x80y"), "x?y");
  EXPECT_EQ(Cp932FromUtf8("cut\xE3\x81"), "cut?");
  // A lone lead byte at the end of CP932 text does not swallow anything.
  EXPECT_EQ(Utf8FromCp932("ab\x82"), "ab\xEF\xBF\xBD");
}

TEST(Cp932Test, Utf16SurrogatePairBecomesOneQuestionMark) {
  const std::string le("a\0\x3D\xD8\x00\xDE" "b\0", 8);  // a, U+1F600, b
  EXPECT_EQ(Cp932FromUtf16(le, false), "a?b");
}

TEST(InputEncodingTest, DetectsByMarkAndByValidUtf8) {
  struct Row {
    std::string bytes;
    TextEncoding encoding;
  };
  const Row rows[] = {
      {"plain ascii", TextEncoding::Cp932},
      {"", TextEncoding::Cp932},
      {"\x82\xA0\x82\xA2", TextEncoding::Cp932},  // CP932 あい is not valid UTF-8
      {"\xE3\x81\x82", TextEncoding::Utf8},
      {"\xEF\xBB\xBFhi", TextEncoding::Utf8Bom},
      {std::string("\xFF\xFEh\0", 4), TextEncoding::Utf16Le},
      {std::string("\xFE\xFF\0h", 4), TextEncoding::Utf16Be},
      {"\xC0\x80", TextEncoding::Cp932},           // overlong: not UTF-8
      {"\xED\xA0\x80", TextEncoding::Cp932},       // surrogate: not UTF-8
  };
  for (const Row& r : rows) EXPECT_EQ(DetectTextEncoding(r.bytes), r.encoding) << r.bytes;
}

TEST(InputEncodingTest, ConvertsToCp932AndLeavesCp932Alone) {
  const std::string sjis = "Hello \x82\xA0\x82\xA2";
  EXPECT_EQ(TextToCp932(sjis), sjis);
  EXPECT_EQ(TextToCp932("\xEF\xBB\xBFHello \xE3\x81\x82\xE3\x81\x84"), sjis);
  EXPECT_EQ(TextToCp932("Hello \xE3\x81\x82\xE3\x81\x84"), sjis);
  EXPECT_EQ(TextToCp932(std::string("\xFF\xFEH\0i\0B0", 8)), "Hi\x82\xA0");
  EXPECT_EQ(TextToCp932(std::string("\xFE\xFF\0H\0i0B", 8)), "Hi\x82\xA0");
}

}  // namespace
}  // namespace lexiscoop
