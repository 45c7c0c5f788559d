// Drawing fighters from the sprite sheet: cells, mirroring, tint and the walk cycle.
#include <gtest/gtest.h>

#include "fighters/figure.h"
#include "headless/recording_driver.h"
#include "media/graphics/graphics.h"
#include "media/graphics/image.h"
#include "shared/game_state.h"
#include "support/fighter_fixture.h"

namespace {

class FigureDrawTest : public FighterTest {
protected:
  void SetUp() override {
    FighterTest::SetUp();
    SelectGraphicsDriver(&driver, 2);
    OpenGraphics(800, 600, 0, 60, 0);
    SetLogicalSize(400, 300);
    FigureSheet = TImage::Create(128, 128, 40, 0);
    for (int32_t cell = 0; cell < 40; cell++) {
      FigureSheet->SetPixmap(cell, TPixmap::Create(1, 1, TPixmap::FORMAT_RGBA8888));
    }
    CentreImageHandle(FigureSheet);
  }
  void TearDown() override {
    CloseGraphics();
    FigureSheet = nullptr;
    FighterTest::TearDown();
  }
  // The two cells drawn by one Draw call.
  std::pair<int32_t, int32_t> CellsOf(TFigure& fighter) {
    driver.log.clear();
    fighter.Draw();
    EXPECT_EQ(driver.log.size(), 2u);
    return {CellOf(driver.log[0]), CellOf(driver.log[1])};
  }
  int32_t CellOf(const TDrawRecord& record) const {
    for (int32_t cell = 0; cell < 40; cell++) {
      if (FigureSheet->pixmaps[static_cast<size_t>(cell)].get() == record.pixmap) {
        return cell;
      }
    }
    return -1;
  }
  TRecordingDriver driver;
};

}  // namespace

TEST_F(FigureDrawTest, TheCellFollowsTheActionHeightAndHand) {
  a->action = ACTION_GUARD;
  a->height = 2;
  EXPECT_EQ(CellsOf(*a), std::make_pair(2, 22));
  a->action = ACTION_RECOVER;
  a->height = 1;
  a->side = 1;
  EXPECT_EQ(CellsOf(*a), std::make_pair(6, 26));
  a->action = ACTION_HURT;
  a->height = 0;
  a->side = 0;
  EXPECT_EQ(CellsOf(*a), std::make_pair(9, 29));
  a->action = ACTION_WIN;
  EXPECT_EQ(CellsOf(*a), std::make_pair(17, 37));
  a->action = ACTION_DOWN;
  EXPECT_EQ(CellsOf(*a), std::make_pair(18, 38));
  EXPECT_EQ(a->frame, 18);
}

TEST_F(FigureDrawTest, TheBaseIsWhiteTheTintLayerColouredAndWhiteAndScaleAreRestored) {
  driver.log.clear();
  a->Draw();
  EXPECT_EQ(driver.log[0].red, 255);
  EXPECT_EQ(driver.log[0].green, 255);
  EXPECT_EQ(driver.log[0].blue, 255);
  EXPECT_EQ(driver.log[1].red, 32);
  EXPECT_EQ(driver.log[1].green, 255);
  EXPECT_EQ(driver.log[1].blue, 64);
  TPlaxGraphics* state = CurrentGraphics();
  EXPECT_EQ(state->color_red, 255);
  EXPECT_EQ(state->color_blue, 255);
  EXPECT_EQ(state->tform_scale_x, 1.0f);
}

TEST_F(FigureDrawTest, TheRightFighterIsMirroredAboutItsCentre) {
  driver.log.clear();
  b->Draw();  // x 200, dir -1
  const TDrawRecord& base = driver.log[0];
  EXPECT_EQ(base.tx, 300);
  EXPECT_EQ(base.ty, 232);
  EXPECT_EQ(base.ix, -1.0f);
  EXPECT_EQ(base.Left(), 236);
  EXPECT_EQ(base.Top(), 168);
  EXPECT_EQ(base.Bottom(), 296);
  driver.log.clear();
  a->x = 60;
  a->Draw();
  EXPECT_EQ(driver.log[0].ix, 1.0f);
  EXPECT_EQ(driver.log[0].tx, 160);
}

TEST_F(FigureDrawTest, TheWalkCycleShowsEachStepFor100MillisecondsAndIsMovedOnOnlyByDrawing) {
  a->Walk(ACTION_FORWARD);
  int32_t start = a->wtime;
  clock.Set(start + 50);
  EXPECT_EQ(CellsOf(*a).first, 15);
  clock.Set(start + 150);
  EXPECT_EQ(CellsOf(*a).first, 16);
  clock.Set(start + 250);
  EXPECT_EQ(CellsOf(*a).first, 15);
  EXPECT_EQ(a->wtime, start + 200);
  // Paused, the cycle stands still on cell 15; afterwards it catches up one period per frame.
  GameState = GAMESTATE_PAUSED;
  clock.Set(start + 1150);
  EXPECT_EQ(CellsOf(*a).first, 15);
  EXPECT_EQ(a->wtime, start + 200);
  GameState = GAMESTATE_FIGHT;
  EXPECT_EQ(CellsOf(*a).first, 15);
  EXPECT_EQ(a->wtime, start + 400);
}
