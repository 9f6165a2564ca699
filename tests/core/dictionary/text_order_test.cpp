#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "dictionary/CompressStringList.h"
#include "dictionary/TextOrder.h"
#include "platform/Compare.h"

namespace lexiscoop {
namespace {

std::vector<uint32_t> ReferenceOrder(const std::vector<std::string>& texts) {
  std::vector<uint32_t> order(texts.size());
  std::iota(order.begin(), order.end(), 0u);
  std::stable_sort(order.begin(), order.end(),
                   [&](uint32_t a, uint32_t b) { return CompareText(texts[a], texts[b]) < 0; });
  return order;
}

TEST(TextOrderTest, MatchesAStableSortByCompareText) {
  // Pieces that stress every rule: case, skipped hyphens and apostrophes,
  // double-byte characters (one with an 'A' as trail byte), single high
  // bytes, a lead byte left dangling at the end, long prefixes; in the last
  // rounds zero bytes too, which can make a lead byte and a zero trail byte
  // one unit equal to the lead byte alone.
  std::vector<std::string> pieces = {
      "a", "A", "b", "z", "-", "'", "0", "_", "\x82\xA0", "\x83\x41", "\x81\x5B", "\xB1", "\xFF",
      "\x82", "abcdefgh", "ABCDEFGH", "co-op", "coop"};
  std::mt19937 rng(11);
  for (int round = 0; round < 30; ++round) {
    if (round == 20) pieces.push_back(std::string(1, '\0'));
    std::vector<std::string> texts;
    for (int i = 0; i < 300; ++i) {
      std::string text;
      const int parts = static_cast<int>(rng() % 5);
      for (int j = 0; j < parts; ++j) text += pieces[rng() % pieces.size()];
      texts.push_back(text);
    }
    std::vector<std::string_view> views(texts.begin(), texts.end());
    ASSERT_EQ(StableOrderByText(views), ReferenceOrder(texts)) << round;
  }
}

TEST(TextOrderTest, LeadByteBeforeAZeroByte) {
  using namespace std::string_literals;
  const std::vector<std::string> texts = {"\x82"s, "-\x82\0"s, "\x82\0"s, "\x82\0x"s, "\x82x"s, "a"s, "\x82"s};
  const std::vector<std::string_view> views(texts.begin(), texts.end());
  EXPECT_EQ(StableOrderByText(views), ReferenceOrder(texts));
}

TEST(TextOrderTest, SortByTextMatchesSort) {
  TCompressStringList fast;
  TStringList reference;
  for (const char* line : {"go\tes", "Go\tx", "apple\ts", "-", "", "co-op\t", "coop\t", "\x83\x41", "a'b"}) {
    fast.Add(line);
    reference.Add(line);
  }
  fast.SortByText();
  reference.Sort();
  ASSERT_EQ(fast.Count(), reference.Count());
  for (int i = 0; i < fast.Count(); ++i) EXPECT_EQ(fast[i], reference[i]) << i;
}

}  // namespace
}  // namespace lexiscoop
