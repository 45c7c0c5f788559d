// Pixel buffers: the decoded pixels of an image file, or of one cell of it, in one of six layouts.
#pragma once

#include <cstdint>
#include <memory>

class TPixmap : public std::enable_shared_from_this<TPixmap> {
public:
  enum : int32_t {
    FORMAT_I8 = 1,  // intensity: (v, v, v, 255)
    FORMAT_A8 = 2,  // alpha: (255, 255, 255, a)
    FORMAT_BGR888 = 3,
    FORMAT_RGB888 = 4,
    FORMAT_BGRA8888 = 5,
    FORMAT_RGBA8888 = 6,  // the standard format: textures are made from it, conversions go through it
  };

  // A zero-filled pixmap whose rows are aligned to 4 bytes; null for an unknown format or a size that is not
  // positive or too large to address.
  static std::shared_ptr<TPixmap> Create(int32_t width, int32_t height, int32_t format);
  static int32_t BytesPerPixel(int32_t format);

  // The pixmap in the standard format (itself when it already is).
  std::shared_ptr<TPixmap> ToRGBA();
  // A copy of the rectangle at (x, y), which must lie inside, in the same format.
  std::shared_ptr<TPixmap> Copy(int32_t x, int32_t y, int32_t w, int32_t h) const;
  // Row y's first byte.
  uint8_t* Row(int32_t y) const { return pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch); }

  uint8_t* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;  // bytes per row
  int32_t format = 0;
  int32_t capacity = 0;           // bytes allocated
  std::shared_ptr<void> _source;  // what the pixels came from, kept alive with them

  std::unique_ptr<uint8_t[]> _data;
};
