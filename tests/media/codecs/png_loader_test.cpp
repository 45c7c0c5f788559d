// Decoding PNG files of every colour type and bit depth, and refusing damaged ones.
#include "media/codecs/png_loader.h"

#include <gtest/gtest.h>

#include "media/core/data_limits.h"
#include "media/files/stream.h"
#include "media/graphics/image.h"
#include "media/platform/media.h"
#include "support/png_fixture.h"
#include "support/temp_dir.h"

namespace {

class PngTest : public ::testing::Test {
protected:
  void SetUp() override { RegisterMediaLoaders(); }
  // The file's pixmap through the game's loaders.
  std::shared_ptr<TPixmap> Load(const TPngFixture& picture) {
    WritePng((dir.path() / "p.png").string(), picture);
    return LoadPixmap(u"p.png");
  }
  ScopedTempDir dir;
};

TPngFixture Picture(int width, int height, int colorType, int bitDepth, std::vector<uint8_t> rows,
                    std::vector<uint8_t> palette = {}) {
  TPngFixture picture;
  picture.width = width;
  picture.height = height;
  picture.colorType = colorType;
  picture.bitDepth = bitDepth;
  picture.rows = std::move(rows);
  picture.palette = std::move(palette);
  return picture;
}

}  // namespace

TEST_F(PngTest, GreyStaysIntensityAndLowDepthsWidenToEightBits) {
  auto grey = Load(Picture(3, 1, 0, 8, {10, 20, 30}));
  ASSERT_NE(grey, nullptr);
  EXPECT_EQ(grey->format, TPixmap::FORMAT_I8);
  EXPECT_EQ(grey->pitch, 4);  // rows aligned to 4 bytes
  EXPECT_EQ(grey->pixels[2], 30);
  auto twoBit = Load(Picture(4, 1, 0, 2, {0b00011011}));  // 0, 1, 2, 3 of 3
  ASSERT_NE(twoBit, nullptr);
  EXPECT_EQ(twoBit->pixels[0], 0);
  EXPECT_EQ(twoBit->pixels[1], 85);
  EXPECT_EQ(twoBit->pixels[3], 255);
}

TEST_F(PngTest, SixteenBitSamplesKeepTheirHighByte) {
  auto rgb16 = Load(Picture(1, 1, 2, 16, {0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x00}));
  ASSERT_NE(rgb16, nullptr);
  EXPECT_EQ(rgb16->format, TPixmap::FORMAT_RGB888);
  EXPECT_EQ(rgb16->pixels[0], 0x12);
  EXPECT_EQ(rgb16->pixels[1], 0xAB);
  EXPECT_EQ(rgb16->pixels[2], 0xFF);
}

TEST_F(PngTest, RgbaAndGreyWithAlphaBecomeRgba) {
  auto rgba = Load(Picture(1, 1, 6, 8, {1, 2, 3, 4}));
  ASSERT_NE(rgba, nullptr);
  EXPECT_EQ(rgba->format, TPixmap::FORMAT_RGBA8888);
  EXPECT_EQ(rgba->pixels[3], 4);
  auto greyAlpha = Load(Picture(2, 1, 4, 8, {50, 128, 60, 255}));
  ASSERT_NE(greyAlpha, nullptr);
  EXPECT_EQ(greyAlpha->format, TPixmap::FORMAT_RGBA8888);
  const uint8_t* p = greyAlpha->pixels;
  EXPECT_EQ(p[0], 50);
  EXPECT_EQ(p[1], 50);
  EXPECT_EQ(p[2], 50);
  EXPECT_EQ(p[3], 128);
  EXPECT_EQ(p[4], 60);
  EXPECT_EQ(p[7], 255);
}

TEST_F(PngTest, PalettesExpandAndTheirTransparencyBecomesAlpha) {
  TPngFixture opaque = Picture(2, 1, 3, 8, {1, 0}, {255, 0, 0, 0, 0, 255});
  auto rgb = Load(opaque);
  ASSERT_NE(rgb, nullptr);
  EXPECT_EQ(rgb->format, TPixmap::FORMAT_RGB888);
  EXPECT_EQ(rgb->pixels[2], 255);  // entry 1 is blue
  EXPECT_EQ(rgb->pixels[3], 255);  // entry 0 is red
  TPngFixture clear = opaque;
  clear.paletteAlpha = {40, 200};
  auto rgba = Load(clear);
  ASSERT_NE(rgba, nullptr);
  EXPECT_EQ(rgba->format, TPixmap::FORMAT_RGBA8888);
  EXPECT_EQ(rgba->pixels[3], 200);
  EXPECT_EQ(rgba->pixels[7], 40);
  TPngFixture fourBit = Picture(3, 1, 3, 4, {0x10, 0x00}, {0, 0, 0, 9, 9, 9});
  auto packed = Load(fourBit);
  ASSERT_NE(packed, nullptr);
  EXPECT_EQ(packed->pixels[0], 9);
  EXPECT_EQ(packed->pixels[3], 0);
}

