// The drawing state and calls, through the recording driver.
#include "media/graphics.h"

#include <gtest/gtest.h>

#include "media/image.h"
#include "media/recording_driver.h"

namespace {

class GraphicsTest : public ::testing::Test {
protected:
  void SetUp() override {
    SelectGraphicsDriver(&driver, 2);
    ASSERT_NE(OpenGraphics(800, 600, 0, 60, 0), nullptr);
    SetLogicalSize(400, 300);
    driver.log.clear();
  }
  void TearDown() override { CloseGraphics(); }
  const TDrawRecord& Last() const { return driver.log.back(); }
  TRecordingDriver driver;
};

std::shared_ptr<TImage> MakeImage(int32_t width, int32_t height, int32_t frames) {
  auto image = TImage::Create(width, height, frames, 0);
  for (int32_t i = 0; i < frames; i++) {
    image->SetPixmap(i, TPixmap::Create(width, height, TPixmap::FORMAT_RGBA8888));
  }
  return image;
}

}  // namespace

TEST_F(GraphicsTest, OpeningShowsTwoBlackFramesAndSetsTheLogicalSize) {
  TRecordingDriver fresh;
  SelectGraphicsDriver(&fresh, 2);
  TPlaxGraphics* graphics = OpenGraphics(1200, 900, 0, 60, 0);
  ASSERT_NE(graphics, nullptr);
  ASSERT_EQ(fresh.log.size(), 4u);
  EXPECT_EQ(fresh.log[0].kind, TDrawRecord::CLS);
  EXPECT_EQ(fresh.log[1].kind, TDrawRecord::FLIP);
  EXPECT_EQ(fresh.log[3].kind, TDrawRecord::FLIP);
  SetLogicalSize(400, 300);
  EXPECT_EQ(fresh.logicalWidth, 400);
  EXPECT_FLOAT_EQ(graphics->vres_mousexscale, 1.0f / 3.0f);
  EXPECT_EQ(graphics->color_red, 255);
  EXPECT_EQ(graphics->blend_mode, BLEND_MASK);
  CloseGraphics();  // before the driver goes
}

TEST_F(GraphicsTest, RectanglesTakeTheOriginAndScaleAndMayGrowLeftwards) {
  SetDrawOrigin(0, 50);
  DrawRect(390, 10, -100, 16);
  EXPECT_EQ(Last().kind, TDrawRecord::RECT);
  EXPECT_EQ(Last().Left(), 290);
  EXPECT_EQ(Last().Right(), 390);
  EXPECT_EQ(Last().Top(), 60);
  SetDrawOrigin(0, 0);
  SetDrawScale(-1, 1);
  DrawRect(100, 0, 20, 10);
  EXPECT_EQ(Last().Left(), 80);
  EXPECT_EQ(Last().Right(), 100);
}

TEST_F(GraphicsTest, ColoursAreClampedAndTravelWithEachCall) {
  SetColor(300, -5, 128);
  DrawRect(0, 0, 1, 1);
  EXPECT_EQ(Last().red, 255);
  EXPECT_EQ(Last().green, 0);
  EXPECT_EQ(Last().blue, 128);
  SetBlend(BLEND_ALPHA);
  Cls();
  EXPECT_EQ(Last().blend, BLEND_ALPHA);
}

TEST_F(GraphicsTest, ImageFramesAreDrawnWithTheirHandleAtThePositionAndMirroredAboutIt) {
  auto image = MakeImage(128, 128, 2);
  CentreImageHandle(image);
  EXPECT_EQ(image->handle_x, 64.0f);
  DrawImageFrame(image, 300, 232, 1);
  EXPECT_EQ(Last().kind, TDrawRecord::IMAGE);
  EXPECT_EQ(Last().pixmap, image->pixmaps[1].get());
  EXPECT_EQ(Last().Left(), 236);
  EXPECT_EQ(Last().Top(), 168);
  SetDrawScale(-1, 1);
  DrawImageFrame(image, 300, 232, 1);
  EXPECT_EQ(Last().Left(), 236);
  EXPECT_EQ(Last().Right(), 364);
  EXPECT_EQ(Last().MapX(Last().x0, 0), 364);  // the image's left edge now lies at the right
}

TEST_F(GraphicsTest, AFrameOutsideTheImageOrANullImageDrawsNothing) {
  auto image = MakeImage(8, 8, 3);
  DrawImageFrame(image, 0, 0, 3);
  DrawImageFrame(image, 0, 0, -1);
  DrawImageFrame(nullptr, 0, 0, 0);
  EXPECT_TRUE(driver.log.empty());
}

TEST_F(GraphicsTest, TheViewportIsClippedInWindowPixels) {
  SetViewport(55, 53, 112, 112);
  DrawRect(0, 0, 1, 1);
  EXPECT_EQ(Last().viewport[0], 110);
  EXPECT_EQ(Last().viewport[1], 106);
  EXPECT_EQ(Last().viewport[2], 224);
  EXPECT_EQ(Last().viewport[3], 224);
  SetViewport(0, 0, 400, 300);
  Cls();
  EXPECT_EQ(Last().viewport[2], 800);  // the whole window: the driver switches clipping off
  EXPECT_EQ(Last().viewport[3], 600);
}

TEST_F(GraphicsTest, FramesAreMadeOnceAndAgainForANewWindow) {
  auto image = MakeImage(16, 16, 1);
  DrawImageFrame(image, 0, 0, 0);
  DrawImageFrame(image, 0, 0, 0);
  EXPECT_EQ(driver.framesMade, 1);
  OpenGraphics(400, 300, 0, 60, 0);  // a new window: a new context
  DrawImageFrame(image, 0, 0, 0);
  EXPECT_EQ(driver.framesMade, 2);
  EXPECT_EQ(driver.log.back().pixmap, image->pixmaps[0].get());
}

TEST_F(GraphicsTest, NothingIsDrawnWithoutAWindow) {
  CloseGraphics();
  driver.log.clear();
  DrawRect(0, 0, 10, 10);
  Cls();
  FlipFrame(0);
  EXPECT_TRUE(driver.log.empty());
  EXPECT_EQ(CurrentGraphics(), nullptr);
}
