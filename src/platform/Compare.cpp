#include "platform/Compare.h"

#include <array>
#include <cstring>

#include "platform/Cp932.h"
#include "platform/ShortLoad.h"

namespace lexiscoop {
namespace {

inline uint64_t Load8(const char* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

// Walks a string unit by unit: a single byte or a double-byte character.
class UnitReader {
 public:
  explicit UnitReader(std::string_view s) : s_(s) {}

  bool AtEnd() const { return pos_ >= s_.size(); }

  // The next unit as a number that orders like the bytes: first byte in bits
  // 8-15, trail byte (or 0) in bits 0-7. `fold` folds ASCII letters; `skip`
  // leaves out hyphens and apostrophes. Returns -1 at the end.
  int Next(bool fold, bool skip, unsigned char* raw = nullptr) {
    while (pos_ < s_.size()) {
      const auto b = static_cast<unsigned char>(s_[pos_]);
      if (IsLeadByte(b) && pos_ + 1 < s_.size()) {
        const auto t = static_cast<unsigned char>(s_[pos_ + 1]);
        pos_ += 2;
        if (raw) *raw = 0;
        return (b << 8) | t;
      }
      ++pos_;
      if (skip && (b == '-' || b == '\'')) continue;
      if (raw) *raw = b;
      return (fold ? FoldAscii(b) : b) << 8;
    }
    return -1;
  }

 private:
  std::string_view s_;
  size_t pos_ = 0;
};

int CompareUnits(std::string_view a, std::string_view b, bool skip) {
  UnitReader ra(a), rb(b);
  for (;;) {
    const int ua = ra.Next(true, skip);
    const int ub = rb.Next(true, skip);
    if (ua != ub) return ua < ub ? -1 : 1;
    if (ua < 0) return 0;
  }
}

// All-ASCII fast path of steps 1 and 2: no lead byte can occur.
bool IsPlainAscii(std::string_view s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

int CompareAsciiSkipping(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  for (;;) {
    while (i < a.size() && (a[i] == '-' || a[i] == '\'')) ++i;
    while (j < b.size() && (b[j] == '-' || b[j] == '\'')) ++j;
    if (i == a.size() || j == b.size()) {
      if (i == a.size() && j == b.size()) return 0;
      return i == a.size() ? -1 : 1;
    }
    const unsigned char ca = FoldAscii(static_cast<unsigned char>(a[i]));
    const unsigned char cb = FoldAscii(static_cast<unsigned char>(b[j]));
    if (ca != cb) return ca < cb ? -1 : 1;
    ++i;
    ++j;
  }
}

int CompareAsciiFolded(std::string_view a, std::string_view b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const unsigned char ca = FoldAscii(static_cast<unsigned char>(a[i]));
    const unsigned char cb = FoldAscii(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace

int CompareText(std::string_view a, std::string_view b) {
  if (IsPlainAscii(a) && IsPlainAscii(b)) {
    const int r = CompareAsciiSkipping(a, b);
    return r != 0 ? r : CompareAsciiFolded(a, b);
  }
  const int r = CompareUnits(a, b, true);
  return r != 0 ? r : CompareUnits(a, b, false);
}

int CompareStr(std::string_view a, std::string_view b) {
  const int r = CompareText(a, b);
  if (r != 0) return r;
  // Equal after folding: the units line up one to one; the first letter that
  // differs in case decides, lower case first.
  UnitReader ra(a), rb(b);
  for (;;) {
    unsigned char ca = 0, cb = 0;
    const int ua = ra.Next(false, false, &ca);
    const int ub = rb.Next(false, false, &cb);
    if (ua < 0 || ub < 0) return 0;
    if (ca != cb) return ca > cb ? -1 : 1;  // 'a' (0x61) > 'A' (0x41): lower first
  }
}

bool SameText(std::string_view a, std::string_view b) {
  const size_t n = a.size();
  if (n != b.size()) return false;
  const char* pa = a.data();
  const char* pb = b.data();
  // Mostly the spellings are byte for byte the same.
  size_t same = 0;
  while (same < n && pa[same] == pb[same]) ++same;
  if (same == n) return true;
  size_t i = 0;
  // Eight bytes at a time while both sides are plain ASCII.
  for (; i + 8 <= n; i += 8) {
    const uint64_t xa = Load8(pa + i);
    const uint64_t xb = Load8(pb + i);
    if ((xa | xb) & kHighBitOfEachByte) break;
    if (xa != xb && FoldAscii8(xa) != FoldAscii8(xb)) return false;
  }
  for (; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(pa[i]);
    const auto cb = static_cast<unsigned char>(pb[i]);
    if (IsLeadByte(ca) && i + 1 < n) {
      // A double-byte character compares by value, trail byte unfolded.
      if (ca != cb || pa[i + 1] != pb[i + 1]) return false;
      ++i;
      continue;
    }
    if (FoldAscii(ca) != FoldAscii(cb)) return false;
  }
  return true;
}

uint64_t FoldedHash(std::string_view s) {
  const size_t n = s.size();
  if (n <= 8) {
    // Short plain-ASCII words, the common case: one multiply.
    const uint64_t x = LoadUpTo8(s.data(), n);
    if (!(x & kHighBitOfEachByte)) return FoldedHashOfShortAscii(FoldAscii8(x), n);
  }
  // FNV-1a over the folded bytes; a double-byte character goes in unfolded.
  static constexpr auto kFold = [] {
    std::array<unsigned char, 256> fold{};
    for (int c = 0; c < 256; ++c) fold[static_cast<size_t>(c)] = FoldAscii(static_cast<unsigned char>(c));
    return fold;
  }();
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  uint64_t h = 0xCBF29CE484222325ull;
  for (size_t i = 0; i < n; ++i) {
    unsigned char b = p[i];
    if (b >= 0x81 && IsLeadByte(b) && i + 1 < n) {
      h = (h ^ b) * 0x100000001B3ull;
      b = p[++i];
    } else {
      b = kFold[b];
    }
    h = (h ^ b) * 0x100000001B3ull;
  }
  return h ^ (h >> 32);
}

}  // namespace lexiscoop
