// Fuzzes the PNG loader: the input is a picture file loaded as the game loads its pictures (LoadImageFile with
// the default flags, so pictures without alpha are also masked), through the registered loaders.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "media/graphics/image.h"
#include "media/platform/media.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  RegisterMediaLoaders();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteFuzzInput("gfx/picture.png", data, size);
  std::shared_ptr<TImage> image = LoadImageFile(u"gfx/picture.png", -1);
  // A picture that loads has a frame of its own size, with no sides beyond what the loader allows.
  if (image != nullptr && (image->FrameCount() != 1 || image->width <= 0 || image->height <= 0 ||
                           image->width > 16384 || image->height > 16384)) {
    __builtin_trap();
  }
  return 0;
}
