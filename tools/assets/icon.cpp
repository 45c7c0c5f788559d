// The game's desktop icon.
#include "icon.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSize = 256;
constexpr int kCell = 128;
constexpr int kVictoryCell = 17;
constexpr int kTintLayer = 20;
constexpr int kCellsPerRow = 8;
constexpr Rgba kPlayerTint = {32, 255, 64, 255};

Pixels Cell(const Pixels& sheet, int cell) {
  return sheet.Crop(kCell * (cell % kCellsPerRow), kCell * (cell / kCellsPerRow), kCell, kCell);
}

// A round badge: deep blue darkening to its rim, inside a gold ring; edges smoothed over one pixel.
Pixels Badge() {
  Pixels badge(kSize, kSize);
  const double centre = (kSize - 1) / 2.0;
  for (int y = 0; y < kSize; y++) {
    for (int x = 0; x < kSize; x++) {
      double distance = std::hypot(x - centre, y - centre);
      double coverage = std::clamp(126.0 - distance, 0.0, 1.0);
      if (coverage <= 0) {
        continue;
      }
      Rgba colour;
      if (distance > 116) {
        colour = {226, 178, 58, 255};  // the gold ring
      } else if (distance > 112) {
        colour = {120, 84, 20, 255};
      } else {
        double shade = 1.0 - 0.45 * distance / 112.0;
        colour = {static_cast<uint8_t>(30 * shade), static_cast<uint8_t>(60 * shade),
                  static_cast<uint8_t>(150 * shade), 255};
      }
      colour.a = static_cast<uint8_t>(std::lround(255 * coverage));
      badge.At(x, y) = colour;
    }
  }
  return badge;
}

}  // namespace

Pixels DrawIcon(const Pixels& figureSheet) {
  Pixels icon = Badge();
  Pixels fighter(kCell, kCell);
  fighter.DrawOver(Cell(figureSheet, kVictoryCell), 0, 0);
  fighter.DrawOver(Cell(figureSheet, kVictoryCell + kTintLayer), 0, 0, kPlayerTint);
  // Twice the size, lifted so the raised gloves and the feet both sit inside the ring.
  icon.DrawOver(fighter.Scaled(2), 0, -8);
  return icon;
}
