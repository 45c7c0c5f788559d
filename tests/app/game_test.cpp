// The match loop's states, their timing, the head-up display and the messages.
#include "app/game.h"

#include <gtest/gtest.h>

#include "fighters/figure.h"
#include "frontend/menu.h"
#include "media/audio/audio.h"
#include "media/graphics/image.h"
#include "shared/game_state.h"
#include "support/headless_game.h"

namespace {

class GameLoopTest : public HeadlessGameTest {
protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    StartTournament(0);
  }
  void StartFight() {
    RunFrame();
    ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));
  }
};

}  // namespace

TEST_F(GameLoopTest, TheCountdownShowsTheRoundThenThreeTwoOneThenFight) {
  RunFrame();  // the countdown starts in this frame
  ASSERT_EQ(GameState, GAMESTATE_COUNTDOWN);
  int32_t start = StateTime;
  struct {
    int32_t at;
    const char16_t* text;
  } const expected[] = {{0, u"Round 1"}, {1999, u"Round 1"}, {2000, u"3"}, {2999, u"3"},
                        {3000, u"2"},    {4000, u"1"},       {4999, u"1"}, {5000, u"FIGHT!"}};
  for (const auto& step : expected) {
    clock.Set(start + step.at);
    driver.log.clear();
    Game::Frame();
    lastFrame = driver.log;
    EXPECT_TRUE(Shows(step.text)) << step.at;
  }
  // At exactly 5000 ms the countdown is still running (strictly later ends it), showing "FIGHT!".
  EXPECT_EQ(GameState, GAMESTATE_COUNTDOWN);
  clock.Set(start + 5001);
  Game::Frame();
  EXPECT_EQ(GameState, GAMESTATE_FIGHT);
  clock.Set(start + 5999);
  driver.log.clear();
  Game::Frame();
  lastFrame = driver.log;
  EXPECT_TRUE(Shows(u"FIGHT!"));
  clock.Set(start + 6000);
  driver.log.clear();
  Game::Frame();
  lastFrame = driver.log;
  EXPECT_FALSE(Shows(u"FIGHT!"));
  EXPECT_EQ(TextsDrawn().size(), 1u);  // only the score
}

TEST_F(GameLoopTest, TheDisplayDrawsHealthAndPowerBarsTowardsTheMiddle) {
  StartFight();
  Fighters[0]->health = 50;  // of 100
  Fighters[0]->power = {100, 40};
  Fighters[1]->health = 33;
  Fighters[1]->power = {0, 100};
  Fighters[1]->maxhealth = 100;
  GameState = GAMESTATE_ROUND_OVER;  // nothing moves
  StateTime = clock.Now();
  RunFrame();
  auto green = RectsIn(0, 255, 0);
  ASSERT_EQ(green.size(), 2u);
  EXPECT_EQ(green[0].Left(), 10);
  EXPECT_EQ(green[0].Right(), 85);  // 50 * 150 / 100
  EXPECT_EQ(green[0].Top(), 10);
  EXPECT_EQ(green[0].Bottom(), 26);
  EXPECT_EQ(green[1].Right(), 390);      // the opponent's grows leftwards
  EXPECT_EQ(green[1].Left(), 390 - 49);  // 33 * 150 / 100 = 49.5, truncated
  auto yellow = RectsIn(255, 255, 0);
  ASSERT_EQ(yellow.size(), 4u);
  EXPECT_EQ(yellow[0].Right() - yellow[0].Left(), 150);
  EXPECT_EQ(yellow[0].Top(), 30);
  EXPECT_EQ(yellow[1].Right() - yellow[1].Left(), 60);
  EXPECT_EQ(yellow[1].Top(), 40);
  EXPECT_EQ(yellow[1].Bottom(), 48);
  EXPECT_EQ(yellow[2].Right() - yellow[2].Left(), 0);
  EXPECT_EQ(yellow[3].Left(), 240);
  // The score: white, centred on x 200 with its top at y 16.
  ASSERT_TRUE(Shows(u"0:0"));
  for (const TDrawRecord& record : LastFrame()) {
    if (record.kind == TDrawRecord::IMAGE && record.pixmap == glyphs[':']) {
      EXPECT_EQ(record.red, 255);
      EXPECT_EQ(record.blue, 255);
      // Three glyphs of 10 with spacing 2: width 3 * 12 - 2 - 4 = 30; the pen starts at 200 - 4 - 15.
      EXPECT_EQ(record.tx, 181 + 12);
      EXPECT_EQ(record.ty, 16 - 20);
    }
  }
}

