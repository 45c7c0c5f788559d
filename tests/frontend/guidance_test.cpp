// The how-to-play card over a training countdown and the prompt after a knockout, with the player's own keys.
#include "frontend/guidance.h"

#include <gtest/gtest.h>

#include "fighters/figure.h"
#include "shared/game_state.h"
#include "support/headless_game.h"

namespace {

class GuidanceTest : public HeadlessGameTest {
protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    SmallFont = GameFont;  // the test font, whose glyphs the drawing log tells apart
    KeyNames['W'] = u"W";
    KeyNames['J'] = u"J";
    KeyNames[27] = u"Esc";
  }
};

}  // namespace

TEST_F(GuidanceTest, TheCardShowsOverATrainingCountdownWithThePlayersKeysAndNeverInAFight) {
  StartTraining();
  RunFrame();
  ASSERT_EQ(GameState, GAMESTATE_COUNTDOWN);
  EXPECT_TRUE(Shows(u"How to play"));
  EXPECT_TRUE(Shows(u"W"));
  EXPECT_TRUE(Shows(u"guard high"));
  EXPECT_TRUE(Shows(u"Down"));  // a key without a caption is named by its command
  EXPECT_TRUE(Shows(u"Yellow bars: each hand's punch power."));
  EXPECT_TRUE(Shows(u"Esc: pause"));
  // The card lies below the countdown's message and above nothing else of the display.
  EXPECT_TRUE(Shows(u"Round 1"));
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));
  RunFrame();
  EXPECT_FALSE(Shows(u"How to play"));
}

TEST_F(GuidanceTest, ATournamentCountdownHasNoCard) {
  StartTournament(3);
  RunFrame();
  ASSERT_EQ(GameState, GAMESTATE_COUNTDOWN);
  EXPECT_FALSE(Shows(u"How to play"));
}

TEST_F(GuidanceTest, TheWaitAfterAKnockoutNamesTheKeyThatGoesOn) {
  StartTournament(0);
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));
  Fighters[1]->health = 0;
  RunFrame();
  EXPECT_FALSE(Shows(u"Press J to go on"));  // not during the short pause after the knockout
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_WAIT; }));
  RunFrame();
  EXPECT_TRUE(Shows(u"Press J to go on"));
  Tap('J');
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_COUNTDOWN);
  EXPECT_FALSE(Shows(u"Press J to go on"));
}

TEST_F(GuidanceTest, WithoutTheSmallFontNothingIsExplainedAndNothingBreaks) {
  SmallFont = nullptr;
  StartTraining();
  RunFrame();
  EXPECT_FALSE(Shows(u"How to play"));
  EXPECT_TRUE(Shows(u"Round 1"));
}
