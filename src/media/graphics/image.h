// Images: one or more equal frames cut from a picture file, turned into drawable frames (textures) by the
// drawing driver on first draw, and made again when the window's context is replaced.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "media/graphics/graphics_driver.h"
#include "media/graphics/pixmap.h"

class TStream;

// Image flags.
enum : int32_t {
  IMAGE_MASKED = 1,    // pixels of the mask colour become transparent
  IMAGE_FILTERED = 2,  // linear texture filtering
  IMAGE_MIPMAPPED = 4,
};

class TImage {
public:
  // An image of frames empty frames of width by height.
  static std::shared_ptr<TImage> Create(int32_t width, int32_t height, int32_t frames, int32_t flags,
                                        int32_t mask_r = 0, int32_t mask_g = 0, int32_t mask_b = 0);
  // A one-frame image of the pixmap.
  static std::shared_ptr<TImage> Load(const std::shared_ptr<TPixmap>& pixmap, int32_t flags, int32_t mask_r,
                                      int32_t mask_g, int32_t mask_b);
  // count frames of cellWidth by cellHeight from the cells first to first + count - 1 of the pixmap, numbered
  // left to right and then top to bottom; partial cells at the edges do not count. Null when there are too few.
  static std::shared_ptr<TImage> LoadAnim(const std::shared_ptr<TPixmap>& pixmap, int32_t cellWidth, int32_t cellHeight,
                                          int32_t first, int32_t count, int32_t flags, int32_t mask_r, int32_t mask_g,
                                          int32_t mask_b);

  int32_t FrameCount() const { return static_cast<int32_t>(pixmaps.size()); }
  // Stores pixmap as frame n (a masked copy when the image is masked and the pixmap has no alpha); its drawable
  // is made on the next draw.
  void SetPixmap(int32_t n, std::shared_ptr<TPixmap> pixmap);
  // The drawable frame n for the current window, made by its driver when missing or made for an older context.
  // Null when there is no window or it cannot be made.
  TImageFrame* Frame(int32_t n);

  int32_t width = 0;
  int32_t height = 0;
  int32_t flags = 0;
  int32_t mask_r = 0, mask_g = 0, mask_b = 0;
  float handle_x = 0.0f;  // the point of the frame placed at the drawing position
  float handle_y = 0.0f;
  std::vector<std::shared_ptr<TPixmap>> pixmaps;
  std::vector<std::shared_ptr<TImageFrame>> frames;
  std::vector<int32_t> seqs;  // context generation each drawable was made for; 0 for none
};

// A decoder of one picture format. Returns null when the stream does not hold its format; may raise a stream
// error for a file cut short.
class TPixmapLoader {
public:
  virtual ~TPixmapLoader() = default;
  virtual std::shared_ptr<TPixmap> LoadPixmap(TStream& stream) = 0;
};

void AddPixmapLoader(std::shared_ptr<TPixmapLoader> loader);

// Offers the file to each loader from its start; the first pixmap wins. Null when the file cannot be opened, its
// position cannot be told, or no loader decodes it (a loader's stream error counts as its failure).
std::shared_ptr<TPixmap> LoadPixmap(std::u16string_view path);

// Flags -1 below select the default image flags.
std::shared_ptr<TImage> LoadImageFile(std::u16string_view path, int32_t flags);
std::shared_ptr<TImage> LoadImageStrip(std::u16string_view path, int32_t cellWidth, int32_t cellHeight, int32_t first,
                                       int32_t count, int32_t flags);
// Handle at the frame's centre: a 128 by 128 frame gets (64, 64).
void CentreImageHandle(const std::shared_ptr<TImage>& image);
// Stores the default image flags (initially masked and filtered) unless flags is -1.
void SetDefaultImageFlags(int32_t flags);
void SetMaskColor(int32_t red, int32_t green, int32_t blue);
// A copy in the standard format where every pixel of the mask colour is transparent and takes the average colour
// of its non-mask neighbours, so filtering does not bleed the mask colour into the edges.
std::shared_ptr<TPixmap> MaskPixmap(const std::shared_ptr<TPixmap>& pixmap, int32_t red, int32_t green, int32_t blue);
