// The game's bitmap fonts: 256 glyph cells in a 16 by 16 grid (cell n at column n % 16, row n / 16), white
// lettering with a dark outline, and a metrics file each. The large font draws every menu row and match message;
// the small one the guidance texts (how to play, prompts), at a size that still reads in a 400 by 300 window.
#pragma once

#include <string>

#include "pixels.h"

struct FontFiles {
  Pixels image;         // 16 by 16 cells
  std::string metrics;  // 256 advance widths, then spacing, baseline, centre, top and offset, each line ended
};

// The size of a font's lettering and cells, in pixels.
struct FontStyle {
  int cell;        // width and height of a glyph cell
  double size;     // pixels per em
  int offset;      // blank margin left of the pen in every cell
  int baseline;    // from the top of a cell
  double outline;  // stroke width; half of it lies outside the shape
  int widen;       // pixels added to every advance, room for the outline
};

// Capitals 22 pixels high in cells of 64.
extern const FontStyle LARGE_FONT;
// Capitals 10 pixels high in cells of 32: the size of a desktop's own small print.
extern const FontStyle SMALL_FONT;

// Renders the glyphs of codes 32 to 126 and 160 to 255 (Latin-1) from the TrueType file at fontPath.
FontFiles DrawFont(const std::string& fontPath, const FontStyle& style);
