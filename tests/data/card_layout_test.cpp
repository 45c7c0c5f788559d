// The how-to-play card drawn in the shipped fonts with the shipped key captions: the ink of every line on the
// card's panel, none over the countdown's message, none below the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "controls/control.h"
#include "data/data_files.h"
#include "frontend/font.h"
#include "frontend/guidance.h"
#include "media/core/text.h"
#include "media/graphics/pixmap.h"
#include "media/platform/media.h"
#include "shared/game_state.h"
#include "shared/rules.h"
#include "support/headless_game.h"

namespace {

// The cells the game loads its fonts with.
constexpr int32_t kFontCell = 64;
constexpr int32_t kSmallFontCell = 32;

// The rectangle of a drawn glyph that holds ink, in logical pixels; empty (left > right) for a blank glyph.
struct TInk {
  float left = 1, top = 1, right = 0, bottom = 0;
};

TInk InkOf(const TDrawRecord& record) {
  TInk ink;
  const TPixmap* glyph = record.pixmap;
  for (int32_t y = 0; y < glyph->height; y++) {
    for (int32_t x = 0; x < glyph->width; x++) {
      if (glyph->Row(y)[4 * x + 3] == 0) {
        continue;
      }
      float px = record.Left() + static_cast<float>(x);
      float py = record.Top() + static_cast<float>(y);
      if (ink.left > ink.right) {
        ink = {px, py, px + 1, py + 1};
      }
      ink = {std::min(ink.left, px), std::min(ink.top, py), std::max(ink.right, px + 1), std::max(ink.bottom, py + 1)};
    }
  }
  return ink;
}

class CardLayoutTest : public HeadlessGameTest {
protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    RegisterMediaLoaders();  // the PNG reader, as start-up registers it
    GameFont = TFont::Load(BytesToText(DataPath("gfx/font")), kFontCell);
    SmallFont = TFont::Load(BytesToText(DataPath("gfx/small")), kSmallFontCell);
    ASSERT_NE(GameFont->_image, nullptr);
    ASSERT_NE(SmallFont->_image, nullptr);
    TControl::Init(BytesToText(DataPath("bin/keyboard.dat")));
  }
};

}  // namespace

TEST_F(CardLayoutTest, TheInkOfEveryLineLiesOnThePanelBelowTheCountdownAndAboveTheScreensFoot) {
  StartTraining();
  RunFrame();
  ASSERT_EQ(GameState, GAMESTATE_COUNTDOWN);
  std::vector<TDrawRecord> dark = RectsIn(0, 0, 0);
  ASSERT_EQ(dark.size(), 1u);
  const TDrawRecord& panel = dark.front();
  float countdownInk = 0;       // the lowest ink of the big font's texts ("Round 1", the score)
  std::map<float, TInk> lines;  // the small font's ink, by the top of its cells
  for (const TDrawRecord& record : LastFrame()) {
    if (record.kind != TDrawRecord::IMAGE || record.pixmap == nullptr) {
      continue;
    }
    TInk ink = InkOf(record);
    if (ink.left > ink.right) {
      continue;
    }
    float cell = record.Right() - record.Left();
    if (cell == kFontCell) {
      countdownInk = std::max(countdownInk, ink.bottom);
    } else if (cell == kSmallFontCell) {
      auto [line, added] = lines.emplace(record.Top(), ink);
      line->second = {std::min(line->second.left, ink.left), std::min(line->second.top, ink.top),
                      std::max(line->second.right, ink.right), std::max(line->second.bottom, ink.bottom)};
    }
  }
  EXPECT_EQ(lines.size(), 13u);
  EXPECT_LE(countdownInk, panel.Top());
  for (const auto& [cellTop, ink] : lines) {
    EXPECT_GE(ink.top, panel.Top()) << "line at " << cellTop;
    EXPECT_GE(ink.left, panel.Left() + 8) << "line at " << cellTop;
    EXPECT_LE(ink.right, panel.Right() - 8) << "line at " << cellTop;
    EXPECT_LE(ink.bottom, std::min(panel.Bottom(), static_cast<float>(SCREEN_HEIGHT))) << "line at " << cellTop;
  }
}
