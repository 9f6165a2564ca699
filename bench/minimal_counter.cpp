// The practical limit for `lexiscoop-cli table`: a hand-written counter that does
// the same job with nothing around it. It reads the whole file, picks the words
// with a 256-entry byte table (a word starts with an ASCII letter and goes on with
// letters, digits, apostrophes, hyphens and underscores; a Shift-JIS double-byte
// character or a zero byte ends it), trims trailing apostrophes and hyphens, cuts
// English contractions, counts the words case-insensitively in an open-addressing
// hash and prints every distinct word as first written, TAB, count, in order of
// first appearance.
//
// It leaves out what only the real program needs: folding full-width letters and
// punctuation to ASCII (a double-byte character simply separates words here), the
// line-length limit of the scanner and the conversion of the output.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Byte classes as bits: a word starts at kStart and goes on while kGoesOn is set;
// kMark flags the apostrophe and the hyphen, after which a word may need trimming.
enum : unsigned char { kStart = 1, kGoesOn = 2, kMark = 4, kLead = 8, kEnd = 16 };

struct ByteClasses {
  unsigned char of[256] = {};
  ByteClasses() {
    for (int c = 'a'; c <= 'z'; ++c) of[c] = of[c - 32] = kStart | kGoesOn;
    for (int c = '0'; c <= '9'; ++c) of[c] = kGoesOn;
    of['_'] = kGoesOn;
    of['\''] = of['-'] = kGoesOn | kMark;
    for (int c = 0x81; c <= 0x9F; ++c) of[c] = kLead;
    for (int c = 0xE0; c <= 0xFC; ++c) of[c] = kLead;
    of[0] = kEnd;
  }
};

// Setting bit 0x20 lower-cases the letters, keeps digits, apostrophe and hyphen
// and turns the underscore into 0x7F: one-to-one on the bytes of a word, so words
// that are equal after it are equal without regard to case.
constexpr uint64_t kFold = 0x2020202020202020ull;

