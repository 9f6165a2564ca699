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

enum : unsigned char { kOther = 0, kLetter = 1, kInner = 2, kLead = 3, kEnd = 4 };

struct ByteClasses {
  unsigned char of[256] = {};
  ByteClasses() {
    for (int c = 'a'; c <= 'z'; ++c) of[c] = of[c - 32] = kLetter;
    for (int c = '0'; c <= '9'; ++c) of[c] = kInner;
    of['\''] = of['-'] = of['_'] = kInner;
    for (int c = 0x81; c <= 0x9F; ++c) of[c] = kLead;
    for (int c = 0xE0; c <= 0xFC; ++c) of[c] = kLead;
    of[0] = kEnd;
  }
};

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
  void Add(std::string_view word) {
    uint64_t h = 1469598103934665603ull;
    for (char c : word) h = (h ^ static_cast<unsigned char>(Lower(c))) * 1099511628211ull;
    const uint32_t tag = static_cast<uint32_t>(h >> 32);
    size_t mask = slots_.size() - 1;
    for (size_t i = h & mask;; i = (i + 1) & mask) {
      Slot& slot = slots_[i];
      if (slot.entry == kEmpty) {
        slot = {tag, static_cast<uint32_t>(entries_.size())};
        entries_.push_back({static_cast<uint32_t>(spellings_.size()), static_cast<uint32_t>(word.size()), 1, h});
        spellings_.append(word);
        if (entries_.size() * 2 > slots_.size()) Grow();
        return;
      }
      if (slot.tag == tag) {
        Entry& e = entries_[slot.entry];
        if (e.length == word.size() && SameLetters(spellings_.data() + e.offset, word)) {
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
    uint32_t tag = 0;  // high half of the hash, to skip most comparisons
    uint32_t entry = kEmpty;
  };
  struct Entry {
    uint32_t offset, length, count;
    uint64_t hash;
  };

  static bool SameLetters(const char* a, std::string_view b) {
    for (size_t i = 0; i < b.size(); ++i) {
      if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
  }

  void Grow() {
    std::vector<Slot> bigger(slots_.size() * 2);
    const size_t mask = bigger.size() - 1;
    for (uint32_t index = 0; index < entries_.size(); ++index) {
      const uint64_t h = entries_[index].hash;
      size_t i = h & mask;
      while (bigger[i].entry != kEmpty) i = (i + 1) & mask;
      bigger[i] = {static_cast<uint32_t>(h >> 32), index};
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
    if (size > 0) text.reserve(static_cast<size_t>(size) + 1);
    std::rewind(f);
  }
  char chunk[1 << 16];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
  std::fclose(f);

  static const ByteClasses classes;
  const auto* cls = classes.of;
  const auto* p = reinterpret_cast<const unsigned char*>(text.c_str());  // ends with a zero byte
  const auto* end = p + text.size();
  WordCounter counter;
  for (;;) {
    const unsigned char kind = cls[*p];
    if (kind == kLetter) {
      const unsigned char* start = p++;
      while (cls[*p] == kLetter || cls[*p] == kInner) ++p;
      counter.Add(Normalize({reinterpret_cast<const char*>(start), static_cast<size_t>(p - start)}));
    } else if (kind == kLead) {
      p += p + 1 < end ? 2 : 1;  // a zero trail byte inside the text goes with its lead byte
    } else if (kind == kEnd) {
      break;
    } else {
      ++p;
    }
  }
  counter.Print(stdout);
  return std::ferror(stdout) ? 1 : 0;
}
