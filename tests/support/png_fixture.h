// PNG files for tests, written with libpng: any colour type and bit depth, with palettes and transparency.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TPngFixture {
  int width = 0;
  int height = 0;
  int colorType = 0;  // libpng's PNG_COLOR_TYPE_* values: 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
  int bitDepth = 8;
  std::vector<uint8_t> rows;  // packed rows as libpng expects them for that type and depth
  std::vector<uint8_t> palette;  // RGB triples
  std::vector<uint8_t> paletteAlpha;  // tRNS entries of a palette
  bool interlaced = false;
};

// Writes the picture; returns the file's bytes as well.
std::string WritePng(const std::string& path, const TPngFixture& picture);

// The file with the width and height of its header changed (and the header's checksum made again to match).
std::string WithDeclaredSize(std::string png, uint32_t width, uint32_t height);
