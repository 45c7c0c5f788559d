// Images cut from pixmaps, the loader registry and the masked copy.
#include "media/graphics/image.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "media/core/data_limits.h"
#include "media/files/stream.h"
#include "support/temp_dir.h"

namespace {

// A pixmap whose pixel (x, y) holds x and y in its red and green bytes, to tell cells apart.
std::shared_ptr<TPixmap> Numbered(int32_t width, int32_t height) {
  auto pixmap = TPixmap::Create(width, height, TPixmap::FORMAT_RGBA8888);
  for (int32_t y = 0; y < height; y++) {
    for (int32_t x = 0; x < width; x++) {
      pixmap->Row(y)[4 * x] = static_cast<uint8_t>(x);
      pixmap->Row(y)[4 * x + 1] = static_cast<uint8_t>(y);
    }
  }
  return pixmap;
}

// Reads files made of "PIX", a width byte and a height byte, as grey pixmaps; raises on a file cut short.
class TTinyLoader : public TPixmapLoader {
public:
  std::shared_ptr<TPixmap> LoadPixmap(TStream& stream) override {
    char magic[3];
    stream.ReadBytes(magic, 3);
    if (std::string(magic, 3) != "PIX") {
      return nullptr;
    }
    int32_t width = stream.ReadByte();
    int32_t height = stream.ReadByte();
    auto pixmap = TPixmap::Create(width, height, TPixmap::FORMAT_I8);
    for (int32_t y = 0; y < height; y++) {
      stream.ReadBytes(pixmap->Row(y), width);
    }
    return pixmap;
  }
};

}  // namespace

TEST(Image, StripsAreCutRowByRowAndRefuseTooFewCells) {
  auto sheet = Numbered(640, 384);  // 5 by 3 cells of 128
  auto image = TImage::LoadAnim(sheet, 128, 128, 0, 15, 0, 0, 0, 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->FrameCount(), 15);
  EXPECT_EQ(image->width, 128);
  auto cell = [&](int n) { return std::pair<int, int>(image->pixmaps[n]->Row(0)[0], image->pixmaps[n]->Row(0)[1]); };
  EXPECT_EQ(cell(4), std::make_pair(512 % 256, 0));
  EXPECT_EQ(cell(5), std::make_pair(0, 128));
  EXPECT_EQ(cell(14), std::make_pair(512 % 256, 256 % 256));
  EXPECT_EQ(TImage::LoadAnim(sheet, 128, 128, 0, 16, 0, 0, 0, 0), nullptr);
  auto later = TImage::LoadAnim(sheet, 128, 128, 5, 2, 0, 0, 0, 0);
  EXPECT_EQ(later->pixmaps[0]->Row(0)[1], 128);
  // Partial cells at the edges do not count.
  EXPECT_EQ(TImage::LoadAnim(Numbered(200, 100), 64, 64, 0, 4, 0, 0, 0, 0), nullptr);
  EXPECT_NE(TImage::LoadAnim(Numbered(200, 100), 64, 64, 0, 3, 0, 0, 0, 0), nullptr);
}

TEST(Image, PixmapRowsAreAlignedToFourBytesAndConvertToRGBA) {
  auto grey = TPixmap::Create(3, 2, TPixmap::FORMAT_I8);
  EXPECT_EQ(grey->pitch, 4);
  grey->Row(1)[2] = 77;
  auto rgba = grey->ToRGBA();
  EXPECT_EQ(rgba->format, TPixmap::FORMAT_RGBA8888);
  const uint8_t* p = rgba->Row(1) + 8;
  EXPECT_EQ(p[0], 77);
  EXPECT_EQ(p[2], 77);
  EXPECT_EQ(p[3], 255);
  auto bgr = TPixmap::Create(1, 1, TPixmap::FORMAT_BGR888);
  bgr->pixels[0] = 1;
  bgr->pixels[2] = 3;
  EXPECT_EQ(bgr->ToRGBA()->pixels[0], 3);
  EXPECT_EQ(rgba->ToRGBA(), rgba);
  EXPECT_EQ(TPixmap::Create(0, 5, TPixmap::FORMAT_I8), nullptr);
  EXPECT_EQ(TPixmap::Create(100000, 100000, TPixmap::FORMAT_RGBA8888), nullptr);
}

TEST(Image, TheMaskColourBecomesTransparentAndTakesItsNeighboursColour) {
  auto pixmap = TPixmap::Create(3, 1, TPixmap::FORMAT_RGB888);
  uint8_t* p = pixmap->pixels;
  p[0] = 100;  // (100, 0, 0), then the mask (0, 0, 0), then (0, 0, 200)
  p[8] = 200;
  auto image = TImage::Load(pixmap, IMAGE_MASKED, 0, 0, 0);
  const uint8_t* out = image->pixmaps[0]->pixels;
  EXPECT_EQ(out[3], 255);
  EXPECT_EQ(out[4 + 0], 50);
  EXPECT_EQ(out[4 + 2], 100);
  EXPECT_EQ(out[4 + 3], 0);
  EXPECT_EQ(out[8 + 3], 255);
  // A pixmap with alpha keeps its own.
  auto rgba = TPixmap::Create(1, 1, TPixmap::FORMAT_RGBA8888);
  EXPECT_EQ(TImage::Load(rgba, IMAGE_MASKED, 0, 0, 0)->pixmaps[0], rgba);
}

TEST(Image, FilesGoThroughTheLoadersAndDefaultFlags) {
  static bool added = false;
  if (!added) {
    AddPixmapLoader(std::make_shared<TTinyLoader>());
    added = true;
  }
  ScopedTempDir dir;
  dir.Write("a.pix", std::string("PIX\x02\x02\x01\x02\x03\x04", 9));
  dir.Write("cut.pix", std::string("PIX\x08\x08\x01", 6));
  dir.Write("other.bin", "XYZ");
  SetDefaultImageFlags(0);
  auto image = LoadImageFile(u"a.pix", -1);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->flags, 0);
  EXPECT_EQ(image->width, 2);
  EXPECT_EQ(image->pixmaps[0]->Row(1)[1], 4);
  EXPECT_EQ(LoadImageFile(u"a.pix", IMAGE_FILTERED)->flags, IMAGE_FILTERED);
  SetDefaultImageFlags(-1);  // -1 leaves the defaults as they are
  EXPECT_EQ(LoadImageFile(u"a.pix", -1)->flags, 0);
  EXPECT_EQ(LoadImageFile(u"cut.pix", -1), nullptr);
  EXPECT_EQ(LoadImageFile(u"other.bin", -1), nullptr);
  EXPECT_EQ(LoadImageFile(u"missing.pix", -1), nullptr);
  EXPECT_EQ(LoadImageStrip(u"a.pix", 1, 1, 0, 4, -1)->FrameCount(), 4);
  EXPECT_EQ(LoadImageStrip(u"a.pix", 1, 1, 0, 5, -1), nullptr);
  // A picture file longer than any picture the game takes is not read, whatever its start holds.
  dir.Write("long.pix", std::string("PIX\x02\x02\x01\x02\x03\x04", 9));
  std::filesystem::resize_file(dir.path() / "long.pix", kPictureFileBytes);
  EXPECT_NE(LoadImageFile(u"long.pix", -1), nullptr);
  std::filesystem::resize_file(dir.path() / "long.pix", uintmax_t{kPictureFileBytes} + 1);
  EXPECT_EQ(LoadImageFile(u"long.pix", -1), nullptr);
}
