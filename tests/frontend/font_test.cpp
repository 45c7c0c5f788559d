// The bitmap font's metrics file, widths and text placement.
#include "frontend/font.h"

#include <gtest/gtest.h>

#include "headless/recording_driver.h"
#include "media/graphics/graphics.h"
#include "media/graphics/image.h"
#include "support/headless_game.h"
#include "support/overlong_text.h"
#include "support/temp_dir.h"

namespace {

std::shared_ptr<TFont> FontFrom(const std::string& metrics) {
  ScopedTempDir dir;
  dir.Write("font.dat", metrics);
  return TFont::Load(u"font", 64);
}

class FontDrawTest : public ::testing::Test {
protected:
  void SetUp() override {
    SelectGraphicsDriver(&driver, 2);
    OpenGraphics(400, 300, 0, 60, 0);
    font = MakeTestFont(&glyphs);  // widths 10, spacing 2, baseline 40, centre 30, top 20, offset 4
    driver.log.clear();
  }
  void TearDown() override { CloseGraphics(); }
  float FirstPenX() const { return driver.log.front().tx; }
  float FirstPenY() const { return driver.log.front().ty; }
  TRecordingDriver driver;
  std::vector<const TPixmap*> glyphs;
  std::shared_ptr<TFont> font;
};

}  // namespace

TEST(FontMetrics, NumbersAreRunsOfDigitsAndMinusSeparatedByAnythingElse) {
  auto font = FontFrom("10 20x30\n");
  EXPECT_EQ(font->_charWidth[0], 10);
  EXPECT_EQ(font->_charWidth[1], 20);
  EXPECT_EQ(font->_charWidth[2], 30);
  EXPECT_EQ(font->_charWidth[3], 0);
  EXPECT_EQ(font->_charSize, 64);
  EXPECT_EQ(font->_image, nullptr);  // no picture: nothing to draw with
}

TEST(FontMetrics, ALastNumberWithoutASeparatorIsLost) {
  EXPECT_EQ(FontFrom("7,8")->_charWidth[1], 0);
  EXPECT_EQ(FontFrom("7,8\n")->_charWidth[1], 8);
}

TEST(FontMetrics, TheFiveMetricsFollowTheWidthsAndExtraNumbersAreIgnored) {
  std::string metrics;
  for (int i = 0; i < 300; i++) {
    metrics += std::to_string(i < 256 ? 7 : i - 255) + " ";
  }
  auto font = FontFrom(metrics);
  EXPECT_EQ(font->_charWidth[255], 7);
  EXPECT_EQ(font->_charSpacing, 1);
  EXPECT_EQ(font->_baseline, 2);
  EXPECT_EQ(font->_center, 3);
  EXPECT_EQ(font->_top, 4);
  EXPECT_EQ(font->_offset, 5);
  std::string hundred;
  for (int i = 0; i < 100; i++) {
    hundred += "9 ";
  }
  auto shortFont = FontFrom(hundred);
  EXPECT_EQ(shortFont->_charWidth[99], 9);
  EXPECT_EQ(shortFont->_charWidth[100], 0);
  EXPECT_EQ(shortFont->_offset, 0);
}

// The metrics need a few hundred bytes: a longer file is read from its start, and the font says it was cut.
TEST(FontMetrics, OnlyTheStartOfAnOverlongFileIsRead) {
  std::shared_ptr<TFont> font = FontFrom(PastTheReadingLimit("7 ", " ", "9 "));
  EXPECT_EQ(font->_charWidth[0], 7);
  EXPECT_EQ(font->_charWidth[1], 0);
  EXPECT_TRUE(font->_metricsCut);
  EXPECT_FALSE(FontFrom("7 9 ")->_metricsCut);
}

TEST(FontMetrics, SignsAndOddTokens) {
  auto font = FontFrom("-5 - --5 3-4 \n");
  EXPECT_EQ(font->_charWidth[0], -5);
  EXPECT_EQ(font->_charWidth[1], 0);  // a lone minus
  EXPECT_EQ(font->_charWidth[2], 0);  // two minus signs before 5
  EXPECT_EQ(font->_charWidth[3], 3);  // 3, minus, 4
}

TEST_F(FontDrawTest, WidthCountsSpacingBetweenCharactersLessTheMargin) {
  EXPECT_EQ(font->GetWidth(u""), -6);
  EXPECT_EQ(font->GetWidth(u"AB"), 2 * 12 - 6);
  EXPECT_EQ(font->GetWidth(std::u16string(1, char16_t(321))), font->GetWidth(u"A"));
}

TEST_F(FontDrawTest, AlignmentsPlaceThePen) {
  font->Draw(u"AB", 100, 50, ALIGN_LEFT, ALIGN_TOP);
  EXPECT_EQ(FirstPenX(), 96);
  EXPECT_EQ(FirstPenY(), 30);
  ASSERT_EQ(driver.log.size(), 2u);
  EXPECT_EQ(driver.log[1].tx, 108);
  driver.log.clear();
  font->Draw(u"AB", 100, 50, ALIGN_RIGHT, ALIGN_BASELINE);
  // The last advance reaches x + spacing: 78 + 24 = 102.
  EXPECT_EQ(FirstPenX(), 96 - 18);
  EXPECT_EQ(FirstPenY(), 10);
  driver.log.clear();
  font->Draw(u"ABC", 100, 50, ALIGN_CENTER, ALIGN_CENTER);
  EXPECT_EQ(FirstPenX(), 96 - 15);  // width 30, half of it
  EXPECT_EQ(FirstPenY(), 20);
  driver.log.clear();
  font->Draw(u"A", 100, 50, 7, 9);  // unknown alignments act as left and top
  EXPECT_EQ(FirstPenX(), 96);
  EXPECT_EQ(FirstPenY(), 30);
}

TEST_F(FontDrawTest, CentringRoundsHalfAnOddWidthTowardZero) {
  font->_offset = 3;  // the width of "A" becomes 10 - 2 - 3 + 2 = 7
  ASSERT_EQ(font->GetWidth(u"A"), 7);
  font->Draw(u"A", 100, 0, ALIGN_CENTER, ALIGN_TOP);
  EXPECT_EQ(FirstPenX(), 100 - 3 - 3);
  font->_offset = 20;  // width -10: the pen moves right by 5
  driver.log.clear();
  font->Draw(u"A", 100, 0, ALIGN_CENTER, ALIGN_TOP);
  EXPECT_EQ(FirstPenX(), 100 - 20 + 5);
}

TEST_F(FontDrawTest, OnlyTheLowByteChoosesTheGlyph) {
  font->Draw(std::u16string(1, char16_t(321)) + u" \n", 0, 0, ALIGN_LEFT, ALIGN_TOP);
  ASSERT_EQ(driver.log.size(), 3u);
  EXPECT_EQ(driver.log[0].pixmap, glyphs[65]);
  EXPECT_EQ(driver.log[1].pixmap, glyphs[' ']);
  EXPECT_EQ(driver.log[2].pixmap, glyphs['\n']);  // no character is treated specially
}
