// Preparing pixmaps for textures.
#include "media/graphics/texture_pixels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

int32_t NextPowerOfTwo(int32_t size) {
  int32_t power = 1;
  while (power < size && power < (1 << 30)) {
    power *= 2;
  }
  return power;
}

std::shared_ptr<TPixmap> ResampleRGBA(const TPixmap& rgba, int32_t width, int32_t height) {
  auto out = TPixmap::Create(width, height, TPixmap::FORMAT_RGBA8888);
  if (out == nullptr) {
    return nullptr;
  }
  auto sample = [](int32_t i, int32_t from, int32_t to, int32_t* lo, int32_t* hi, float* t) {
    float position = (static_cast<float>(i) + 0.5f) * static_cast<float>(from) / static_cast<float>(to) - 0.5f;
    position = std::clamp(position, 0.0f, static_cast<float>(from - 1));
    *lo = static_cast<int32_t>(std::floor(position));
    *hi = std::min(*lo + 1, from - 1);
    *t = position - static_cast<float>(*lo);
  };
  for (int32_t y = 0; y < height; y++) {
    int32_t y0, y1;
    float ty;
    sample(y, rgba.height, height, &y0, &y1, &ty);
    for (int32_t x = 0; x < width; x++) {
      int32_t x0, x1;
      float tx;
      sample(x, rgba.width, width, &x0, &x1, &tx);
      for (int c = 0; c < 4; c++) {
        float top = rgba.Row(y0)[4 * x0 + c] * (1 - tx) + rgba.Row(y0)[4 * x1 + c] * tx;
        float bottom = rgba.Row(y1)[4 * x0 + c] * (1 - tx) + rgba.Row(y1)[4 * x1 + c] * tx;
        out->Row(y)[4 * x + c] = static_cast<uint8_t>(std::lround(top * (1 - ty) + bottom * ty));
      }
    }
  }
  return out;
}

std::shared_ptr<TPixmap> PadRGBA(const TPixmap& rgba, int32_t width, int32_t height) {
  auto out = TPixmap::Create(width, height, TPixmap::FORMAT_RGBA8888);
  if (out == nullptr) {
    return nullptr;
  }
  size_t rowBytes = static_cast<size_t>(rgba.width) * 4;
  for (int32_t y = 0; y < rgba.height; y++) {
    std::memcpy(out->Row(y), rgba.Row(y), rowBytes);
    if (rgba.width < width) {
      std::memcpy(out->Row(y) + rowBytes, rgba.Row(y) + rowBytes - 4, 4);
    }
  }
  if (rgba.height < height) {
    std::memcpy(out->Row(rgba.height), out->Row(rgba.height - 1), rowBytes + (rgba.width < width ? 4 : 0));
  }
  return out;
}

std::shared_ptr<TPixmap> HalveRGBA(const TPixmap& rgba) {
  int32_t width = std::max(rgba.width / 2, 1);
  int32_t height = std::max(rgba.height / 2, 1);
  auto out = TPixmap::Create(width, height, TPixmap::FORMAT_RGBA8888);
  if (out == nullptr) {
    return nullptr;
  }
  int32_t stepX = rgba.width > 1 ? 2 : 1;
  int32_t stepY = rgba.height > 1 ? 2 : 1;
  for (int32_t y = 0; y < height; y++) {
    for (int32_t x = 0; x < width; x++) {
      for (int c = 0; c < 4; c++) {
        int32_t sum = 0;
        for (int32_t dy = 0; dy < stepY; dy++) {
          for (int32_t dx = 0; dx < stepX; dx++) {
            sum += rgba.Row(y * stepY + dy)[4 * (x * stepX + dx) + c];
          }
        }
        out->Row(y)[4 * x + c] = static_cast<uint8_t>(sum / (stepX * stepY));
      }
    }
  }
  return out;
}
