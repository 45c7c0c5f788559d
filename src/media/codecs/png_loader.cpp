// PNG pictures into pixmaps, over libpng.
//
// libpng reports errors by a long jump. Every call into it therefore runs inside a small function that sets the
// jump target first and holds no object with a destructor, so a damaged file can never skip one.
#include "media/codecs/png_loader.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "media/core/data_limits.h"
#include "media/files/stream.h"

namespace {

constexpr png_uint_32 kMaxCachedChunks = 128;
constexpr png_alloc_size_t kMaxChunkBytes = 8 * 1024 * 1024;
// Deflate packs at most 1032 bytes into one: a file cannot hold more picture data than that many times its size.
constexpr uint64_t kMaxDeflateRatio = 1032;

struct TPngSource {
  TStream* stream;
  bool streamFailed;
};

[[noreturn]] void OnError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadFromStream(png_structp png, png_bytep data, png_size_t length) {
  auto* source = static_cast<TPngSource*>(png_get_io_ptr(png));
  try {
    source->stream->ReadBytes(data, static_cast<int32_t>(length));
  } catch (const TStreamException&) {
    source->streamFailed = true;
  }
  if (source->streamFailed) {
    png_error(png, "file cut short");
  }
}

struct THeader {
  png_uint_32 width;
  png_uint_32 height;
  int channels;
  uint64_t storedBytes;  // the picture data as the file holds it once inflated: rows with their filter bytes
};

// Reads the header and sets up the transformations: 16-bit samples stripped, palettes, low bit depths and
// transparency entries expanded; grey with alpha widened to RGBA. False on any error.
bool ReadHeader(png_structp png, png_infop info, THeader* header) {
  if (setjmp(png_jmpbuf(png)) != 0) {
    return false;
  }
  png_read_info(png, info);
  header->storedBytes = uint64_t{png_get_image_height(png, info)} * (uint64_t{png_get_rowbytes(png, info)} + 1);
  int colorType = png_get_color_type(png, info);
  bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  png_set_strip_16(png);
  png_set_expand(png);
  if (colorType == PNG_COLOR_TYPE_GRAY_ALPHA || (colorType == PNG_COLOR_TYPE_GRAY && transparency)) {
    png_set_gray_to_rgb(png);
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  header->width = png_get_image_width(png, info);
  header->height = png_get_image_height(png, info);
  header->channels = png_get_channels(png, info);
  return png_get_bit_depth(png, info) == 8;
}

bool ReadRows(png_structp png, png_infop info, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png)) != 0) {
    return false;
  }
  png_read_image(png, rows);
  png_read_end(png, info);
  return true;
}

// The read structures, destroyed whatever happens.
struct TPngReader {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~TPngReader() { png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr); }
};

int32_t FormatOf(int channels) {
  switch (channels) {
    case 1:
      return TPixmap::FORMAT_I8;
    case 3:
      return TPixmap::FORMAT_RGB888;
    case 4:
      return TPixmap::FORMAT_RGBA8888;
    default:
      return 0;
  }
}

}  // namespace

std::shared_ptr<TPixmap> TPixmapLoaderPNG::LoadPixmap(TStream& stream) {
  png_byte signature[8];
  if (stream.Read(signature, 8) != 8 || png_sig_cmp(signature, 0, 8) != 0) {
    return nullptr;  // not a PNG: the stream is left for another loader
  }
  TPngReader reader;
  reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (reader.png == nullptr) {
    return nullptr;
  }
  reader.info = png_create_info_struct(reader.png);
  if (reader.info == nullptr) {
    return nullptr;
  }
  TPngSource source{&stream, false};
  png_set_user_limits(reader.png, kPictureSide, kPictureSide);
  png_set_chunk_cache_max(reader.png, kMaxCachedChunks);
  png_set_chunk_malloc_max(reader.png, kMaxChunkBytes);
  png_set_read_fn(reader.png, &source, ReadFromStream);
  png_set_sig_bytes(reader.png, 8);

  THeader header{};
  if (!ReadHeader(reader.png, reader.info, &header)) {
    return nullptr;
  }
  // Larger than any picture the game could use: refused before a row of it is decoded.
  if (uint64_t{header.width} * header.height > static_cast<uint64_t>(kPicturePixels)) {
    return nullptr;
  }
  // A few bytes that claim a huge picture are damage: refused before the picture is allocated, so such a file
  // cannot make the game take a gigabyte for nothing.
  int32_t fileBytes = stream.Size();
  if (fileBytes >= 0 && header.storedBytes > kMaxDeflateRatio * static_cast<uint64_t>(fileBytes)) {
    return nullptr;
  }
  std::shared_ptr<TPixmap> pixmap;
  std::vector<png_bytep> rows;
  try {
    pixmap = TPixmap::Create(static_cast<int32_t>(header.width), static_cast<int32_t>(header.height),
                             FormatOf(header.channels));
    if (pixmap == nullptr) {
      return nullptr;
    }
    rows.resize(header.height);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  for (png_uint_32 y = 0; y < header.height; y++) {
    rows[y] = pixmap->Row(static_cast<int32_t>(y));
  }
  if (!ReadRows(reader.png, reader.info, rows.data())) {
    return nullptr;
  }
  return pixmap;
}
