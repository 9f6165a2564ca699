#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lexiscoop {

// The word order of every sorted list and look-up.
//  1. Compare with hyphen (0x2D) and apostrophe (0x27) left out and ASCII
//     letters folded to lower case, byte values otherwise (unsigned).
//  2. If equal, compare the whole strings with ASCII letters folded.
//  3. CompareStr only: if still equal, lower case sorts before upper case at
//     the first letter that differs in case.
// A double-byte character (lead byte and its trail byte) is one unit, compared
// by value and never folded. Both return <0, 0 or >0 and never allocate.
// CompareText(a, b) == 0 exactly when a and b are equal after ASCII case folding.
int CompareText(std::string_view a, std::string_view b);
int CompareStr(std::string_view a, std::string_view b);

// Equality after ASCII case folding (trail bytes of double-byte characters
// are never folded); the same as CompareText == 0, but cheaper.
bool SameText(std::string_view a, std::string_view b);

// A hash that agrees with SameText: strings that are SameText hash alike.
uint64_t FoldedHash(std::string_view s);

// FoldedHash of a plain-ASCII string of n <= 8 bytes, given its bytes folded
// to lower case as one little-endian number (LoadUpTo8, then FoldAscii8).
inline uint64_t FoldedHashOfShortAscii(uint64_t folded, size_t n) {
  const uint64_t h = (folded ^ (n * 0x9E3779B97F4A7C15ull)) * 0xFF51AFD7ED558CCDull;
  return h ^ (h >> 32);
}

// ASCII lower case of one byte.
constexpr unsigned char FoldAscii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

}  // namespace lexiscoop
