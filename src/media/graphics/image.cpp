// Images and the picture loader registry.
#include "media/graphics/image.h"

#include "media/core/data_limits.h"
#include "media/files/stream.h"
#include "media/graphics/graphics.h"

namespace {

int32_t defaultImageFlags = IMAGE_MASKED | IMAGE_FILTERED;
int32_t maskRed = 0, maskGreen = 0, maskBlue = 0;

std::vector<std::shared_ptr<TPixmapLoader>>& Loaders() {
  static std::vector<std::shared_ptr<TPixmapLoader>> loaders;
  return loaders;
}

int32_t ResolveFlags(int32_t flags) {
  return flags == -1 ? defaultImageFlags : flags;
}

bool HasAlpha(int32_t format) {
  return format == TPixmap::FORMAT_A8 || format == TPixmap::FORMAT_BGRA8888 || format == TPixmap::FORMAT_RGBA8888;
}

}  // namespace

std::shared_ptr<TImage> TImage::Create(int32_t width, int32_t height, int32_t frames, int32_t flags, int32_t mask_r,
                                       int32_t mask_g, int32_t mask_b) {
  auto image = std::make_shared<TImage>();
  image->width = width;
  image->height = height;
  image->flags = flags;
  image->mask_r = mask_r;
  image->mask_g = mask_g;
  image->mask_b = mask_b;
  image->pixmaps.resize(static_cast<size_t>(frames));
  image->frames.resize(static_cast<size_t>(frames));
  image->seqs.resize(static_cast<size_t>(frames));
  return image;
}

std::shared_ptr<TImage> TImage::Load(const std::shared_ptr<TPixmap>& pixmap, int32_t flags, int32_t mask_r,
                                     int32_t mask_g, int32_t mask_b) {
  auto image = Create(pixmap->width, pixmap->height, 1, flags, mask_r, mask_g, mask_b);
  image->SetPixmap(0, pixmap);
  return image;
}

std::shared_ptr<TImage> TImage::LoadAnim(const std::shared_ptr<TPixmap>& pixmap, int32_t cellWidth, int32_t cellHeight,
                                         int32_t first, int32_t count, int32_t flags, int32_t mask_r, int32_t mask_g,
                                         int32_t mask_b) {
  if (cellWidth <= 0 || cellHeight <= 0 || first < 0 || count <= 0) {
    return nullptr;
  }
  int64_t cellsPerRow = pixmap->width / cellWidth;
  int64_t rows = pixmap->height / cellHeight;
  if (cellsPerRow * rows < int64_t{first} + count) {
    return nullptr;
  }
  auto image = Create(cellWidth, cellHeight, count, flags, mask_r, mask_g, mask_b);
  for (int32_t i = first; i < first + count; i++) {
    auto column = static_cast<int32_t>(i % cellsPerRow);
    auto row = static_cast<int32_t>(i / cellsPerRow);
    auto cell = pixmap->Copy(cellWidth * column, cellHeight * row, cellWidth, cellHeight);
    if (cell == nullptr) {
      return nullptr;
    }
    image->SetPixmap(i - first, cell);
  }
  return image;
}

void TImage::SetPixmap(int32_t n, std::shared_ptr<TPixmap> pixmap) {
  if ((flags & IMAGE_MASKED) != 0 && !HasAlpha(pixmap->format)) {
    pixmap = MaskPixmap(pixmap, mask_r, mask_g, mask_b);
  }
  pixmaps[static_cast<size_t>(n)] = std::move(pixmap);
  frames[static_cast<size_t>(n)] = nullptr;
  seqs[static_cast<size_t>(n)] = 0;
}

TImageFrame* TImage::Frame(int32_t n) {
  TPlaxDriver* driver = CurrentPlaxDriver();
  if (driver == nullptr || n < 0 || n >= FrameCount() || pixmaps[static_cast<size_t>(n)] == nullptr) {
    return nullptr;
  }
  auto index = static_cast<size_t>(n);
  int32_t seq = driver->ContextSeq();
  if (seqs[index] != seq || frames[index] == nullptr) {
    frames[index] = driver->CreateFrameFromPixmap(pixmaps[index], flags);
    seqs[index] = frames[index] != nullptr ? seq : 0;
  }
  return frames[index].get();
}

