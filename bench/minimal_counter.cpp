// The practical limit for counting words: read the whole file, classify bytes
// with a 256-entry table, count lower-cased words in an open-addressing hash.
// Prints the number of distinct words and of words.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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
  char chunk[1 << 16];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
  std::fclose(f);

  unsigned char cls[256] = {};  // 0 other, 1 letter (starts and continues), 2 continues only
  for (int c = 'a'; c <= 'z'; ++c) cls[c] = cls[c - 32] = 1;
  for (int c = '0'; c <= '9'; ++c) cls[c] = 2;
  cls['\''] = cls['-'] = cls['_'] = 2;

  struct Slot {
    uint64_t hash;
    uint32_t offset, length, count;
  };
  std::vector<Slot> slots(1 << 16);
  size_t used = 0;
  std::string keys;
  uint64_t words = 0;
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  char word[4096];
  while (p < end) {
    if (cls[*p] != 1) {
      ++p;
      continue;
    }
    size_t len = 0;
    uint64_t h = 1469598103934665603ull;
    while (p < end && cls[*p]) {
      const unsigned char c = (*p >= 'A' && *p <= 'Z') ? *p + 32 : *p;
      if (len < sizeof word) word[len++] = static_cast<char>(c);
      h = (h ^ c) * 1099511628211ull;
      ++p;
    }
    ++words;
    size_t mask = slots.size() - 1;
    size_t i = h & mask;
    for (;;) {
      Slot& s = slots[i];
      if (s.count == 0) {
        s = {h, static_cast<uint32_t>(keys.size()), static_cast<uint32_t>(len), 1};
        keys.append(word, len);
        if (++used * 2 > slots.size()) {
          std::vector<Slot> old(slots.size() * 2);
          old.swap(slots);
          mask = slots.size() - 1;
          for (const Slot& o : old) {
            if (!o.count) continue;
            size_t j = o.hash & mask;
            while (slots[j].count) j = (j + 1) & mask;
            slots[j] = o;
          }
        }
        break;
      }
      if (s.hash == h && s.length == len && std::memcmp(keys.data() + s.offset, word, len) == 0) {
        ++s.count;
        break;
      }
      i = (i + 1) & mask;
    }
  }
  std::printf("%zu distinct, %llu words\n", used, static_cast<unsigned long long>(words));
  return 0;
}
