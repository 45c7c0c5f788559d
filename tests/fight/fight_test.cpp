// A match of two players as a value: stepped on input frames alone, saved, restored and hashed.
#include "fight/fight.h"

#include <gtest/gtest.h>

#include <vector>

#include "fight/ai_pilot.h"
#include "fight/input_frame.h"
#include "media/core/clock.h"
#include "media/core/random.h"
#include "shared/game_state.h"
#include "shared/rules.h"
#include "support/game_fixture.h"

namespace {

class FightTest : public GameTest {
protected:
  // A player who walks in and throws the right hand high every tenth tick, and goes on after a knockout.
  static TInputFrame Attacker(const TFight& fight) {
    if (fight.Phase() == FIGHT_WAIT) {
      return MakeInput({COMMAND_RIGHT_HAND}, {COMMAND_RIGHT_HAND});
    }
    int32_t distance = fight.Fighter(1).x - fight.Fighter(0).x;
    if (distance > 75) {
      return MakeInput({COMMAND_FORWARD});
    }
    return fight.Tick() % 10 == 0 ? MakeInput({COMMAND_UP}, {COMMAND_RIGHT_HAND}) : MakeInput({COMMAND_UP});
  }
  // Runs ticks with the attacker on the left against a player who only guards, until the phase is reached.
  static bool RunUntilPhase(TFight& fight, int32_t phase, int32_t limit = 20000) {
    for (int32_t i = 0; i < limit && fight.Phase() != phase; i++) {
      fight.Advance(Attacker(fight), INPUT_NONE);
    }
    return fight.Phase() == phase;
  }
  // Inputs of a scripted match, the same for every run: a little generator of its own.
  static std::vector<std::array<TInputFrame, 2>> Script(uint32_t seed, int32_t ticks) {
    std::vector<std::array<TInputFrame, 2>> script(static_cast<size_t>(ticks));
    for (auto& frames : script) {
      for (TInputFrame& frame : frames) {
        seed = seed * 1103515245u + 12345u;
        frame = static_cast<TInputFrame>((seed >> 16) & INPUT_VALID_BITS);
      }
    }
    return script;
  }
};

}  // namespace

TEST_F(FightTest, AnInputFrameCarriesEachCommandsHeldStateAndNewPress) {
  TCommandFrame commands;
  commands.down[COMMAND_UP] = true;
  commands.hit[COMMAND_UP] = true;
  commands.down[COMMAND_BACKWARD] = true;
  commands.hit[COMMAND_LEFT_HAND] = true;
  TInputFrame frame = PackInput(commands, true, false);
  EXPECT_EQ(frame & ~INPUT_VALID_BITS, 0);
  TCommandFrame back = UnpackInput(frame);
  EXPECT_EQ(back.down, commands.down);
  EXPECT_EQ(back.hit, commands.hit);
  EXPECT_TRUE(InputHeld(frame, COMMAND_PAUSE));
  EXPECT_FALSE(InputHit(frame, COMMAND_PAUSE));
  EXPECT_EQ(frame, MakeInput({COMMAND_UP, COMMAND_BACKWARD, COMMAND_PAUSE}, {COMMAND_UP, COMMAND_LEFT_HAND}));
}

TEST_F(FightTest, TheSameInputsGiveTheSameMatchWhateverTheMachinesClockSays) {
  auto script = Script(7, 6000);
  TFight first;
  TFight second;
  std::vector<uint64_t> hashes;
  for (size_t tick = 0; tick < script.size(); tick++) {
    clock.Set(static_cast<int32_t>(tick * 37));  // the machine's clock runs as it likes
    first.Advance(script[tick][0], script[tick][1]);
    clock.Set(static_cast<int32_t>(999999 - tick));
    second.Advance(script[tick][0], script[tick][1]);
    ASSERT_EQ(first.Hash(), second.Hash()) << "tick " << tick;
    hashes.push_back(first.Hash());
  }
  EXPECT_EQ(first.Now(), 6000 * FRAME_MILLIS);
  // Other keys on one side in one tick of a round, and the matches part there.
  TFight third;
  for (size_t tick = 0; tick <= 300; tick++) {
    TInputFrame left = tick == 300 ? static_cast<TInputFrame>(script[tick][0] ^ INPUT_VALID_BITS) : script[tick][0];
    third.Advance(left, script[tick][1]);
  }
  EXPECT_EQ(third.Phase(), FIGHT_ROUND);
  EXPECT_NE(third.Hash(), hashes[300]);
}

TEST_F(FightTest, ARestoredStatePlaysOnExactlyAsTheFirstTimeEventsIncluded) {
  auto script = Script(11, 4000);
  TFight fight;
  for (size_t tick = 0; tick < 1500; tick++) {
    fight.Advance(script[tick][0], script[tick][1]);
  }
  TFightState saved;
  fight.Save(&saved);
  std::vector<uint64_t> hashes;
  std::vector<std::vector<TFightEvent>> events;
  for (size_t tick = 1500; tick < script.size(); tick++) {
    auto span = fight.Advance(script[tick][0], script[tick][1]);
    events.emplace_back(span.begin(), span.end());
    hashes.push_back(fight.Hash());
  }
  size_t heard = 0;
  for (const auto& tick : events) {
    heard += tick.size();
  }
  ASSERT_GT(heard, 10u) << "the script should make sounds";
  fight.Load(saved);
  EXPECT_EQ(fight.Tick(), 1500);
  EXPECT_EQ(HashFightState(saved), fight.Hash());
  for (size_t tick = 1500; tick < script.size(); tick++) {
    auto span = fight.Advance(script[tick][0], script[tick][1]);
    const auto& before = events[tick - 1500];
    ASSERT_EQ(span.size(), before.size()) << "tick " << tick;
    for (size_t i = 0; i < span.size(); i++) {
      EXPECT_EQ(span[i].tick, before[i].tick);
      EXPECT_EQ(span[i].sound, before[i].sound);
      EXPECT_EQ(span[i].fighter, before[i].fighter);
    }
    ASSERT_EQ(fight.Hash(), hashes[tick - 1500]) << "tick " << tick;
  }
}

