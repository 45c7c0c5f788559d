// Reading the game's delivered data files for the tests that check them: the source tree's data/ folder, PNG
// pictures as RGBA, whole text files, and the font's metrics with the width rule the game's text drawing uses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Path of a file under the source tree's data/ folder, for example "gfx/font.png".
std::string DataPath(const std::string& relative);

// The whole file as bytes; fails the calling test when it cannot be read.
std::string ReadDataFile(const std::string& relative);

// A PNG as decoded 8-bit RGBA, and whether the file itself holds an alpha channel.
struct Picture {
  int width = 0;
  int height = 0;
  bool fileHasAlpha = false;
  std::vector<uint8_t> rgba;

  const uint8_t* At(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
  uint8_t Alpha(int x, int y) const { return At(x, y)[3]; }
  // Opaque-enough pixels in the rectangle.
  int CountInked(int x, int y, int w, int h) const;
  // Mean luminance (0..255) of the rectangle's colours.
  double MeanLuminance(int x, int y, int w, int h) const;
};
Picture ReadPicture(const std::string& relative);

// The numbers of a font's metrics file and the width the game gives a text drawn with it.
struct FontMetrics {
  std::vector<int> numbers;  // every integer of the file, in order
  int Width(int code) const { return numbers[static_cast<std::size_t>(code)]; }
  int Spacing() const { return numbers[256]; }
  int Baseline() const { return numbers[257]; }
  int Center() const { return numbers[258]; }
  int Top() const { return numbers[259]; }
  int Offset() const { return numbers[260]; }
  // Minus spacing and offset, plus width and spacing of every character.
  int TextWidth(const std::string& latin1) const;
};
FontMetrics ReadFontMetrics(const std::string& relative = "gfx/font.dat");

// The lines of a text file, without their line ends.
std::vector<std::string> SplitLines(const std::string& text);
