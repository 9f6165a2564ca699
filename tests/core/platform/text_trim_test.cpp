#include <gtest/gtest.h>

#include <string>

#include "platform/TextTrim.h"

namespace lexiscoop {
namespace {

TEST(TrimBlanksTest, RemovesBytesUpToSpaceAtBothEndsOnly) {
  const struct {
    std::string text;
    std::string trimmed;
  } cases[] = {
      {"", ""},
      {" \t\r\n", ""},
      {"cat", "cat"},
      {"  cat\t", "cat"},
      {std::string("\x01\x1f" "ice cream" "\x20\x0b", 13), "ice cream"},
      {"\x7f" "cat", "\x7f" "cat"},             // DEL is not a blank
      {"\x81\x40" "cat", "\x81\x40" "cat"},     // nor the ideographic space
  };
  for (const auto& c : cases) EXPECT_EQ(TrimBlanks(c.text), c.trimmed) << c.text;
}

TEST(TextTrim, ProfileTrimTakesOnlySpacesAndTabs) {
  const struct {
    std::string text;
    std::string trimmed;
  } cases[] = {
      {"", ""},
      {" \t key \t", "key"},
      {"\r\nkey\r\n", "\r\nkey\r\n"},
      {"a = b", "a = b"},
  };
  for (const auto& c : cases) EXPECT_EQ(TrimSpacesAndTabs(c.text), c.trimmed) << '"' << c.text << '"';
}

}  // namespace
}  // namespace lexiscoop
