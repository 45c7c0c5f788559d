// The runtime's text: strings of 16-bit characters, their bytes in files, and the number conversions that every
// data file of the game is written and read with.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Bytes to characters one to one (byte b becomes character b), as files are read.
std::u16string BytesToText(std::string_view bytes);

// Characters to bytes, keeping the low 8 bits of each, as files are written.
std::string TextToBytes(std::u16string_view text);

// The fields between every single separator: two separators in a row make an empty field, and a text without
// one is a single field.
std::vector<std::u16string> SplitText(std::u16string_view text, char16_t separator);

// Characters as UTF-8, for the platform's own strings (window titles, file names shown to the player).
std::string TextToUtf8(std::u16string_view text);

// Decimal digits with a leading "-" for negative values; -2147483648 is written whole.
std::u16string IntToText(int32_t value);

// A short text put together in place from words and numbers, for what is drawn every frame (the score, "Round
// 10", an online match's figures): unlike a std::u16string it never allocates. It holds up to CAPACITY characters,
// a line across the ring; more are dropped.
class TShortText {
public:
  static constexpr size_t CAPACITY = 64;

  TShortText() = default;
  explicit TShortText(std::u16string_view text) { Add(text); }
  TShortText& Add(std::u16string_view text);
  // The number's decimal digits, as IntToText writes them.
  TShortText& Add(int32_t value);
  std::u16string_view View() const { return std::u16string_view(_chars.data(), _length); }

private:
  std::array<char16_t, CAPACITY> _chars{};
  size_t _length = 0;
};

// The C format "%#.9g": nine significant digits, the point always present, trailing zeros kept (0.25 gives
// "0.250000000"). The settings file stores gamepad directions this way.
std::u16string FloatToText(float value);

// Leading white space skipped, an optional sign, then "%" and binary digits, "$" and hexadecimal digits, or
// decimal digits, up to the first character that does not fit; no digits give 0. Values beyond 32 bits wrap.
int32_t TextToInt(std::u16string_view text);

// The C library's decimal conversion of the text's bytes: leading white space skipped, stops at the first
// character that does not fit, 0 when nothing fits.
double TextToFloat(std::u16string_view text);

// A float stored into an integer: truncated toward zero. Values beyond the 32-bit range saturate and NaN gives 0,
// so numbers read from a damaged file never reach undefined behaviour.
int32_t TruncateToInt(double value);
