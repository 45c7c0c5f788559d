// The ring backgrounds and the menu pictures: their sizes, their cells, the card's window, and the contrast the
// white text and the bars need.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "data/data_files.h"
#include "frontend/font.h"
#include "frontend/menu.h"
#include "headless/recording_driver.h"
#include "media/core/text.h"
#include "media/graphics/image.h"
#include "media/platform/media.h"
#include "shared/game_state.h"
#include "support/headless_game.h"

namespace {

bool Opaque(const Picture& p) {
  for (std::size_t i = 3; i < p.rgba.size(); i += 4) {
    if (p.rgba[i] != 255) {
      return false;
    }
  }
  return !p.rgba.empty();
}

double MeanDifference(const Picture& a, const Picture& b, int rows) {
  double sum = 0;
  for (std::size_t i = 0; i < static_cast<std::size_t>(a.width * rows * 4); i++) {
    sum += std::abs(a.rgba[i] - b.rgba[i]);
  }
  return sum / (a.width * rows * 4);
}

// The tournament screen drawn headless with the shipped font and card, the card at whatever place the game gives
// it.
class TournamentCardTest : public HeadlessGameTest {
protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    RegisterMediaLoaders();
    GameFont = TFont::Load(BytesToText(DataPath("gfx/font")), 64);
    ASSERT_NE(GameFont->_image, nullptr);
    CardImage = LoadImageFile(BytesToText(DataPath("gfx/card.png")), -1);
    ASSERT_NE(CardImage, nullptr);
    MenuScreen = MENU_TOURNAMENT;
  }
  void TearDown() override {
    CardImage = nullptr;
    HeadlessGameTest::TearDown();
  }

  // The record of the last frame that drew the pixmap; null when none did.
  const TDrawRecord* Drawn(const TPixmap* pixmap) const {
    for (const TDrawRecord& record : LastFrame()) {
      if (record.kind == TDrawRecord::IMAGE && record.pixmap == pixmap) {
        return &record;
      }
    }
    return nullptr;
  }

  // The glyphs of one text as the game drew it in the last frame: the run of glyph records, one after another on
  // one line, that spells it. Empty when no run does.
  std::vector<const TDrawRecord*> GlyphsOf(const std::u16string& text) const {
    std::vector<const TDrawRecord*> run;
    std::u16string spelled;
    for (const TDrawRecord& record : LastFrame()) {
      int32_t code = record.kind == TDrawRecord::IMAGE ? GlyphCode(record.pixmap) : -1;
      if (code < 0 || (!run.empty() && record.ty != run.back()->ty)) {
        if (spelled == text) {
          return run;
        }
        run.clear();
        spelled.clear();
      }
      if (code >= 0) {
        run.push_back(&record);
        spelled += static_cast<char16_t>(code);
      }
    }
    return spelled == text ? run : std::vector<const TDrawRecord*>();
  }
  int32_t GlyphCode(const TPixmap* pixmap) const {
    const auto& cells = GameFont->_image->pixmaps;
    for (size_t code = 0; code < cells.size(); code++) {
      if (cells[code].get() == pixmap) {
        return static_cast<int32_t>(code);
      }
    }
    return -1;
  }

