// Preparing a pixmap for a texture whose sides are powers of two: scaling it down when the texture cannot be as
// large, and padding it out with its own last column and row, so a texture sampled at the image's edge does not
// blend in whatever lies beyond it.
#pragma once

#include <cstdint>
#include <memory>

#include "media/graphics/pixmap.h"

// The smallest power of two not below size (1 for size 1 or less).
int32_t NextPowerOfTwo(int32_t size);

// An RGBA copy of width by height, each destination pixel sampling the source bilinearly at
// (i + 0.5) * source / destination - 0.5, clamped at the edges.
std::shared_ptr<TPixmap> ResampleRGBA(const TPixmap& rgba, int32_t width, int32_t height);

// An RGBA pixmap of width by height (not smaller than the image) with the image at (0, 0), its last column
// repeated once to the right, its last row once below and its corner pixel diagonally below-right.
std::shared_ptr<TPixmap> PadRGBA(const TPixmap& rgba, int32_t width, int32_t height);

// Half the size in each dimension above 1, each pixel the average of the up to four it covers: the next mipmap.
std::shared_ptr<TPixmap> HalveRGBA(const TPixmap& rgba);
