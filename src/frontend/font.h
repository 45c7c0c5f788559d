// The game's bitmap font: one square glyph cell per character code in an image, and a metrics file with the
// advance width of every code and five layout numbers. Glyphs are image frames, so the current colour, blend,
// origin and viewport apply to text.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TImage;

// Horizontal alignments: 0 left end at x, 1 right end at x, 2 middle at x. Vertical: 0 top of the lettering at y,
// 1 baseline at y, 2 middle of the lettering at y. Other values act as 0.
enum : int32_t {
  ALIGN_LEFT = 0,
  ALIGN_RIGHT = 1,
  ALIGN_CENTER = 2,
  ALIGN_TOP = 0,
  ALIGN_BASELINE = 1,
};

class TFont {
public:
  // Reads path + ".dat" (the metrics) and then path + ".png" (256 glyph cells of size by size). Numbers the
  // metrics file does not supply stay 0. The image is null when it cannot be loaded.
  static std::shared_ptr<TFont> Load(std::u16string_view path, int32_t size);

  // Draws text with the pen starting from (x, y), aligned as given. Only the low 8 bits of each character count.
  int32_t Draw(std::u16string_view text, int32_t x, int32_t y, int32_t halign, int32_t valign);
  // The width Draw aligns with: the advances and the spacing between characters, less the left margin.
  int32_t GetWidth(std::u16string_view text);

  // Reads the 261 metrics from the file's bytes: numbers are runs of digits and "-", separated by anything else;
  // a number still running at the end of the file is not stored. Numbers beyond +-4096 read as +-4096. Only the
  // beginning of a file longer than any metrics need is read, and _metricsCut says so.
  void _ReadMetrics(std::u16string_view path);

  std::shared_ptr<TImage> _image;
  std::array<int32_t, 256> _charWidth{};
  int32_t _charSpacing = 0;
  int32_t _charSize = 0;
  int32_t _baseline = 0;
  int32_t _center = 0;
  int32_t _top = 0;
  int32_t _offset = 0;
  bool _metricsCut = false;
};
