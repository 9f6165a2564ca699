#include "platform/Compare.h"

#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

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
  if (a.size() != b.size()) return false;
  return CompareText(a, b) == 0;
}

}  // namespace lexiscoop
