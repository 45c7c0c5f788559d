// The game's bitmap font: 256 glyph cells of 64 by 64 in a 16 by 16 grid (cell n at column n % 16, row n / 16),
// white lettering with a dark outline, and its metrics file.
#pragma once

#include <string>

#include "pixels.h"

struct FontFiles {
  Pixels image;         // 1024 by 1024
  std::string metrics;  // 256 advance widths, then spacing, baseline, centre, top and offset, each line ended
};

// Renders the glyphs of codes 32 to 126 and 160 to 255 (Latin-1) from the TrueType file at fontPath.
FontFiles DrawFont(const std::string& fontPath);
