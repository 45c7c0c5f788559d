// The main, tournament and settings screens. Rows sit 48 pixels apart with their middle lines at y 30 to 270.
#include <algorithm>

#include "fighters/figure.h"
#include "fighters/opponent.h"
#include "frontend/font.h"
#include "frontend/match_start.h"
#include "frontend/menu.h"
#include "media/core/text.h"
#include "media/graphics/graphics.h"
#include "media/graphics/image.h"
#include "shared/game_state.h"
#include "shared/rules.h"
#include "shared/window.h"

namespace {

constexpr int32_t kRowY[] = {30, 78, 126, 174, 222, 270};
constexpr int32_t kVictoryCell = 17;  // the opponent's portrait

// The level's ring with the opponent in his colours, in a 112 by 112 window at (55, 53).
void DrawPortrait(const TOpponent* opponent) {
  // The viewport does not follow the drawing origin: the slide is added by hand.
  SetViewport(55, MenuSlide + 53, 112, 112);
  DrawImageFrame(Backgrounds[static_cast<size_t>(LevelCursor)], 0, 0, 0);
  DrawImageFrame(FigureSheet, 100, 150, kVictoryCell);
  if (opponent != nullptr) {
    SetColor(opponent->params[6], opponent->params[7], opponent->params[8]);
  }
  DrawImageFrame(FigureSheet, 100, 150, kVictoryCell + FIGURE_TINT_LAYER);
  SetColor(255, 255, 255);
  SetViewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
}

}  // namespace

namespace Menu {

int32_t MainMenu() {
  SubCursor = 0;
  MainCursor = Wrap(MainCursor, NavigateUD(), 6);
  if (Button(u"Tournament", kRowY[0], MainCursor == 0) != 0) {
    ShowScreen(MENU_TOURNAMENT);
  }
  if (Button(u"Training", kRowY[1], MainCursor == 1) != 0) {
    StartTrainingMatch();
  }
  if (Button(u"Keyboard Controls", kRowY[2], MainCursor == 2) != 0) {
    ShowScreen(MENU_KEYBOARD);
  }
  if (Button(u"Gamepad Controls", kRowY[3], MainCursor == 3) != 0) {
    ShowScreen(MENU_GAMEPAD);
  }
  if (Button(u"Settings", kRowY[4], MainCursor == 4) != 0) {
    ZoomOnEntry = Zoom;
    ShowScreen(MENU_SETTINGS);
  }
  // Quit ends the game at once, saving nothing: settings and progress were saved when they changed.
  if (Button(u"Quit", kRowY[5], MainCursor == 5) != 0) {
    QuitRequested = 1;
  }
  return 0;
}

int32_t TournamentMenu() {
  SubCursor = Wrap(SubCursor, NavigateUD(), 2);
  LevelCursor = Wrap(LevelCursor, NavigateLR(), LEVEL_COUNT);
  const TOpponent* opponent = LevelCursor < static_cast<int32_t>(Opponents.size())
                                  ? Opponents[static_cast<size_t>(LevelCursor)].get()
                                  : nullptr;
  DrawPortrait(opponent);
  DrawImageFrame(CardImage, 50, 50, 0);
  int32_t margin = Progress[static_cast<size_t>(LevelCursor)];
  if (margin >= 1) {
    DrawImageFrame(CupImage, 264, 104, margin - 1);
  }
  GameFont->Draw(u"Level " + IntToText(LevelCursor + 1), 350, 50, ALIGN_RIGHT, ALIGN_TOP);
  if (Button(u"Play", kRowY[4], SubCursor == 0) != 0) {
    StartTournamentMatch(LevelCursor);
  }
  if (Button(u"Back", kRowY[5], SubCursor == 1) != 0) {
    ShowScreen(MENU_MAIN);
  }
  return 0;
}

int32_t SettingsMenu() {
  SubCursor = Wrap(SubCursor, NavigateUD(), 3);
  int32_t lr = NavigateLR();
  // The values shown are those before this frame's change.
  ButtonTab(u"Sound", SoundOn == 0 ? u"off" : u"on", kRowY[0], SubCursor == 0);
  if (SubCursor == 0 && lr != 0) {
    SoundOn = 1 - SoundOn;
  }
  ButtonTab(u"Zoom", IntToText(Zoom) + u"x", kRowY[1], SubCursor == 1);
  if (SubCursor == 1 && lr != 0) {
    Zoom = Wrap(Zoom - 1, lr, 4) + 1;
  }
  if (Button(u"Back", kRowY[5], SubCursor == 2) != 0) {
    Save();
    ShowScreen(MENU_MAIN);
    // A new zoom takes effect when the player leaves the screen: the window opens again at its size.
    if (Zoom != ZoomOnEntry) {
      SetupGraphics();
    }
  }
  return 0;
}

}  // namespace Menu
