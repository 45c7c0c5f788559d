// The bitmap font: 256 cells of 64 by 64, white glyphs with a dark outline exactly for the codes that have
// characters, a metrics file of 261 numbers, and the game's texts fitting where the game draws them.
#include <gtest/gtest.h>

#include <algorithm>

#include "data/data_files.h"

namespace {

constexpr int CELL = 64;

bool HasCharacter(int code) {
  return (code > 32 && code <= 126) || code > 160;
}

struct Ink {
  int count = 0, left = CELL, right = -1, bottom = -1;
};

Ink GlyphInk(const Picture& font, int code) {
  Ink ink;
  int x0 = CELL * (code % 16), y0 = CELL * (code / 16);
  for (int y = 0; y < CELL; y++) {
    for (int x = 0; x < CELL; x++) {
      if (font.Alpha(x0 + x, y0 + y) >= 128) {
        ink.count++;
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ink.bottom = std::max(ink.bottom, y);
      }
    }
  }
  return ink;
}

}  // namespace

TEST(FontImage, HoldsGlyphsExactlyForTheCodesWithCharacters) {
  Picture font = ReadPicture("gfx/font.png");
  ASSERT_EQ(font.width, CELL * 16);
  ASSERT_EQ(font.height, CELL * 16);
  EXPECT_TRUE(font.fileHasAlpha);
  FontMetrics metrics = ReadFontMetrics();
  ASSERT_EQ(metrics.numbers.size(), 261u);
  for (int code = 0; code < 256; code++) {
    Ink ink = GlyphInk(font, code);
    if (!HasCharacter(code)) {
      EXPECT_EQ(ink.count, 0) << "code " << code << " has no character but its cell is drawn";
      continue;
    }
    ASSERT_GT(ink.count, 20) << "code " << code;
    // Whole in its cell (nothing cut at an edge), and within its own advance: the next glyph starts there.
    EXPECT_GT(ink.left, 0) << "code " << code;
    EXPECT_LT(ink.bottom, CELL - 1) << "code " << code;
    EXPECT_LE(ink.right, metrics.Offset() + metrics.Width(code) + metrics.Spacing() + 2) << "code " << code;
  }
}

TEST(FontImage, LetteringIsWhiteInsideADarkOutline) {
  Picture font = ReadPicture("gfx/font.png");
  int x0 = CELL * ('H' % 16), y0 = CELL * ('H' / 16);
  int white = 0, dark = 0;
  for (int y = 0; y < CELL; y++) {
    for (int x = 0; x < CELL; x++) {
      const uint8_t* p = font.At(x0 + x, y0 + y);
      white += p[3] == 255 && p[0] == 255 && p[1] == 255 && p[2] == 255 ? 1 : 0;
      dark += p[3] == 255 && p[0] + p[1] + p[2] < 100 ? 1 : 0;
    }
  }
  EXPECT_GT(white, 100);
  EXPECT_GT(dark, 100);
}

TEST(FontMetrics, Holds261NumbersEndedByALineBreakWithSaneMetrics) {
  std::string text = ReadDataFile("gfx/font.dat");
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  FontMetrics m = ReadFontMetrics();
  ASSERT_EQ(m.numbers.size(), 261u);
  EXPECT_GT(m.Width(' '), 4);
  for (int code = 0; code < 256; code++) {
    EXPECT_EQ(m.Width(code) > 0, HasCharacter(code) || code == 32 || code == 160) << "code " << code;
  }
  EXPECT_LT(0, m.Top());
  EXPECT_LT(m.Top(), m.Center());
  EXPECT_LT(m.Center(), m.Baseline());
  EXPECT_LT(m.Baseline(), CELL);
  // Capitals 20 to 24 pixels high, so that a row fits the 48-pixel menu bar.
  EXPECT_GE(m.Baseline() - m.Top(), 20);
  EXPECT_LE(m.Baseline() - m.Top(), 24);
  EXPECT_NEAR(m.Center(), (m.Top() + m.Baseline()) / 2.0, 1.0);
  EXPECT_GE(m.Offset(), 2);
}

TEST(FontMetrics, TheGamesTextsFitWhereTheGameDrawsThem) {
  FontMetrics m = ReadFontMetrics();
  ASSERT_EQ(m.numbers.size(), 261u);
  for (const char* row : {"Tournament", "Keyboard Controls", "Gamepad Controls", "End match", "FIGHT!", "You won!",
                          "You lost", "Round 10", "3:2"}) {
    EXPECT_LE(m.TextWidth(row), 380) << row;
  }
  // "Level 10" is right-aligned at x 350 and must stay clear of the portrait window, which ends at x 167.
  EXPECT_LE(m.TextWidth("Level 10"), 350 - 171);
  // A controls row holds a command's name from x 10 and a caption ending at x 390.
  int widestLabel = m.TextWidth("Right Hand");
  for (const std::string& line : SplitLines(ReadDataFile("bin/keyboard.dat"))) {
    std::string caption = line.substr(line.find('\t') + 1);
    EXPECT_LE(widestLabel + 12 + m.TextWidth(caption), 380) << caption;
  }
  for (const char* padCaption : {"Joy-1Btn10", "Joy-1Right", "Joy0PITCH-"}) {
    EXPECT_LE(widestLabel + 12 + m.TextWidth(padCaption), 380) << padCaption;
  }
}

TEST(SmallFont, HoldsTheSameCharactersInCellsOf32WithCapitalsThatReadAtZoomOne) {
  constexpr int SMALL_CELL = 32;
  Picture font = ReadPicture("gfx/small.png");
  ASSERT_EQ(font.width, SMALL_CELL * 16);
  ASSERT_EQ(font.height, SMALL_CELL * 16);
  FontMetrics m = ReadFontMetrics("gfx/small.dat");
  ASSERT_EQ(m.numbers.size(), 261u);
  for (int code = 0; code < 256; code++) {
    int x0 = SMALL_CELL * (code % 16), y0 = SMALL_CELL * (code / 16);
    int inked = font.CountInked(x0, y0, SMALL_CELL, SMALL_CELL);
    if (!HasCharacter(code)) {
      EXPECT_EQ(inked, 0) << "code " << code;
    } else {
      EXPECT_GT(inked, 5) << "code " << code;
      EXPECT_GT(m.Width(code), 0) << "code " << code;
    }
  }
  // Ten pixels of capital are what a desktop's small print has; less would not read in a 400 by 300 window.
  EXPECT_GE(m.Baseline() - m.Top(), 10);
  EXPECT_LT(m.Baseline(), SMALL_CELL - 4);
  // A controls screen's waiting row, or the gamepad screen's row with no pad there: the longest command in the
  // large font, the note in the small one.
  FontMetrics large = ReadFontMetrics();
  for (const char* prompt :
       {"Press a key", "Press a pad input", "Escape cancels", "No gamepad found:", "plug one in to bind it"}) {
    EXPECT_LT(large.TextWidth("Right Hand") + m.TextWidth(prompt), 380 - 16) << prompt;
  }
}
