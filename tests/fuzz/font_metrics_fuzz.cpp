// Fuzzes the font metrics reader: the input is gfx/font.dat, read by TFont::Load as at start-up (its picture is
// absent), then used to measure text the way the menus centre and right-align it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "frontend/font.h"
#include "fuzz_input.h"

namespace {

// Every character code once, and a caption the controls screens measure.
std::u16string AllCodes() {
  std::u16string text = u"Right Hand Scroll Lock ";
  for (char16_t c = 0; c < 256; c++) {
    text.push_back(c);
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::u16string text = AllCodes();
  WriteFuzzInput("gfx/font.dat", data, size);
  std::shared_ptr<TFont> font = TFont::Load(u"gfx/font", 64);
  font->GetWidth(text);
  font->GetWidth(u"");
  return 0;
}
