// PNG pictures into pixmaps: grey as intensity, RGB, and RGB with alpha (grey with alpha and palettes with
// transparency become RGBA); 16-bit samples keep their high byte.
#pragma once

#include "media/graphics/image.h"

class TPixmapLoaderPNG : public TPixmapLoader {
public:
  // Null when the stream does not start with the PNG signature, when libpng rejects the file, when it declares a
  // picture wider or higher than 16384 pixels or more picture data than a file of its size can hold, or when the
  // file is cut short.
  std::shared_ptr<TPixmap> LoadPixmap(TStream& stream) override;
};
