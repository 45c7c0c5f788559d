// Preparing pixmaps for power-of-two textures.
#include "media/graphics/texture_pixels.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<TPixmap> Ramp(int width, int height) {
  auto pixmap = TPixmap::Create(width, height, TPixmap::FORMAT_RGBA8888);
  for (int y = 0; y < height; y++) {
    for (int x = 0; x < width; x++) {
      uint8_t* p = pixmap->Row(y) + 4 * x;
      p[0] = static_cast<uint8_t>(x * 10);
      p[1] = static_cast<uint8_t>(y * 10);
      p[3] = 255;
    }
  }
  return pixmap;
}

}  // namespace

TEST(TexturePixels, SidesGrowToThePowerOfTwoAtOrAbove) {
  EXPECT_EQ(NextPowerOfTwo(0), 1);
  EXPECT_EQ(NextPowerOfTwo(1), 1);
  EXPECT_EQ(NextPowerOfTwo(100), 128);
  EXPECT_EQ(NextPowerOfTwo(40), 64);
  EXPECT_EQ(NextPowerOfTwo(1024), 1024);
}

TEST(TexturePixels, PaddingRepeatsTheLastColumnRowAndCornerOnce) {
  auto image = Ramp(100, 40);
  auto padded = PadRGBA(*image, 128, 64);
  ASSERT_NE(padded, nullptr);
  EXPECT_EQ(padded->width, 128);
  EXPECT_EQ(padded->Row(5)[4 * 99], 990 % 256);
  EXPECT_EQ(padded->Row(5)[4 * 100], 990 % 256);       // the last column again
  EXPECT_EQ(padded->Row(5)[4 * 101 + 3], 0);           // then nothing
  EXPECT_EQ(padded->Row(40)[4 * 7 + 1], 390 % 256);    // the last row again
  EXPECT_EQ(padded->Row(40)[4 * 100 + 1], 390 % 256);  // the corner diagonally
  EXPECT_EQ(padded->Row(41)[4 * 7 + 3], 0);
}

TEST(TexturePixels, ResamplingBlendsNeighboursAndKeepsFlatAreasFlat) {
  auto image = Ramp(4, 1);  // red 0, 10, 20, 30
  auto half = ResampleRGBA(*image, 2, 1);
  EXPECT_EQ(half->pixels[0], 5);   // sampled at 0.5
  EXPECT_EQ(half->pixels[4], 25);  // at 2.5
  auto flat = TPixmap::Create(8, 8, TPixmap::FORMAT_RGBA8888);
  for (int i = 0; i < flat->capacity; i++) {
    flat->pixels[i] = 200;
  }
  auto small = ResampleRGBA(*flat, 3, 5);
  for (int y = 0; y < 5; y++) {
    for (int x = 0; x < 3 * 4; x++) {
      ASSERT_EQ(small->Row(y)[x], 200);
    }
  }
}

TEST(TexturePixels, MipmapsHalveEachSideAboveOne) {
  auto image = Ramp(4, 1);
  auto next = HalveRGBA(*image);
  EXPECT_EQ(next->width, 2);
  EXPECT_EQ(next->height, 1);
  EXPECT_EQ(next->pixels[0], 5);
  EXPECT_EQ(next->pixels[4], 25);
  auto last = HalveRGBA(*HalveRGBA(*next));
  EXPECT_EQ(last->width, 1);
  EXPECT_EQ(last->height, 1);
}
