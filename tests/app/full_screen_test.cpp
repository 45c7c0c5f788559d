// The switch between the window and full screen as the game makes it: asked for by the window (F11, Alt+Enter
// arrive as one event, never as keys), taken at the top of a frame on any screen and in a fight, saved at once,
// and drawn with everything kept inside the centred picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "frontend/menu.h"
#include "media/core/events.h"
#include "media/graphics/graphics.h"
#include "media/graphics/image.h"
#include "shared/game_state.h"
#include "shared/window.h"
#include "support/captured_warnings.h"
#include "support/game_folder.h"
#include "support/headless_game.h"

namespace {

class FullScreenTest : public HeadlessGameTest {
protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    // A backdrop larger than the screen, as the menu's is.
    MenuBackground = TImage::Create(512, 512, 1, 0);
    MenuBackground->SetPixmap(0, TPixmap::Create(512, 512, TPixmap::FORMAT_RGBA8888));
  }
  void TearDown() override {
    MenuBackground = nullptr;
    HeadlessGameTest::TearDown();
  }
  static void AskToSwitch() { EmitEvent(TEvent{EVENT_TOGGLEFULLSCREEN, nullptr, 0, 0, 0, 0}); }
  // Line 17 of the settings file, the full-screen switch.
  std::string SavedSwitch() const {
    std::string file = dir.Read("bin/settings.dat");
    size_t at = 0;
    for (int line = 1; line < 17 && at != std::string::npos; line++) {
      at = file.find('\n', at);
      at = at == std::string::npos ? at : at + 1;
    }
    return at == std::string::npos || at >= file.size() ? "" : file.substr(at, 1);
  }
  // Every drawing of the last frame stays inside the picture at (x, y), width by height window pixels, and the
  // frame clears the whole window once.
  void ExpectDrawnInside(int32_t x, int32_t y, int32_t width, int32_t height) const {
    int clears = 0;
    for (const TDrawRecord& record : LastFrame()) {
      if (record.kind == TDrawRecord::FLIP) {
        continue;
      }
      if (record.kind == TDrawRecord::CLS && record.viewport[2] == driver.windowWidth &&
          record.viewport[3] == driver.windowHeight) {
        clears++;
        continue;
      }
      EXPECT_EQ(record.picture[0], x);
      EXPECT_EQ(record.picture[1], y);
      EXPECT_GE(record.viewport[0], x);
      EXPECT_GE(record.viewport[1], y);
      EXPECT_LE(record.viewport[0] + record.viewport[2], x + width);
      EXPECT_LE(record.viewport[1] + record.viewport[3], y + height);
    }
    EXPECT_EQ(clears, 1);
  }
  ScopedGameFolder dir;
};

}  // namespace

TEST_F(FullScreenTest, TheMainScreenGoesFullScreenAndBackAndTheSwitchIsSavedEachTime) {
  RunFrame();
  AskToSwitch();
  RunFrame();
  EXPECT_EQ(GraphicsFullScreen(), 1);
  EXPECT_EQ(FullScreen, 1);
  EXPECT_EQ(SavedSwitch(), "1");
  EXPECT_EQ(driver.windowWidth, 2560);
  // The 1600 by 1200 picture centred on 2560 by 1440; the backdrop, drawn from (-56, -106), is cut at its edge.
  ExpectDrawnInside(480, 120, 1600, 1200);
  bool backdrop = false;
  for (const TDrawRecord& record : LastFrame()) {
    if (record.kind == TDrawRecord::IMAGE && record.pixmap == MenuBackground->pixmaps[0].get()) {
      backdrop = true;
      EXPECT_LT(record.Left(), 0);
      EXPECT_EQ(record.viewport[0], 480);
      EXPECT_EQ(record.viewport[2], 1600);
    }
  }
  EXPECT_TRUE(backdrop);
  // The request is no key: the main screen has not moved or confirmed anything.
  EXPECT_EQ(MenuScreen, MENU_MAIN);
  EXPECT_EQ(MainCursor, 0);
  EXPECT_TRUE(Shows(u"Tournament"));

  AskToSwitch();
  RunFrame();
  EXPECT_EQ(GraphicsFullScreen(), 0);
  EXPECT_EQ(FullScreen, 0);
  EXPECT_EQ(SavedSwitch(), "0");
  EXPECT_EQ(driver.windowWidth, 800);
  ExpectDrawnInside(0, 0, 800, 600);
  EXPECT_EQ(driver.windowsMade, 1);  // one window all along
}