// Requires 8 readable bytes from every position of the word.
uint32_t FoldedHash(const char* s, size_t n) {
  uint64_t h = n * 0x9E3779B97F4A7C15ull;
  uint64_t v;
  for (; n >= 8; s += 8, n -= 8) {
    std::memcpy(&v, s, 8);
    h = (h ^ (v | kFold)) * 0xBF58476D1CE4E5B9ull;
    h ^= h >> 31;
  }
  if (n > 0) {
    std::memcpy(&v, s, 8);
    const uint64_t keep = (uint64_t{1} << (8 * n)) - 1;  // little-endian: the first n bytes
    h = (h ^ ((v | kFold) & keep)) * 0xBF58476D1CE4E5B9ull;
  }
  h ^= h >> 29;
  h *= 0x94D049BB133111EBull;
  return static_cast<uint32_t>(h >> 32);
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool LowerEquals(std::string_view s, std::string_view lower) {
  if (s.size() != lower.size()) return false;
  for (size_t i = 0; i < s.size(); ++i) {
    if (Lower(s[i]) != lower[i]) return false;
  }
  return true;
}

// Trailing apostrophes and hyphens go; "I'm", "you'd", "it's", "they're", "we've",
// "he'll" keep the part before the apostrophe; "don't" gives "do", "can't" "can".
std::string_view Normalize(std::string_view w) {
  while (w.size() > 1 && (w.back() == '\'' || w.back() == '-')) w.remove_suffix(1);
  const size_t apostrophe = w.find('\'');
  if (apostrophe == std::string_view::npos) return w;
  const std::string_view suffix = w.substr(apostrophe + 1);
  for (std::string_view cut : {"d", "m", "ve", "ll", "s", "re"}) {
    if (LowerEquals(suffix, cut)) return w.substr(0, apostrophe);
  }
  if (LowerEquals(suffix, "t") && apostrophe > 0 && Lower(w[apostrophe - 1]) == 'n') {
    const std::string_view stem = w.substr(0, apostrophe - 1);
    return LowerEquals(stem, "ca") ? w.substr(0, apostrophe) : stem;
  }
  return w;
}

class WordCounter {
 public:
  // Requires 8 readable bytes from every position of the word.
  void Add(std::string_view word) {
    const uint32_t hash = FoldedHash(word.data(), word.size());
    size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
      Slot& slot = slots_[i];
      if (slot.entry == kEmpty) {
        slot = {hash, static_cast<uint32_t>(entries_.size())};
        entries_.push_back({static_cast<uint32_t>(spellings_.size()), static_cast<uint32_t>(word.size()), 1});
        spellings_.append(word);
        if (entries_.size() * 2 > slots_.size()) Grow();
        return;
      }
      if (slot.hash == hash) {
        Entry& e = entries_[slot.entry];
        if (e.length == word.size() && SameFolded(spellings_.data() + e.offset, word)) {
          ++e.count;
          return;
        }
      }
    }
  }

  void Print(FILE* out) const {
    std::string buffer;
    buffer.reserve(1 << 16);
    char number[16];
    for (const Entry& e : entries_) {
      buffer.append(spellings_, e.offset, e.length);
      buffer += '\t';
      const int n = std::snprintf(number, sizeof number, "%u\n", e.count);
      buffer.append(number, static_cast<size_t>(n));
      if (buffer.size() > (1 << 16) - 64) {
        std::fwrite(buffer.data(), 1, buffer.size(), out);
        buffer.clear();
      }
    }
    std::fwrite(buffer.data(), 1, buffer.size(), out);
  }

 private:
  static constexpr uint32_t kEmpty = UINT32_MAX;
  struct Slot {
    uint32_t hash = 0;
    uint32_t entry = kEmpty;
  };
  struct Entry {
    uint32_t offset, length, count;
  };

  static bool SameFolded(const char* a, std::string_view b) {
    for (size_t i = 0; i < b.size(); ++i) {
      if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
    }
    return true;
  }

  void Grow() {
    std::vector<Slot> bigger(slots_.size() * 2);
    const size_t mask = bigger.size() - 1;
    for (const Slot& slot : slots_) {
      if (slot.entry == kEmpty) continue;
      size_t i = slot.hash & mask;
      while (bigger[i].entry != kEmpty) i = (i + 1) & mask;
      bigger[i] = slot;
    }
    slots_.swap(bigger);
  }

  std::vector<Slot> slots_ = std::vector<Slot>(1 << 12);
  std::vector<Entry> entries_;  // distinct words in order of first appearance
  std::string spellings_;       // every distinct word as first written, back to back
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: minimal_counter FILE\n");
    return 2;
  }
  FILE* f = std::fopen(argv[1], "rb");
  if (!f) {
    std::perror(argv[1]);
    return 1;
  }
  std::string text;
  if (std::fseek(f, 0, SEEK_END) == 0) {
    const long size = std::ftell(f);
    if (size > 0) text.reserve(static_cast<size_t>(size) + 16);
    std::rewind(f);
  }
  char chunk[1 << 16];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
  std::fclose(f);
  const size_t size = text.size();
  text.append(16, '\0');  // a terminator, and room for reading 8 bytes at a time

  static const ByteClasses classes;
  const auto* cls = classes.of;
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + size;
  WordCounter counter;
  for (;;) {
    const unsigned char kind = cls[*p];
    if (kind & kStart) {
      const unsigned char* start = p++;
      unsigned char seen = 0;
      unsigned char c;
      while ((c = cls[*p]) & kGoesOn) {
        seen |= c;
        ++p;
      }
      std::string_view word(reinterpret_cast<const char*>(start), static_cast<size_t>(p - start));
      counter.Add(seen & kMark ? Normalize(word) : word);
    } else if (kind & kLead) {
      p += p + 1 < end ? 2 : 1;  // a zero trail byte inside the text goes with its lead byte
    } else if (kind & kEnd) {
      break;
    } else {
      ++p;
    }
  }
  counter.Print(stdout);
  return std::ferror(stdout) ? 1 : 0;
}
