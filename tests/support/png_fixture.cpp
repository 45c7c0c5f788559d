#include "support/png_fixture.h"

#include <png.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

std::string WritePng(const std::string& path, const TPngFixture& picture) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    throw std::runtime_error("cannot write " + path);
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    throw std::runtime_error("libpng could not write " + path);
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colorType,
               picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> colors;
  for (size_t i = 0; i + 2 < picture.palette.size(); i += 3) {
    colors.push_back({picture.palette[i], picture.palette[i + 1], picture.palette[i + 2]});
  }
  if (!colors.empty()) {
    png_set_PLTE(png, info, colors.data(), static_cast<int>(colors.size()));
  }
  if (!picture.paletteAlpha.empty()) {
    png_set_tRNS(png, info, picture.paletteAlpha.data(), static_cast<int>(picture.paletteAlpha.size()), nullptr);
  }
  png_write_info(png, info);
  size_t rowBytes = picture.rows.size() / static_cast<size_t>(picture.height);
  std::vector<png_bytep> rows;
  for (int y = 0; y < picture.height; y++) {
    rows.push_back(const_cast<png_bytep>(picture.rows.data()) + rowBytes * static_cast<size_t>(y));
  }
  png_write_image(png, rows.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

namespace {

uint32_t Crc32(const unsigned char* bytes, size_t length) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < length; i++) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; bit++) {
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
  }
  return ~crc;
}

void PutBigEndian(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; i++) {
    bytes[at + static_cast<size_t>(i)] = static_cast<char>(value >> (24 - 8 * i));
  }
}

}  // namespace

std::string WithDeclaredSize(std::string png, uint32_t width, uint32_t height) {
  // The header chunk: length at 8, "IHDR" at 12, width at 16, height at 20, 5 more bytes, its CRC at 29.
  PutBigEndian(png, 16, width);
  PutBigEndian(png, 20, height);
  PutBigEndian(png, 29, Crc32(reinterpret_cast<const unsigned char*>(png.data()) + 12, 17));
  return png;
}
