// Readers for the data-file tests, over libpng's simplified interface.
#include "data/data_files.h"

#include <gtest/gtest.h>
#include <png.h>

#include <fstream>
#include <sstream>

std::string DataPath(const std::string& relative) {
  return std::string(MORVIK_DATA_DIR) + "/" + relative;
}

std::string ReadDataFile(const std::string& relative) {
  std::ifstream in(DataPath(relative), std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << relative;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

int Picture::CountInked(int x, int y, int w, int h) const {
  int count = 0;
  for (int py = y; py < y + h; py++) {
    for (int px = x; px < x + w; px++) {
      count += Alpha(px, py) >= 128 ? 1 : 0;
    }
  }
  return count;
}

double Picture::MeanLuminance(int x, int y, int w, int h) const {
  double sum = 0;
  for (int py = y; py < y + h; py++) {
    for (int px = x; px < x + w; px++) {
      const uint8_t* p = At(px, py);
      sum += 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
    }
  }
  return sum / (w * h);
}

Picture ReadPicture(const std::string& relative) {
  Picture picture;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  std::string path = DataPath(relative);
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
    ADD_FAILURE() << relative << ": " << image.message;
    return picture;
  }
  picture.fileHasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  image.format = PNG_FORMAT_RGBA;
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.rgba.resize(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr) == 0) {
    ADD_FAILURE() << relative << ": " << image.message;
    picture = Picture{};
  }
  return picture;
}

int FontMetrics::TextWidth(const std::string& latin1) const {
  int width = -Spacing() - Offset();
  for (unsigned char c : latin1) {
    width += Width(c) + Spacing();
  }
  return width;
}

FontMetrics ReadFontMetrics(const std::string& relative) {
  FontMetrics metrics;
  std::string token;
  for (char c : ReadDataFile(relative)) {
    if ((c >= '0' && c <= '9') || c == '-') {
      token += c;
    } else if (!token.empty()) {
      metrics.numbers.push_back(std::stoi(token));
      token.clear();
    }
  }
  EXPECT_TRUE(token.empty()) << "the last number of " << relative << " has no separator after it and would be lost";
  return metrics;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  if (!line.empty()) {
    lines.push_back(line);
  }
  return lines;
}
