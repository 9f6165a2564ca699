#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editor/IncrementalSearch.h"

namespace lexiscoop {
namespace {

using Headwords = std::vector<Headword>;

Headwords Spelled(std::initializer_list<const char*> spellings) {
  Headwords list;
  for (const char* spelling : spellings) list.push_back(Headword{spelling, {}, WordLevel::Other, {}});
  return list;
}

Headwords SomeHeadwords() { return Spelled({"able", "bat", "Cat", "cab", "cat", "catch", "dog", "cattle"}); }

struct Key {
  const char* typed;
  uint32_t now;
  int selectedRow;
  const char* searchText;  // after the key
  int found;
};

void TypeKeys(const char* name, std::initializer_list<Key> keys) {
  const Headwords headwords = SomeHeadwords();
  IncrementalSearch search;
  int step = 0;
  for (const Key& key : keys) {
    EXPECT_EQ(search.KeyPress(headwords, key.typed, key.now, key.selectedRow), key.found) << name << " key " << step;
    EXPECT_EQ(search.SearchText(), key.searchText) << name << " key " << step;
    EXPECT_EQ(search.LastKeyTime(), static_cast<double>(key.now)) << name << " key " << step;
    ++step;
  }
}

TEST(IncrementalSearchTest, KeysUnderASecondApartExtendTheSearchFromTheSelectedRow) {
  constexpr uint32_t t = 3000000000u;  // past the first-key edge
  TypeKeys("extend", {
      {"c", t, 6, "c", 3},             // a pause: from row 0, letter case counts ("Cat" is row 2)
      {"a", t + 999, 3, "ca", 3},      // from the selected row on
      {"t", t + 1500, 3, "cat", 4},    // 501 ms after the last key
      {"t", t + 2400, 4, "catt", 7},
      {"x", t + 2500, 7, "cattx", -1},  // nothing found: the selection stays with the caller
  });
  TypeKeys("from the selected row", {
      {"c", t, 0, "c", 3},
      {"a", t + 10, 5, "ca", 5},       // the user moved on to "catch": "cab" and "cat" lie behind
      {"b", t + 20, 5, "cab", -1},
  });
  TypeKeys("no selection", {
      {"d", t, -1, "d", 6},
      {"o", t + 1, -1, "do", 6},
  });
}

TEST(IncrementalSearchTest, APauseOfASecondOrMoreStartsAgainFromTheFirstRow) {
  constexpr uint32_t t = 3000000000u;
  TypeKeys("pause", {
      {"d", t, 0, "d", 6},
      {"b", t + 1000, 6, "b", 1},      // exactly 1000 ms: a new search from row 0
      {"c", t + 5000, 1, "c", 3},
      {"C", t + 6000, 3, "C", 2},
  });
}

TEST(IncrementalSearchTest, FirstKeyBeforeTheTickCountPassesTheStartValueAppendsFromTheSelectedRow) {
  // LastKeyTime starts at 2147483647: a tick count below 2147484647 is less
  // than a second after it.
  TypeKeys("below", {{"c", 5000, 5, "c", 5}});
  TypeKeys("just below", {{"c", 2147484646u, 4, "c", 4}});
  TypeKeys("at the edge", {{"c", 2147484647u, 4, "c", 3}});
  // Once a key has set LastKeyTime the rule is the plain one.
  TypeKeys("after the first key", {{"c", 5000, 5, "c", 5}, {"d", 7000, 5, "d", 6}});
}

TEST(IncrementalSearchTest, ATickCountThatWrappedAroundLooksLikeAQuickKey) {
  // No wrap-around is applied: 200 after 4294967000 is a negative difference.
  TypeKeys("wrap", {{"d", 4294967000u, 0, "d", 6}, {"o", 200, 6, "do", 6}, {"a", 1500, 6, "a", 0}});
}

TEST(IncrementalSearchTest, ADoubleByteCharacterIsTypedWhole) {
  const Headwords headwords = Spelled({"cat", "\x83\x41\x83\x43"});  // アイ
  IncrementalSearch search;
  EXPECT_EQ(search.KeyPress(headwords, "\x83\x41", 3000000000u, 0), 1);
  EXPECT_EQ(search.KeyPress(headwords, "\x83\x43", 3000000100u, 1), 1);
  EXPECT_EQ(search.SearchText(), "\x83\x41\x83\x43");
}

TEST(IncrementalSearchTest, AStartRowPastTheListFindsNothing) {
  const Headwords headwords = SomeHeadwords();
  IncrementalSearch search;
  EXPECT_EQ(search.KeyPress(headwords, "a", 100, 8), -1);
  EXPECT_EQ(IncrementalSearch().KeyPress(Headwords(), "a", 3000000000u, 0), -1);
}

}  // namespace
}  // namespace lexiscoop
