#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "dictionary/CompressFormat.h"
#include "dictionary/DeltaCode.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

std::string EncodeText(const std::string& text) {
  TDeltaCode coder;
  coder.SetPlainData(text);
  EXPECT_TRUE(coder.Encode());
  return coder.TakeCodedData();
}

void PutI32(std::string& image, size_t offset, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) image[offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// The single line «abc»: five bytes of equal count.
const std::string kAbcImage =
    Bytes({0x42, 0x44, 0x43, 0x31, 0x29, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00,
           0x00, 0x00, 0x04, 0x00, 0x02, 0x01, 0x03, 0x05, 0x06, 0x00, 0x00, 0x00, 0x00, 0x00,
           0x00, 0x00, 0x00, 0x00, 0x0D, 0x0A, 0x63, 0x61, 0x62, 0x90, 0x4A, 0x00, 0x08});

TEST(DeltaCodeTest, EncodesTheAbcLineByteForByte) {
  EXPECT_EQ(EncodeText("abc\r\n"), kAbcImage);
  TDeltaCode coder;
  ASSERT_TRUE(coder.Decode(kAbcImage));
  EXPECT_EQ(coder.PlainData(), "abc\r\n");
}

TEST(DeltaCodeTest, EncodesTheEmptyTextAs33Bytes) {
  const std::string image = EncodeText("");
  std::string expected = Bytes({0x42, 0x44, 0x43, 0x31, 33, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                0, 0, 2, 1, 3, 5, 6});
  expected.resize(32, '\0');
  expected.push_back(static_cast<char>(0xAA));  // rank 0 after sorting 256 zero counts
  EXPECT_EQ(image, expected);
  TDeltaCode coder;
  ASSERT_TRUE(coder.Decode(image));
  EXPECT_EQ(coder.PlainData(), "");
}

TEST(DeltaCodeTest, EqualCountsKeepTheQuicksortOrder) {
  TDeltaCode coder;
  coder.SetPlainData("abc\r\n");
  coder.CountAndRank();
  const std::string ranked = {'\r', '\n', 'c', 'a', 'b'};
  for (int r = 0; r < 5; ++r) {
    EXPECT_EQ(coder.TableEntry(r).symbol, static_cast<uint8_t>(ranked[r])) << r;
    EXPECT_EQ(coder.TableEntry(r).count, 1);
    EXPECT_EQ(coder.TableEntry(static_cast<uint8_t>(ranked[r])).rank, r);
  }
  EXPECT_EQ(coder.TableEntry(5).count, 0);
  EXPECT_EQ(coder.HighestRank(), 4);
}

// A text holding `distinct` byte values, value v occurring distinct - v times,
// so that every value has a rank of its own: rank r is byte r.
std::string GradedText(int distinct) {
  std::string text;
  for (int v = 0; v < distinct; ++v) text.append(static_cast<size_t>(distinct - v), static_cast<char>(v));
  return text;
}

TEST(DeltaCodeTest, HighClassWidthFollowsTheHighestRank) {
  struct Row {
    int distinct, highestRank, w3;
  };
  const Row rows[] = {{1, 0, 6}, {2, 1, 6}, {10, 9, 6}, {42, 41, 6}, {43, 42, 1},
                      {44, 43, 2}, {74, 73, 6}, {106, 105, 7}, {256, 255, 8}};
  for (const Row& row : rows) {
    TDeltaCode coder;
    coder.SetPlainData(GradedText(row.distinct));
    coder.CountAndRank();
    EXPECT_EQ(coder.HighestRank(), row.highestRank) << row.distinct;
    EXPECT_EQ(coder.ClassWidth(3), row.w3) << row.distinct;
    EXPECT_EQ(coder.ClassWidth(0), 1);
    EXPECT_EQ(coder.ClassWidth(1), 3);
    EXPECT_EQ(coder.ClassWidth(2), 5);
  }
}

TEST(DeltaCodeTest, CodesOfEachClass) {
  // Rank r is byte r; the text starts with the byte under test, so its code
  // opens the first code word.
  struct Row {
    int byte;
    uint32_t code;
    int length;
  };
  const Row rows[] = {
      {0, 0b000, 3},       {1, 0b001, 3},          {2, 0b01000, 5},      {9, 0b01111, 5},
      {10, 0b1000000, 7},  {41, 0b1011111, 7},     {42, 0b1100000000, 10},
      {255, 0b1111010101, 10},  // the rarest of 256: class 3, index 213 in 8 bits
  };
  const std::string graded = GradedText(256);
  for (const Row& row : rows) {
    std::string text = graded;
    text.erase(text.find(static_cast<char>(row.byte)), 1);
    text.insert(text.begin(), static_cast<char>(row.byte));
    const std::string image = EncodeText(text);
    ASSERT_EQ(static_cast<unsigned char>(image[16]), 255);
    ASSERT_EQ(image[22], 8);
    const size_t words = compress_format::ImageSize(255, 0);
    const uint32_t first = static_cast<unsigned char>(image[words]) |
                           (static_cast<uint32_t>(static_cast<unsigned char>(image[words + 1])) << 8);
    EXPECT_EQ(first >> (16 - row.length), row.code) << row.byte;
  }
}

TEST(DeltaCodeTest, RoundTripsRandomTextsOfEveryAlphabetSize) {
  std::mt19937 rng(20240611);
  for (int distinct : {1, 2, 3, 9, 10, 11, 41, 42, 43, 44, 100, 200, 255, 256}) {
    for (size_t length : {size_t{0}, size_t{1}, size_t{7}, size_t{100}, size_t{5000}}) {
      // Skewed frequencies, so that all classes occur.
      std::geometric_distribution<int> pick(std::min(0.5, 5.0 / distinct));
      std::vector<int> alphabet(256);
      for (int i = 0; i < 256; ++i) alphabet[i] = i;
      std::shuffle(alphabet.begin(), alphabet.end(), rng);
      std::string text;
      for (size_t i = 0; i < length; ++i) text.push_back(static_cast<char>(alphabet[pick(rng) % distinct]));
      const std::string image = EncodeText(text);
      EXPECT_EQ(image.size(), static_cast<size_t>(static_cast<unsigned char>(image[4]) |
                                                  static_cast<unsigned char>(image[5]) << 8 |
                                                  static_cast<unsigned char>(image[6]) << 16));
      TDeltaCode coder;
      ASSERT_TRUE(coder.Decode(image)) << distinct << "/" << length << ": " << Utf8FromCp932(coder.FailureText());
      EXPECT_EQ(coder.PlainData(), text) << distinct << "/" << length;
    }
  }
}

struct BadImage {
  const char* name;
  std::string image;
  DecodeFailure failure;
};

std::string WithByte(std::string image, size_t offset, int value) {
  image[offset] = static_cast<char>(value);
  return image;
}

std::string WithI32(std::string image, size_t offset, int32_t value) {
  PutI32(image, offset, value);
  return image;
}

TEST(DeltaCodeTest, RefusesEveryMalformedImageWithItsFailureText) {
  namespace cf = compress_format;
  const std::string text = "studied\r\nstudies\r\nstudying\r\n";
  const std::string good = EncodeText(text);
  std::string extended = good + "x";
  PutI32(extended, 4, static_cast<int32_t>(extended.size()));
  // M = 256: the symbol table would run past its 256 rows.
  std::string rank256 = WithByte(good, 16, 0);
  rank256[17] = 1;
  std::string wordsShort = good;  // recorded text size one larger than coded
  PutI32(wordsShort, 8, static_cast<int32_t>(text.size() + 1));
  std::string noRoomForTable = good.substr(0, 40);
  PutI32(noRoomForTable, 4, 40);
  rank256 = WithI32(rank256, 4, static_cast<int32_t>(rank256.size()));

  const std::vector<BadImage> rows = {
      {"empty", "", DecodeFailure::Format},
      {"wrong magic", WithByte(good, 1, 'X'), DecodeFailure::Format},
      {"wrong version byte", WithByte(good, 3, '2'), DecodeFailure::Format},
      {"one byte cut off", good.substr(0, good.size() - 1), DecodeFailure::RecordedSize},
      {"one byte added", good + "x", DecodeFailure::RecordedSize},
      {"negative file size", WithI32(good, 4, -1), DecodeFailure::RecordedSize},
      {"M above 255", rank256, DecodeFailure::RecordedSize},
      {"P other than 2", WithByte(good, 18, 3), DecodeFailure::RecordedSize},
      {"P zero", WithByte(good, 18, 0), DecodeFailure::RecordedSize},
      {"negative text size", WithI32(good, 8, -5), DecodeFailure::RecordedSize},
      {"class width too wide", WithByte(good, 22, cf::kMaxClassWidth + 1), DecodeFailure::RecordedSize},
      {"symbol table cut off", noRoomForTable, DecodeFailure::RecordedSize},
      {"words run out", wordsShort, DecodeFailure::ReadSize},
      {"text size beyond the words", WithI32(good, 8, INT32_MAX), DecodeFailure::ReadSize},
      {"extended with its size", extended, DecodeFailure::None},
  };
  for (const BadImage& row : rows) {
    TDeltaCode coder;
    EXPECT_EQ(coder.Decode(row.image), row.failure == DecodeFailure::None) << row.name;
    EXPECT_EQ(coder.Failure(), row.failure) << row.name;
    EXPECT_EQ(coder.FailureText(), DecodeFailureText(row.failure)) << row.name;
  }
  EXPECT_EQ(Utf8FromCp932(DecodeFailureText(DecodeFailure::Format)), "データの形式が違います");
  EXPECT_EQ(Utf8FromCp932(DecodeFailureText(DecodeFailure::RecordedSize)), "記録データのサイズが違います");
  EXPECT_EQ(Utf8FromCp932(DecodeFailureText(DecodeFailure::ReadSize)), "読み出しデータのサイズが違います");
}

TEST(DeltaCodeTest, EveryTruncationIsRefused) {
  const std::string good = EncodeText("the\r\nquick\r\nbrown\r\nfox\r\n");
  for (size_t cut = 0; cut < good.size(); ++cut) {
    TDeltaCode coder;
    EXPECT_FALSE(coder.Decode(good.substr(0, cut))) << cut;
    EXPECT_EQ(coder.Failure(), cut < 4 ? DecodeFailure::Format : DecodeFailure::RecordedSize) << cut;
  }
}

TEST(DeltaCodeTest, ZeroTextSizeWithCodeWordsReadsTheFirstWordAndFails) {
  std::string image = EncodeText("abc\r\n");
  PutI32(image, 8, 0);
  TDeltaCode coder;
  EXPECT_FALSE(coder.Decode(image));
  EXPECT_EQ(coder.Failure(), DecodeFailure::ReadSize);
}

TEST(DeltaCodeTest, IgnoresFillBitsAndSurplusWords) {
  std::string image = kAbcImage + Bytes({0xFF, 0xFF});
  PutI32(image, 4, static_cast<int32_t>(image.size()));
  image[kAbcImage.size() - 1] |= 0x07;  // fill bits of the last word
  TDeltaCode coder;
  ASSERT_TRUE(coder.Decode(image));
  EXPECT_EQ(coder.PlainData(), "abc\r\n");
}

TEST(DeltaCodeTest, DamagedBytesNeverBreakTheDecoder) {
  // Every byte of a file set to a few values: the decoder either refuses it
  // or yields exactly the recorded number of bytes.
  const std::string good = EncodeText(GradedText(60) + "\r\n");
  for (size_t i = 0; i < good.size(); i += (i < 100 ? 1 : 17)) {
    for (int value : {0x00, 0x01, 0x29, 0x7F, 0x80, 0xFF}) {
      const std::string damaged = WithByte(good, i, value);
      TDeltaCode coder;
      if (coder.Decode(damaged)) {
        const auto s = static_cast<size_t>(static_cast<unsigned char>(damaged[8]) |
                                           static_cast<unsigned char>(damaged[9]) << 8);
        EXPECT_EQ(coder.PlainData().size(), s) << i;
      }
    }
  }
}

}  // namespace
}  // namespace lexiscoop
