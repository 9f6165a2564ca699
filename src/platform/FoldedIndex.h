#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Compare.h"

namespace lexiscoop {

// A hash index from strings, ASCII letter case ignored (equality as
// SameText), to positions 0..2^31-1 of a table the caller keeps. The index
// stores positions only; the caller's `keyOf(position)` gives the string of
// a position. Open addressing with linear probing and a byte of each key's
// hash beside its slot, so that most probes compare no string.
// Reading (Find) never changes the index.
class FoldedIndex {
 public:
  // Empties the index and sizes it for `expected` keys, which it then holds
  // at a load of at most one half; more keys make it grow.
  void Reset(size_t expected) {
    size_t size = 16;
    while (size < expected * 2) size *= 2;
    slots_.assign(size, kFree);
    tags_.assign(size, 0);
    used_ = 0;
  }

  size_t Size() const { return used_; }

  // The position whose key equals `s`, or -1.
  template <typename KeyOf>
  int32_t Find(std::string_view s, uint64_t hash, KeyOf keyOf) const {
    if (slots_.empty()) return -1;
    const uint32_t found = slots_[SlotOf(s, hash, keyOf)];
    return static_cast<int32_t>(found) - 1;
  }
  template <typename KeyOf>
  int32_t Find(std::string_view s, KeyOf keyOf) const {
    return Find(s, FoldedHash(s), keyOf);
  }

  // The position whose key equals `s`, and false; or, when there is none,
  // `position` is indexed under `s` and the result is (position, true).
  template <typename KeyOf>
  std::pair<int32_t, bool> Insert(std::string_view s, uint64_t hash, int32_t position, KeyOf keyOf) {
    if ((used_ + 1) * 2 > slots_.size()) Grow(keyOf);
    const size_t slot = SlotOf(s, hash, keyOf);
    if (slots_[slot] != kFree) return {static_cast<int32_t>(slots_[slot]) - 1, false};
    slots_[slot] = static_cast<uint32_t>(position) + 1;
    tags_[slot] = TagOf(hash);
    ++used_;
    return {position, true};
  }

 private:
  static constexpr uint32_t kFree = 0;  // slots hold position + 1
  static uint8_t TagOf(uint64_t hash) { return static_cast<uint8_t>(hash >> 56); }

  template <typename KeyOf>
  size_t SlotOf(std::string_view s, uint64_t hash, KeyOf& keyOf) const {
    const size_t mask = slots_.size() - 1;
    const uint8_t tag = TagOf(hash);
    size_t slot = static_cast<size_t>(hash) & mask;
    for (;;) {
      const uint32_t held = slots_[slot];
      if (held == kFree) return slot;
      if (tags_[slot] == tag && SameText(keyOf(static_cast<int32_t>(held) - 1), s)) return slot;
      slot = (slot + 1) & mask;
    }
  }

  template <typename KeyOf>
  void Grow(KeyOf& keyOf) {
    std::vector<uint32_t> old;
    old.swap(slots_);
    Reset(old.empty() ? 8 : old.size());
    for (const uint32_t held : old) {
      if (held == kFree) continue;
      const std::string_view key = keyOf(static_cast<int32_t>(held) - 1);
      const uint64_t hash = FoldedHash(key);
      const size_t slot = SlotOf(key, hash, keyOf);
      slots_[slot] = held;
      tags_[slot] = TagOf(hash);
      ++used_;
    }
  }

  std::vector<uint32_t> slots_;
  std::vector<uint8_t> tags_;
  size_t used_ = 0;
};

}  // namespace lexiscoop
