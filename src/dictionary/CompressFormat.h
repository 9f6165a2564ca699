#pragma once

#include <cstddef>
#include <cstdint>

// Layout of the compressed list file, shared by TDeltaCode's writer and
// reader. All integers are little-endian; offsets count from the file start.
//
//   0  "BDC"                magic
//   3  '1'                  version
//   4  int32                size of the whole file
//   8  int32                size of the decoded text (S)
//  12  4 bytes              reserved, written as zero
//  16  uint16               highest rank M (distinct byte values - 1)
//  18  uint8                prefix width P (class-number bits, always 2)
//  19  uint8 x 4            index widths W0..W3 of the four code classes
//  23  9 bytes              reserved, written as zero
//  32  M + 1 bytes          symbol table: the byte value of rank 0..M
//  33+M  n x uint16         code words, bit 15 of a word first
namespace lexiscoop::compress_format {

inline constexpr char kMagic[3] = {'B', 'D', 'C'};
inline constexpr char kVersion = '1';

inline constexpr size_t kFileSizeOffset = 4;
inline constexpr size_t kTextSizeOffset = 8;
inline constexpr size_t kHighestRankOffset = 16;
inline constexpr size_t kPrefixWidthOffset = 18;
inline constexpr size_t kClassWidthOffset = 19;  // W0, W1, W2, W3 follow
inline constexpr size_t kSymbolTableOffset = 32;
inline constexpr size_t kHeaderSize = 32;

inline constexpr int kClassCount = 4;
inline constexpr int kPrefixWidth = 2;
// Index widths the writer uses for classes 0-2: ranks 0-1, 2-9 and 10-41.
inline constexpr int kWriterWidths[3] = {1, 3, 5};
// Class 3 width when no rank falls into class 3.
inline constexpr int kDefaultHighWidth = 6;
// Highest rank of class 2 with the writer's widths; class 3 starts after it.
inline constexpr int kWriterLimit2 = 41;

// The widest class index the reader accepts. The writer never uses more than
// 8 bits; wider classes could not be held by the reader's bit accumulator.
inline constexpr int kMaxClassWidth = 16;
// The shortest code the writer produces (class 0: 2 + 1 bits). A file whose
// text size needs shorter codes than this cannot have been written here.
inline constexpr int kMinCodeBits = 3;

// Size of a file image holding `highestRank` + 1 symbols and `words` words.
constexpr size_t ImageSize(int highestRank, size_t words) {
  return kSymbolTableOffset + static_cast<size_t>(highestRank) + 1 + 2 * words;
}

}  // namespace lexiscoop::compress_format
