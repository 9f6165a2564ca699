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

TEST(ScannerTest, ScansLinesLongerThanTheWindow) {
  std::string shortLines;
  for (int i = 1; i < 40; ++i) shortLines += "w\n";
  const std::string abc = [] {
    std::string line;
    for (int i = 0; i < 3000; ++i) line += "abc ";
    return line;
  }();
  const struct {
    std::string name;
    std::string text;
    Words ends;  // the first and the last word
    size_t count;
  } rows[] = {
      {"one word of 4095 letters, then a line", Repeat(4095, 'x') + "\nend", {Repeat(4095, 'x'), "end"}, 2},
      {"one word of 4096 letters", Repeat(4096, 'x'), {Repeat(4096, 'x'), Repeat(4096, 'x')}, 1},
      {"one word of 50000 letters", Repeat(50000, 'x'), {Repeat(50000, 'x'), Repeat(50000, 'x')}, 1},
      {"a long word as line 3", "a\nb\n" + Repeat(4096, 'x'), {"a", Repeat(4096, 'x')}, 3},
      {"a long line of words as line 40", shortLines + abc + "\nmore", {"w", "more"}, 39 + 3000 + 1},
      {"an empty line before a long one", Repeat(4094, 'a') + "\n\n" + Repeat(5000, 'b'),
       {Repeat(4094, 'a'), Repeat(5000, 'b')}, 2},
      // A word of single- and double-byte characters across several windows.
      {"a long word with full-width letters",
       Repeat(3000, ' ') + Repeat(2000, 'z') + Sjis("ＡＢ－ｃｄ") + Repeat(3000, 'q'),
       {Repeat(2000, 'z') + "AB-cd" + Repeat(3000, 'q'), Repeat(2000, 'z') + "AB-cd" + Repeat(3000, 'q')}, 1},
      {"blanks only after a long word", Repeat(6000, 'k') + Repeat(6000, ' ') + "x", {Repeat(6000, 'k'), "x"}, 2},
      // Every byte in the lead-byte ranges (亜 is 88 9F): no blank to go by.
      {"kanji with lead-range trail bytes around words", [] {
         std::string t;
         for (int i = 0; i < 3000; ++i) t += Sjis(i % 100 == 0 ? "亜dog亜" : "亜");
         return t;
       }(), {"dog", "dog"}, 30},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Words words = ScanAll(row.text);
    ASSERT_EQ(words.size(), row.count);
    EXPECT_EQ(words.front(), row.ends.front());
    EXPECT_EQ(words.back(), row.ends.back());
    EXPECT_EQ(words, ReferenceWords(row.text));
  }
}

TEST(ScannerTest, CountsLinesAndPlacesWordsAcrossLongLines) {
  // Word offsets and line numbers after lines of 5,000 and 20,000 bytes.
  std::string text = "first\n";
  for (int i = 0; i < 1250; ++i) text += "abc ";
  text += "\n";
  text += Repeat(20000, 'L');
  text += "\r\n\r\nafter";
  TByteStream stream(text);
  TParserDB scanner(stream);
  std::vector<std::pair<std::string, int64_t>> seen;
  while (scanner.HasWord()) {
    seen.emplace_back(scanner.WordText(), scanner.WordOffset());
    EXPECT_EQ(text.substr(static_cast<size_t>(scanner.WordOffset()), static_cast<size_t>(scanner.WordSourceLength())),
              seen.back().first);
    scanner.ScanWord();
  }
  ASSERT_EQ(seen.size(), 1u + 1250u + 2u);
  EXPECT_EQ(seen[1].second, 6);
  EXPECT_EQ(seen[1250].second, 6 + 1249 * 4);
  EXPECT_EQ(seen[1251].second, 6 + 5001);
  EXPECT_EQ(seen.back(), (std::pair<std::string, int64_t>{"after", static_cast<int64_t>(text.size()) - 5}));
  EXPECT_EQ(scanner.Line(), 5);
}

TEST(ScannerTest, WindowGrowsForALongWordAndShrinksOnReset) {
  std::string text = Repeat(10000, 'g') + " next";
  TByteStream stream(text);
  TParserDB scanner(stream);
  EXPECT_EQ(scanner.WordText(), Repeat(10000, 'g'));
  EXPECT_GE(scanner.WindowSize(), 10000u);
  scanner.ScanWord();
  EXPECT_EQ(scanner.WordText(), "next");
  scanner.Reset();
  EXPECT_EQ(scanner.WindowSize(), TParserDB::kBufferSize);
  stream.SetPosition(0);
  scanner.ScanWord();
  EXPECT_EQ(scanner.WordText(), Repeat(10000, 'g'));

  // A long line of short words never grows the window.
  std::string words;
  for (int i = 0; i < 10000; ++i) words += "ab ";
  TByteStream second(words);
  TParserDB wordScanner(second);
  size_t count = 0;
  for (; wordScanner.HasWord(); wordScanner.ScanWord()) {
    ++count;
    EXPECT_EQ(wordScanner.WindowSize(), TParserDB::kBufferSize);
  }
  EXPECT_EQ(count, 10000u);
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
      line += 'w';
      line += Repeat(wordLength - 1, static_cast<char>('a' + (seed >> 8) % 26));
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
  for (int round = 0; round < 300; ++round) {
    std::string text;
    // Every third round has long lines: line feeds are rare.
    const bool longLines = round % 3 == 1;
    const size_t size = next() % (longLines ? 30000 : 9000);
    const bool withZeros = round % 4 == 0;
    while (text.size() < size) {
      const std::string& piece = pieces[next() % std::size(pieces)];
      if (!withZeros && piece.find('\0') != std::string::npos) continue;
      if (longLines && piece.find('\n') != std::string::npos && next() % 50 != 0) continue;
      text += piece;
      if (!longLines && next() % 40 == 0) text += '\n';
    }
    EXPECT_EQ(ScanAll(text), ReferenceWords(text)) << "round " << round;
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
