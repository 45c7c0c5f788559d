// The fighter sprite sheet: forty cells of 128 by 128, a base and a tint layer per drawing, crisp edges, feet on
// the floor, punches reaching towards the opponent at the height the cell stands for.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "data/data_files.h"

namespace {

constexpr int CELL = 128;

struct Cell {
  const Picture* sheet;
  int index;
  int X0() const { return CELL * (index % (sheet->width / CELL)); }
  int Y0() const { return CELL * (index / (sheet->width / CELL)); }
  bool Inked(int x, int y) const { return sheet->Alpha(X0() + x, Y0() + y) >= 128; }
  const uint8_t* At(int x, int y) const { return sheet->At(X0() + x, Y0() + y); }
};

struct Bounds {
  int left = CELL, top = CELL, right = -1, bottom = -1;
  double meanYRightOf(const Cell& c, int x0) const {
    double sum = 0;
    int n = 0;
    for (int y = 0; y < CELL; y++) {
      for (int x = x0; x < CELL; x++) {
        if (c.Inked(x, y)) {
          sum += y;
          n++;
        }
      }
    }
    return n == 0 ? -1 : sum / n;
  }
};

Bounds InkBounds(const Cell& c) {
  Bounds b;
  for (int y = 0; y < CELL; y++) {
    for (int x = 0; x < CELL; x++) {
      if (c.Inked(x, y)) {
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.top = std::min(b.top, y);
        b.bottom = std::max(b.bottom, y);
      }
    }
  }
  return b;
}

class FigureSheet : public ::testing::Test {
protected:
  static void SetUpTestSuite() { sheet = new Picture(ReadPicture("gfx/figures.png")); }
  static void TearDownTestSuite() { delete sheet; }
  static Cell Base(int n) { return {sheet, n}; }
  static Cell Tint(int n) { return {sheet, n + 20}; }
  static Picture* sheet;
};
Picture* FigureSheet::sheet = nullptr;

}  // namespace

TEST_F(FigureSheet, HoldsFortyCrispCellsOf128WithAnAlphaChannel) {
  EXPECT_TRUE(sheet->fileHasAlpha);
  ASSERT_EQ(sheet->width % CELL, 0);
  ASSERT_EQ(sheet->height % CELL, 0);
  EXPECT_EQ((sheet->width / CELL) * (sheet->height / CELL), 40);
  // Drawn with nearest filtering at every zoom: no half-transparent fringes.
  for (std::size_t i = 3; i < sheet->rgba.size(); i += 4) {
    ASSERT_TRUE(sheet->rgba[i] == 0 || sheet->rgba[i] == 255) << "pixel " << i / 4;
  }
}

