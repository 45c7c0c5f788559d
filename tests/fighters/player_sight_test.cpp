// What a player sees: the pose read back from the sprite cell, and the memory of the last second.
#include "fighters/player_sight.h"

#include <gtest/gtest.h>

#include "support/fighter_fixture.h"

namespace {

class PlayerSightTest : public FighterTest {};

TSight SightAt(int32_t time, int32_t opponentX) {
  TSight sight;
  sight.time = time;
  sight.opponent.x = opponentX;
  return sight;
}

}  // namespace

// The openings a player reads off the screen are the ones the fighter's step really builds, in every pose the
// sheet can show: a player who knows the rules is never told more, nor less, than the matrix.
TEST_F(PlayerSightTest, TheOpeningsReadFromEveryPoseAreTheFightersOwn) {
  Place(0, 150);
  for (int32_t action : {ACTION_GUARD, ACTION_RECOVER, ACTION_HURT, ACTION_FORWARD, ACTION_BACK}) {
    for (int32_t height = 0; height < HEIGHTS; height++) {
      for (int32_t side = 0; side < HANDS; side++) {
        b->action = action;
        b->height = height;
        b->side = side;
        b->time = clock.Now();
        b->Control();
        ASSERT_EQ(b->action, action);
        TSight sight = Look(*a, clock.Now());
        EXPECT_EQ(sight.opponent.Openings(), b->vuln)
            << "action " << action << " height " << height << " side " << side;
        if (action != ACTION_FORWARD && action != ACTION_BACK) {
          EXPECT_EQ(sight.opponent.Height(), height);
        }
        if (action == ACTION_RECOVER || action == ACTION_HURT) {
          EXPECT_EQ(sight.opponent.Side(), side);
        }
        Place(0, 150);
      }
    }
  }
}

TEST_F(PlayerSightTest, ItSeesPlacesBarsAndTheEndOfTheRound) {
  Place(30, 120);
  a->power = {40, 90};
  b->health = 333;
  b->action = ACTION_DOWN;
  TSight sight = Look(*a, 5000);
  EXPECT_EQ(sight.time, 5000);
  EXPECT_EQ(sight.Distance(), 90);
  EXPECT_EQ(sight.self.power[0], 40);
  EXPECT_EQ(sight.self.power[1], 90);
  EXPECT_EQ(sight.opponent.health, 333);
  EXPECT_EQ(sight.opponent.Action(), ACTION_DOWN);
  EXPECT_EQ(sight.self.Action(), ACTION_GUARD);
}

TEST(SightMemory, GivesTheLatestSightThatIsOldEnough) {
  TSightMemory memory;
  EXPECT_EQ(memory.SeenBefore(1000, 0), nullptr);
  for (int32_t time = 1000; time <= 3000; time += 20) {  // longer than the ring, which wraps
    memory.Remember(SightAt(time, time / 20));
  }
  const TSight* seen = memory.SeenBefore(3000, 250);
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(seen->time, 2740);  // the latest at least 250 ms before 3000
  EXPECT_EQ(seen->opponent.x, 2740 / 20);
  ASSERT_NE(memory.SeenBefore(3000, 0), nullptr);
  EXPECT_EQ(memory.SeenBefore(3000, 0)->time, 3000);
  ASSERT_NE(memory.SeenBefore(3000, TSightMemory::LONGEST_MILLIS), nullptr);
  EXPECT_EQ(memory.SeenBefore(3000, TSightMemory::LONGEST_MILLIS)->time, 1800);
}

TEST(SightMemory, APauseBetweenRoundsForgetsTheRoundBefore) {
  TSightMemory memory;
  for (int32_t time = 1000; time <= 2000; time += 20) {
    memory.Remember(SightAt(time, 1));
  }
  memory.Remember(SightAt(8000, 2));  // the next round, six seconds on
  EXPECT_EQ(memory.SeenBefore(8100, 200), nullptr);
  ASSERT_NE(memory.SeenBefore(8100, 100), nullptr);
  EXPECT_EQ(memory.SeenBefore(8100, 100)->opponent.x, 2);
}