  struct InkBox {
    int count = 0;
    float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
  };
  // The box, in logical pixels, of every pixel of the glyphs that is not wholly transparent: the letters and their
  // outline.
  static InkBox InkOf(const std::vector<const TDrawRecord*>& glyphs) {
    InkBox box;
    for (const TDrawRecord* record : glyphs) {
      const TPixmap& glyph = *record->pixmap;
      EXPECT_EQ(glyph.format, TPixmap::FORMAT_RGBA8888);
      EXPECT_TRUE(record->ix == 1 && record->iy == 0 && record->jx == 0 && record->jy == 1) << "drawn turned";
      float scaleX = (record->x1 - record->x0) / static_cast<float>(glyph.width);
      float scaleY = (record->y1 - record->y0) / static_cast<float>(glyph.height);
      for (int32_t y = 0; y < glyph.height; y++) {
        for (int32_t x = 0; x < glyph.width; x++) {
          if (glyph.Row(y)[4 * x + 3] == 0) {
            continue;
          }
          box.count++;
          box.left = std::min(box.left, record->tx + record->x0 + scaleX * static_cast<float>(x));
          box.right = std::max(box.right, record->tx + record->x0 + scaleX * static_cast<float>(x + 1));
          box.top = std::min(box.top, record->ty + record->y0 + scaleY * static_cast<float>(y));
          box.bottom = std::max(box.bottom, record->ty + record->y0 + scaleY * static_cast<float>(y + 1));
        }
      }
    }
    return box;
  }
};

}  // namespace

TEST(Backgrounds, TenDistinctOpaqueRingsOf400By300) {
  Picture bg[10];
  for (int level = 0; level < 10; level++) {
    bg[level] = ReadPicture("gfx/bg" + std::to_string(level) + ".png");
    ASSERT_EQ(bg[level].width, 400) << level;
    ASSERT_EQ(bg[level].height, 300) << level;
    EXPECT_TRUE(Opaque(bg[level])) << level;
  }
  // Each venue looks different from every other above the ring's floor.
  for (int a = 0; a < 10; a++) {
    for (int b = a + 1; b < 10; b++) {
      EXPECT_GT(MeanDifference(bg[a], bg[b], 230), 10.0) << "bg" << a << " and bg" << b;
    }
  }
}

TEST(Backgrounds, KeepTheRowsUnderTheBarsAndTheScoreDark) {
  for (int level = 0; level < 10; level++) {
    Picture bg = ReadPicture("gfx/bg" + std::to_string(level) + ".png");
    ASSERT_EQ(bg.width, 400);
    // The white score is drawn from y 16 at the middle, the green and yellow bars from y 10 to 48 at the sides.
    EXPECT_LT(bg.MeanLuminance(160, 14, 80, 26), 90) << level;
    EXPECT_LT(bg.MeanLuminance(10, 10, 380, 38), 110) << level;
  }
}

TEST(MenuPictures, MenuBackgroundIsDarkWhereItShows) {
  Picture menu = ReadPicture("gfx/bg_menu.png");
  ASSERT_EQ(menu.width, 512);
  ASSERT_EQ(menu.height, 512);
  EXPECT_TRUE(Opaque(menu));
  // Drawn at (-56, -106): this 400 by 300 is the screen, under white text and green bars.
  EXPECT_LT(menu.MeanLuminance(56, 106, 400, 300), 70);
  for (int row = 0; row < 6; row++) {
    EXPECT_LT(menu.MeanLuminance(56, 106 + 48 * row + 6, 400, 48), 80) << "row " << row;
  }
}

TEST(MenuPictures, CupsAreThreeCrispDifferentCellsOf64) {
  Picture cups = ReadPicture("gfx/cup.png");
  ASSERT_EQ(cups.height, 64);
  ASSERT_EQ(cups.width / 64 * (cups.height / 64), 3);
  EXPECT_TRUE(cups.fileHasAlpha);
  double colour[3][3] = {};
  for (int cell = 0; cell < 3; cell++) {
    EXPECT_GT(cups.CountInked(64 * cell, 0, 64, 64), 600) << cell;
    int inked = 0;
    for (int y = 0; y < 64; y++) {
      for (int x = 64 * cell; x < 64 * cell + 64; x++) {
        if (cups.Alpha(x, y) == 255) {
          inked++;
          for (int c = 0; c < 3; c++) {
            colour[cell][c] += cups.At(x, y)[c];
          }
        }
      }
    }
    for (double& c : colour[cell]) {
      c /= inked;
    }
  }
  for (std::size_t i = 3; i < cups.rgba.size(); i += 4) {
    ASSERT_TRUE(cups.rgba[i] == 0 || cups.rgba[i] == 255);
  }
  // Bronze, silver and gold are told apart at a glance.
  auto apart = [&](int a, int b) {
    return std::hypot(colour[a][0] - colour[b][0], colour[a][1] - colour[b][1], colour[a][2] - colour[b][2]);
  };
  EXPECT_GT(apart(0, 1), 40);
  EXPECT_GT(apart(1, 2), 40);
  EXPECT_GT(apart(0, 2), 40);
}

