// PNG files through libpng's simplified interface: RGBA in, RGBA out, nothing else written.
#include "png_file.h"

#include <png.h>

#include <stdexcept>

void WritePng(const std::string& path, const Pixels& picture) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.Width());
  image.height = static_cast<png_uint_32>(picture.Height());
  image.format = PNG_FORMAT_RGBA;
  if (png_image_write_to_file(&image, path.c_str(), 0, picture.Data().data(), 0, nullptr) == 0) {
    throw std::runtime_error("cannot write " + path + ": " + image.message);
  }
}

Pixels ReadPng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
    throw std::runtime_error("cannot read " + path + ": " + image.message);
  }
  image.format = PNG_FORMAT_RGBA;
  Pixels picture(static_cast<int>(image.width), static_cast<int>(image.height));
  if (png_image_finish_read(&image, nullptr, picture.Raw(), 0, nullptr) == 0) {
    throw std::runtime_error("cannot decode " + path + ": " + image.message);
  }
  return picture;
}
