// The how-to-play card and the prompt after a knockout.
#include "frontend/guidance.h"

#include <algorithm>
#include <array>
#include <string>

#include "controls/control.h"
#include "frontend/font.h"
#include "media/graphics/graphics.h"
#include "shared/game_state.h"

int32_t HowToPlayRead = 0;

namespace {

// The card's panel and lines, in logical pixels: from just below the countdown's message at y 100 to the foot of
// the screen, thirteen lines of the small font.
constexpr float kPanelLeft = 12;
constexpr float kPanelTop = 114;
constexpr float kPanelWidth = 376;
constexpr float kPanelHeight = 186;
constexpr float kPanelAlpha = 0.75f;
constexpr int32_t kFirstLineY = 118;
constexpr int32_t kLineStep = CARD_LINE_STEP;
constexpr int32_t kCentreX = 200;
// The table of keys: two pairs a row, each a key right-aligned against its action, the pairs' columns this far
// apart; the whole table centred on the card, so it leaves the same margin either side.
constexpr int32_t kActionGap = 9;
constexpr int32_t kColumnGap = 24;
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

// Where punches land, which nothing on the screen shows, then what the bars are and how the match is won.
constexpr const char16_t* kRules[] = {
    u"Hold neither to guard the middle.",
    u"Punches go out at the height you guard",
    u"and hurt most where the guard is open:",
    u"a high guard leaves the belly open,",
    u"a low guard the head.",
    u"Green bar: health. Yellow bars: each hand's",
    u"punch power; a miss or a block uses it up.",
    u"A knockout wins a round, three the match.",
};

std::array<std::array<std::u16string, 2>, 3> keyCaptions;
// Where each column's keys end (they are right-aligned there) and its actions begin.
std::array<int32_t, 2> keyRight{};
std::array<int32_t, 2> actionLeft{};
std::u16string pauseLine;
std::u16string readyLine;
std::u16string goOnPrompt;

// The key's caption, or the command's name where the captions file did not name the key.
std::u16string KeyOf(int32_t command) {
  const auto& binding = KeyBindings[static_cast<size_t>(command)];
  std::u16string caption = binding != nullptr ? binding->GetCaption() : std::u16string();
  return caption.empty() ? CommandNames[static_cast<size_t>(command)] : caption;
}

// The widths of the table's columns decide where it starts: centred as a whole, its margins are even whatever the
// keys are called.
void PlaceColumns() {
  std::array<int32_t, 2> keyWidth{};
  std::array<int32_t, 2> actionWidth{};
  for (size_t row = 0; row < keyCaptions.size(); row++) {
    for (size_t column = 0; column < 2; column++) {
      keyWidth[column] = std::max(keyWidth[column], SmallFont->GetWidth(keyCaptions[row][column]));
      actionWidth[column] = std::max(actionWidth[column], SmallFont->GetWidth(kTable[row][column].action));
    }
  }
  int32_t first = keyWidth[0] + kActionGap + actionWidth[0];
  int32_t second = keyWidth[1] + kActionGap + actionWidth[1];
  int32_t left = kCentreX - (first + kColumnGap + second) / 2;
  keyRight = {left + keyWidth[0], left + first + kColumnGap + keyWidth[1]};
  actionLeft = {keyRight[0] + kActionGap, keyRight[1] + kActionGap};
}

}  // namespace

void ResetGuidance() {
  HowToPlayRead = 0;
}

void PrepareGuidance() {
  for (size_t row = 0; row < keyCaptions.size(); row++) {
    for (size_t column = 0; column < 2; column++) {
      keyCaptions[row][column] = KeyOf(kTable[row][column].command);
    }
  }
  pauseLine = KeyOf(COMMAND_PAUSE) + u": pause";
  readyLine = pauseLine + u". Press " + KeyOf(COMMAND_RIGHT_HAND) + u" when ready.";
  goOnPrompt = u"Press " + KeyOf(COMMAND_RIGHT_HAND) + u" to go on";
  if (SmallFont != nullptr) {
    PlaceColumns();
  }
}

int32_t DrawCardPanel() {
  SetColor(0, 0, 0);
  SetAlpha(kPanelAlpha);
  DrawRect(kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);
  SetAlpha(1.0f);
  return kFirstLineY;
}

void DrawHowToPlay(int32_t prompt) {
  if (SmallFont == nullptr) {
    return;
  }
  int32_t y = DrawCardPanel();
  SetColor(255, 255, 0);  // the title, the keys and the prompt in yellow, the rest white
  SmallFont->Draw(u"How to play", kCentreX, y, ALIGN_CENTER, ALIGN_TOP);
  for (size_t row = 0; row < keyCaptions.size(); row++) {
    y += kLineStep;
    for (size_t column = 0; column < 2; column++) {
      SmallFont->Draw(keyCaptions[row][column], keyRight[column], y, ALIGN_RIGHT, ALIGN_TOP);
      SetColor(255, 255, 255);
      SmallFont->Draw(kTable[row][column].action, actionLeft[column], y, ALIGN_LEFT, ALIGN_TOP);
      SetColor(255, 255, 0);
    }
  }
  SetColor(255, 255, 255);
  for (const char16_t* rule : kRules) {
    y += kLineStep;
    SmallFont->Draw(rule, kCentreX, y, ALIGN_CENTER, ALIGN_TOP);
  }
  y += kLineStep;
  if (prompt != CARD_COUNTDOWN) {
    SetColor(255, 255, 0);
  }
  const std::u16string& last = prompt == CARD_READY ? readyLine : pauseLine;
  SmallFont->Draw(prompt == CARD_PAUSED ? u"Press a key to go back." : std::u16string_view(last), kCentreX, y,
                  ALIGN_CENTER, ALIGN_TOP);
  SetColor(255, 255, 255);
}

void DrawGoOnPrompt() {
  if (SmallFont != nullptr) {
    SmallFont->Draw(goOnPrompt, kCentreX, kPromptY, ALIGN_CENTER, ALIGN_TOP);
  }
}