TEST_F(GameLoopTest, TheBackgroundOfTheLevelIsDrawnFirstAndAMissingOneIsSkipped) {
  auto pixmap = TPixmap::Create(400, 300, TPixmap::FORMAT_RGB888);
  Backgrounds[3] = TImage::Load(pixmap, 0, 0, 0, 0);
  Level = 3;
  RunFrame();
  ASSERT_GE(LastFrame().size(), 2u);
  EXPECT_EQ(LastFrame()[0].kind, TDrawRecord::CLS);
  EXPECT_EQ(LastFrame()[1].kind, TDrawRecord::IMAGE);
  EXPECT_EQ(LastFrame()[1].pixmap, pixmap.get());
  EXPECT_EQ(LastFrame()[1].Left(), 0);
  EXPECT_EQ(LastFrame()[1].Top(), 0);
  Level = 4;
  RunFrame();
  EXPECT_NE(LastFrame()[1].pixmap, pixmap.get());
  EXPECT_EQ(LastFrame().back().kind, TDrawRecord::FLIP);
}

TEST_F(GameLoopTest, ARoundEndsWhenAFighterIsDownAndBothDownIsADraw) {
  StartFight();
  Fighters[0]->health = 0;
  Fighters[1]->health = 0;
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_ROUND_OVER);
  EXPECT_EQ(RoundWinner, -1);
  EXPECT_EQ(Round, 2);
  EXPECT_EQ(RoundsWon[0], 0);
  EXPECT_EQ(RoundsWon[1], 0);
  EXPECT_EQ(Fighters[0]->action, ACTION_GUARD);  // nobody is declared the winner
  // The pause lasts until strictly more than 1000 ms have passed.
  int32_t start = StateTime;
  clock.Set(start + 1000);
  Game::Frame();
  EXPECT_EQ(GameState, GAMESTATE_ROUND_OVER);
  clock.Set(start + 1001);
  Game::Frame();
  EXPECT_EQ(GameState, GAMESTATE_WAIT);
  // Pause does not go on; any other command does.
  Tap('\x1b');
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_WAIT);
  Tap('A');
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_COUNTDOWN);
  EXPECT_EQ(Fighters[0]->health, Fighters[0]->maxhealth);
  EXPECT_EQ(Fighters[1]->x, 200);
}

TEST_F(GameLoopTest, AWinnerStandsInTriumphAndTheFightersFreeze) {
  StartFight();
  Fighters[1]->health = 0;
  RunFrame();
  EXPECT_EQ(RoundWinner, 0);
  EXPECT_EQ(Fighters[0]->action, ACTION_WIN);
  int32_t x = Fighters[1]->x;
  Fighters[1]->recoil = 5;
  RunFrames(20);
  EXPECT_EQ(Fighters[1]->x, x);  // not stepped outside the fight
}

TEST_F(GameLoopTest, WinningALevelAgainWithASmallerMarginKeepsTheBetterOne) {
  Progress[0] = 2;
  StartFight();
  RoundsWon = {3, 2};
  RoundWinner = 0;
  GameState = GAMESTATE_WAIT;
  Tap('J');
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_OVER);
  EXPECT_EQ(Progress[0], 2);
  Level = 5;
  RoundsWon = {3, 1};
  GameState = GAMESTATE_WAIT;
  Tap('J');
  RunFrame();
  EXPECT_EQ(Progress[5], 2);
}

TEST_F(GameLoopTest, AfterTheMatchItsPictureStaysUnderTheMenu) {
  GameState = GAMESTATE_OVER;
  MenuState = MENUSTATE_SHOWN;
  MenuSlide = 0;
  RunFrame();
  EXPECT_TRUE(Shows(u"0:0"));
  EXPECT_TRUE(Shows(u"Tournament"));
  // Both health bars, and over them the main screen's highlighted row.
  EXPECT_EQ(RectsIn(0, 255, 0).size(), 3u);
}
