// Checks a screenshot of the fight frame of e2e_fight_frame pixel by pixel, in logical pixels of the 400 by 300
// screen: the ring background where nothing covers it, the green health and yellow power bars at their places,
// the score in white, both fighters where they stand (the player tinted green, the opponent mirrored to face
// left), and every logical pixel shown as a sharp zoom by zoom block.
//
//   e2e_check_frame SHOT.png GAME_DIR ZOOM
#include <cstdio>
#include <cstdlib>
#include <string>

#include "checks.h"
#include "media/core/text.h"
#include "media/graphics/image.h"
#include "media/graphics/pixmap.h"
#include "media/platform/media.h"

namespace {

struct TRGB {
  int r, g, b;
  bool operator==(const TRGB& other) const { return r == other.r && g == other.g && b == other.b; }
};

class TShot {
public:
  TShot(std::shared_ptr<TPixmap> pixmap, int zoom) : _rgba(pixmap->ToRGBA()), _zoom(zoom) {}
  // The window pixel at the middle of logical pixel (x, y).
  TRGB At(int x, int y) const { return Pixel(x * _zoom + _zoom / 2, y * _zoom + _zoom / 2); }
  // Every window pixel of the logical pixel is the same colour.
  bool Sharp(int x, int y) const {
    TRGB first = Pixel(x * _zoom, y * _zoom);
    for (int dy = 0; dy < _zoom; dy++) {
      for (int dx = 0; dx < _zoom; dx++) {
        if (!(Pixel(x * _zoom + dx, y * _zoom + dy) == first)) {
          return false;
        }
      }
    }
    return true;
  }
  int Width() const { return _rgba->width; }
  int Height() const { return _rgba->height; }

private:
  TRGB Pixel(int x, int y) const {
    const uint8_t* p = _rgba->Row(y) + 4 * x;
    return {p[0], p[1], p[2]};
  }
  std::shared_ptr<TPixmap> _rgba;
  int _zoom;
};

std::string Name(int x, int y) {
  return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: e2e_check_frame SHOT.png GAME_DIR ZOOM\n");
    return 2;
  }
  RegisterMediaLoaders();
  int zoom = std::atoi(argv[3]);
  auto shotPixmap = LoadPixmap(BytesToText(argv[1]));
  auto background = LoadPixmap(BytesToText(std::string(argv[2]) + "/gfx/bg0.png"));
  if (shotPixmap == nullptr || background == nullptr) {
    std::fprintf(stderr, "FAILED: cannot read the screenshot or the background\n");
    return 1;
  }
  TShot shot(shotPixmap, zoom);
  TShot ring(background, 1);
  Check(shot.Width() == 400 * zoom && shot.Height() == 300 * zoom,
        "window of " + std::to_string(400 * zoom) + " by " + std::to_string(300 * zoom) + ", got " +
            std::to_string(shot.Width()) + " by " + std::to_string(shot.Height()));
  if (failures > 0) {
    return 1;
  }

  for (auto [x, y] : {std::pair{200, 80}, {30, 150}, {370, 150}, {120, 60}, {280, 110}}) {
    Check(shot.At(x, y) == ring.At(x, y), "the ring background shows at " + Name(x, y));
  }

  const TRGB green{0, 255, 0};
  const TRGB yellow{255, 255, 0};
  for (auto [x, y] : {std::pair{10, 10}, {80, 18}, {159, 25}, {390 - 1, 10}, {300, 18}, {240, 25}}) {
    Check(shot.At(x, y) == green, "full health bar at " + Name(x, y));
  }
  Check(!(shot.At(161, 18) == green) && !(shot.At(238, 18) == green), "the health bars end 150 from their side");
  for (auto [x, y] : {std::pair{10, 30}, {159, 37}, {10, 40}, {159, 47}, {389, 30}, {240, 47}}) {
    Check(shot.At(x, y) == yellow, "full power bar at " + Name(x, y));
  }
  Check(!(shot.At(100, 49) == yellow), "the power bars are 8 high");

  int white = 0;
  for (int y = 16; y < 44; y++) {
    for (int x = 180; x < 220; x++) {
      TRGB p = shot.At(x, y);
      white += p.r > 230 && p.g > 230 && p.b > 230 ? 1 : 0;
    }
  }
  Check(white > 30, "the score is written in white at the top middle (" + std::to_string(white) + " white pixels)");

  // Each fighter: what differs from the ring on his side of the middle line between them (x 200), where his
  // weight lies against his sprite's centre, and his tint.
  for (int fighter = 0; fighter < 2; fighter++) {
    int centre = fighter == 0 ? 160 : 240;
    int left = fighter == 0 ? centre - 64 : 200;
    int right = fighter == 0 ? 200 : centre + 64;
    int covered = 0;
    int greenTint = 0;
    long sumX = 0;
    for (int y = 168; y < 296; y++) {
      for (int x = left; x < right; x++) {
        TRGB p = shot.At(x, y);
        if (p == ring.At(x, y)) {
          continue;
        }
        covered++;
        sumX += x - centre;
        greenTint += p.g > 170 && p.r < 120 && p.b < 150 ? 1 : 0;
      }
    }
    std::string who = fighter == 0 ? "the player" : "the opponent";
    Check(covered > 1500, who + " is drawn where he stands (" + std::to_string(covered) + " pixels)");
    double lean = covered > 0 ? static_cast<double>(sumX) / covered : 0;
    Check(fighter == 0 ? lean > 1.0 : lean < -1.0,
          who + " faces " + (fighter == 0 ? "right" : "left") + " (weight at " + std::to_string(lean) + ")");
    Check(fighter == 0 ? greenTint > 100 : greenTint < 10,
          who + (fighter == 0 ? " wears green" : " wears no green") + " (" + std::to_string(greenTint) + ")");
  }

  int blurred = 0;
  for (int y = 168; y < 296; y += 3) {
    for (int x = 96; x < 304; x += 3) {
      blurred += shot.Sharp(x, y) ? 0 : 1;
    }
  }
  Check(blurred == 0, "every logical pixel is a sharp block (" + std::to_string(blurred) + " blurred)");
  if (failures == 0) {
    std::printf("fight frame at zoom %d: as a player would see it\n", zoom);
  }
  return failures == 0 ? 0 : 1;
}
