// The drawing state and calls, through the recording driver.
#include "media/graphics/graphics.h"

#include <gtest/gtest.h>

#include <vector>

#include "headless/recording_driver.h"
#include "media/graphics/image.h"

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

TEST_F(GraphicsTest, TheViewportLandsOnWholeWindowPixelsAtEveryZoom) {
  // A third is not exact in binary: the edges are multiplied out, not divided by the scale.
  OpenGraphics(1200, 900, 0, 60, 0);
  SetLogicalSize(400, 300);
  SetViewport(55, 53, 112, 112);
  DrawRect(0, 0, 1, 1);
  EXPECT_EQ(Last().viewport[0], 165);
  EXPECT_EQ(Last().viewport[1], 159);
  EXPECT_EQ(Last().viewport[2], 336);
  EXPECT_EQ(Last().viewport[3], 336);
}

TEST_F(GraphicsTest, FullScreenShowsTheScreenEnlargedAndCentredAndClipsEverythingToIt) {
  driver.desktopWidth = 1920;
  driver.desktopHeight = 1080;
  TPlaxGraphics* graphics = OpenGraphics(800, 600, 0, 60, GRAPHICS_FULLSCREEN);
  ASSERT_NE(graphics, nullptr);
  SetLogicalSize(400, 300);
  EXPECT_EQ(graphics->fullscreen, 1);
  EXPECT_EQ(GraphicsFullScreen(), 1);
  EXPECT_EQ(driver.windowWidth, 1920);
  EXPECT_EQ(driver.windowHeight, 1080);
  EXPECT_FLOAT_EQ(graphics->vres_mousexscale, 1.0f / 3.0f);
  driver.log.clear();

  // Drawing is mapped onto the 1200 by 900 picture at (360, 90) and clipped to it: the menu's backdrop, larger
  // than the screen, cannot reach the border.
  DrawRect(-56, -106, 512, 512);
  EXPECT_EQ(std::vector<int32_t>(Last().picture, Last().picture + 4), (std::vector<int32_t>{360, 90, 1200, 900}));
  EXPECT_EQ(std::vector<int32_t>(Last().viewport, Last().viewport + 4), (std::vector<int32_t>{360, 90, 1200, 900}));

  // The portrait's viewport, offset into the picture.
  SetViewport(55, 53, 112, 112);
  DrawRect(0, 0, 1, 1);
  EXPECT_EQ(std::vector<int32_t>(Last().viewport, Last().viewport + 4), (std::vector<int32_t>{525, 249, 336, 336}));
  Cls();  // clears the viewport only
  EXPECT_EQ(Last().viewport[0], 525);

  // Clearing the whole screen clears the border with it, and clipping goes back to the picture.
  SetViewport(0, 0, 400, 300);
  Cls();
  EXPECT_EQ(std::vector<int32_t>(Last().viewport, Last().viewport + 4), (std::vector<int32_t>{0, 0, 1920, 1080}));
  DrawRect(0, 0, 1, 1);
  EXPECT_EQ(Last().viewport[0], 360);
  EXPECT_EQ(Last().viewport[2], 1200);
  CloseGraphics();
}

TEST_F(GraphicsTest, SwitchingToFullScreenAndBackKeepsTheWindowItsStateAndItsTextures) {
  auto image = MakeImage(16, 16, 1);
  DrawImageFrame(image, 0, 0, 0);
  SetColor(10, 20, 30);
  SetViewport(55, 53, 112, 112);
  int32_t windows = driver.windowsMade;
  TPlaxGraphics* graphics = CurrentGraphics();

  ASSERT_EQ(SetGraphicsFullScreen(1), 1);
  EXPECT_EQ(CurrentGraphics(), graphics);
  EXPECT_EQ(driver.windowsMade, windows);
  EXPECT_EQ(driver.windowWidth, 2560);
  EXPECT_EQ(graphics->vres_width, 400);  // the logical screen stays
  DrawImageFrame(image, 0, 0, 0);
  EXPECT_EQ(driver.framesMade, 1);  // the texture too
  EXPECT_EQ(Last().red, 10);
  EXPECT_EQ(std::vector<int32_t>(Last().picture, Last().picture + 4), (std::vector<int32_t>{480, 120, 1600, 1200}));
  EXPECT_EQ(std::vector<int32_t>(Last().viewport, Last().viewport + 4), (std::vector<int32_t>{700, 332, 448, 448}));

  ASSERT_EQ(SetGraphicsFullScreen(0), 1);
  EXPECT_EQ(GraphicsFullScreen(), 0);
  SetViewport(0, 0, 400, 300);
  Cls();
  // Back in the window of 800 by 600: the picture fills it, and the whole window means no clipping.
  EXPECT_EQ(std::vector<int32_t>(Last().picture, Last().picture + 4), (std::vector<int32_t>{0, 0, 800, 600}));
  EXPECT_EQ(std::vector<int32_t>(Last().viewport, Last().viewport + 4), (std::vector<int32_t>{0, 0, 800, 600}));
  EXPECT_EQ(driver.framesMade, 1);
}

TEST_F(GraphicsTest, ARefusedSwitchLeavesTheWindowAsItWas) {
  driver.refuseFullScreen = true;
  EXPECT_EQ(SetGraphicsFullScreen(1), 0);
  EXPECT_EQ(GraphicsFullScreen(), 0);
  EXPECT_EQ(driver.windowWidth, 800);
  // A window asked for full screen opens as a window instead.
  ASSERT_NE(OpenGraphics(800, 600, 0, 60, GRAPHICS_FULLSCREEN), nullptr);
  EXPECT_EQ(GraphicsFullScreen(), 0);
  EXPECT_EQ(driver.windowWidth, 800);
  CloseGraphics();
  EXPECT_EQ(SetGraphicsFullScreen(1), 0);  // no window at all
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
