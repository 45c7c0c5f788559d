// The least a program can do to decode the game's files with the same libraries the game uses: libpng's
// png_read_image into one buffer, and vorbisfile's ov_read into one buffer. The loading benchmark's baseline.
#pragma once

#include <cstddef>
#include <string>

// Decodes the PNG file to 8-bit samples; returns the bytes of pixels decoded, 0 on failure.
size_t BareDecodePng(const std::string& path);
// Decodes the Ogg Vorbis file to 16-bit little-endian PCM; returns the bytes decoded, 0 on failure.
size_t BareDecodeVorbis(const std::string& path);
