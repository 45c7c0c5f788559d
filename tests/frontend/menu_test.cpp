// The menu's slide, widgets and navigation.
#include "frontend/menu.h"

#include <gtest/gtest.h>

#include "controls/commands.h"
#include "controls/control.h"
#include "media/audio/audio.h"
#include "media/input/key_codes.h"
#include "shared/game_state.h"
#include "support/headless_game.h"

namespace {

class MenuTest : public HeadlessGameTest {
protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    for (auto& sound : Sfx) {
      sound = CurrentAudioDriver().CreateSound(nullptr, 0);
    }
  }
  // A new frame's input, as the match loop reads it.
  void Update() { TControl::Update(); }
  int Plays(int32_t index) const {
    int count = 0;
    for (const auto& play : NullAudioLog().Recent()) {
      count += play.sound == Sfx[static_cast<size_t>(index)].get() ? 1 : 0;
    }
    return count;
  }
};

}  // namespace

TEST_F(MenuTest, NavigationTakesTheFirstSourceAndLeavesTheOthersForLater) {
  // Player 2's arrows off the keyboard: a key bound to a command answers in the frame it was pressed in only.
  for (auto& binding : KeyBindings2) {
    binding->Detach();
  }
  Tap('S');  // the bound "Down"
  Tap(KEY_DOWN);
  Update();
  EXPECT_EQ(Menu::NavigateUD(), 1);
  EXPECT_EQ(Plays(SFX_MENU_MOVE), 1);
  Update();
  EXPECT_EQ(Menu::NavigateUD(), 1);  // the cursor key's press, read only now
  Update();
  EXPECT_EQ(Menu::NavigateUD(), 0);
  Tap(KEY_UP);
  Update();
  EXPECT_EQ(Menu::NavigateUD(), -1);
  Tap('A');
  Update();
  EXPECT_EQ(Menu::NavigateLR(), -1);
  Tap(KEY_RIGHT);
  Update();
  EXPECT_EQ(Menu::NavigateLR(), 1);
  EXPECT_EQ(Plays(SFX_MENU_MOVE), 5);
}

TEST_F(MenuTest, ActionAnswersToThePunchesAndEnterWithoutASound) {
  Tap('I');
  Update();
  EXPECT_EQ(Menu::Action(), 1);
  Tap('J');
  Update();
  EXPECT_EQ(Menu::Action(), 1);
  Tap(KEY_ENTER);
  Update();
  EXPECT_EQ(Menu::Action(), 1);
  EXPECT_EQ(NullAudioLog().Count(), 0);
}

TEST_F(MenuTest, WithInputLockedNothingReacts) {
  SetInputLock(1);
  Tap(KEY_DOWN);
  Tap(KEY_ENTER);
  EXPECT_EQ(Menu::NavigateUD(), 0);
  EXPECT_EQ(Menu::Action(), 0);
  EXPECT_EQ(Menu::Button(u"Back", 100, 1), 0);
  EXPECT_EQ(NullAudioLog().Count(), 0);
}

TEST_F(MenuTest, ButtonsDrawAGreenBarWhenSelectedAndOnlyTheSelectedOneReadsTheConfirm) {
  Tap(KEY_ENTER);
  Update();
  driver.log.clear();
  EXPECT_EQ(Menu::Button(u"Training", 78, 0), 0);
  EXPECT_EQ(Menu::Button(u"Quit", 126, 1), 1);
  EXPECT_EQ(Plays(SFX_MENU_ACTION), 1);
  lastFrame = driver.log;
  auto bars = RectsIn(0, 255, 0);
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(bars[0].Top(), 102);
  EXPECT_EQ(bars[0].Bottom(), 150);
  EXPECT_EQ(bars[0].Left(), 0);
  EXPECT_EQ(bars[0].Right(), 400);
  EXPECT_TRUE(Shows(u"Training"));
  EXPECT_EQ(lastFrame.back().red, 255);  // the text is white
  EXPECT_EQ(lastFrame.back().green, 255);
}

TEST_F(MenuTest, ASelectedSettingRowIsYellowWhileANewBindingIsAwaited) {
  driver.log.clear();
  Menu::ButtonTab(u"Up", u"W", 30, 1);
  lastFrame = driver.log;
  EXPECT_EQ(RectsIn(0, 255, 0).size(), 1u);
  InputLock = 1;
  driver.log.clear();
  Menu::ButtonTab(u"Up", u"W", 30, 1);
  lastFrame = driver.log;
  EXPECT_EQ(RectsIn(255, 255, 0).size(), 1u);
  auto texts = TextsDrawn();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], u"Up");
  EXPECT_EQ(texts[1], u"W");
}

TEST_F(MenuTest, TheMenuSlidesOutAndInFivePixelsAFrame) {
  MenuState = MENUSTATE_SLIDING_OUT;
  MenuSlide = 0;
  for (int frame = 1; frame < 80; frame++) {
    Menu::Draw();
  }
  EXPECT_EQ(MenuSlide, 395);
  EXPECT_EQ(MenuState, MENUSTATE_SLIDING_OUT);
  Menu::Draw();
  EXPECT_EQ(MenuState, MENUSTATE_HIDDEN);
  InputLock = 1;
  MenuState = MENUSTATE_SLIDING_IN;
  for (int frame = 0; frame < 80; frame++) {
    Menu::Draw();
  }
  EXPECT_EQ(MenuSlide, 0);
  EXPECT_EQ(MenuState, MENUSTATE_SHOWN);
  EXPECT_EQ(InputLock, 0);
}
