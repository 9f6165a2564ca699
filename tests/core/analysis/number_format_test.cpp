#include <gtest/gtest.h>

#include "analysis/NumberFormat.h"

namespace lexiscoop {
namespace {

TEST(NumberFormatTest, GroupsThousands) {
  const std::pair<int64_t, const char*> rows[] = {
      {0, "0"}, {7, "7"}, {999, "999"}, {1000, "1,000"}, {123456, "123,456"},
      {1234567, "1,234,567"}, {-1234, "-1,234"}, {2147483647, "2,147,483,647"},
  };
  for (const auto& [value, text] : rows) EXPECT_EQ(FormatThousands(value), text) << value;
}

TEST(NumberFormatTest, FixedThreeDecimals) {
  EXPECT_EQ(FormatThousandsFixed3(0.0), "0.000");
  EXPECT_EQ(FormatThousandsFixed3(33.3333333), "33.333");
  EXPECT_EQ(FormatThousandsFixed3(66.6666666), "66.667");
  EXPECT_EQ(FormatThousandsFixed3(1234.5), "1,234.500");
  EXPECT_EQ(FormatThousandsFixed3(100.0), "100.000");
  EXPECT_EQ(FormatThousandsFixed3(1.0 / 0.0), "");
}

}  // namespace
}  // namespace lexiscoop
