// Long texts through the converters: the result must be what converting
// each character on its own gives, wherever the converter cuts the text into
// calls, and whatever mix of characters CP932 has, lacks, or that are not
// characters at all.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

// Texts made of `clean` pieces at random with a `bad` piece now and then
// (seldom or often: the converter reaches the end of a call only across
// long runs of good text), compared with the concatenation of what
// `convert` gives for each piece alone.
template <typename Convert>
void ExpectPiecewise(const std::vector<std::string>& clean, const std::vector<std::string>& bad, Convert convert) {
  std::mt19937 random(99);
  for (int trial = 0; trial < 24; ++trial) {
    const unsigned badOneIn = 2u << (trial % 8);  // 2 to 256
    std::string text;
    std::string expected;
    while (text.size() < 4000 + static_cast<size_t>(trial) * 500) {
      const bool takeBad = !bad.empty() && random() % badOneIn == 0;
      const std::string& piece = takeBad ? bad[random() % bad.size()] : clean[random() % clean.size()];
      text += piece;
      expected += convert(piece);
    }
    ASSERT_EQ(convert(text), expected) << "trial " << trial;
  }
}

std::string Le(std::u16string units) {
  std::string bytes;
  for (const char16_t u : units) {
    bytes += static_cast<char>(u & 0xFF);
    bytes += static_cast<char>(u >> 8);
  }
  return bytes;
}

std::string Be(std::u16string units) {
  std::string bytes;
  for (const char16_t u : units) {
    bytes += static_cast<char>(u >> 8);
    bytes += static_cast<char>(u & 0xFF);
  }
  return bytes;
}

TEST(ConversionChunksTest, Utf8TextConvertsLikeItsCharactersOneByOne) {
  // Good: ASCII, あ, ｶ, 単. Bad: é, — and an emoji (not in CP932); a stray
  // continuation byte and a cut sequence, each followed by ASCII.
  ExpectPiecewise({"word ", "ab", "\xE3\x81\x82", "\xEF\xBD\xB6", "\xE5\x8D\x98"},
                  {"caf\xC3\xA9 ", "\xE2\x80\x94", "\xF0\x9F\x98\x80", "\x80x", "\xE3\x81y"},
                  [](const std::string& s) { return Cp932FromUtf8(s); });
}

TEST(ConversionChunksTest, Utf16TextConvertsLikeItsCharactersOneByOne) {
  const std::vector<std::u16string> clean = {u"word ", u"\u3042", u"\uFF76", u"x"};
  const std::vector<std::u16string> bad = {u"\u00E9", u"\U0001F600", std::u16string(1, 0xD83D) + u"x",
                                           std::u16string(1, 0xDE00) + u"y"};
  for (const bool bigEndian : {false, true}) {
    auto bytes = [bigEndian](const std::vector<std::u16string>& units) {
      std::vector<std::string> out;
      for (const std::u16string& u : units) out.push_back(bigEndian ? Be(u) : Le(u));
      return out;
    };
    ExpectPiecewise(bytes(clean), bytes(bad),
                    [bigEndian](const std::string& s) { return Cp932FromUtf16(s, bigEndian); });
  }
}

TEST(ConversionChunksTest, Cp932TextConvertsLikeItsCharactersOneByOne) {
  // Good: ASCII, あ, 単, ｶ. Bad: a lead byte before a byte that cannot trail it.
  ExpectPiecewise({"word ", "\x82\xA0", "\x92\x50", "\xB6"}, {"\x81\x7F"},
                  [](const std::string& s) { return Utf8FromCp932(s); });
}

TEST(ConversionChunksTest, LoneHighSurrogateDoesNotTakeTheNextCharacter) {
  EXPECT_EQ(Cp932FromUtf16(Le(std::u16string(1, 0xD83D) + u"A"), false), "?A");
  EXPECT_EQ(Cp932FromUtf16(Be(std::u16string(1, 0xD83D) + u"A"), true), "?A");
  EXPECT_EQ(Cp932FromUtf16(Le(u"\U0001F600A"), false), "?A");
}

}  // namespace
}  // namespace lexiscoop
