#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/FoldedIndex.h"

namespace lexiscoop {
namespace {

// A table of strings with a FoldedIndex over it, inserting as a caller would.
struct Table {
  std::vector<std::string> keys;
  FoldedIndex index;

  explicit Table(size_t expected) { index.Reset(expected); }
  // The position of the key equal to `s`, adding `s` when there is none.
  int32_t Add(const std::string& s) {
    auto keyOf = [this](int32_t p) { return std::string_view(keys[static_cast<size_t>(p)]); };
    const auto [position, added] = index.Insert(s, FoldedHash(s), static_cast<int32_t>(keys.size()), keyOf);
    if (added) keys.push_back(s);
    return position;
  }
  int32_t Find(const std::string& s) const {
    return index.Find(s, [this](int32_t p) { return std::string_view(keys[static_cast<size_t>(p)]); });
  }
};

TEST(FoldedIndexTest, EqualWithoutRegardToAsciiCaseOnly) {
  Table t(4);
  const struct {
    const char* s;
    int32_t position;
  } adds[] = {
      {"left", 0}, {"LEFT", 0}, {"Left", 0}, {"leave", 1}, {"co-op", 2}, {"coop", 3},
      // Double-byte characters are never folded: «Ａ» and «ａ» differ.
      {"\x82\x60", 4}, {"\x82\x81", 5}, {"", 6}, {"", 6},
  };
  for (const auto& a : adds) EXPECT_EQ(t.Add(a.s), a.position) << a.s;
  EXPECT_EQ(t.Find("LeAvE"), 1);
  EXPECT_EQ(t.Find("lef"), -1);
  EXPECT_EQ(t.Find("lefts"), -1);
  EXPECT_EQ(t.Find("co_op"), -1);
  EXPECT_EQ(t.index.Size(), 7u);
  const FoldedIndex never;
  EXPECT_EQ(never.Find("x", [](int32_t) { return std::string_view(); }), -1);
}

TEST(FoldedIndexTest, GrowsPastItsExpectedSizeKeepingEveryKey) {
  Table t(1);
  for (int i = 0; i < 20000; ++i) ASSERT_EQ(t.Add("w" + std::to_string(i)), i);
  for (int i = 0; i < 20000; i += 13) ASSERT_EQ(t.Find("W" + std::to_string(i)), i);
  EXPECT_EQ(t.Add("W19999"), 19999);
  EXPECT_EQ(t.index.Size(), 20000u);
}

}  // namespace
}  // namespace lexiscoop
