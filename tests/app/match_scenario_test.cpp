// Whole matches played headless, frame by frame, with key presses as a player would make them.
#include <gtest/gtest.h>

#include <map>

#include "fighters/controller_ai.h"
#include "fighters/figure.h"
#include "frontend/menu.h"
#include "media/audio/audio.h"
#include "media/input/key_codes.h"
#include "shared/game_state.h"
#include "support/headless_game.h"

namespace {

constexpr int32_t kForward = 'D';
constexpr int32_t kRightHand = 'J';
constexpr int32_t kLeftHand = 'I';
constexpr int32_t kUp = 'W';
constexpr int32_t kDown = 'S';

class MatchScenarioTest : public HeadlessGameTest {
protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    for (auto& sound : Sfx) {
      sound = CurrentAudioDriver().CreateSound(nullptr, 0);
    }
  }

  int CountSfxPlays(int32_t index) const {
    int count = 0;
    for (const auto& play : NullAudioLog().Recent()) {
      count += play.sound == Sfx[static_cast<size_t>(index)].get() ? 1 : 0;
    }
    return count;
  }

  void Hold(int32_t key, bool held) {
    if (held && !down[key]) {
      KeyDown(key);
    } else if (!held && down[key]) {
      KeyUp(key);
    }
    down[key] = held;
  }

  // A player who walks in, then punches where the opponent does not guard: high against a middle or low guard,
  // low against a high one. Fights until the round is over.
  void FightRound() {
    for (int frames = 0; GameState == GAMESTATE_FIGHT && frames < 20000; frames++) {
      const TFigure& me = *Fighters[0];
      const TFigure& opponent = *Fighters[1];
      bool inReach = opponent.x - me.x < 78;
      Hold(kForward, !inReach);
      Hold(kUp, inReach && opponent.height != 0);
      Hold(kDown, inReach && opponent.height == 0);
      if (inReach && me.action == ACTION_GUARD) {
        Tap(frames % 2 == 0 ? kRightHand : kLeftHand);
      }
      RunFrame();
    }
    Hold(kForward, false);
    Hold(kUp, false);
    Hold(kDown, false);
  }

  // Ends the round in the next frame of the fight with the given fighters knocked out.
  void KnockOut(bool player, bool opponent) {
    ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));
    if (player) {
      Fighters[0]->health = 0;
    }
    if (opponent) {
      Fighters[1]->health = 0;
    }
    RunFrame();
    ASSERT_EQ(GameState, GAMESTATE_ROUND_OVER);
    ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_WAIT; }));
    Tap(kUp);
    RunFrame();
  }

  std::map<int32_t, bool> down;
};

}  // namespace

