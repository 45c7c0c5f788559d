#include "media/core/clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <thread>

TEST(Clock, ReadsAnInstalledSourceUntilItIsRemoved) {
  TManualClock manual(500);
  SetClockSource(&manual);
  EXPECT_EQ(ElapsedMillis(), 500);
  manual.Advance(20);
  EXPECT_EQ(ElapsedMillis(), 520);
  manual.Set(7);
  EXPECT_EQ(ElapsedMillis(), 7);
  SetClockSource(nullptr);
  EXPECT_NE(ElapsedMillis(), 7);
}

TEST(Clock, StartsBelowTwoToTheThirtyAndCountsUp) {
  StartClock();
  int32_t first = ElapsedMillis();
  EXPECT_GE(first, 0);
  EXPECT_LT(first, (1 << 30) + 1000);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  int32_t second = ElapsedMillis();
  EXPECT_GE(second - first, 29);
}

TEST(Clock, AddMillisWrapsAtThirtyTwoBitsWithoutOverflow) {
  EXPECT_EQ(AddMillis(100, 300), 400);
  EXPECT_EQ(AddMillis(INT32_MAX, 1), INT32_MIN);
  EXPECT_EQ(AddMillis(INT32_MAX - 10, 300), INT32_MIN + 289);
  TManualClock manual(INT32_MAX);
  manual.Advance(2);
  EXPECT_EQ(manual.Now(), INT32_MIN + 1);
}