TEST_F(FightTest, AMatchCountsDownFightsToKnockoutsWaitsForAPressAndEndsAtThreeRounds) {
  TFight fight;
  EXPECT_EQ(fight.Phase(), FIGHT_COUNTDOWN);
  auto events = fight.Advance(INPUT_NONE, INPUT_NONE);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].sound, SFX_COUNTDOWN);
  for (int32_t tick = 1; tick < FIGHT_COUNTDOWN_TICKS; tick++) {
    fight.Advance(MakeInput({COMMAND_FORWARD}), INPUT_NONE);
  }
  EXPECT_EQ(fight.Phase(), FIGHT_COUNTDOWN);
  EXPECT_EQ(fight.Fighter(0).x, 0);  // nobody moves in the countdown
  events = fight.Advance(INPUT_NONE, INPUT_NONE);
  EXPECT_EQ(fight.Phase(), FIGHT_ROUND);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].sound, SFX_FIGHT);

  for (int32_t round = 1; round <= 3; round++) {
    ASSERT_TRUE(RunUntilPhase(fight, FIGHT_ROUND_OVER)) << "round " << round;
    EXPECT_EQ(fight.RoundWinner(), 0);
    EXPECT_EQ(fight.RoundsWon(0), round);
    EXPECT_EQ(fight.Fighter(0).action, ACTION_WIN);
    EXPECT_EQ(fight.Fighter(1).action, ACTION_DOWN);
    EXPECT_EQ(fight.Round(), round + 1);
    if (round < 3) {
      ASSERT_TRUE(RunUntilPhase(fight, FIGHT_WAIT));
      for (int32_t tick = 0; tick < 100; tick++) {
        fight.Advance(MakeInput({COMMAND_PAUSE}, {COMMAND_PAUSE}), INPUT_NONE);  // Pause does not go on
      }
      EXPECT_EQ(fight.Phase(), FIGHT_WAIT);
      fight.Advance(INPUT_NONE, MakeInput({}, {COMMAND_DOWN}));  // either player does
      EXPECT_EQ(fight.Phase(), FIGHT_COUNTDOWN);
      EXPECT_EQ(fight.Fighter(1).health, VERSUS_HEALTH);
      ASSERT_TRUE(RunUntilPhase(fight, FIGHT_ROUND));
    }
  }
  EXPECT_EQ(fight.Winner(), 0);
  ASSERT_TRUE(RunUntilPhase(fight, FIGHT_OVER, 100));
  EXPECT_EQ(fight.PhaseTicks(), 1);  // entered in the tick just played, a second after the last knockout
  uint64_t over = fight.Hash();
  fight.Advance(MakeInput({}, {COMMAND_RIGHT_HAND}), MakeInput({}, {COMMAND_RIGHT_HAND}));
  EXPECT_EQ(fight.Phase(), FIGHT_OVER);  // nothing starts again by itself
  EXPECT_NE(fight.Hash(), over);         // but the clock runs on
}

TEST_F(FightTest, PunchSoundsAreEventsOfTheirTickAndFighter) {
  TFight fight;
  ASSERT_TRUE(RunUntilPhase(fight, FIGHT_ROUND));
  // The left one punches into the air from its corner.
  auto events = fight.Advance(MakeInput({}, {COMMAND_LEFT_HAND}), INPUT_NONE);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, TFightEvent::PUNCH_SOUND);
  EXPECT_EQ(events[0].sound, FIGHT_SOUND_WOOSH);
  EXPECT_EQ(events[0].fighter, 0);
  EXPECT_EQ(events[0].tick, fight.Tick() - 1);
  EXPECT_FLOAT_EQ(events[0].volume, 1.0f);
}

TEST_F(FightTest, TheRulesFingerprintIsStableAndFollowsTheRules) {
  uint64_t fingerprint = FightRulesHash();
  EXPECT_EQ(FightRulesHash(), fingerprint);
  EXPECT_NE(fingerprint, TFight().Hash());
}

TEST_F(FightTest, TwoComputersFightAMatchThroughTheirKeysToTheEnd) {
  SeedRandom(3);
  const std::array<int32_t, 6> level5 = {300, 240, 70, 800, 2, 1};
  const std::array<int32_t, 6> level8 = {210, 130, 35, 550, 2, 1};
  TAIPilot left(level5);
  TAIPilot right(level8);
  TFight fight;
  int32_t punches = 0;
  for (int32_t tick = 0; tick < 50 * 600 && fight.Phase() != FIGHT_OVER; tick++) {
    TInputFrame a = left.Next(fight, 0);
    TInputFrame b = right.Next(fight, 1);
    punches += InputHit(a, COMMAND_RIGHT_HAND) || InputHit(a, COMMAND_LEFT_HAND) ? 1 : 0;
    fight.Advance(a, b);
  }
  EXPECT_EQ(fight.Phase(), FIGHT_OVER);
  EXPECT_GT(punches, 20);
  EXPECT_EQ(fight.RoundsWon(fight.Winner()), ROUNDS_TO_WIN);
}