TEST(MenuPictures, CardFramesThePortraitWindowTheCaptionAndTheCup) {
  Picture card = ReadPicture("gfx/card.png");
  EXPECT_TRUE(card.fileHasAlpha);
  // Drawn at (50, 50): it reaches the caption's right end at x 350 and the cup's bottom at y 168.
  ASSERT_GE(card.width, 300);
  ASSERT_GE(card.height, 118);
  // The portrait at (55, 53), 112 by 112, shows through a hole of exactly that size.
  EXPECT_EQ(card.CountInked(5, 3, 112, 112), 0);
  for (int i = 0; i < 112; i++) {
    EXPECT_EQ(card.Alpha(4, 3 + i), 255) << "left of the window, row " << i;
    EXPECT_EQ(card.Alpha(117, 3 + i), 255) << "right of the window, row " << i;
    EXPECT_EQ(card.Alpha(5 + i, 115), 255) << "below the window, column " << i;
  }
  // The cup at (264, 104) stands on the card, not on the menu behind it.
  EXPECT_EQ(card.CountInked(214, 54, 64, 64), 64 * 64);
}

// The caption "Level N" as the game draws it over the card, through its own font (the shipped glyphs and
// metrics) and its tournament screen, recorded by the drawing driver: the box of the caption's ink, its dark
// outline included, must lie on one dark field of the card, and no rim or rule may show between its letters. The
// lettering's top is the card's top edge, so the outline above it may hang over the edge (by its width and a
// pixel of smoothing, no more).
TEST_F(TournamentCardTest, TheLevelCaptionStandsOnADarkBandWithNoRimUnderIt) {
  Picture card = ReadPicture("gfx/card.png");
  for (int32_t level = 1; level <= LEVEL_COUNT; level++) {
    LevelCursor = level - 1;
    RunFrame();
    const TDrawRecord* cardRecord = Drawn(CardImage->pixmaps[0].get());
    ASSERT_NE(cardRecord, nullptr) << "no card on the tournament screen";
    std::vector<const TDrawRecord*> caption = GlyphsOf(u"Level " + IntToText(level));
    ASSERT_FALSE(caption.empty()) << "no caption \"Level " << level << "\"";
    InkBox ink = InkOf(caption);
    ASSERT_GT(ink.count, 100) << "level " << level;
    // Where the ink lies on the card's own pixels.
    int left = static_cast<int>(std::floor(ink.left - cardRecord->Left()));
    int top = static_cast<int>(std::floor(ink.top - cardRecord->Top()));
    int right = static_cast<int>(std::ceil(ink.right - cardRecord->Left()));
    int bottom = static_cast<int>(std::ceil(ink.bottom - cardRecord->Top()));
    ASSERT_GE(left, 0) << "level " << level;
    ASSERT_LE(right, card.width) << "level " << level;
    ASSERT_LE(bottom, card.height) << "level " << level;
    // The top of the lettering is the card's top edge: only the outline above it may hang over the edge.
    ASSERT_GT(top, -4) << "level " << level;
    for (int y = std::max(top, 0); y < bottom; y++) {
      for (int x = left; x < right; x++) {
        ASSERT_EQ(card.Alpha(x, y), 255) << "level " << level << " at " << x << "," << y;
        ASSERT_LT(card.MeanLuminance(x, y, 1, 1), 40) << "level " << level << " at " << x << "," << y;
      }
    }
  }
}
