// The sync check: a match that is a function of its inputs alone passes, and one whose tick reads the machine's
// clock fails at the first tick where that makes a difference.
#include "fight/sync_check.h"

#include <gtest/gtest.h>

#include "media/core/clock.h"
#include "shared/game_state.h"
#include "shared/rules.h"
#include "support/game_fixture.h"

namespace {

// The fault the check is for, planted through the match's own clock: the fighters' timers (a walk's start, a
// punch's, a stagger's) read the machine's clock instead of the match's ticks.
class TWallClockFight : public TFight {
public:
  int32_t Now() const override { return ElapsedMillis(); }
};

class SyncCheckTest : public GameTest {
protected:
  // Both players walk in and throw the right hand every 25th tick, for the ticks given. The machine's clock moves
  // on 20 ms with each new tick, as a game's does, and stands still while ticks are played again.
  TFightInputs Players(int32_t ticks) {
    return [this, ticks](const TFight& fight, std::array<TInputFrame, 2>* frames) {
      if (fight.Tick() >= ticks) {
        return false;
      }
      clock.Advance(FRAME_MILLIS);
      TInputFrame frame =
          fight.Tick() % 25 == 0 ? MakeInput({COMMAND_FORWARD}, {COMMAND_RIGHT_HAND}) : MakeInput({COMMAND_FORWARD});
      *frames = {frame, frame};
      return true;
    };
  }
};

}  // namespace

TEST_F(SyncCheckTest, APureMatchPassesAndOneThatReadsTheMachinesClockFailsAtItsFirstTimedStep) {
  TFight checked;
  TSyncCheck check = CheckSync(checked, 8, Players(2000));
  EXPECT_TRUE(check.Passed());
  EXPECT_EQ(check.ticks, 2000);
  // Played again or not, the match comes out the same.
  TFight plain;
  TFightInputs players = Players(2000);
  std::array<TInputFrame, 2> frames{};
  while (players(plain, &frames)) {
    plain.Advance(frames[0], frames[1]);
  }
  EXPECT_EQ(checked.Hash(), plain.Hash());
  EXPECT_GT(checked.Round(), 2);  // through knockouts and the pauses after them

  TWallClockFight clocked;
  check = CheckSync(clocked, 8, Players(2000));
  // The countdown reads no clock. The round's first step starts both walks at the clock's reading, which differs
  // once the clock has moved on: when the next tick has been played, one tick later.
  EXPECT_FALSE(check.Passed());
  EXPECT_EQ(check.failedTick, FIGHT_COUNTDOWN_TICKS + 1);
  EXPECT_EQ(check.ticks, FIGHT_COUNTDOWN_TICKS + 3);
  EXPECT_NE(check.firstHash, check.againHash);
}
