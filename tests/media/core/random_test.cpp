#include "media/core/random.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace {

// The generator's step done the long way, in 64 bits, to check the overflow-free one.
int32_t ReferenceStep(int32_t state) {
  return static_cast<int32_t>(int64_t{state} * 48271 % 2147483647);
}

}  // namespace

TEST(Random, StartsFromTheUnseededStateAndStepsLikeTheLongMultiplication) {
  SeedRandom(0);
  EXPECT_EQ(RandomState(), 4660);
  RandomDouble();  // two steps
  EXPECT_EQ(ReferenceStep(4660), 224942860);
  EXPECT_EQ(RandomState(), ReferenceStep(224942860));
  int32_t state = RandomState();
  for (int i = 0; i < 10000; i++) {
    RandomDouble();
    state = ReferenceStep(ReferenceStep(state));
    ASSERT_EQ(RandomState(), state);
  }
}

TEST(Random, SeedingClearsTheTopBitAndAvoidsTheFixedPoints) {
  SeedRandom(0);
  EXPECT_EQ(RandomState(), 4660);
  SeedRandom(-1);  // top bit cleared: 2147483647, which the generator cannot use
  EXPECT_EQ(RandomState(), 4660);
  SeedRandom(-5);
  EXPECT_EQ(RandomState(), 2147483643);
  SeedRandom(12345);
  EXPECT_EQ(RandomState(), 12345);
}

TEST(Random, DoubleIsMadeFromTwoMaskedSteps) {
  SeedRandom(0);
  int32_t first = ReferenceStep(4660);
  int32_t second = ReferenceStep(first);
  double expected = ((first & 0x1FFFFFFC) + (second & 0x1FFFFFF8) / 134217728.0) / 536870912.0;
  EXPECT_EQ(RandomDouble(), expected);
}

TEST(Random, IntCoversBothBoundsInEitherOrder) {
  SeedRandom(99);
  std::array<int, 4> seen{};
  for (int i = 0; i < 4000; i++) {
    int32_t value = RandomInt(0, 3);
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 3);
    seen[static_cast<size_t>(value)]++;
  }
  for (int count : seen) {
    EXPECT_GT(count, 800);  // uniform: about 1000 each
  }
  std::array<int, 4> reversed{};
  for (int i = 0; i < 4000; i++) {
    int32_t value = RandomInt(3, 0);
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 3);
    reversed[static_cast<size_t>(value)]++;
  }
  for (int count : reversed) {
    EXPECT_GT(count, 800);
  }
  EXPECT_EQ(RandomInt(7, 7), 7);
  for (int i = 0; i < 100; i++) {
    int32_t value = RandomInt(5, 2);
    ASSERT_GE(value, 2);
    ASSERT_LE(value, 5);
    value = RandomInt(-1, 1);
    ASSERT_GE(value, -1);
    ASSERT_LE(value, 1);
  }
}

TEST(Random, IntFollowsTheDoubleExactly) {
  SeedRandom(4242);
  double r = RandomDouble();
  SeedRandom(4242);
  EXPECT_EQ(RandomInt(10, 20), 10 + static_cast<int32_t>(r * 11));
  SeedRandom(4242);
  EXPECT_EQ(RandomInt(20, 10), 10 + static_cast<int32_t>(r * 11));
}

TEST(Random, ExtremeBoundsStayInRange) {
  SeedRandom(7);
  for (int i = 0; i < 1000; i++) {
    int32_t value = RandomInt(INT32_MIN, INT32_MAX);
    (void)value;  // any int is in range; the point is that no arithmetic overflows (checked by the sanitizer)
    int32_t high = RandomInt(INT32_MAX - 1, INT32_MAX);
    ASSERT_GE(high, INT32_MAX - 1);
  }
}
