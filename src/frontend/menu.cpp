// The menu's slide, widgets and navigation.
#include "frontend/menu.h"

#include "controls/commands.h"
#include "frontend/font.h"
#include "frontend/guidance.h"
#include "media/graphics/graphics.h"
#include "media/graphics/image.h"
#include "media/input/input.h"
#include "media/input/key_codes.h"
#include "media/net/net_address.h"
#include "shared/game_state.h"
#include "shared/rules.h"
#include "shared/sounds.h"

int32_t MenuState = MENUSTATE_SHOWN;
int32_t MenuSlide = 0;
int32_t MenuScreen = MENU_MAIN;
std::shared_ptr<TImage> MenuBackground;
std::shared_ptr<TImage> CupImage;
std::shared_ptr<TImage> CardImage;
int32_t MainCursor = 0;
int32_t SubCursor = 0;
int32_t LevelCursor = 0;
int32_t ZoomOnEntry = 0;
int32_t RebindIndex = 0;
int32_t KeyScroll = 0;
int32_t PadScroll = 0;
int32_t ControlsPlayer = 0;
int32_t QuitRequested = 0;
uint16_t HostPort = NET_DEFAULT_PORT;
std::u16string OnlineNotice;

namespace {

constexpr int32_t kSlideStep = 5;        // logical pixels per frame: a full slide takes 80 frames
constexpr int32_t kSlideDistance = 400;  // 80 frames of 5: the menu is hidden once it has gone this far
constexpr int32_t kRowHalfHeight = 24;   // rows are 48 high and 48 apart, so neighbouring bars touch
constexpr int32_t kColumnGap = 12;       // the least space between a row's label and its value

void DrawBar(int32_t y, int32_t red, int32_t green, int32_t blue) {
  SetColor(red, green, blue);
  DrawRect(0, static_cast<float>(y - kRowHalfHeight), SCREEN_WIDTH, 2 * kRowHalfHeight);
  SetColor(255, 255, 255);
}

int32_t Activated(int32_t selected) {
  if (selected != 0 && Menu::Action() != 0) {
    PlaySfx(SFX_MENU_ACTION);
    return 1;
  }
  return 0;
}

// The menus always answer to the cursor keys besides the player's own bindings. Sources after the first that
// answers are not read, so their presses wait for the next frame.
int32_t Navigate(int32_t moreCommand, int32_t lessCommand, int32_t moreKey, int32_t lessKey) {
  if (InputLock != 0) {
    return 0;
  }
  int32_t moved = MenuCommandHit(moreCommand);
  if (moved == 0) {
    moved = -MenuCommandHit(lessCommand);
  }
  if (moved == 0) {
    moved = MenuKeyHits(moreKey);
  }
  if (moved == 0) {
    moved = -MenuKeyHits(lessKey);
  }
  if (moved != 0) {
    PlaySfx(SFX_MENU_MOVE);
  }
  return moved;
}

void DrawScreen() {
  switch (MenuScreen) {
    case MENU_MAIN:
      Menu::MainMenu();
      break;
    case MENU_TOURNAMENT:
      Menu::TournamentMenu();
      break;
    case MENU_SETTINGS:
      Menu::SettingsMenu();
      break;
    case MENU_KEYBOARD:
      Menu::KeyboardMenu();
      break;
    case MENU_GAMEPAD:
      Menu::GamepadMenu();
      break;
    case MENU_CONTROLS:
      Menu::ControlsMenu();
      break;
    case MENU_VERSUS:
      Menu::VersusMenu();
      break;
    case MENU_VERSUS_MODES:
      Menu::VersusModesMenu();
      break;
    case MENU_HOST_ONLINE:
      Menu::HostOnlineMenu();
      break;
    case MENU_JOIN_ONLINE:
      Menu::JoinOnlineMenu();
      break;
    default:
      break;
  }
}

}  // namespace

namespace Menu {

int32_t Draw() {
  if (MenuState == MENUSTATE_SLIDING_OUT) {
    MenuSlide += kSlideStep;
    if (MenuSlide == kSlideDistance) {
      MenuState = MENUSTATE_HIDDEN;
    }
  } else if (MenuState == MENUSTATE_SLIDING_IN) {
    MenuSlide -= kSlideStep;
    if (MenuSlide == 0) {
      MenuState = MENUSTATE_SHOWN;
      SetInputLock(0);
    }
  }
  SetDrawOrigin(0, static_cast<float>(MenuSlide));
  if (MenuState != MENUSTATE_HIDDEN) {
    // The background is larger than the screen and centred on it.
    DrawImageFrame(MenuBackground, -56, -106, 0);
    DrawScreen();
  }
  SetDrawOrigin(0, 0);
  return 0;
}

int32_t Button(std::u16string_view text, int32_t y, int32_t selected) {
  if (selected != 0) {
    DrawBar(y, 0, 255, 0);
  }
  GameFont->Draw(text, 200, y, ALIGN_CENTER, ALIGN_CENTER);
  return Activated(selected);
}

int32_t ButtonTab(std::u16string_view label, std::u16string_view value, int32_t y, int32_t selected) {
  if (selected != 0) {
    if (InputLock != 0) {
      DrawBar(y, 255, 255, 0);
    } else {
      DrawBar(y, 0, 255, 0);
    }
  }
  GameFont->Draw(label, 10, y, ALIGN_LEFT, ALIGN_CENTER);
  // A long value (a pad's "Left stick down") would run into the label: it is written small instead.
  bool fits = 10 + GameFont->GetWidth(label) + kColumnGap + GameFont->GetWidth(value) <= 390;
  TFont* font = fits || SmallFont == nullptr ? GameFont.get() : SmallFont.get();
  font->Draw(value, 390, y, ALIGN_RIGHT, ALIGN_CENTER);
  return Activated(selected);
}

void Reset() {
  MenuState = MENUSTATE_SHOWN;
  MenuSlide = 0;
  MenuScreen = MENU_MAIN;
  MenuBackground = nullptr;
  CupImage = nullptr;
  CardImage = nullptr;
  MainCursor = 0;
  SubCursor = 0;
  LevelCursor = 0;
  ZoomOnEntry = 0;
  RebindIndex = 0;
  KeyScroll = 0;
  PadScroll = 0;
  ControlsPlayer = 0;
  QuitRequested = 0;
  HostPort = NET_DEFAULT_PORT;
  OnlineNotice.clear();
  ResetGuidance();
}

int32_t Wrap(int32_t cursor, int32_t move, int32_t rows) {
  return ((cursor + move) % rows + rows) % rows;
}

void ShowScreen(int32_t screen) {
  MenuScreen = screen;
  SubCursor = 0;
  DropPendingPresses();
}

int32_t NavigateUD() {
  return Navigate(COMMAND_DOWN, COMMAND_UP, KEY_DOWN, KEY_UP);
}

int32_t NavigateLR() {
  return Navigate(COMMAND_FORWARD, COMMAND_BACKWARD, KEY_RIGHT, KEY_LEFT);
}

int32_t Action() {
  if (InputLock != 0) {
    return 0;
  }
  if (int32_t hit = MenuCommandHit(COMMAND_LEFT_HAND); hit != 0) {
    return hit;
  }
  if (int32_t hit = MenuCommandHit(COMMAND_RIGHT_HAND); hit != 0) {
    return hit;
  }
  return MenuKeyHits(KEY_ENTER);
}

int32_t Back() {
  if (InputLock != 0) {
    return 0;
  }
  int32_t hits = MenuBackHits();
  if (hits != 0) {
    PlaySfx(SFX_MENU_ACTION);
  }
  return hits;
}

}  // namespace Menu
