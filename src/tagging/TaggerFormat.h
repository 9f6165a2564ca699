#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/Fnv1a.h"

// Layout of the tagger's model file (LxTagger.dat), shared by the writer in
// tools/mkdict and the reader. All integers are little-endian; offsets count
// from the file start.
//
//   0  "LXTG"           magic
//   4  uint8            version
//   5  uint8            tag count T (the program's kTagCount)
//   6  uint16           weight scale: a stored weight is the weight x scale
//   8  uint32           size of the whole file
//  12  uint32           feature count F
//  16  uint32           weight count W
//  20  uint32           dictionary size in bytes D
//  24  uint32           checksum: FNV-1a (32 bits) of every byte from 32 on
//  28  4 bytes          reserved, written as zero
//  32  F x uint32       feature hashes, strictly increasing
//      F x uint8        weights per feature, 1 .. T
//      W x uint8        tag of each weight, below T, increasing within a feature
//      W x int16        the weights, in the same order
//      D bytes          the tag dictionary: entries of uint8 length L (1 .. 64),
//                       L bytes of a normalised word, uint8 tag below T;
//                       words strictly increasing by byte value
namespace lexiscoop::tagging::model_format {

inline constexpr char kMagic[4] = {'L', 'X', 'T', 'G'};
inline constexpr uint8_t kVersion = 1;

inline constexpr size_t kTagCountOffset = 5;
inline constexpr size_t kScaleOffset = 6;
inline constexpr size_t kFileSizeOffset = 8;
inline constexpr size_t kFeatureCountOffset = 12;
inline constexpr size_t kWeightCountOffset = 16;
inline constexpr size_t kDictionarySizeOffset = 20;
inline constexpr size_t kChecksumOffset = 24;
inline constexpr size_t kHeaderSize = 32;

// The longest word the tag dictionary holds.
inline constexpr size_t kMaxDictionaryWord = 64;
// The largest model the reader accepts; the shipped one is far smaller.
inline constexpr size_t kMaxFileSize = 64u << 20;

// Size of a model holding F features, W weights and D dictionary bytes.
constexpr size_t ImageSize(size_t features, size_t weights, size_t dictionaryBytes) {
  return kHeaderSize + features * 5 + weights * 3 + dictionaryBytes;
}

// FNV-1a over `size` bytes, continuing from `hash`.
inline uint32_t Fnv1a(const unsigned char* bytes, size_t size, uint32_t hash = kFnv1a32Basis) {
  return Fnv1a32(std::string_view(reinterpret_cast<const char*>(bytes), size), hash);
}

}  // namespace lexiscoop::tagging::model_format
