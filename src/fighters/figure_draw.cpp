// Drawing a fighter from the shared sprite sheet: the cell by action, the walk cycle, mirroring and the tint.
#include <cstdlib>

#include "fighters/figure.h"
#include "media/core/clock.h"
#include "media/core/runtime_error.h"
#include "media/graphics/graphics.h"
#include "media/graphics/image.h"
#include "shared/game_state.h"

std::shared_ptr<TImage> FigureSheet;

namespace {

constexpr int32_t kCellSize = 128;
constexpr int32_t kCells = 40;
constexpr int32_t kWalkCell = 15;  // the walk shows 15 and 16 for 100 ms each
constexpr int32_t kWalkStepMillis = 100;
constexpr int32_t kRingToScreen = 100;  // ring position 0..200 puts the sprite's centre at x 100..300

}  // namespace

int32_t TFigure::Load() {
  FigureSheet = LoadImageStrip(u"gfx/figures.png", kCellSize, kCellSize, 0, kCells, -1);
  if (FigureSheet == nullptr) {
    throw TRuntimeError("cannot load the fighters' sprite sheet \"gfx/figures.png\" (40 cells of 128 by 128)");
  }
  CentreImageHandle(FigureSheet);
  return 0;
}

int32_t TFigure::PoseCell() const {
  switch (action) {
    case ACTION_PUNCH:
    case ACTION_RECOVER:
    case ACTION_HURT:
      return std::abs(action) + 2 * height + side;
    case ACTION_FORWARD:
    case ACTION_BACK:
      return kWalkCell;
    case ACTION_GUARD:
      return height;
    default:
      return action;
  }
}

int32_t TFigure::Draw() {
  frame = PoseCell();
  // Only drawing moves the walk cycle on, one period per frame at most; it stands still while the match is paused.
  if (frame == kWalkCell && GameState != GAMESTATE_PAUSED) {
    if (ElapsedMillis() >= AddMillis(wtime, 2 * kWalkStepMillis)) {
      wtime = AddMillis(wtime, 2 * kWalkStepMillis);
    } else if (ElapsedMillis() >= AddMillis(wtime, kWalkStepMillis)) {
      frame = kWalkCell + 1;
    }
  }
  DrawCell(frame);
  return 0;
}

void TFigure::DrawAt(int32_t now) const {
  int32_t cell = PoseCell();
  if (cell == kWalkCell && DiffMillis(now, wtime) / kWalkStepMillis % 2 == 1) {
    cell = kWalkCell + 1;
  }
  DrawCell(cell);
}

void TFigure::DrawCell(int32_t cell) const {
  auto screenX = static_cast<float>(x + kRingToScreen);
  auto screenY = static_cast<float>(y);
  SetDrawScale(static_cast<float>(dir), 1);
  DrawImageFrame(FigureSheet, screenX, screenY, cell);
  SetColor(colr, colg, colb);
  DrawImageFrame(FigureSheet, screenX, screenY, cell + FIGURE_TINT_LAYER);
  SetColor(255, 255, 255);
  SetDrawScale(1, 1);
}
