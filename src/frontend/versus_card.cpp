// The two players' card.
#include "frontend/versus_card.h"

#include <array>
#include <string>

#include "controls/control.h"
#include "controls/control_kinds.h"
#include "controls/pad_names.h"
#include "controls/side_devices.h"
#include "frontend/font.h"
#include "frontend/guidance.h"
#include "media/graphics/graphics.h"
#include "shared/game_state.h"

namespace {

constexpr int32_t kLineStep = CARD_LINE_STEP;
// Player 1's keys under the left fighter, player 2's under the right, what they do between them.
constexpr int32_t kColumnX[3] = {80, 200, 320};

constexpr std::array<const char16_t*, COMMAND_COUNT> kActions = {
    u"guard high", u"guard low", u"walk in", u"walk away", u"right punch", u"left punch", u"pause",
};

constexpr const char16_t* kRules[] = {
    u"Punches hurt most where the guard is open.",
    u"A knockout wins a round, three the match.",
};

std::array<std::array<std::u16string, COMMAND_COUNT>, 2> captions;
std::array<std::u16string, 2> deviceNames;

std::u16string CaptionOf(int32_t side, int32_t command, TPadNames& names) {
  TControl* binding = SideBinding(side, command);
  if (binding == nullptr) {
    return u"-";
  }
  bool key = dynamic_cast<TControlKey*>(binding) != nullptr;
  std::u16string caption = key ? binding->GetCaption() : names.Of(*binding);
  return caption.empty() ? std::u16string(u"-") : caption;
}

}  // namespace

void PrepareVersusCard() {
  TPadNames names;
  for (int32_t side = 0; side < 2; side++) {
    deviceNames[static_cast<size_t>(side)] = DeviceName(SideDevices[static_cast<size_t>(side)]);
    for (int32_t command = 0; command < COMMAND_COUNT; command++) {
      captions[static_cast<size_t>(side)][static_cast<size_t>(command)] = CaptionOf(side, command, names);
    }
  }
}

void DrawVersusCard(int32_t prompt) {
  if (SmallFont == nullptr) {
    return;
  }
  // On the how-to-play card's panel.
  int32_t y = DrawCardPanel();
  // Each player over their column, and under it what they play with: a pad's name can be long.
  SetColor(255, 255, 0);
  SmallFont->Draw(u"Player 1", kColumnX[0], y, ALIGN_CENTER, ALIGN_TOP);
  SmallFont->Draw(u"Player 2", kColumnX[2], y, ALIGN_CENTER, ALIGN_TOP);
  y += kLineStep;
  SetColor(255, 255, 255);
  SmallFont->Draw(deviceNames[0], kColumnX[0], y, ALIGN_CENTER, ALIGN_TOP);
  SmallFont->Draw(deviceNames[1], kColumnX[2], y, ALIGN_CENTER, ALIGN_TOP);
  for (size_t command = 0; command < kActions.size(); command++) {
    y += kLineStep;
    SetColor(255, 255, 0);
    SmallFont->Draw(captions[0][command], kColumnX[0], y, ALIGN_CENTER, ALIGN_TOP);
    SmallFont->Draw(captions[1][command], kColumnX[2], y, ALIGN_CENTER, ALIGN_TOP);
    SetColor(255, 255, 255);
    SmallFont->Draw(kActions[command], kColumnX[1], y, ALIGN_CENTER, ALIGN_TOP);
  }
  y += kLineStep / 2;
  for (const char16_t* rule : kRules) {
    y += kLineStep;
    SmallFont->Draw(rule, kColumnX[1], y, ALIGN_CENTER, ALIGN_TOP);
  }
  if (prompt == CARD_PAUSED) {
    y += kLineStep;
    SetColor(255, 255, 0);
    SmallFont->Draw(u"Press a key to go back.", kColumnX[1], y, ALIGN_CENTER, ALIGN_TOP);
  }
  SetColor(255, 255, 255);
}
