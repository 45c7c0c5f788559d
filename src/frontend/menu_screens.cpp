// The main, tournament and settings screens. Rows sit 48 pixels apart with their middle lines at y 30 to 270.
#include <algorithm>

#include "controls/commands.h"
#include "controls/side_devices.h"
#include "fighters/figure.h"
#include "fighters/opponent.h"
#include "frontend/font.h"
#include "frontend/match_start.h"
#include "frontend/menu.h"
#include "media/core/text.h"
#include "media/graphics/graphics.h"
#include "media/graphics/image.h"
#include "media/input/input.h"
#include "shared/game_state.h"
#include "shared/rules.h"
#include "shared/sounds.h"
#include "shared/window.h"

namespace {

constexpr int32_t kRowY[] = {30, 78, 126, 174, 222, 270};
constexpr int32_t kVictoryCell = 17;  // the opponent's portrait
constexpr int32_t kQuitRow = 5;
// The level card (310 by 124 at 50, 50) and the arrows either side of it that say Left and Right choose the level:
// triangles pointing out, a little clear of the card, halfway down it.
constexpr int32_t kCardLeft = 50;
constexpr int32_t kCardRight = 360;
constexpr int32_t kArrowGap = 5;
constexpr int32_t kArrowY = 112;
constexpr int32_t kArrowHalfHeight = 8;
constexpr int32_t kArrowLength = 8;

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

// The levels go round (Left from the first is the last), so there is always somewhere to go either way.
void DrawLevelArrows() {
  // One column of pixels at a time, from the tip (1 high) to the base (2 * kArrowHalfHeight + 1).
  for (int32_t step = 0; step <= kArrowLength; step++) {
    auto half = static_cast<float>(step * kArrowHalfHeight / kArrowLength);
    float top = static_cast<float>(kArrowY) - half;
    DrawRect(static_cast<float>(kCardLeft - kArrowGap - kArrowLength + step), top, 1, 2 * half + 1);
    DrawRect(static_cast<float>(kCardRight + kArrowGap + kArrowLength - step), top, 1, 2 * half + 1);
  }
}

}  // namespace

namespace Menu {

int32_t MainMenu() {
  SubCursor = 0;
  MainCursor = Wrap(MainCursor, NavigateUD(), 6);
  // There is nothing to go back to: "back" here is a step towards the door, which still has to be chosen.
  if (InputLock == 0 && MenuBackHits() != 0 && MainCursor != kQuitRow) {
    MainCursor = kQuitRow;
    PlaySfx(SFX_MENU_MOVE);
  }
  if (Button(u"Tournament", kRowY[0], MainCursor == 0) != 0) {
    ShowScreen(MENU_TOURNAMENT);
  }
  if (Button(u"Training", kRowY[1], MainCursor == 1) != 0) {
    StartTrainingMatch();
  }
  if (Button(u"Versus", kRowY[2], MainCursor == 2) != 0) {
    OnlineNotice.clear();
    ShowScreen(MENU_VERSUS_MODES);
  }
  if (Button(u"Controls", kRowY[3], MainCursor == 3) != 0) {
    ShowScreen(MENU_CONTROLS);
  }
  if (Button(u"Settings", kRowY[4], MainCursor == 4) != 0) {
    ZoomOnEntry = Zoom;
    ShowScreen(MENU_SETTINGS);
  }
  // Quit ends the game at once, saving nothing: settings and progress were saved when they changed.
  if (Button(u"Quit", kRowY[5], MainCursor == kQuitRow) != 0) {
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
  DrawLevelArrows();
  if (Button(u"Play", kRowY[4], SubCursor == 0) != 0) {
    StartTournamentMatch(LevelCursor);
  }
  if (Button(u"Back", kRowY[5], SubCursor == 1) != 0 || Back() != 0) {
    ShowScreen(MENU_MAIN);
  }
  return 0;
}

int32_t SettingsMenu() {
  SubCursor = Wrap(SubCursor, NavigateUD(), 4);
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
  // The same switch as F11, at once: the window changes and the settings file's last line with it.
  ButtonTab(u"Full screen (F11)", FullScreen == 0 ? u"off" : u"on", kRowY[2], SubCursor == 2);
  if (SubCursor == 2 && lr != 0) {
    RequestFullScreenToggle();
  }
  if (Button(u"Back", kRowY[5], SubCursor == 3) != 0 || Back() != 0) {
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
