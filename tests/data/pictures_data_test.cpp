// The ring backgrounds and the menu pictures: their sizes, their cells, the card's window, and the contrast the
// white text and the bars need.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "data/data_files.h"

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

// The game draws "Level N" right-aligned at x 350 with the top of its lettering at y 50, the card's own top edge:
// the caption's whole box, with its outline, must lie on one dark field of the card, and no rim or rule may
// show between its letters.
TEST(MenuPictures, TheLevelCaptionStandsOnADarkBandWithNoRimUnderIt) {
  Picture card = ReadPicture("gfx/card.png");
  FontMetrics font = ReadFontMetrics();
  ASSERT_EQ(font.numbers.size(), 261u);
  constexpr int OUTLINE = 2;
  const int rows = font.Baseline() - font.Top() + OUTLINE;
  for (int level = 1; level <= 10; level++) {
    int left = 300 - font.TextWidth("Level " + std::to_string(level)) - OUTLINE;
    ASSERT_GE(left, 0);
    for (int y = 0; y < rows; y++) {
      for (int x = left; x <= 300 + OUTLINE; x++) {
        ASSERT_EQ(card.Alpha(x, y), 255) << "level " << level << " at " << x << "," << y;
        ASSERT_LT(card.MeanLuminance(x, y, 1, 1), 40) << "level " << level << " at " << x << "," << y;
      }
    }
  }
}
