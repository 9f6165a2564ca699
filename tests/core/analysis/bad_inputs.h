#pragma once

// Texts that a user may hand the program by mistake or by accident, with what
// each must give: the word table (every distinct word in order of first
// appearance, TAB, its count, LF: the CLI's `table` output). Shared by the
// text holder's tests and the CLI's.

#include <random>
#include <string>
#include <vector>

namespace lexiscoop::testing {

struct BadInput {
  std::string name;
  std::string bytes;
  std::string table;  // expected word table
};

// `length` bytes of "ab ab ab ...", and how many words "ab" they hold.
inline std::string AbLine(size_t length) {
  std::string line;
  while (line.size() < length) line += "ab ";
  line.resize(length);
  return line;
}
inline size_t AbCount(size_t length) { return length / 3 + (length % 3 == 2 ? 1 : 0); }

inline std::string Utf16(const std::string& ascii, bool bigEndian, bool mark) {
  std::string out;
  if (mark) out += bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char c : ascii) {
    if (bigEndian) out += '\0';
    out += c;
    if (!bigEndian) out += '\0';
  }
  return out;
}

// Random bytes 0x01-0xFF, so no zero byte ends the text early; the line feeds
// among them keep every line short.
inline std::string RandomBinary(size_t length, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(length, '\0');
  for (char& c : bytes) c = static_cast<char>(1 + random() % 255);
  return bytes;
}

inline std::vector<BadInput> BadInputs() {
  std::string thirtyNine;
  for (int i = 1; i < 40; ++i) thirtyNine += "line " + std::to_string(i) + "\n";
  auto ab = [](size_t length) { return "ab\t" + std::to_string(AbCount(length)) + "\n"; };
  std::string crOnlyLong;
  while (crOnlyLong.size() < 6000) crOnlyLong += "word \r";  // 1,000 words
  // A paragraph of 30,000 bytes on one line, Japanese around English words.
  std::string paragraph;
  while (paragraph.size() < 30000) paragraph += "\x82\xB1\x82\xEA\x82\xCD pen\x82\xC5\x82\xB7\x81\x42";

  return {
      {"empty file", "", ""},
      {"zero byte mid-text", std::string("one two\0three four\n", 19), "one\t1\ntwo\t1\n"},
      {"zero byte after a lead byte", std::string("one \x82\0two\n", 10), "one\t1\ntwo\t1\n"},
      {"lone lead byte at the end", "alpha beta\x82", "alpha\t1\nbeta\t1\n"},
      {"UTF-16LE with mark", Utf16("Hello world\n", false, true), "Hello\t1\nworld\t1\n"},
      {"UTF-16BE with mark", Utf16("Hi there", true, true), "Hi\t1\nthere\t1\n"},
      // Without a mark, told by every other byte being zero.
      {"UTF-16LE without mark", Utf16("Hello world\n", false, false), "Hello\t1\nworld\t1\n"},
      {"UTF-16BE without mark", Utf16("Hi there", true, false), "Hi\t1\nthere\t1\n"},
      {"line of 4094 bytes first", AbLine(4094) + "\nend\n", ab(4094) + "end\t1\n"},
      {"line of 4095 bytes first", AbLine(4095) + "\nend\n", ab(4095) + "end\t1\n"},
      {"line of 5000 bytes first", AbLine(5000) + "\nend\n", ab(5000) + "end\t1\n"},
      {"line of 4094 bytes as line 40", thirtyNine + AbLine(4094) + "\nend\n", "line\t39\n" + ab(4094) + "end\t1\n"},
      {"line of 4095 bytes as line 40", thirtyNine + AbLine(4095) + "\nend\n", "line\t39\n" + ab(4095) + "end\t1\n"},
      {"line of 5000 bytes as line 40", thirtyNine + AbLine(5000) + "\nend\n", "line\t39\n" + ab(5000) + "end\t1\n"},
      {"text of one 4095-byte line", AbLine(4095), ab(4095)},
      {"text of one 99,999-byte line", AbLine(99999), ab(99999)},
      {"one word of 10,000 letters", std::string(10000, 'q') + " end", std::string(10000, 'q') + "\t1\nend\t1\n"},
      {"paragraph of 30,000 bytes in Japanese and English", paragraph + "\r\nlast", "pen\t1875\nlast\t1\n"},
      {"only CR line breaks", "one\rtwo three\rfour\r", "one\t1\ntwo\t1\nthree\t1\nfour\t1\n"},
      {"only CR line breaks, 6000 bytes", crOnlyLong, "word\t1000\n"},
      {"ELF header", std::string("\x7F" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0", 20), "ELF\t1\n"},
  };
}

}  // namespace lexiscoop::testing
