// The how-to-play card over a training countdown and in the pause menu, and the prompt after a knockout, with the
// player's own keys.
#include "frontend/guidance.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fighters/figure.h"
#include "frontend/font.h"
#include "frontend/match_start.h"
#include "frontend/menu.h"
#include "media/input/key_codes.h"
#include "shared/game_state.h"
#include "support/headless_game.h"

namespace {

class GuidanceTest : public HeadlessGameTest {
protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    SmallFont = GameFont;   // the test font, whose glyphs the drawing log tells apart
    GameFont->_offset = 0;  // so that a text's glyph cells span just what the font measures
    KeyNames['W'] = u"W";
    KeyNames['S'] = u"S";
    KeyNames['J'] = u"J";
    KeyNames['I'] = u"I";
    KeyNames[27] = u"Esc";
  }
  // The session's first training match, from the menu as a player starts it.
  void StartFirstTraining() {
    StartTrainingMatch();
    MenuState = MENUSTATE_HIDDEN;
    MenuSlide = 400;
  }
  // The card's dark panel in the last frame.
  TDrawRecord Panel() const {
    std::vector<TDrawRecord> dark = RectsIn(0, 0, 0);
    return dark.empty() ? TDrawRecord() : dark.front();
  }
  // Whether the key's text ends just left of its own action's, on the same line.
  bool KeyBeside(const std::u16string& key, const std::u16string& action) const {
    TPlacedText k = Placed(key);
    TPlacedText a = Placed(action);
    return !k.text.empty() && !a.text.empty() && k.top == a.top && k.right < a.left && a.left - k.right < 20;
  }
};

}  // namespace

TEST_F(GuidanceTest, TheCardSetsEachKeyBesideItsOwnActionBelowTheCountdownsMessage) {
  StartTraining();
  RunFrame();
  ASSERT_EQ(GameState, GAMESTATE_COUNTDOWN);
  EXPECT_TRUE(Shows(u"How to play"));
  EXPECT_TRUE(KeyBeside(u"W", u"guard high"));
  EXPECT_TRUE(KeyBeside(u"S", u"guard low"));
  EXPECT_TRUE(KeyBeside(u"J", u"right punch"));
  EXPECT_TRUE(KeyBeside(u"I", u"left punch"));
  EXPECT_FALSE(Shows(u"Down"));  // S has a caption: the command's name is not used
  EXPECT_TRUE(Shows(u"Green bar: health. Yellow bars: each hand's"));
  EXPECT_TRUE(Shows(u"A knockout wins a round, three the match."));
  EXPECT_TRUE(Shows(u"Esc: pause"));
  // The countdown's message above the panel, every line of the card on it.
  TDrawRecord panel = Panel();
  TPlacedText round = Placed(u"Round 1");
  ASSERT_FALSE(round.text.empty());
  EXPECT_LT(round.top, Placed(u"How to play").top);
  float lowest = 0;
  for (const TPlacedText& text : TextsPlaced()) {
    if (text.text != u"Round 1" && text.text != u"0:0") {
      EXPECT_GE(text.top + 20, panel.Top()) << std::string(text.text.begin(), text.text.end());
      lowest = std::max(lowest, text.top);
    }
  }
  EXPECT_EQ(lowest, Placed(u"Esc: pause").top);  // the pause key's line is the last
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));
  RunFrame();
  EXPECT_FALSE(Shows(u"How to play"));
}

TEST_F(GuidanceTest, TheKeyTableLeavesTheSameMarginEitherSideWhateverTheKeysAreCalled) {
  KeyNames['W'] = u"Numpad 8";  // a long caption in the left column
  StartTraining();
  RunFrame();
  TDrawRecord panel = Panel();
  float left = Placed(u"Numpad 8").left;
  float right = std::max(Placed(u"guard low").right, std::max(Placed(u"walk away").right, Placed(u"left punch").right));
  EXPECT_NEAR(left - panel.Left(), panel.Right() - right, 1.0f);
  EXPECT_TRUE(KeyBeside(u"Numpad 8", u"guard high"));
  EXPECT_EQ(Placed(u"J").right, Placed(u"Numpad 8").right);  // the column's keys end where its longest does
}

