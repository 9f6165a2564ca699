#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace lexiscoop {

// The n bytes at p (n <= 8) as one little-endian number, upper bytes zero.
// Reads only p[0..n-1], with at most three loads and no branch on each byte.
inline uint64_t LoadUpTo8(const char* p, size_t n) {
  if (n >= 4) {
    uint32_t lo, hi;
    std::memcpy(&lo, p, 4);
    std::memcpy(&hi, p + n - 4, 4);
    return static_cast<uint64_t>(lo) | (static_cast<uint64_t>(hi) << (8 * (n - 4)));
  }
  if (n == 0) return 0;
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  return static_cast<uint64_t>(u[0]) | (static_cast<uint64_t>(u[n / 2]) << (8 * (n / 2))) |
         (static_cast<uint64_t>(u[n - 1]) << (8 * (n - 1)));
}

constexpr uint64_t kHighBitOfEachByte = 0x8080808080808080ull;

// Folds the ASCII capitals of eight bytes that are all below 0x80.
inline uint64_t FoldAscii8(uint64_t x) {
  const uint64_t atLeastA = x + 0x3F3F3F3F3F3F3F3Full;  // high bit: byte >= 'A'
  const uint64_t aboveZ = x + 0x2525252525252525ull;    // high bit: byte > 'Z'
  return x | ((atLeastA & ~aboveZ & kHighBitOfEachByte) >> 2);
}

// True when one of the eight bytes of x is `byte`.
inline bool HasByte8(uint64_t x, unsigned char byte) {
  const uint64_t y = x ^ (0x0101010101010101ull * byte);
  return ((y - 0x0101010101010101ull) & ~y & kHighBitOfEachByte) != 0;
}

}  // namespace lexiscoop
