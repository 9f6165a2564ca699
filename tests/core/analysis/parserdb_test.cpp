#include "analysis/ParserDB.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/ByteClasses.h"
#include "core/analysis/reference_scanner.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

using Words = std::vector<std::string>;
using testing::ReferenceWords;

std::string Sjis(std::string_view utf8) { return Cp932FromUtf8(utf8); }

Words ScanAll(const std::string& text) {
  TByteStream stream(text);
  TParserDB scanner(stream);
  Words words;
  while (scanner.HasWord()) {
    words.push_back(scanner.WordText());
    scanner.ScanWord();
  }
  return words;
}

// The message of the scan failure of `text`, "" when it scans to the end.
std::string ScanFailure(const std::string& text) {
  try {
    ScanAll(text);
  } catch (const EParserError& e) {
    return e.what();
  }
  return "";
}

std::string TooLongOn(int line) { return Sjis(std::to_string(line) + " 行で行が長すぎます"); }

std::string Repeat(size_t n, char c) { return std::string(n, c); }

TEST(ScannerTest, DelimitsWords) {
  const struct {
    std::string text;
    Words words;
  } rows[] = {
      {"The boy's well-known e-mail (x86)", {"The", "boy's", "well-known", "e-mail", "x86"}},
      {"3rd 1990s _init", {"rd", "s", "init"}},
      {"'quoted' end-- dogs'", {"quoted'", "end--", "dogs'"}},
      {Sjis("ＡＢＣ　ｄｅｆ"), {"ABC", "def"}},
      {Sjis("Ｉ’ｍ"), {"I'm"}},
      {Sjis("co‐operate"), {"co-operate"}},
      {Sjis("ｗｅｌｌ－ｋｎｏｗｎ x８６ ＿ｎｏ ３ｒｄ"), {"well-known", "x86", "no", "rd"}},
      {Sjis("Helloこんにちは世界World"), {"Hello", "World"}},
      {Sjis("abｱcd ガz"), {"ab", "cd", "z"}},
      {"one\r\ntwo\tthree\x01" "four\x7F" "five", {"one", "two", "three", "four", "five"}},
      {"a\xA0" "b\x80" "c\xFD" "d", {"a", "b", "c", "d"}},  // single bytes >= 0x80 separate
      {"x\x89\x41y", {"x", "y"}},  // a trail byte that is a letter starts nothing
      {"", {}},
      {"  \r\n\t ", {}},
      {Sjis("日本語だけ"), {}},
  };
  for (const auto& row : rows) EXPECT_EQ(ScanAll(row.text), row.words) << row.text;
}

TEST(ScannerTest, ZeroByteEndsTheTextUnlessItFollowsALeadByte) {
  const struct {
    std::string text;
    Words words;
  } rows[] = {
      {std::string("ab\0cd", 5), {"ab"}},
      {std::string("ab \0 cd", 7), {"ab"}},
      {std::string("\0ab", 3), {}},
      {std::string("ab \x82\0" "cd ef", 10), {"ab", "cd", "ef"}},
      {std::string("ab\x82\0" "cd", 6), {"ab", "cd"}},
      // UTF-16 text yields at most one word of one letter.
      {std::string("H\0e\0l\0l\0o\0", 10), {"H"}},
  };
  for (const auto& row : rows) EXPECT_EQ(ScanAll(row.text), row.words);
}

TEST(ScannerTest, LeadByteAtTheEndEndsTheText) {
  const struct {
    std::string text;
    Words words;
  } rows[] = {
      {"word\x82", {"word"}},
      {"abc \x82", {"abc"}},
      {"\x82", {}},
      {Sjis("ＡＢ") + "\x82", {"AB"}},
      {"a\n" + Repeat(200, '-') + "\x9F", {"a"}},
  };
  for (const auto& row : rows) {
    TByteStream stream(row.text);
    TParserDB scanner(stream);
    Words words;
    while (scanner.HasWord()) {
      words.push_back(scanner.WordText());
      scanner.ScanWord();
    }
    EXPECT_EQ(words, row.words);
    // The end is stable.
    scanner.ScanWord();
    EXPECT_FALSE(scanner.HasWord());
    EXPECT_EQ(scanner.WordText(), "");
  }
}

