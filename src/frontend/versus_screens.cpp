// The controls screen, where each player's keyboard and gamepad screens are found, and the join screen of a match
// of two players.
#include <string>

#include "controls/commands.h"
#include "controls/side_devices.h"
#include "frontend/font.h"
#include "frontend/match_start.h"
#include "frontend/menu.h"
#include "media/core/text.h"
#include "media/graphics/graphics.h"
#include "media/graphics/image.h"
#include "shared/game_state.h"
#include "shared/sounds.h"

namespace {

constexpr int32_t kRowY[] = {30, 78, 126, 174, 222, 270};
constexpr int32_t kControlsRows = 5;

// The join screen: each side's name and device over its half, the ring small in the middle between two arrows.
constexpr int32_t kSideX[2] = {100, 300};
constexpr int32_t kSideNameY = 70;
constexpr int32_t kDeviceY = 96;
constexpr float kRingScale = 0.4f;
constexpr int32_t kRingLeft = 120;
constexpr int32_t kRingTop = 124;
constexpr int32_t kRingWidth = 160;
constexpr int32_t kRingHeight = 120;
constexpr int32_t kArrowGap = 6;
constexpr int32_t kArrowHalfHeight = 8;
constexpr int32_t kArrowLength = 8;
constexpr int32_t kRingCaptionY = 252;
constexpr int32_t kHelpY = 280;

// Triangles either side of the ring, pointing out: Left and Right choose it, and the rings go round.
void DrawRingArrows() {
  int32_t middle = kRingTop + kRingHeight / 2;
  for (int32_t step = 0; step <= kArrowLength; step++) {
    auto half = static_cast<float>(step * kArrowHalfHeight / kArrowLength);
    float top = static_cast<float>(middle) - half;
    DrawRect(static_cast<float>(kRingLeft - kArrowGap - kArrowLength + step), top, 1, 2 * half + 1);
    DrawRect(static_cast<float>(kRingLeft + kRingWidth + kArrowGap + kArrowLength - step), top, 1, 2 * half + 1);
  }
}

void DrawRing() {
  // A white frame a pixel wide, then the ring scaled down inside it.
  DrawRect(kRingLeft - 1, kRingTop - 1, kRingWidth + 2, kRingHeight + 2);
  SetDrawScale(kRingScale, kRingScale);
  DrawImageFrame(Backgrounds[static_cast<size_t>(VersusRing)], kRingLeft, kRingTop, 0);
  SetDrawScale(1, 1);
  DrawRingArrows();
}

void DrawSide(int32_t side) {
  GameFont->Draw(side == 0 ? u"Player 1" : u"Player 2", kSideX[side], kSideNameY, ALIGN_CENTER, ALIGN_CENTER);
  if (SmallFont == nullptr) {
    return;
  }
  const TSideDevice& device = SideDevices[static_cast<size_t>(side)];
  if (device.kind == DEVICE_NONE) {
    SmallFont->Draw(u"Right hand: join", kSideX[side], kDeviceY, ALIGN_CENTER, ALIGN_CENTER);
  } else {
    SetColor(255, 255, 0);
    SmallFont->Draw(DeviceName(device), kSideX[side], kDeviceY, ALIGN_CENTER, ALIGN_CENTER);
    SetColor(255, 255, 255);
  }
}

// A device joins the side its player stands on when that is free (the keyboard of player 2 the right), a pad
// the first free side.
int32_t SideFor(const TSideDevice& device) {
  int32_t wanted = device.kind == DEVICE_KEYBOARD_2 ? 1 : 0;
  if (SideDevices[static_cast<size_t>(wanted)].kind == DEVICE_NONE) {
    return wanted;
  }
  return SideDevices[static_cast<size_t>(1 - wanted)].kind == DEVICE_NONE ? 1 - wanted : -1;
}

}  // namespace

namespace Menu {

int32_t ControlsMenu() {
  SubCursor = Wrap(SubCursor, NavigateUD(), kControlsRows);
  constexpr const char16_t* kRows[4] = {u"Player 1 Keyboard", u"Player 1 Gamepad", u"Player 2 Keyboard",
                                        u"Player 2 Gamepad"};
  for (int32_t row = 0; row < 4; row++) {
    if (Button(kRows[row], kRowY[row], SubCursor == row) != 0) {
      ControlsPlayer = row / 2;
      KeyScroll = 0;
      PadScroll = 0;
      ShowScreen(row % 2 == 0 ? MENU_KEYBOARD : MENU_GAMEPAD);
    }
  }
  if (Button(u"Back", kRowY[5], SubCursor == kControlsRows - 1) != 0 || Back() != 0) {
    ShowScreen(MENU_MAIN);
  }
  return 0;
}

int32_t VersusMenu() {
  SubCursor = 0;
  GameFont->Draw(u"Versus", 200, kRowY[0], ALIGN_CENTER, ALIGN_CENTER);
  if (int32_t lr = NavigateLR(); lr != 0) {
    VersusRing = Wrap(VersusRing, lr, LEVEL_COUNT);
    Save();  // remembered for the next match
  }
  if (InputLock == 0) {
    // A side's device leaves it with its left hand.
    for (int32_t side = 0; side < 2; side++) {
      if (SideDevices[static_cast<size_t>(side)].kind != DEVICE_NONE && SideCommandHit(side, COMMAND_LEFT_HAND)) {
        SideDevices[static_cast<size_t>(side)] = TSideDevice();
        PlaySfx(SFX_MENU_MOVE);
      }
    }
    if (TSideDevice device; TakeJoinPress(&device)) {
      if (int32_t side = SideFor(device); side >= 0) {
        GiveDevice(side, device);
        PlaySfx(SFX_MENU_ACTION);
      }
    }
  }
  DrawSide(0);
  DrawSide(1);
  DrawRing();
  if (SmallFont != nullptr) {
    SmallFont->Draw(u"Ring " + IntToText(VersusRing + 1), 200, kRingCaptionY, ALIGN_CENTER, ALIGN_CENTER);
    SmallFont->Draw(u"Left, Right: ring. Left hand: leave. Esc: back.", 200, kHelpY, ALIGN_CENTER, ALIGN_CENTER);
  }
  if (Back() != 0) {
    ResetSideDevices();
    ShowScreen(MENU_VERSUS_MODES);
  } else if (SideDevices[0].kind != DEVICE_NONE && SideDevices[1].kind != DEVICE_NONE && MenuState == MENUSTATE_SHOWN) {
    StartVersusMatch(VERSUS_PLAYERS, VersusRing);
  }
  return 0;
}

}  // namespace Menu
