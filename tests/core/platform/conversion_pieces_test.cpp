// A text converted in pieces, as a large file is while its load reports
// progress, comes out byte for byte as converting it at once does, in every
// encoding and at every piece size, bad bytes and all; the steps count the
// whole text once, and a step that says stop stops the conversion.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/InputEncoding.h"

namespace lexiscoop {
namespace {

std::string Utf16(const std::u16string& units, bool bigEndian) {
  std::string bytes;
  for (const char16_t u : units) {
    const char high = static_cast<char>(u >> 8);
    const char low = static_cast<char>(u & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

// A random text of the given encoding, about `size` bytes, that mixes ASCII
// (with line breaks), Japanese, characters CP932 lacks and, where `bad`,
// bytes that are not characters at all.
std::string RandomText(std::mt19937& random, TextEncoding encoding, size_t size, bool bad) {
  static const std::vector<std::string> kUtf8 = {
      "The dog ran. ", "\r\n", "a", "\xE3\x81\x82\xE3\x81\x84", "\xE6\xBC\xA2\xE5\xAD\x97", "\xF0\x9F\x98\x80",
      "\xC3\xA9t\xC3\xA9 ", "\xEF\xBD\xB1", " "};
  static const std::vector<std::string> kUtf8Bad = {"\x80", "\xE3\x81", "\xC3", "\xF0\x9F\x98", "\xFF"};
  static const std::vector<std::u16string> kUtf16 = {u"The dog ran. ", u"\r\n", u"\u3042\u3044", u"\u6F22",
                                                     u"\U0001F600", u"\u00E9t\u00E9", u" "};
  static const std::vector<std::u16string> kUtf16Bad = {u"\xD800", u"\xDC00", u"\xD83D"};
  static const std::vector<std::string> kCp932 = {"The dog ran. ", "\r\n", "\x82\xA0\x82\xA2", "\x8A\xBF", "\xB1"};
  std::string text;
  const bool utf16 = encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
  const bool big = encoding == TextEncoding::Utf16Be;
  if (encoding == TextEncoding::Utf8Bom) text = "\xEF\xBB\xBF";
  if (utf16) text = big ? "\xFE\xFF" : "\xFF\xFE";
  while (text.size() < size) {
    const bool takeBad = bad && random() % 16 == 0;
    if (encoding == TextEncoding::Cp932) {
      text += kCp932[random() % kCp932.size()];
    } else if (utf16) {
      const auto& pool = takeBad ? kUtf16Bad : kUtf16;
      text += Utf16(pool[random() % pool.size()], big);
    } else {
      const auto& pool = takeBad ? kUtf8Bad : kUtf8;
      text += pool[random() % pool.size()];
    }
  }
  // Now and then a text ends in the middle of a character.
  if (bad && random() % 3 == 0) text += utf16 ? std::string("\x3D", 1) : std::string("\xE3");
  return text;
}

TEST(ConversionPiecesTest, PiecesGiveWhatOneConversionGives) {
  std::mt19937 random(2026);
  const TextEncoding encodings[] = {TextEncoding::Utf8, TextEncoding::Utf8Bom, TextEncoding::Utf16Le,
                                    TextEncoding::Utf16Be, TextEncoding::Cp932};
  for (const TextEncoding encoding : encodings) {
    for (int trial = 0; trial < 12; ++trial) {
      const bool bad = encoding != TextEncoding::Utf8 && encoding != TextEncoding::Cp932 && trial % 2 == 1;
      const std::string text = RandomText(random, encoding, 500 + static_cast<size_t>(trial) * 700, bad);
      const std::string whole = TextToCp932(text);
      for (const size_t piece : {size_t{1}, size_t{2}, size_t{3}, size_t{7}, size_t{64}, size_t{1000}, text.size()}) {
        std::vector<size_t> steps;
        const std::optional<std::string> pieces = TextToCp932InPieces(text, piece, [&](size_t done, size_t total) {
          EXPECT_EQ(total, text.size());
          steps.push_back(done);
          return true;
        });
        const std::string where = "encoding " + std::to_string(static_cast<int>(encoding)) + " trial " +
                                  std::to_string(trial) + " piece " + std::to_string(piece);
        ASSERT_TRUE(pieces.has_value()) << where;
        ASSERT_EQ(*pieces, whole) << where;
        // Steps go forward and end with the whole text.
        ASSERT_FALSE(steps.empty()) << where;
        for (size_t i = 1; i < steps.size(); ++i) ASSERT_LT(steps[i - 1], steps[i]) << where;
        EXPECT_EQ(steps.back(), text.size()) << where;
        // Small pieces give many steps where the text is converted.
        if (DetectTextEncoding(text) != TextEncoding::Cp932 && piece <= 64) {
          EXPECT_GT(steps.size(), text.size() / 400) << where;
        }
      }
    }
  }
}

TEST(ConversionPiecesTest, TextsWithoutAnAsciiCharacterAreNotCut) {
  // Nothing to cut before: one piece, still the same text.
  std::string text;
  for (int i = 0; i < 300; ++i) text += "\xE3\x81\x82";
  int steps = 0;
  const std::optional<std::string> pieces = TextToCp932InPieces(text, 10, [&](size_t, size_t) {
    ++steps;
    return true;
  });
  ASSERT_TRUE(pieces.has_value());
  EXPECT_EQ(*pieces, TextToCp932(text));
  EXPECT_EQ(steps, 1);
}

TEST(ConversionPiecesTest, AStepThatSaysStopEndsTheConversion) {
  std::mt19937 random(7);
  for (const TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Utf16Le, TextEncoding::Cp932}) {
    const std::string text = RandomText(random, encoding, 5000, false);
    int steps = 0;
    const std::optional<std::string> pieces = TextToCp932InPieces(text, 100, [&](size_t, size_t) {
      ++steps;
      return steps < 3 && encoding != TextEncoding::Cp932;
    });
    EXPECT_FALSE(pieces.has_value());
    EXPECT_EQ(steps, encoding == TextEncoding::Cp932 ? 1 : 3);
  }
  // Without a step the text is converted whole.
  const std::string text = RandomText(random, TextEncoding::Utf8, 3000, false);
  EXPECT_EQ(TextToCp932InPieces(text, 50, {}).value(), TextToCp932(text));
}

}  // namespace
}  // namespace lexiscoop