TEST_F(MatchScenarioTest, ATournamentMatchFromTheCountdownToYouWon) {
  StartTournament(0);
  // The opponent is slow to start: it takes a second to decide anything.
  auto* ai = dynamic_cast<TControllerAI*>(Fighters[1]->controller.get());
  ai->t_pose = 2000;
  ai->t_decide = 2000;

  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_COUNTDOWN);
  EXPECT_EQ(CountSfxPlays(SFX_COUNTDOWN), 1);
  EXPECT_TRUE(Shows(u"Round 1"));
  EXPECT_TRUE(Shows(u"0:0"));
  RunFrames(100);  // two seconds
  EXPECT_TRUE(Shows(u"3"));
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));
  EXPECT_EQ(CountSfxPlays(SFX_FIGHT), 1);
  RunFrame();
  EXPECT_TRUE(Shows(u"FIGHT!"));

  for (int round = 1; round <= 3; round++) {
    FightRound();
    ASSERT_EQ(GameState, GAMESTATE_ROUND_OVER) << "round " << round;
    EXPECT_EQ(RoundWinner, 0);
    EXPECT_EQ(RoundsWon[0], round);
    EXPECT_EQ(Round, round + 1);
    EXPECT_EQ(Fighters[0]->action, ACTION_WIN);
    EXPECT_EQ(Fighters[1]->action, ACTION_DOWN);
    RunFrame();
    if (round < 3) {
      EXPECT_FALSE(Shows(u"You won!"));  // a round that does not end the match shows nothing
      ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_WAIT; }));
      Tap(kUp);
      RunFrame();
      ASSERT_EQ(GameState, GAMESTATE_COUNTDOWN);
      EXPECT_EQ(Fighters[1]->health, Fighters[1]->maxhealth);
      ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));
    }
  }

  EXPECT_TRUE(Shows(u"You won!"));
  EXPECT_TRUE(Shows(u"3:0"));
  EXPECT_EQ(CountSfxPlays(SFX_MATCH_WON), 0);  // the fanfare waits for the end of the pause
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_WAIT; }));
  EXPECT_EQ(CountSfxPlays(SFX_MATCH_WON), 1);
  EXPECT_EQ(CountSfxPlays(SFX_ROUND_OVER), 3);
  Tap(kRightHand);
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_OVER);
  EXPECT_EQ(MenuState, MENUSTATE_SLIDING_IN);
  EXPECT_EQ(InputLock, 1);
  EXPECT_EQ(Progress[0], 3);
  // The menu slides back in over the last picture of the match (80 frames, the first of them just run), then
  // unlocks input.
  RunFrames(78);
  EXPECT_EQ(InputLock, 1);
  RunFrame();
  EXPECT_EQ(MenuState, MENUSTATE_SHOWN);
  EXPECT_EQ(InputLock, 0);
  EXPECT_TRUE(Shows(u"3:0"));
}

TEST_F(MatchScenarioTest, LosingATournamentMatchLeavesProgressAlone) {
  StartTournament(2);
  Progress[2] = 1;
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));
  // The player stands still and lets the opponent do its work.
  for (int round = 0; round < 3; round++) {
    ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_ROUND_OVER; }, 100000));
    EXPECT_EQ(RoundWinner, 1);
    ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_WAIT; }));
    if (round < 2) {
      Tap(kUp);
      RunFrame();
      ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));
    }
  }
  EXPECT_EQ(RoundsWon[1], 3);
  EXPECT_TRUE(Shows(u"You lost"));
  EXPECT_EQ(CountSfxPlays(SFX_MATCH_LOST), 1);
  Tap(kUp);
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_OVER);
  EXPECT_EQ(Progress[2], 1);
}

TEST_F(MatchScenarioTest, TrainingRoundsAdaptTheSparringPartnerAfterEveryRound) {
  StartTraining();
  auto* ai = dynamic_cast<TControllerAI*>(Fighters[1]->controller.get());
  ASSERT_NE(ai, nullptr);
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));

  // A round won by real fighting, 1:0: every delay halves (factor 1 - 0.5 * 1).
  FightRound();
  ASSERT_EQ(RoundWinner, 0);
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_WAIT; }));
  Tap(kUp);
  RunFrame();
  EXPECT_EQ(ai->t_pose, 400);
  EXPECT_EQ(ai->t_punch, 400);
  EXPECT_EQ(ai->t_decide, 50);
  EXPECT_EQ(ai->t_vthresh, 400);
  EXPECT_EQ(ai->vthresh, 3);

  KnockOut(false, true);  // 2:0, halved again
  EXPECT_EQ(ai->t_pose, 200);
  EXPECT_EQ(ai->t_decide, 25);

  KnockOut(true, false);  // 2:1, lost: factor 1 + 0.8 / 3 and the delays grow
  EXPECT_EQ(ai->t_pose, 253);
  EXPECT_EQ(ai->t_decide, 31);

  KnockOut(true, true);  // drawn, still 2:1: grows the same way
  EXPECT_EQ(RoundsWon[0], 2);
  EXPECT_EQ(RoundsWon[1], 1);
  EXPECT_EQ(ai->t_pose, 320);
  EXPECT_EQ(ai->t_decide, 39);

  // Training goes on past three won rounds with no result shown.
  KnockOut(false, true);
  KnockOut(false, true);
  EXPECT_EQ(RoundsWon[0], 4);
  EXPECT_EQ(GameState, GAMESTATE_COUNTDOWN);
  EXPECT_EQ(CountSfxPlays(SFX_MATCH_WON), 0);
}

