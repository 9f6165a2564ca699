#include "dictionary/TextOrder.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/Compare.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

// Appends the first step of CompareText as plain bytes: hyphens and
// apostrophes left out, ASCII letters folded, a double-byte character copied
// whole. Comparing two such keys byte by byte (a prefix first) orders as that
// step does: a lead byte followed by another byte is always a double-byte
// unit, so units line up or differ in their first byte.
// Writes the first step of CompareText as plain bytes to `out` and returns
// the end: hyphens and apostrophes left out, ASCII letters folded, a
// double-byte character copied whole. Comparing two such keys byte by byte
// (a prefix first) orders as that step does: a lead byte followed by another
// byte is always a double-byte unit, so units line up or differ in their
// first byte. That fails for a double-byte unit whose trail byte is zero,
// which compares equal to its lead byte alone: `exact` is cleared then.
char* WriteKey(std::string_view text, char* out, bool& exact) {
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      if (b != '-' && b != '\'') *out++ = static_cast<char>(FoldAscii(b));
    } else if (IsLeadByte(b) && i + 1 < n) {
      *out++ = static_cast<char>(b);
      if (text[i + 1] == '\0') exact = false;
      *out++ = text[++i];
    } else {
      *out++ = static_cast<char>(b);
    }
  }
  return out;
}

struct Slot {
  uint64_t prefix;  // the first 8 key bytes, big-endian, zero-padded
  uint32_t offset;  // of the key in the key buffer
  uint32_t length;  // of the key
  uint32_t position;
};

// The plain way, for texts whose keys would not order right.
std::vector<uint32_t> StableOrderByCompare(const std::vector<std::string_view>& texts) {
  std::vector<uint32_t> order(texts.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<uint32_t>(i);
  std::stable_sort(order.begin(), order.end(),
                   [&texts](uint32_t a, uint32_t b) { return CompareText(texts[a], texts[b]) < 0; });
  return order;
}

}  // namespace

std::vector<uint32_t> StableOrderByText(const std::vector<std::string_view>& texts) {
  size_t total = 0;
  for (const std::string_view text : texts) total += text.size();
  std::string keys(total, '\0');
  char* const start = keys.data();
  char* out = start;
  std::vector<Slot> slots(texts.size());
  bool exact = true;
  for (size_t i = 0; i < texts.size(); ++i) {
    Slot& slot = slots[i];
    char* const key = out;
    out = WriteKey(texts[i], out, exact);
    slot.offset = static_cast<uint32_t>(key - start);
    slot.length = static_cast<uint32_t>(out - key);
    slot.position = static_cast<uint32_t>(i);
    uint64_t prefix = 0;
    for (uint32_t j = 0; j < 8; ++j) {
      prefix = (prefix << 8) | (j < slot.length ? static_cast<unsigned char>(key[j]) : 0u);
    }
    slot.prefix = prefix;
  }

  if (!exact) return StableOrderByCompare(texts);

  const char* const base = keys.data();
  std::sort(slots.begin(), slots.end(), [&](const Slot& a, const Slot& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    const uint32_t common = std::min(a.length, b.length);
    int c = common > 8 ? std::memcmp(base + a.offset + 8, base + b.offset + 8, common - 8) : 0;
    if (c == 0 && a.length != b.length) c = a.length < b.length ? -1 : 1;
    // Equal without hyphens and apostrophes: the whole comparison decides.
    if (c == 0) c = CompareText(texts[a.position], texts[b.position]);
    return c != 0 ? c < 0 : a.position < b.position;
  });

  std::vector<uint32_t> order(slots.size());
  for (size_t i = 0; i < slots.size(); ++i) order[i] = slots[i].position;
  return order;
}

}  // namespace lexiscoop
