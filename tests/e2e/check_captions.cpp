// Checks a screenshot of the gamepad screen: each of the first six rows shows the caption given for it, told by
// where its lettering begins. Values are right-aligned at x 390, so a caption of another width begins elsewhere;
// a value too long for the row's big font is written in the small one, as the screen does.
//
//   e2e_check_captions SHOT.png GAME_DIR ZOOM CAPTION...
#include <cstdio>
#include <cstdlib>
#include <string>

#include "checks.h"
#include "frontend/font.h"
#include "media/core/text.h"
#include "media/graphics/image.h"
#include "media/graphics/pixmap.h"
#include "media/platform/media.h"

namespace {

constexpr int kRows = 6;
constexpr int kFirstRowY = 30;
constexpr int kRowStep = 48;
constexpr int kValueRight = 390;
constexpr int kColumnGap = 12;
// Ink this far from where the font says the lettering begins still counts as in place: the glyphs' outlines.
constexpr int kSlack = 4;

// White lettering: the glyphs' faces, never the dark outline or the menu's background.
bool White(const TPixmap& shot, int x, int y) {
  const uint8_t* p = shot.Row(y) + 4 * x;
  return p[0] > 230 && p[1] > 230 && p[2] > 230;
}

// The leftmost logical column right of `from` in the row band whose window pixels hold at least three white
// ones (a star of the background is one or two); -1 when none.
int FirstLetteredColumn(const TPixmap& shot, int zoom, int y, int from) {
  for (int x = from; x < 400; x++) {
    int white = 0;
    for (int dy = -12 * zoom; dy <= 12 * zoom; dy++) {
      for (int dx = 0; dx < zoom; dx++) {
        white += White(shot, x * zoom + dx, y * zoom + dy) ? 1 : 0;
      }
    }
    if (white >= 3) {
      return x;
    }
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 + 1 + kRows) {
    std::fprintf(stderr, "usage: e2e_check_captions SHOT.png GAME_DIR ZOOM CAPTION x %d\n", kRows);
    return 2;
  }
  RegisterMediaLoaders();
  std::shared_ptr<TPixmap> loaded = LoadPixmap(BytesToText(argv[1]));
  if (loaded == nullptr) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  std::shared_ptr<TPixmap> shot = loaded->ToRGBA();
  int zoom = std::atoi(argv[3]);
  std::string game = argv[2];
  TFont big;
  TFont small;
  big._ReadMetrics(BytesToText(game + "/gfx/font.dat"));
  small._ReadMetrics(BytesToText(game + "/gfx/small.dat"));
  const char16_t* labels[kRows] = {u"Up", u"Down", u"Forward", u"Backward", u"Right Hand", u"Left Hand"};
  for (int row = 0; row < kRows; row++) {
    std::u16string caption = BytesToText(argv[4 + row]);
    int labelEnd = 10 + big.GetWidth(labels[row]);
    bool fits = labelEnd + kColumnGap + big.GetWidth(caption) <= kValueRight;
    int expected = kValueRight - (fits ? big : small).GetWidth(caption);
    int found = FirstLetteredColumn(*shot, zoom, kFirstRowY + kRowStep * row, labelEnd + kColumnGap / 2);
    Check(found >= expected - kSlack && found <= expected + kSlack,
          "row " + std::to_string(row) + " should show \"" + argv[4 + row] + "\" from x " + std::to_string(expected) +
              ", its lettering begins at " + std::to_string(found));
  }
  return failures == 0 ? 0 : 1;
}
