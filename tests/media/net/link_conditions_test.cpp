#include "media/net/link_conditions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "media/core/random.h"

namespace {

constexpr int kMany = 100000;

TLinkConditions Bad() {
  TLinkConditions conditions;
  conditions.delayMillis = 50;
  conditions.jitterMillis = 20;
  conditions.lossPercent = 10;
  conditions.duplicatePercent = 5;
  conditions.reorderPercent = 3;
  conditions.reorderHoldMillis = 40;
  return conditions;
}

double Share(int64_t part, int64_t whole) {
  return 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

}  // namespace

TEST(LinkConditions, SharesComeNearWhatWasAskedAndCountsAddUp) {
  TLinkDirection link(Bad(), 7);
  int64_t copies = 0;
  for (int i = 0; i < kMany; i++) {
    copies += link.Unreliable().copies;
  }
  const TLinkCounts& counts = link.Counts();
  EXPECT_EQ(counts.offered, kMany);
  EXPECT_EQ(counts.passed + counts.dropped, counts.offered);
  EXPECT_EQ(copies, counts.passed + counts.duplicated);
  // At 100,000 datagrams one standard deviation of a 10 % share is below 0.1 %: 0.5 % is five of them.
  EXPECT_NEAR(Share(counts.dropped, counts.offered), 10.0, 0.5);
  EXPECT_NEAR(Share(counts.duplicated, counts.passed), 5.0, 0.4);
  EXPECT_NEAR(Share(counts.reordered, counts.passed), 3.0, 0.3);
  EXPECT_EQ(counts.resent, 0);
}

TEST(LinkConditions, DelaysSpreadUniformlyOverTheJitter) {
  TLinkConditions conditions = Bad();
  conditions.lossPercent = 0;
  conditions.reorderPercent = 0;
  TLinkDirection link(conditions, 11);
  int32_t low = std::numeric_limits<int32_t>::max();
  int32_t high = 0;
  double sum = 0;
  int64_t samples = 0;
  for (int i = 0; i < kMany; i++) {
    TLinkFate fate = link.Unreliable();
    ASSERT_GE(fate.copies, 1);
    for (int32_t copy = 0; copy < fate.copies; copy++) {
      int32_t delay = fate.delayMillis[copy];
      ASSERT_GE(delay, 30);
      ASSERT_LE(delay, 70);
      low = std::min(low, delay);
      high = std::max(high, delay);
      sum += delay;
      samples++;
    }
  }
  EXPECT_EQ(low, 30);
  EXPECT_EQ(high, 70);
  EXPECT_NEAR(sum / static_cast<double>(samples), 50.0, 0.3);  // uniform: the mean stays at the fixed delay
}

TEST(LinkConditions, HeldBackDatagramsWaitPastTheJitterByAtMostTheHold) {
  TLinkConditions conditions = Bad();
  conditions.lossPercent = 0;
  conditions.duplicatePercent = 0;
  conditions.reorderPercent = 100;
  TLinkDirection link(conditions, 12);
  int32_t highest = 0;
  for (int i = 0; i < 10000; i++) {
    int32_t delay = link.Unreliable().delayMillis[0];
    ASSERT_GE(delay, 31);
    ASSERT_LE(delay, 70 + 40);
    highest = std::max(highest, delay);
  }
  EXPECT_EQ(highest, 110);
  EXPECT_EQ(link.Counts().reordered, 10000);
}

TEST(LinkConditions, TheSameSeedGivesTheSameScheduleAndAnotherSeedAnother) {
  auto schedule = [](uint64_t seed) {
    TLinkDirection link(Bad(), seed);
    std::vector<int32_t> out;
    for (int i = 0; i < 2000; i++) {
      TLinkFate fate = link.Unreliable();
      out.push_back(fate.copies);
      out.push_back(fate.delayMillis[0]);
      out.push_back(fate.delayMillis[1]);
      out.push_back(link.Reliable());
    }
    return out;
  };
  EXPECT_EQ(schedule(42), schedule(42));
  EXPECT_NE(schedule(42), schedule(43));
}

TEST(LinkConditions, NoConditionsPassEverythingOnceWithTheFixedDelay) {
  TLinkConditions conditions;
  conditions.delayMillis = 15;
  TLinkDirection link(conditions, 3);
  for (int i = 0; i < 10000; i++) {
    TLinkFate fate = link.Unreliable();
    ASSERT_EQ(fate.copies, 1);
    ASSERT_EQ(fate.delayMillis[0], 15);
    ASSERT_EQ(link.Reliable(), 15);
  }
  EXPECT_EQ(link.Counts().dropped + link.Counts().duplicated + link.Counts().reordered + link.Counts().resent, 0);
}

TEST(LinkConditions, ReliableDatagramsAreNeverLostButLossDelaysThem) {
  TLinkConditions conditions;
  conditions.delayMillis = 40;
  conditions.lossPercent = 50;
  TLinkDirection link(conditions, 5);
  int64_t late = 0;
  for (int i = 0; i < 10000; i++) {
    int32_t delay = link.Reliable();
    ASSERT_GE(delay, 40);
    // A resend waits a round trip (80 ms here) and doubles: one lost try arrives at 120, two at 280.
    ASSERT_TRUE(delay == 40 || delay == 120 || delay == 280 || delay >= 600) << delay;
    late += delay > 40;
  }
  EXPECT_EQ(link.Counts().dropped, 0);
  EXPECT_EQ(link.Counts().passed, 10000);
  EXPECT_NEAR(Share(late, 10000), 50.0, 2.0);
  // Each datagram's tries are lost with one chance in two: one resend per datagram on average.
  EXPECT_NEAR(static_cast<double>(link.Counts().resent) / 10000.0, 1.0, 0.06);
}

TEST(LinkConditions, LeaveTheGamesOwnGeneratorAlone) {
  SeedRandom(1234);
  int32_t before = RandomState();
  TLinkDirection link(Bad(), 99);
  for (int i = 0; i < 1000; i++) {
    link.Unreliable();
    link.Reliable();
  }
  EXPECT_EQ(RandomState(), before);
}

TEST(LinkConditions, OutOfRangeConditionsAreClamped) {
  TLinkConditions conditions;
  conditions.delayMillis = -20;
  conditions.jitterMillis = -5;
  conditions.lossPercent = 250;
  conditions.duplicatePercent = std::nan("");
  TLinkDirection link(conditions, 1);
  EXPECT_EQ(link.Conditions().delayMillis, 0);
  EXPECT_EQ(link.Conditions().jitterMillis, 0);
  EXPECT_EQ(link.Conditions().lossPercent, 100.0);
  EXPECT_EQ(link.Conditions().duplicatePercent, 0.0);
  for (int i = 0; i < 100; i++) {
    EXPECT_EQ(link.Unreliable().copies, 0);
  }
  // A reliable datagram on a link that loses everything still arrives, after its capped resends, in finite time.
  EXPECT_GT(link.Reliable(), 0);
  EXPECT_EQ(link.Counts().resent, 15);
}

TEST(LinkRandom, BetweenCoversItsBoundsEvenly) {
  TLinkRandom random(8);
  int counts[5] = {};
  for (int i = 0; i < 50000; i++) {
    int32_t value = random.Between(-2, 2);
    ASSERT_GE(value, -2);
    ASSERT_LE(value, 2);
    counts[value + 2]++;
  }
  for (int count : counts) {
    EXPECT_NEAR(count, 10000, 400);
  }
  EXPECT_EQ(random.Between(7, 3), 7);
  EXPECT_EQ(random.Between(std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max()),
            std::numeric_limits<int32_t>::max());
}
