// The how-to-play card and the prompt after a knockout.
#include "frontend/guidance.h"

#include <array>
#include <string>

#include "controls/control.h"
#include "frontend/font.h"
#include "media/graphics/graphics.h"
#include "shared/game_state.h"

namespace {

// The card's panel and lines, in logical pixels: below the countdown's message at y 100, above the ring's floor.
constexpr float kPanelLeft = 16;
constexpr float kPanelTop = 116;
constexpr float kPanelWidth = 368;
constexpr float kPanelHeight = 180;
constexpr float kPanelAlpha = 0.75f;
constexpr int32_t kFirstLineY = 120;
constexpr int32_t kLineStep = 14;
constexpr int32_t kCentreX = 200;
// The table of keys: two pairs a row, each a key right-aligned against its action.
constexpr int32_t kKeyColumns[2] = {100, 284};
constexpr int32_t kActionGap = 8;
constexpr int32_t kPromptY = 132;

struct TKeyPair {
  int32_t command;
  const char16_t* action;
};

constexpr TKeyPair kTable[3][2] = {
    {{COMMAND_UP, u"guard high"}, {COMMAND_DOWN, u"guard low"}},
    {{COMMAND_FORWARD, u"walk in"}, {COMMAND_BACKWARD, u"walk away"}},
    {{COMMAND_RIGHT_HAND, u"right punch"}, {COMMAND_LEFT_HAND, u"left punch"}},
};

// Where punches land: the heart of the game, which nothing on the screen shows.
constexpr const char16_t* kRules[] = {
    u"Hold neither to guard the middle.",
    u"Punches go out at the height you guard",
    u"and hurt most where the guard is open:",
    u"a high guard leaves the belly open,",
    u"a low guard the head.",
    u"Yellow bars: each hand's punch power.",
    u"A miss or a blocked punch uses it up.",
};

std::array<std::array<std::u16string, 2>, 3> keyCaptions;
std::u16string pauseLine;
std::u16string goOnPrompt;

// The key's caption, or the command's name where the captions file did not name the key.
std::u16string KeyOf(int32_t command) {
  const auto& binding = KeyBindings[static_cast<size_t>(command)];
  std::u16string caption = binding != nullptr ? binding->GetCaption() : std::u16string();
  return caption.empty() ? CommandNames[static_cast<size_t>(command)] : caption;
}

}  // namespace

void PrepareGuidance() {
  for (size_t row = 0; row < keyCaptions.size(); row++) {
    for (size_t column = 0; column < 2; column++) {
      keyCaptions[row][column] = KeyOf(kTable[row][column].command);
    }
  }
  pauseLine = KeyOf(COMMAND_PAUSE) + u": pause";
  goOnPrompt = u"Press " + KeyOf(COMMAND_RIGHT_HAND) + u" to go on";
}

void DrawHowToPlay() {
  if (SmallFont == nullptr) {
    return;
  }
  SetColor(0, 0, 0);
  SetAlpha(kPanelAlpha);
  DrawRect(kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);
  SetAlpha(1.0f);
  SetColor(255, 255, 0);  // the title and the keys in yellow, the rest white
  int32_t y = kFirstLineY;
  SmallFont->Draw(u"How to play", kCentreX, y, ALIGN_CENTER, ALIGN_TOP);
  for (size_t row = 0; row < keyCaptions.size(); row++) {
    y += kLineStep;
    for (size_t column = 0; column < 2; column++) {
      int32_t x = kKeyColumns[column];
      SmallFont->Draw(keyCaptions[row][column], x, y, ALIGN_RIGHT, ALIGN_TOP);
      SetColor(255, 255, 255);
      SmallFont->Draw(kTable[row][column].action, x + kActionGap, y, ALIGN_LEFT, ALIGN_TOP);
      SetColor(255, 255, 0);
    }
  }
  SetColor(255, 255, 255);
  for (const char16_t* rule : kRules) {
    y += kLineStep;
    SmallFont->Draw(rule, kCentreX, y, ALIGN_CENTER, ALIGN_TOP);
  }
  y += kLineStep;
  SmallFont->Draw(pauseLine, kCentreX, y, ALIGN_CENTER, ALIGN_TOP);
}

void DrawGoOnPrompt() {
  if (SmallFont != nullptr) {
    SmallFont->Draw(goOnPrompt, kCentreX, kPromptY, ALIGN_CENTER, ALIGN_TOP);
  }
}
