#pragma once

// The scanner's view of 64 bytes of text at once, as bit masks (bit i for
// byte i): what a word may hold, what may start one, and what needs a closer
// look than a step over it.

#include <array>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lexiscoop {

struct ByteClasses {
  uint64_t word;     // in WordCharSet: ' - 0-9 A-Z _ a-z
  uint64_t letter;   // A-Z a-z
  uint64_t special;  // zero, line feed, or 0x80 and above
};

constexpr int kClassifiedBytes = 64;

namespace byte_classes_detail {

// Bit 0: word, bit 1: letter, bit 2: special.
inline constexpr std::array<unsigned char, 256> kClassOf = [] {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    const bool word = letter || (c >= '0' && c <= '9') || c == '\'' || c == '-' || c == '_';
    const bool special = c == 0 || c == '\n' || c >= 0x80;
    table[c] = static_cast<unsigned char>(word | letter << 1 | special << 2);
  }
  return table;
}();

}  // namespace byte_classes_detail

// Classifies the 64 bytes at `p` one by one; all of them must be readable.
inline ByteClasses ClassifyBytesPortable(const char* p) {
  ByteClasses classes{0, 0, 0};
  for (int i = 0; i < kClassifiedBytes; ++i) {
    const unsigned c = byte_classes_detail::kClassOf[static_cast<unsigned char>(p[i])];
    classes.word |= static_cast<uint64_t>(c & 1) << i;
    classes.letter |= static_cast<uint64_t>((c >> 1) & 1) << i;
    classes.special |= static_cast<uint64_t>((c >> 2) & 1) << i;
  }
  return classes;
}

#if defined(__SSE2__)

namespace byte_classes_detail {

// 0xFF in each byte of `v` that lies in lo..lo+span (unsigned).
inline __m128i InRange(__m128i v, char lo, char span) {
  const __m128i offset = _mm_sub_epi8(v, _mm_set1_epi8(lo));
  return _mm_cmpeq_epi8(_mm_min_epu8(offset, _mm_set1_epi8(span)), offset);
}

}  // namespace byte_classes_detail

// Classifies the 64 bytes at `p`, sixteen at a time; all of them must be
// readable.
inline ByteClasses ClassifyBytes(const char* p) {
  using byte_classes_detail::InRange;
  ByteClasses classes{0, 0, 0};
  for (int i = 0; i < kClassifiedBytes / 16; ++i) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
    // Setting bit 5 maps A-Z onto a-z and nothing else onto a-z.
    const __m128i letter = InRange(_mm_or_si128(v, _mm_set1_epi8(0x20)), 'a', 25);
    const __m128i mark = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\'')), _mm_cmpeq_epi8(v, _mm_set1_epi8('-'))),
        _mm_cmpeq_epi8(v, _mm_set1_epi8('_')));
    const __m128i word = _mm_or_si128(_mm_or_si128(letter, InRange(v, '0', 9)), mark);
    const __m128i zeroOrLineFeed = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_setzero_si128()),
                                                _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')));
    const int shift = 16 * i;
    classes.word |= static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(word))) << shift;
    classes.letter |= static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(letter)))
                      << shift;
    // The sign bit of each byte marks 0x80 and above.
    classes.special |= static_cast<uint64_t>(static_cast<unsigned>(
                           _mm_movemask_epi8(zeroOrLineFeed) | _mm_movemask_epi8(v)))
                       << shift;
  }
  return classes;
}

#else

inline ByteClasses ClassifyBytes(const char* p) { return ClassifyBytesPortable(p); }

#endif

}  // namespace lexiscoop
