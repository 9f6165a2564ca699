#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/ProgressPump.h"

namespace lexiscoop {
namespace {

TEST(ProgressPump, LooksAtTheClockEveryNthItem) {
  std::vector<int> calls;
  const std::function<void(int)> callback = [&calls](int percent) { calls.push_back(percent); };
  ProgressPump pump(callback, 0, 3);  // every look at the clock finds the slice over
  pump.Start(100);
  std::vector<bool> called;
  for (int item = 1; item <= 9; ++item) called.push_back(pump.Step([item] { return item; }));
  EXPECT_EQ(calls, (std::vector<int>{100, 3, 6, 9}));
  EXPECT_EQ(called, (std::vector<bool>{false, false, true, false, false, true, false, false, true}));
}

TEST(ProgressPump, StaysQuietInsideASlice) {
  int calls = 0;
  int asked = 0;
  const std::function<void(int)> callback = [&calls](int) { ++calls; };
  ProgressPump pump(callback, UINT32_MAX, 1);
  pump.Start(100);
  for (int item = 0; item < 1000; ++item) {
    EXPECT_FALSE(pump.Step([&asked] { return ++asked; }));
  }
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(asked, 0);  // the progress is worked out only for a call
}

TEST(ProgressPump, WithoutACallbackNothingIsCalled) {
  const std::function<void(int)> none;
  ProgressPump pump(none, 0, 1);
  pump.Start(100);
  int asked = 0;
  for (int item = 0; item < 10; ++item) EXPECT_FALSE(pump.Step([&asked] { return ++asked; }));
  EXPECT_EQ(asked, 0);
}

}  // namespace
}  // namespace lexiscoop