TEST(ScannerTest, AcceptsLinesUpToTheWindowLimit) {
  const std::string w4094 = Repeat(4094, 'x');
  const std::string w4095 = Repeat(4095, 'y');
  // First line of 4094 bytes before its line feed.
  EXPECT_EQ(ScanAll(w4094 + "\nend\n" + Repeat(5000, '\n')), (Words{w4094, "end"}));
  // A text of at most 4095 bytes never fails, line feed or not.
  EXPECT_EQ(ScanAll(w4095), Words{w4095});
  EXPECT_EQ(ScanAll(Repeat(4094, 'z') + "\n"), Words{Repeat(4094, 'z')});
  // A last line of 4095 bytes without a line feed.
  EXPECT_EQ(ScanAll("a\nb\n" + w4095), (Words{"a", "b", w4095}));
  // Line 40 of 4094 bytes.
  std::string text;
  for (int i = 1; i < 40; ++i) text += "w\n";
  EXPECT_EQ(ScanAll(text + w4094 + "\nlast").size(), 39u + 2u);
}

TEST(ScannerTest, RefusesLinesBeyondTheWindowLimit) {
  std::string shortLines;
  for (int i = 1; i < 40; ++i) shortLines += "w\n";
  const struct {
    std::string text;
    std::string failure;
  } rows[] = {
      {Repeat(4095, 'x') + "\nend", TooLongOn(1)},
      {Repeat(4096, 'x'), TooLongOn(1)},
      {Repeat(5000, 'x'), TooLongOn(1)},
      {"a\nb\n" + Repeat(4096, 'x'), TooLongOn(3)},
      {shortLines + Repeat(5000, 'x') + "\n", TooLongOn(40)},
      {shortLines + Repeat(4095, 'x') + "\nmore", TooLongOn(40)},
      // The window after a refill that starts with an empty line: its first
      // position is not examined, so the empty line is named.
      {Repeat(4094, 'a') + "\n\n" + Repeat(5000, 'b'), TooLongOn(2)},
  };
  for (const auto& row : rows) EXPECT_EQ(ScanFailure(row.text), row.failure) << row.text.size();
}

TEST(ScannerTest, LongLineFailsOnCreationOnlyInTheFirstWindow) {
  TByteStream first(Repeat(5000, 'x'));
  EXPECT_THROW(TParserDB{first}, EParserError);

  std::string text;
  for (int i = 1; i < 40; ++i) text += "word" + std::to_string(i) + "\n";
  text += Repeat(5000, 'x') + "\n";
  TByteStream stream(text);
  TParserDB scanner(stream);  // does not throw
  int words = 0;
  try {
    while (scanner.HasWord()) {
      ++words;
      scanner.ScanWord();
    }
    FAIL() << "no failure";
  } catch (const EParserError& e) {
    EXPECT_EQ(std::string(e.what()), TooLongOn(40));
    EXPECT_EQ(e.Line(), 40);
  }
  EXPECT_EQ(words, 39);
  // After the failure the scanner stays at the end, without touching memory
  // outside its window, until it is reset.
  EXPECT_FALSE(scanner.HasWord());
  EXPECT_NO_THROW(scanner.ScanWord());
  EXPECT_FALSE(scanner.HasWord());
  EXPECT_EQ(scanner.WordText(), "");
  scanner.Reset();
  stream.SetPosition(0);
  scanner.ScanWord();
  EXPECT_EQ(scanner.WordText(), "word1");
}

TEST(ScannerTest, WordsAreNeitherSplitNorLostAcrossRefills) {
  // Lines whose lengths put line feeds at and around the window's edges.
  const size_t lengths[] = {1, 4094, 7, 4093, 0, 4094, 2000, 2094, 3, 4090, 4094, 0, 0, 4094};
  std::string text;
  unsigned seed = 7;
  for (size_t length : lengths) {
    std::string line;
    while (line.size() < length) {
      seed = seed * 1103515245u + 12345u;
      const size_t wordLength = 1 + (seed >> 16) % 12;
      line += "w" + Repeat(wordLength - 1, static_cast<char>('a' + (seed >> 8) % 26));
      line += (seed & 1) ? " " : "-'\t";
    }
    line.resize(length);
    text += line + "\n";
  }
  EXPECT_EQ(ScanAll(text), ReferenceWords(text));
  // The same with CR LF line breaks and full-width words, which span two
  // bytes per character.
  const std::string wide = Sjis("ｗｉｄｅ－ｗｏｒｄ ");
  std::string mixed;
  Words expected;
  for (int i = 0; i < 3000; ++i) {
    mixed += wide + "plain" + ((i % 7 == 0) ? "\r\n" : " ");
    expected.push_back("wide-word");
    expected.push_back("plain");
  }
  EXPECT_EQ(ScanAll(mixed), expected);
}

