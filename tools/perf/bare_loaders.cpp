// The bare decoding loops: nothing but the library calls a program needs to get the pixels or the samples.
#include "bare_loaders.h"

#include <png.h>
#include <vorbis/vorbisfile.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Everything that could throw or be destroyed lives outside the function with the jump target.
bool DecodeRows(png_structp png, png_infop info, FILE* file, std::unique_ptr<png_byte[]>* pixels,
                std::vector<png_bytep>* rows, size_t* bytes) {
  if (setjmp(png_jmpbuf(png)) != 0) {
    return false;
  }
  png_init_io(png, file);
  png_read_info(png, info);
  png_set_strip_16(png);
  png_set_expand(png);
  png_read_update_info(png, info);
  png_uint_32 height = png_get_image_height(png, info);
  size_t rowBytes = png_get_rowbytes(png, info);
  *bytes = rowBytes * height;
  pixels->reset(new png_byte[*bytes]);
  rows->resize(height);
  for (png_uint_32 y = 0; y < height; y++) {
    (*rows)[y] = pixels->get() + y * rowBytes;
  }
  png_read_image(png, rows->data());
  png_read_end(png, nullptr);
  return true;
}

}  // namespace

size_t BareDecodePng(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return 0;
  }
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::unique_ptr<png_byte[]> pixels;
  std::vector<png_bytep> rows;
  size_t bytes = 0;
  bool decoded = DecodeRows(png, info, file, &pixels, &rows, &bytes);
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  return decoded ? bytes : 0;
}

size_t BareDecodeVorbis(const std::string& path) {
  OggVorbis_File vorbis;
  if (ov_fopen(path.c_str(), &vorbis) != 0) {
    return 0;
  }
  vorbis_info* info = ov_info(&vorbis, -1);
  ogg_int64_t frames = ov_pcm_total(&vorbis, -1);
  size_t wanted = static_cast<size_t>(frames) * 2 * static_cast<size_t>(info->channels);
  std::unique_ptr<char[]> pcm(new char[wanted]);
  size_t decoded = 0;
  int section = 0;
  while (decoded < wanted) {
    long got = ov_read(&vorbis, pcm.get() + decoded, static_cast<int>(wanted - decoded), 0, 2, 1, &section);
    if (got <= 0) {
      break;
    }
    decoded += static_cast<size_t>(got);
  }
  ov_clear(&vorbis);
  return decoded;
}
