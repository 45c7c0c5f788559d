// The largest whole enlargement of the 400 by 300 picture that fits a space, and where it sits, centred.
#include "media/graphics/picture_fit.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int32_t kAny = std::numeric_limits<int32_t>::max();

void ExpectArea(const TPictureArea& area, int32_t x, int32_t y, int32_t width, int32_t height, int32_t scale) {
  EXPECT_EQ(area.x, x);
  EXPECT_EQ(area.y, y);
  EXPECT_EQ(area.width, width);
  EXPECT_EQ(area.height, height);
  EXPECT_EQ(area.scale, scale);
}

}  // namespace

TEST(PictureFitTest, TheFactorIsTheLargestWholeOneThatFitsBothWaysUpToTheLimit) {
  EXPECT_EQ(LargestWholeFactor(400, 300, 1920, 1080, kAny), 3);  // 1600 would fit across, 1200 not down
  EXPECT_EQ(LargestWholeFactor(400, 300, 2560, 1440, kAny), 4);
  EXPECT_EQ(LargestWholeFactor(400, 300, 1920, 1200, kAny), 4);  // exactly as high
  EXPECT_EQ(LargestWholeFactor(400, 300, 1599, 1200, kAny), 3);  // a pixel short across
  EXPECT_EQ(LargestWholeFactor(400, 300, 3840, 2160, kAny), 7);
  EXPECT_EQ(LargestWholeFactor(400, 300, 3840, 2160, 4), 4);
  // Smaller than the picture itself: it is never shrunk.
  EXPECT_EQ(LargestWholeFactor(400, 300, 320, 240, kAny), 1);
  EXPECT_EQ(LargestWholeFactor(400, 300, 0, 0, kAny), 1);
  EXPECT_EQ(LargestWholeFactor(0, 300, 800, 600, kAny), 1);
}

TEST(PictureFitTest, ThePictureIsCentredWithTheSparePixelRightAndBelow) {
  ExpectArea(CentredPicture(400, 300, 1920, 1080), 360, 90, 1200, 900, 3);
  ExpectArea(CentredPicture(400, 300, 2560, 1440), 480, 120, 1600, 1200, 4);
  ExpectArea(CentredPicture(400, 300, 1920, 1200), 160, 0, 1600, 1200, 4);
  ExpectArea(CentredPicture(400, 300, 1366, 768), 283, 84, 800, 600, 2);
  ExpectArea(CentredPicture(400, 300, 1921, 1081), 360, 90, 1200, 900, 3);
  // A space of the picture's own size is filled: a window's picture.
  ExpectArea(CentredPicture(400, 300, 800, 600), 0, 0, 800, 600, 2);
  // Too small: centred all the same, cut at the edges.
  ExpectArea(CentredPicture(400, 300, 320, 240), -40, -30, 400, 300, 1);
}