TEST_F(FullScreenTest, EveryScreenAndTheFightAreDrawnInsideThePicture) {
  driver.desktopWidth = 1920;
  driver.desktopHeight = 1080;
  AskToSwitch();
  for (int32_t screen : {MENU_TOURNAMENT, MENU_SETTINGS, MENU_KEYBOARD, MENU_GAMEPAD}) {
    MenuScreen = screen;
    RunFrame();
    ExpectDrawnInside(360, 90, 1200, 900);
  }
  StartTournament(3);
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));
  RunFrame();
  ExpectDrawnInside(360, 90, 1200, 900);
  EXPECT_FALSE(RectsIn(0, 255, 0).empty());  // the health bars
}

TEST_F(FullScreenTest, SwitchingInAFightDoesNotPauseItButLeavingTheGameStillDoes) {
  StartTraining();
  ASSERT_TRUE(RunUntil([] { return GameState == GAMESTATE_FIGHT; }));
  // A window manager that takes the focus away and gives it back while it rearranges the screen.
  driver.loseFocusOnSwitch = true;
  AskToSwitch();
  RunFrames(5);
  EXPECT_EQ(GraphicsFullScreen(), 1);
  EXPECT_EQ(GameState, GAMESTATE_FIGHT);
  AskToSwitch();
  RunFrames(5);
  EXPECT_EQ(GraphicsFullScreen(), 0);
  EXPECT_EQ(GameState, GAMESTATE_FIGHT);

  EmitEvent(TEvent{EVENT_APPSUSPEND, nullptr, 0, 0, 0, 0});
  RunFrame();
  EXPECT_EQ(GameState, GAMESTATE_PAUSED);
}

TEST_F(FullScreenTest, ARefusedSwitchChangesNeitherTheWindowNorTheSetting) {
  driver.refuseFullScreen = true;
  TWarnings warning = CaptureWarnings([this] {
    AskToSwitch();
    RunFrame();
  });
  EXPECT_EQ(warning.Mentions("cannot switch to full screen"), 1) << warning.text;
  EXPECT_EQ(FullScreen, 0);
  EXPECT_EQ(GraphicsFullScreen(), 0);
  EXPECT_EQ(dir.Read("bin/settings.dat"), "");
}

TEST_F(FullScreenTest, TheGameOpensAsItWasLeftAndAZoomTooLargeForTheDesktopOpensSmaller) {
  FullScreen = 1;
  SetupGraphics();
  EXPECT_EQ(GraphicsFullScreen(), 1);
  EXPECT_EQ(driver.windowWidth, 2560);

  // 1600 by 1200 does not fit a desktop whose usable height is 728 (a 768 one with its panel): zoom 2 does.
  FullScreen = 0;
  driver.usableWidth = 1366;
  driver.usableHeight = 728;
  Zoom = 4;
  SetupGraphics();
  EXPECT_EQ(driver.windowWidth, 800);
  EXPECT_EQ(driver.windowHeight, 600);
  EXPECT_EQ(Zoom, 4);
  // The settings screen still shows and saves the player's choice; full screen uses the whole desktop.
  MenuScreen = MENU_SETTINGS;
  RunFrame();
  EXPECT_TRUE(Shows(u"4x"));
  AskToSwitch();
  RunFrame();
  EXPECT_EQ(driver.windowWidth, 2560);
  EXPECT_EQ(dir.Read("bin/settings.dat").substr(3, 3), "4\r\n");
  AskToSwitch();
  RunFrame();
  EXPECT_EQ(driver.windowWidth, 800);  // back to the window that fits
  EXPECT_EQ(FittingZoom(4, 1366, 728), 2);
  EXPECT_EQ(FittingZoom(3, 1920, 1040), 3);
  EXPECT_EQ(FittingZoom(4, 1920, 1040), 3);
  EXPECT_EQ(FittingZoom(2, 640, 480), 1);
  EXPECT_EQ(FittingZoom(1, 300, 200), 1);  // never less than 1
}