void AddPixmapLoader(std::shared_ptr<TPixmapLoader> loader) {
  Loaders().push_back(std::move(loader));
}

std::shared_ptr<TPixmap> LoadPixmap(std::u16string_view path) {
  std::shared_ptr<TStream> stream = OpenReadStream(path);
  if (stream == nullptr || stream->Size() > kPictureFileBytes) {
    return nullptr;
  }
  int32_t start = stream->Pos();
  std::shared_ptr<TPixmap> pixmap;
  for (const auto& loader : Loaders()) {
    if (start < 0) {
      break;
    }
    stream->Seek(start);
    try {
      pixmap = loader->LoadPixmap(*stream);
    } catch (const TStreamException&) {
      pixmap = nullptr;  // a file cut short: this loader failed, the next may still know the file
    }
    if (pixmap != nullptr) {
      break;
    }
  }
  stream->Close();
  return pixmap;
}

std::shared_ptr<TImage> LoadImageFile(std::u16string_view path, int32_t flags) {
  std::shared_ptr<TPixmap> pixmap = LoadPixmap(path);
  if (pixmap == nullptr) {
    return nullptr;
  }
  return TImage::Load(pixmap, ResolveFlags(flags), maskRed, maskGreen, maskBlue);
}

std::shared_ptr<TImage> LoadImageStrip(std::u16string_view path, int32_t cellWidth, int32_t cellHeight, int32_t first,
                                       int32_t count, int32_t flags) {
  std::shared_ptr<TPixmap> pixmap = LoadPixmap(path);
  if (pixmap == nullptr) {
    return nullptr;
  }
  return TImage::LoadAnim(pixmap, cellWidth, cellHeight, first, count, ResolveFlags(flags), maskRed, maskGreen,
                          maskBlue);
}

void CentreImageHandle(const std::shared_ptr<TImage>& image) {
  image->handle_x = static_cast<float>(image->width) * 0.5f;
  image->handle_y = static_cast<float>(image->height) * 0.5f;
}

void SetDefaultImageFlags(int32_t flags) {
  if (flags != -1) {
    defaultImageFlags = flags;
  }
}

void SetMaskColor(int32_t red, int32_t green, int32_t blue) {
  maskRed = red;
  maskGreen = green;
  maskBlue = blue;
}

std::shared_ptr<TPixmap> MaskPixmap(const std::shared_ptr<TPixmap>& pixmap, int32_t red, int32_t green, int32_t blue) {
  std::shared_ptr<TPixmap> rgba = pixmap->ToRGBA();
  std::shared_ptr<TPixmap> masked =
      rgba != nullptr ? TPixmap::Create(rgba->width, rgba->height, TPixmap::FORMAT_RGBA8888) : nullptr;
  if (masked == nullptr) {
    return pixmap;
  }
  auto isMask = [&](int32_t x, int32_t y) {
    const uint8_t* p = rgba->Row(y) + 4 * x;
    return p[0] == red && p[1] == green && p[2] == blue;
  };
  for (int32_t y = 0; y < rgba->height; y++) {
    for (int32_t x = 0; x < rgba->width; x++) {
      const uint8_t* in = rgba->Row(y) + 4 * x;
      uint8_t* out = masked->Row(y) + 4 * x;
      if (!isMask(x, y)) {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
        out[3] = 255;
        continue;
      }
      int32_t sum[3] = {0, 0, 0};
      int32_t count = 0;
      for (int32_t ny = y - 1; ny <= y + 1; ny++) {
        for (int32_t nx = x - 1; nx <= x + 1; nx++) {
          if (nx < 0 || ny < 0 || nx >= rgba->width || ny >= rgba->height || isMask(nx, ny)) {
            continue;
          }
          const uint8_t* n = rgba->Row(ny) + 4 * nx;
          for (int c = 0; c < 3; c++) {
            sum[c] += n[c];
          }
          count++;
        }
      }
      for (int c = 0; c < 3; c++) {
        out[c] = static_cast<uint8_t>(count > 0 ? sum[c] / count : 0);
      }
      out[3] = 0;
    }
  }
  return masked;
}
