// Pixel buffers.
#include "media/graphics/pixmap.h"

#include <climits>
#include <cstring>

std::shared_ptr<TPixmap> TPixmap::Create(int32_t width, int32_t height, int32_t format) {
  int32_t bytes = BytesPerPixel(format);
  if (bytes == 0 || width <= 0 || height <= 0) {
    return nullptr;
  }
  int64_t pitch = (int64_t{width} * bytes + 3) / 4 * 4;
  int64_t size = pitch * height;
  if (size > INT32_MAX) {
    return nullptr;
  }
  auto pixmap = std::make_shared<TPixmap>();
  pixmap->_data = std::make_unique<uint8_t[]>(static_cast<size_t>(size));
  pixmap->pixels = pixmap->_data.get();
  pixmap->width = width;
  pixmap->height = height;
  pixmap->pitch = static_cast<int32_t>(pitch);
  pixmap->format = format;
  pixmap->capacity = static_cast<int32_t>(size);
  return pixmap;
}

int32_t TPixmap::BytesPerPixel(int32_t format) {
  switch (format) {
    case FORMAT_I8:
    case FORMAT_A8:
      return 1;
    case FORMAT_BGR888:
    case FORMAT_RGB888:
      return 3;
    case FORMAT_BGRA8888:
    case FORMAT_RGBA8888:
      return 4;
    default:
      return 0;
  }
}

std::shared_ptr<TPixmap> TPixmap::ToRGBA() {
  if (format == FORMAT_RGBA8888) {
    return shared_from_this();
  }
  auto rgba = Create(width, height, FORMAT_RGBA8888);
  if (rgba == nullptr) {
    return nullptr;
  }
  for (int32_t y = 0; y < height; y++) {
    const uint8_t* in = Row(y);
    uint8_t* out = rgba->Row(y);
    for (int32_t x = 0; x < width; x++, out += 4) {
      switch (format) {
        case FORMAT_I8:
          out[0] = out[1] = out[2] = in[x];
          out[3] = 255;
          break;
        case FORMAT_A8:
          out[0] = out[1] = out[2] = 255;
          out[3] = in[x];
          break;
        case FORMAT_BGR888:
          out[0] = in[3 * x + 2];
          out[1] = in[3 * x + 1];
          out[2] = in[3 * x];
          out[3] = 255;
          break;
        case FORMAT_RGB888:
          std::memcpy(out, in + 3 * x, 3);
          out[3] = 255;
          break;
        case FORMAT_BGRA8888:
          out[0] = in[4 * x + 2];
          out[1] = in[4 * x + 1];
          out[2] = in[4 * x];
          out[3] = in[4 * x + 3];
          break;
        default:
          std::memcpy(out, in + 4 * x, 4);
          break;
      }
    }
  }
  return rgba;
}

std::shared_ptr<TPixmap> TPixmap::Copy(int32_t x, int32_t y, int32_t w, int32_t h) const {
  auto copy = Create(w, h, format);
  if (copy == nullptr) {
    return nullptr;
  }
  size_t rowBytes = static_cast<size_t>(w) * static_cast<size_t>(BytesPerPixel(format));
  size_t offset = static_cast<size_t>(x) * static_cast<size_t>(BytesPerPixel(format));
  for (int32_t row = 0; row < h; row++) {
    std::memcpy(copy->Row(row), Row(y + row) + offset, rowBytes);
  }
  return copy;
}