TEST_F(FigureSheet, EveryShownDrawingHasABaseAndATintLayerThatLieTogether) {
  for (int n = 0; n <= 18; n++) {
    Cell base = Base(n), tint = Tint(n);
    EXPECT_GT(sheet->CountInked(base.X0(), base.Y0(), CELL, CELL), 800) << "base cell " << n;
    EXPECT_GT(sheet->CountInked(tint.X0(), tint.Y0(), CELL, CELL), 150) << "tint cell " << n;
    for (int y = 0; y < CELL; y++) {
      for (int x = 0; x < CELL; x++) {
        if (!tint.Inked(x, y)) {
          continue;
        }
        const uint8_t* p = tint.At(x, y);
        // Only white and light greys, so that the tint sets the colour.
        ASSERT_TRUE(p[0] == p[1] && p[1] == p[2] && p[0] >= 150) << "tint cell " << n << " at " << x << "," << y;
        // Each tinted part is enclosed by its base drawing's outline: going straight out from any tinted pixel,
        // the first untinted pixel is part of the base drawing.
        bool outlined = true;
        const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& step : steps) {
          int bx = x, by = y;
          while (bx >= 0 && by >= 0 && bx < CELL && by < CELL && tint.Inked(bx, by)) {
            bx += step[0];
            by += step[1];
          }
          outlined = outlined && bx >= 0 && by >= 0 && bx < CELL && by < CELL && base.Inked(bx, by);
        }
        ASSERT_TRUE(outlined) << "tint cell " << n << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(FigureSheet, StandingFightersHaveTheirFeetOnTheFloorAndTheKnockedOutOneLiesOnIt) {
  for (int n = 0; n <= 18; n++) {
    // Nothing cut off at the cell's left, right or top edge.
    for (const Cell& layer : {Base(n), Tint(n)}) {
      Bounds b = InkBounds(layer);
      EXPECT_GT(b.left, 0) << "cell " << layer.index;
      EXPECT_LT(b.right, CELL - 1) << "cell " << layer.index;
      EXPECT_GT(b.top, 0) << "cell " << layer.index;
    }
  }
  for (int n = 0; n <= 17; n++) {
    Bounds b = InkBounds(Base(n));
    EXPECT_GE(b.bottom, 120) << "cell " << n;
    EXPECT_LT(b.top, 40) << "cell " << n << " is not a standing fighter";
  }
  Bounds down = InkBounds(Base(18));
  EXPECT_GE(down.bottom, 120);
  EXPECT_GT(down.top, 80) << "the knocked-out fighter lies flat";
  EXPECT_GT(down.right - down.left, 90);
}

TEST_F(FigureSheet, PunchesReachTowardsGrowingXAtTheHeightOfTheirCell) {
  for (int n = 0; n <= 2; n++) {
    EXPECT_LT(InkBounds(Tint(n)).right, 100) << "a guard keeps its gloves in, cell " << n;
  }
  double gloveY[6];
  for (int n = 3; n <= 8; n++) {
    EXPECT_GE(InkBounds(Tint(n)).right, 115) << "punch cell " << n;
    gloveY[n - 3] = Bounds{}.meanYRightOf(Tint(n), 105);
  }
  // Cells 3 and 4 at the head, 5 and 6 at the chest, 7 and 8 at the belly; right then left hand.
  for (int hand = 0; hand < 2; hand++) {
    EXPECT_LT(gloveY[hand] + 8, gloveY[2 + hand]);
    EXPECT_LT(gloveY[2 + hand] + 8, gloveY[4 + hand]);
  }
  EXPECT_LT(InkBounds(Tint(17)).top, 20) << "victory raises both gloves above the head";
}

// A knockout leaves the fighters 70 ring units (screen pixels) apart: the ring pushes closer fighters apart, and
// a punch lands below 80. The winner faces the loser, who lies mirrored; in no row may their drawings meet, so
// the one lying on the canvas is never drawn over the other's feet (nor, after a double knockout, over the
// other one lying there).
TEST_F(FigureSheet, TheKnockedOutFighterLiesClearOfHisOpponentAtTheKnockoutDistance) {
  constexpr int KNOCKOUT_DISTANCE = 70;
  // The rightmost inked column of each row of a drawing, both layers, -1 where the row is empty.
  auto rowEnds = [](int n) {
    std::vector<int> ends(CELL, -1);
    for (const Cell& layer : {Base(n), Tint(n)}) {
      for (int y = 0; y < CELL; y++) {
        for (int x = 0; x < CELL; x++) {
          if (layer.Inked(x, y)) {
            ends[y] = std::max(ends[y], x);
          }
        }
      }
    }
    return ends;
  };
  std::vector<int> down = rowEnds(18);
  for (int standing : {17, 18}) {
    std::vector<int> other = rowEnds(standing);
    for (int y = 0; y < CELL; y++) {
      if (down[y] < 0 || other[y] < 0) {
        continue;
      }
      // Column x of the one facing right and column x' of the mirrored one meet where x + x' = 127 + distance.
      EXPECT_LT(down[y] + other[y], CELL - 1 + KNOCKOUT_DISTANCE) << "row " << y << " beside cell " << standing;
    }
  }
}