TEST_F(GuidanceTest, TheSessionsFirstTrainingCountdownWaitsWithTheCardUpUntilTheRightHand) {
  StartFirstTraining();
  RunFrames(600);  // twelve seconds: more than a countdown
  EXPECT_EQ(GameState, GAMESTATE_COUNTDOWN);
  EXPECT_TRUE(Shows(u"Round 1"));
  EXPECT_TRUE(Shows(u"Esc: pause. Press J when ready."));
  Tap('W');  // another command does not start it
  RunFrame();
  EXPECT_EQ(HowToPlayRead, 0);
  Tap('J');
  RunFrame();
  EXPECT_EQ(HowToPlayRead, 1);
  EXPECT_TRUE(Shows(u"Esc: pause"));
  // Then it counts as any countdown: "Round 1" two seconds, 3, 2, 1, the fight five seconds after the press.
  RunFrames(245);
  EXPECT_EQ(GameState, GAMESTATE_COUNTDOWN);
  EXPECT_TRUE(Shows(u"1"));
  RunFrames(10);
  EXPECT_EQ(GameState, GAMESTATE_FIGHT);

  // The next training match of the session counts at once.
  GameState = GAMESTATE_OVER;
  StartFirstTraining();
  RunFrames(260);
  EXPECT_EQ(GameState, GAMESTATE_FIGHT);
}

TEST_F(GuidanceTest, ATournamentCountdownHasNoCardAndNeverWaits) {
  StartTournament(3);
  RunFrame();
  ASSERT_EQ(GameState, GAMESTATE_COUNTDOWN);
  EXPECT_FALSE(Shows(u"How to play"));
  RunFrames(260);
  EXPECT_EQ(GameState, GAMESTATE_FIGHT);
}

TEST_F(GuidanceTest, ThePauseMenuShowsTheCardUntilAKeyAndTheKeyChoosesNothing) {
  StartTournament(0);
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));
  Tap(KEY_ESCAPE);
  RunFrame();
  ASSERT_EQ(GameState, GAMESTATE_PAUSED);
  Tap(KEY_DOWN);
  RunFrame();
  Tap(KEY_ENTER);
  RunFrame();
  RunFrame();
  EXPECT_TRUE(Shows(u"How to play"));
  EXPECT_TRUE(Shows(u"Press a key to go back."));
  EXPECT_FALSE(Shows(u"Continue"));
  int32_t x = Fighters[1]->x;
  RunFrames(100);
  EXPECT_EQ(Fighters[1]->x, x);  // the fight stays stopped under the card
  Tap(KEY_ENTER);                // would choose "How to play" again if it reached the menu
  RunFrame();
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_PAUSED);
  EXPECT_FALSE(Shows(u"Press a key to go back."));
  EXPECT_TRUE(Shows(u"Continue"));
  EXPECT_EQ(PauseChoice, 1);
  // Escape too puts the card away, and leaves the fight paused.
  Tap(KEY_ENTER);
  RunFrame();
  Tap(KEY_ESCAPE);
  RunFrame();
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_PAUSED);
  EXPECT_TRUE(Shows(u"Continue"));
}

TEST_F(GuidanceTest, TheWaitAfterAKnockoutNamesTheKeyButEnterSpaceAndAnyCommandButPauseGoOn) {
  StartTournament(0);
  // Three knockouts: the last key ends the match.
  for (int32_t key : {int32_t{KEY_ENTER}, int32_t{KEY_SPACE}, int32_t{'A'}}) {
    ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));
    Fighters[1]->health = 0;
    RunFrame();
    EXPECT_FALSE(Shows(u"Press J to go on"));  // not during the short pause after the knockout
    ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_WAIT; }));
    RunFrame();
    EXPECT_TRUE(Shows(u"Press J to go on"));
    Tap(KEY_ESCAPE);  // Pause does not go on
    RunFrame();
    EXPECT_EQ(GameState, GAMESTATE_WAIT);
    Tap(key);
    RunFrame();
    EXPECT_NE(GameState, GAMESTATE_WAIT) << key;
    EXPECT_FALSE(Shows(u"Press J to go on"));
  }
}

TEST_F(GuidanceTest, WithoutTheSmallFontNothingIsExplainedAndNothingBreaks) {
  SmallFont = nullptr;
  StartFirstTraining();
  RunFrame();
  EXPECT_FALSE(Shows(u"How to play"));
  EXPECT_TRUE(Shows(u"Round 1"));
  Tap('J');
  RunFrames(260);
  EXPECT_EQ(GameState, GAMESTATE_FIGHT);
}