TEST_F(MatchScenarioTest, TrainingAfterOnlyDrawnRoundsKeepsTheDelaysAndNoneFallsBelowOneMillisecond) {
  StartTraining();
  auto* ai = dynamic_cast<TControllerAI*>(Fighters[1]->controller.get());
  KnockOut(true, true);
  EXPECT_EQ(ai->t_pose, 800);
  EXPECT_EQ(ai->t_decide, 100);
  for (int round = 0; round < 12; round++) {
    KnockOut(false, true);
  }
  EXPECT_EQ(ai->t_decide, 1);
  EXPECT_EQ(ai->t_pose, 1);
}

TEST_F(MatchScenarioTest, PauseContinueAndEndMatch) {
  StartTournament(0);
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));
  // Pause during the countdown of a later round does nothing; here, during the fight, it pauses.
  Tap(KEY_ESCAPE);
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_PAUSED);
  EXPECT_TRUE(Shows(u"Continue"));
  EXPECT_TRUE(Shows(u"End match"));
  // The fighters stand still while paused.
  int32_t x = Fighters[1]->x;
  int32_t health = Fighters[1]->health;
  RunFrames(200);
  EXPECT_EQ(Fighters[1]->x, x);
  EXPECT_EQ(Fighters[1]->health, health);
  // "Continue" is highlighted first; Enter picks it.
  ASSERT_EQ(RectsIn(0, 255, 0).size(), 3u);  // the player's health bar, the opponent's, and the highlight
  Tap(KEY_ENTER);
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_FIGHT);

  // Pause again, then Pause once more resumes.
  Tap(KEY_ESCAPE);
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_PAUSED);
  Tap(KEY_ESCAPE);
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_FIGHT);

  // Down past "How to play" to "End match" (wrapping from either end) and confirm with a punch key.
  Tap(KEY_ESCAPE);
  RunFrame();
  Tap(KEY_DOWN);
  RunFrame();
  EXPECT_EQ(PauseChoice, 1);
  Tap(KEY_DOWN);
  RunFrame();
  EXPECT_EQ(PauseChoice, 2);
  Tap(KEY_DOWN);
  RunFrame();
  EXPECT_EQ(PauseChoice, 0);
  Tap(KEY_UP);
  RunFrame();
  EXPECT_EQ(PauseChoice, 2);
  Tap(kRightHand);
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_OVER);
  EXPECT_EQ(MenuState, MENUSTATE_SLIDING_IN);
  EXPECT_EQ(InputLock, 1);
  EXPECT_EQ(Progress[0], 0);
}

TEST_F(MatchScenarioTest, PauseDoesNothingOutsideARound) {
  StartTournament(0);
  RunFrame();
  ASSERT_EQ(GameState, GAMESTATE_COUNTDOWN);
  Tap(KEY_ESCAPE);
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_COUNTDOWN);
}

TEST_F(MatchScenarioTest, TheMatchWaitsForTheMenuToSlideAwayWithInputLocked) {
  StartTournament(0);
  MenuState = MENUSTATE_SLIDING_OUT;
  MenuSlide = 0;
  InputLock = 1;
  RunFrames(79);
  EXPECT_EQ(GameState, GAMESTATE_SETUP);
  RunFrame();  // the slide reaches 400 in this frame's menu step
  EXPECT_EQ(MenuState, MENUSTATE_HIDDEN);
  EXPECT_EQ(GameState, GAMESTATE_SETUP);
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_COUNTDOWN);
  EXPECT_EQ(InputLock, 0);
}