TEST_F(PngTest, InterlacedPicturesComeOutWhole) {
  TPngFixture picture = Picture(9, 9, 0, 8, {});
  for (int i = 0; i < 81; i++) {
    picture.rows.push_back(static_cast<uint8_t>(i));
  }
  picture.interlaced = true;
  auto pixmap = Load(picture);
  ASSERT_NE(pixmap, nullptr);
  EXPECT_EQ(pixmap->Row(8)[8], 80);
  EXPECT_EQ(pixmap->Row(4)[3], 39);
}

TEST_F(PngTest, DamagedCutShortAndForeignFilesGiveNull) {
  TPngFixture picture = Picture(16, 16, 2, 8, std::vector<uint8_t>(16 * 16 * 3, 77));
  std::string bytes = WritePng((dir.path() / "good.png").string(), picture);
  ASSERT_NE(LoadPixmap(u"good.png"), nullptr);
  for (size_t cut : {size_t{5}, size_t{20}, bytes.size() / 2, bytes.size() - 5}) {
    dir.Write("cut.png", bytes.substr(0, cut));
    EXPECT_EQ(LoadPixmap(u"cut.png"), nullptr) << "cut at " << cut;
  }
  std::string damaged = bytes;
  for (size_t i = 40; i < damaged.size() - 20; i += 7) {
    damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
  }
  dir.Write("damaged.png", damaged);
  EXPECT_EQ(LoadPixmap(u"damaged.png"), nullptr);
  dir.Write("text.png", "This is not a picture at all.");
  EXPECT_EQ(LoadPixmap(u"text.png"), nullptr);
}

TEST_F(PngTest, AHugeDeclaredPictureIsRefusedBeforeAnythingIsAllocated) {
  TPngFixture picture = Picture(1, 1, 0, 8, {0});
  std::string bytes = WritePng((dir.path() / "small.png").string(), picture);
  dir.Write("wide.png", WithDeclaredSize(bytes, 16385, 1));
  EXPECT_EQ(LoadPixmap(u"wide.png"), nullptr);
  std::string huge = WithDeclaredSize(bytes, 65536, 65536);
  dir.Write("huge.png", huge);
  EXPECT_EQ(LoadPixmap(u"huge.png"), nullptr);
}

TEST_F(PngTest, StripsOfAPngFileAreCutIntoFrames) {
  TPngFixture picture = Picture(4, 2, 0, 8, {1, 2, 3, 4, 5, 6, 7, 8});
  WritePng((dir.path() / "strip.png").string(), picture);
  auto image = LoadImageStrip(u"strip.png", 2, 1, 0, 4, 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->pixmaps[1]->pixels[0], 3);
  EXPECT_EQ(image->pixmaps[2]->pixels[1], 6);
  EXPECT_EQ(LoadImageStrip(u"strip.png", 2, 1, 0, 5, 0), nullptr);
}

// The largest picture the game takes is decoded; one more row is refused, though the file is valid and no larger
// than deflate allows.
TEST_F(PngTest, APictureOfMorePixelsThanTheLimitIsRefused) {
  constexpr int kWidth = 4096;
  constexpr int kRows = static_cast<int>(kPicturePixels / kWidth);
  TPngFixture picture = Picture(kWidth, kRows + 1, 0, 8, std::vector<uint8_t>(size_t{kWidth} * (kRows + 1)));
  for (size_t i = 0; i < picture.rows.size(); i += 7) {
    picture.rows[i] = static_cast<uint8_t>(i * 2654435761u >> 24);  // enough detail to deflate like a picture
  }
  EXPECT_EQ(Load(picture), nullptr);
  picture.height = kRows;
  picture.rows.resize(size_t{kWidth} * kRows);
  std::shared_ptr<TPixmap> largest = Load(picture);
  ASSERT_NE(largest, nullptr);
  EXPECT_EQ(int64_t{largest->width} * largest->height, kPicturePixels);
}
