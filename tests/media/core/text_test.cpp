#include "media/core/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

TEST(TextToInt, ReadsSignsBasesAndStopsAtTheFirstCharacterThatDoesNotFit) {
  EXPECT_EQ(TextToInt(u"  -42x"), -42);
  EXPECT_EQ(TextToInt(u"+17"), 17);
  EXPECT_EQ(TextToInt(u"$1F"), 31);
  EXPECT_EQ(TextToInt(u"$ff"), 255);
  EXPECT_EQ(TextToInt(u"-$10"), -16);
  EXPECT_EQ(TextToInt(u"%1011"), 11);
  EXPECT_EQ(TextToInt(u"%102"), 2);  // 2 is not a binary digit
  EXPECT_EQ(TextToInt(u"\t 12a"), 12);
  EXPECT_EQ(TextToInt(u"12 34"), 12);
}

TEST(TextToInt, TextWithoutDigitsGivesZero) {
  EXPECT_EQ(TextToInt(u""), 0);
  EXPECT_EQ(TextToInt(u"abc"), 0);
  EXPECT_EQ(TextToInt(u"-"), 0);
  EXPECT_EQ(TextToInt(u"$"), 0);
  EXPECT_EQ(TextToInt(u"$G"), 0);
  EXPECT_EQ(TextToInt(u"- 5"), 0);  // no blank between sign and digits
}

TEST(TextToInt, WrapsLikeThirtyTwoBitArithmeticInsteadOfOverflowing) {
  EXPECT_EQ(TextToInt(u"2147483647"), INT32_MAX);
  EXPECT_EQ(TextToInt(u"-2147483648"), INT32_MIN);
  EXPECT_EQ(TextToInt(u"2147483648"), INT32_MIN);
  EXPECT_EQ(TextToInt(u"4294967297"), 1);
  EXPECT_EQ(TextToInt(u"99999999999999999999"), 1661992959);  // the value modulo 2^32
}

TEST(IntToText, WritesDecimalWithLeadingMinus) {
  EXPECT_EQ(IntToText(0), u"0");
  EXPECT_EQ(IntToText(-7), u"-7");
  EXPECT_EQ(IntToText(123456), u"123456");
  EXPECT_EQ(IntToText(INT32_MIN), u"-2147483648");
}

TEST(ShortText, WritesWordsAndNumbersAsIntToTextDoesAndDropsWhatDoesNotFit) {
  TShortText text;
  text.Add(u"Rollbacks ").Add(INT32_MIN).Add(u"/s (deepest ").Add(0).Add(u")");
  EXPECT_EQ(text.View(), u"Rollbacks " + IntToText(INT32_MIN) + u"/s (deepest 0)");
  // A line longer than the text holds keeps its beginning, the number cut off in the middle of its digits.
  TShortText full(std::u16string(TShortText::CAPACITY - 3, u'x'));
  full.Add(123456).Add(u"more");
  EXPECT_EQ(full.View(), std::u16string(TShortText::CAPACITY - 3, u'x') + u"123");
}

TEST(FloatToText, KeepsNineSignificantDigitsAndThePoint) {
  EXPECT_EQ(FloatToText(0.25f), u"0.250000000");
  EXPECT_EQ(FloatToText(0.0f), u"0.00000000");
  EXPECT_EQ(FloatToText(0.5f), u"0.500000000");
  EXPECT_EQ(FloatToText(0.75f), u"0.750000000");
  EXPECT_EQ(FloatToText(1.0f), u"1.00000000");
  EXPECT_EQ(FloatToText(-1.0f), u"-1.00000000");
  EXPECT_EQ(FloatToText(0.1f), u"0.100000001");  // the float's own value, widened
}

TEST(TextToFloat, UsesTheCLibraryConversion) {
  EXPECT_EQ(TextToFloat(u"0.250000000"), 0.25);
  EXPECT_EQ(TextToFloat(u"  -1.5e2xyz"), -150.0);
  EXPECT_EQ(TextToFloat(u"abc"), 0.0);
  EXPECT_EQ(TextToFloat(u""), 0.0);
  // A character beyond 8 bits ends the number.
  EXPECT_EQ(TextToFloat(std::u16string(u"12") + char16_t(0x3131) + u"5"), 12.0);
  // Written and read back, a float is the same float.
  for (float value : {0.25f, -1.0f, 0.1f, 3.14159274f, 1e-7f}) {
    EXPECT_EQ(static_cast<float>(TextToFloat(FloatToText(value))), value);
  }
}

TEST(TruncateToInt, TruncatesTowardZeroAndSaturates) {
  EXPECT_EQ(TruncateToInt(1.9), 1);
  EXPECT_EQ(TruncateToInt(-1.9), -1);
  EXPECT_EQ(TruncateToInt(1e20), INT32_MAX);
  EXPECT_EQ(TruncateToInt(-1e20), INT32_MIN);
  EXPECT_EQ(TruncateToInt(std::nan("")), 0);
}

TEST(BytesAndText, MapBytesToCharactersAndKeepTheLowByteBack) {
  std::string bytes = "A\xff\x80";
  std::u16string text = BytesToText(bytes);
  ASSERT_EQ(text.size(), 3u);
  EXPECT_EQ(text[1], 0xFF);
  EXPECT_EQ(TextToBytes(text), bytes);
  EXPECT_EQ(TextToBytes(std::u16string(1, char16_t(0x141))), "A");
}

TEST(SplitText, EverySeparatorEndsAFieldAndTwoInARowMakeAnEmptyOne) {
  EXPECT_EQ(SplitText(u"1 2  3", u' '), (std::vector<std::u16string>{u"1", u"2", u"", u"3"}));
  EXPECT_EQ(SplitText(u"", u'\t'), (std::vector<std::u16string>{u""}));
  EXPECT_EQ(SplitText(u"a\t", u'\t'), (std::vector<std::u16string>{u"a", u""}));
}