TEST(ScannerTest, AgreesWithAPlainSplitterOnRandomTexts) {
  // Pieces that meet at block and window edges in every combination.
  const std::string pieces[] = {
      "a", "Zq", "word", std::string(70, 'x'), std::string(67, ' '), "0123456789", "7", "'", "-", "_", " ", "\t", "\r\n", "\n",
      ",", ".", std::string(1, '\0'), "\x82", "\x81", Sjis("Ａ"), Sjis("ｚ"), Sjis("’"),
      Sjis("－"), "\x81\x5D", Sjis("３"), Sjis("あ"), Sjis("漢"), "\xB1", "\x80", "\xFF",
      "\x82\x20", "\x82\n", "\x82\0"};
  unsigned seed = 1;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 16;
  };
  for (int round = 0; round < 200; ++round) {
    std::string text;
    const size_t size = next() % 9000;
    const bool withZeros = round % 4 == 0;
    while (text.size() < size) {
      const std::string& piece = pieces[next() % std::size(pieces)];
      if (!withZeros && piece.find('\0') != std::string::npos) continue;
      text += piece;
      if (next() % 40 == 0) text += '\n';
    }
    const Words expected = ReferenceWords(text);
    Words words;
    try {
      TByteStream stream(text);
      TParserDB scanner(stream);
      while (scanner.HasWord()) {
        words.push_back(scanner.WordText());
        scanner.ScanWord();
      }
      EXPECT_EQ(words, expected) << "round " << round;
    } catch (const EParserError&) {
      // A line too long for the window: the words up to it are the same.
      ASSERT_LE(words.size(), expected.size());
      EXPECT_EQ(words, Words(expected.begin(), expected.begin() + static_cast<long>(words.size())));
    }
  }
}

TEST(ByteClassesTest, EveryByteIsClassifiedAsTheWordRulesSay) {
  for (int b = 0; b < 256; ++b) {
    char block[kClassifiedBytes];
    for (int i = 0; i < kClassifiedBytes; ++i) block[i] = static_cast<char>(i % 3 == 0 ? b : 'a');
    const ByteClasses fast = ClassifyBytes(block);
    const ByteClasses plain = ClassifyBytesPortable(block);
    EXPECT_EQ(fast.word, plain.word) << b;
    EXPECT_EQ(fast.letter, plain.letter) << b;
    EXPECT_EQ(fast.special, plain.special) << b;
    const bool letter = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
    EXPECT_EQ(fast.word & 1, WordCharSet[static_cast<size_t>(b)] ? 1u : 0u) << b;
    EXPECT_EQ(fast.letter & 1, letter ? 1u : 0u) << b;
    EXPECT_EQ(fast.special & 1, (b == 0 || b == '\n' || b >= 0x80) ? 1u : 0u) << b;
    // The other positions hold 'a': word and letter, not special.
    EXPECT_EQ(fast.special >> 1 & 1, 0u);
    EXPECT_EQ(fast.letter >> 1 & 1, 1u);
  }
}

TEST(ScannerTest, ReadsTheSourceWindowByWindow) {
  // A zero byte also triggers a refill before it ends the text.
  std::string text = Repeat(100, 'a') + std::string(1, '\0') + Repeat(9899, 'b');
  for (size_t i = 49; i < text.size(); i += 50) text[i] = '\n';
  TByteStream stream(text);
  TParserDB scanner(stream);
  EXPECT_EQ(stream.Position(), 4096);
  while (scanner.HasWord()) scanner.ScanWord();
  EXPECT_EQ(stream.Position(), 4096 + 100);
}

}  // namespace
}  // namespace lexiscoop
