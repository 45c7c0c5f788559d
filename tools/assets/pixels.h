// Straight-alpha RGBA pictures: what every generated image is before it is written, and what the preview composes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};

// A picture of width by height pixels, row by row from the top left.
class Pixels {
public:
  Pixels() = default;
  Pixels(int width, int height, Rgba fill = {});

  int Width() const { return _width; }
  int Height() const { return _height; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < _width && y < _height; }
  Rgba& At(int x, int y) { return _data[static_cast<std::size_t>(y) * _width + x]; }
  const Rgba& At(int x, int y) const { return _data[static_cast<std::size_t>(y) * _width + x]; }
  const std::vector<Rgba>& Data() const { return _data; }
  Rgba* Raw() { return _data.data(); }

  // Copies src with its top-left corner at (x, y), replacing what was there.
  void Paste(const Pixels& src, int x, int y);
  // The rectangle (x, y, w, h) as a picture of its own.
  Pixels Crop(int x, int y, int w, int h) const;
  // Draws src over this picture with its top-left at (x, y), each source pixel's colour multiplied by tint first
  // and blended by its alpha; mirror flips src left to right first. This is how the game draws an image frame.
  void DrawOver(const Pixels& src, int x, int y, Rgba tint = {255, 255, 255, 255}, bool mirror = false);
  // A filled rectangle in colour c blended by c's alpha; negative sizes extend left or up, as the game's bars do.
  void FillRect(int x, int y, int w, int h, Rgba c);
  // Every pixel repeated factor times in both directions: what a zoomed window shows.
  Pixels Scaled(int factor) const;
  // The picture shrunk to width by height, each new pixel the average of the area it covers (colours weighted by
  // their alpha, so that transparent pixels lend no colour to the edges): how a large icon becomes a small one.
  Pixels Shrunk(int width, int height) const;

private:
  int _width = 0;
  int _height = 0;
  std::vector<Rgba> _data;
};
