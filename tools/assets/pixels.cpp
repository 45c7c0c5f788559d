// Straight-alpha RGBA pictures and the few ways the game puts them on screen.
#include "pixels.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

Pixels::Pixels(int width, int height, Rgba fill)
    : _width(width), _height(height), _data(static_cast<std::size_t>(width) * height, fill) {}

void Pixels::Paste(const Pixels& src, int x, int y) {
  for (int sy = 0; sy < src.Height(); sy++) {
    for (int sx = 0; sx < src.Width(); sx++) {
      if (Inside(x + sx, y + sy)) {
        At(x + sx, y + sy) = src.At(sx, sy);
      }
    }
  }
}

Pixels Pixels::Crop(int x, int y, int w, int h) const {
  Pixels out(w, h);
  for (int cy = 0; cy < h; cy++) {
    for (int cx = 0; cx < w; cx++) {
      if (Inside(x + cx, y + cy)) {
        out.At(cx, cy) = At(x + cx, y + cy);
      }
    }
  }
  return out;
}

namespace {

uint8_t Blend(int src, int dst, int alpha) {
  return static_cast<uint8_t>((src * alpha + dst * (255 - alpha) + 127) / 255);
}

void BlendInto(Rgba& dst, Rgba src) {
  int a = src.a;
  dst.r = Blend(src.r, dst.r, a);
  dst.g = Blend(src.g, dst.g, a);
  dst.b = Blend(src.b, dst.b, a);
  dst.a = static_cast<uint8_t>(std::min(255, a + dst.a * (255 - a) / 255));
}

}  // namespace

void Pixels::DrawOver(const Pixels& src, int x, int y, Rgba tint, bool mirror) {
  for (int sy = 0; sy < src.Height(); sy++) {
    for (int sx = 0; sx < src.Width(); sx++) {
      Rgba p = src.At(mirror ? src.Width() - 1 - sx : sx, sy);
      if (p.a == 0 || !Inside(x + sx, y + sy)) {
        continue;
      }
      p.r = static_cast<uint8_t>(p.r * tint.r / 255);
      p.g = static_cast<uint8_t>(p.g * tint.g / 255);
      p.b = static_cast<uint8_t>(p.b * tint.b / 255);
      BlendInto(At(x + sx, y + sy), p);
    }
  }
}

void Pixels::FillRect(int x, int y, int w, int h, Rgba c) {
  if (w < 0) {
    x += w;
    w = -w;
  }
  if (h < 0) {
    y += h;
    h = -h;
  }
  for (int py = y; py < y + h; py++) {
    for (int px = x; px < x + w; px++) {
      if (Inside(px, py)) {
        BlendInto(At(px, py), c);
      }
    }
  }
}

namespace {

// How much of each source pixel along one axis falls into each of count new pixels: (source index, share) pairs
// per new pixel, the shares of one new pixel adding up to 1.
std::vector<std::vector<std::pair<int, double>>> AreaShares(int from, int count) {
  std::vector<std::vector<std::pair<int, double>>> shares(static_cast<std::size_t>(count));
  const double step = static_cast<double>(from) / count;
  for (int i = 0; i < count; i++) {
    const double start = i * step;
    const double end = start + step;
    for (auto s = static_cast<int>(start); s < from && s < end; s++) {
      double covered = std::min<double>(s + 1, end) - std::max<double>(s, start);
      if (covered > 0) {
        shares[static_cast<std::size_t>(i)].emplace_back(s, covered / step);
      }
    }
  }
  return shares;
}

}  // namespace

Pixels Pixels::Shrunk(int width, int height) const {
  const auto across = AreaShares(_width, width);
  const auto down = AreaShares(_height, height);
  Pixels out(width, height);
  for (int y = 0; y < height; y++) {
    for (int x = 0; x < width; x++) {
      double r = 0, g = 0, b = 0, a = 0;
      for (const auto& [sy, wy] : down[static_cast<std::size_t>(y)]) {
        for (const auto& [sx, wx] : across[static_cast<std::size_t>(x)]) {
          const Rgba& p = At(sx, sy);
          const double weight = wx * wy * p.a;
          r += p.r * weight;
          g += p.g * weight;
          b += p.b * weight;
          a += weight;
        }
      }
      if (a > 0) {
        out.At(x, y) = {static_cast<uint8_t>(std::lround(r / a)), static_cast<uint8_t>(std::lround(g / a)),
                        static_cast<uint8_t>(std::lround(b / a)), static_cast<uint8_t>(std::lround(a))};
      }
    }
  }
  return out;
}

Pixels Pixels::Scaled(int factor) const {
  Pixels out(_width * factor, _height * factor);
  for (int y = 0; y < out.Height(); y++) {
    for (int x = 0; x < out.Width(); x++) {
      out.At(x, y) = At(x / factor, y / factor);
    }
  }
  return out;
}
