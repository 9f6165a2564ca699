#pragma once

#include <cstdint>
#include <string_view>

namespace lexiscoop {

// FNV-1a, the checksum of the program's own files (the intent record, the
// user's word lists, the tagger model). Each file format fixes its width for
// good: files already written carry the value.
constexpr uint32_t kFnv1a32Basis = 2166136261u;

// The 32-bit hash of `bytes`, continuing from `hash`.
inline uint32_t Fnv1a32(std::string_view bytes, uint32_t hash = kFnv1a32Basis) {
  for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return hash;
}

inline uint64_t Fnv1a64(std::string_view bytes) {
  uint64_t hash = 1469598103934665603ull;
  for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return hash;
}

}  // namespace lexiscoop
