// Where a picture of fixed size goes in a larger space: the largest whole enlargement that fits, and the picture
// centred at that size. Whole factors keep every logical pixel a sharp square block of window pixels.
#pragma once

#include <cstdint>

// A rectangle in window pixels, top-down, and the whole factor it enlarges the picture by.
struct TPictureArea {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t scale = 1;
};

// The largest whole factor, at most `most`, by which a width by height picture fits into room_width by
// room_height; at least 1 even where nothing fits, since a picture is never shown smaller than itself.
int32_t LargestWholeFactor(int32_t width, int32_t height, int32_t roomWidth, int32_t roomHeight, int32_t most);

// A width by height picture enlarged by the largest whole factor that fits the room, centred in it. Where even
// factor 1 does not fit, the picture is centred all the same and cut at the room's edges.
TPictureArea CentredPicture(int32_t width, int32_t height, int32_t roomWidth, int32_t roomHeight);
