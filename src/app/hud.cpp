// The head-up display.
#include "app/hud.h"

#include "fighters/figure.h"
#include "frontend/font.h"
#include "media/core/text.h"
#include "media/graphics/graphics.h"
#include "shared/game_state.h"

namespace {

constexpr int32_t kBarLength = 150;

// A bar of length 150 at full value, growing away from x in direction s. A health bar keeps at least one pixel
// while the fighter stands: with much health a few points left would otherwise show as none.
void DrawBar(int32_t x, int32_t y, int32_t height, int64_t value, int32_t full, int32_t s, bool leastOne = false) {
  int32_t width = TruncateToInt(static_cast<double>(value * kBarLength) / full * s);
  if (leastOne && value > 0 && width == 0) {
    width = s;
  }
  DrawRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(width), static_cast<float>(height));
}

}  // namespace

void DrawHud(const TFigure& left, const TFigure& right, int32_t wonLeft, int32_t wonRight) {
  for (int32_t i = 0; i < 2; i++) {
    const TFigure& fighter = i == 0 ? left : right;
    int32_t x = i == 0 ? 10 : 390;
    int32_t s = i == 0 ? 1 : -1;
    SetColor(0, 255, 0);
    DrawBar(x, 10, 16, fighter.health, fighter.maxhealth, s, true);
    SetColor(255, 255, 0);
    DrawBar(x, 30, 8, fighter.power[0], 100, s);
    DrawBar(x, 40, 8, fighter.power[1], 100, s);
  }
  SetColor(255, 255, 255);
  // Built in place: the frame loop allocates nothing.
  TShortText score;
  score.Add(wonLeft).Add(u":").Add(wonRight);
  GameFont->Draw(score.View(), 200, 16, ALIGN_CENTER, ALIGN_TOP);
}
