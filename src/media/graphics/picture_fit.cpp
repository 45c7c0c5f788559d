// The largest whole enlargement that fits, and the centred picture.
#include "media/graphics/picture_fit.h"

#include <algorithm>
#include <limits>

int32_t LargestWholeFactor(int32_t width, int32_t height, int32_t roomWidth, int32_t roomHeight, int32_t most) {
  if (width <= 0 || height <= 0) {
    return 1;
  }
  int32_t factor = std::min({roomWidth / width, roomHeight / height, most});
  return std::max(factor, 1);
}

TPictureArea CentredPicture(int32_t width, int32_t height, int32_t roomWidth, int32_t roomHeight) {
  TPictureArea area;
  area.scale = LargestWholeFactor(width, height, roomWidth, roomHeight, std::numeric_limits<int32_t>::max());
  area.width = width * area.scale;
  area.height = height * area.scale;
  // Halved after the subtraction, so an odd remainder puts the spare pixel on the right and at the bottom.
  area.x = (roomWidth - area.width) / 2;
  area.y = (roomHeight - area.height) / 2;
  return area;
}
