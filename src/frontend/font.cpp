// The game's bitmap font.
#include "frontend/font.h"

#include <algorithm>
#include <string>

#include "media/files/stream.h"
#include "media/graphics/graphics.h"
#include "media/graphics/image.h"

namespace {

// No glyph is anywhere near this wide or placed this far from its cell; a number beyond it can only come from a
// damaged file. Kept within it, no position computed from the metrics can overflow.
constexpr int32_t kMetricLimit = 4096;

// An optional minus, then digits up to the first other character; no digit right after the sign gives 0.
int32_t TokenValue(const std::string& token) {
  size_t i = token[0] == '-' ? 1 : 0;
  uint32_t value = 0;
  for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; i++) {
    value = value * 10 + static_cast<uint32_t>(token[i] - '0');
  }
  return static_cast<int32_t>(token[0] == '-' ? 0u - value : value);
}

}  // namespace

std::shared_ptr<TFont> TFont::Load(std::u16string_view path, int32_t size) {
  auto font = std::make_shared<TFont>();
  font->_charSize = size;
  font->_ReadMetrics(std::u16string(path) + u".dat");
  font->_image = LoadImageStrip(std::u16string(path) + u".png", size, size, 0, 256, -1);
  return font;
}

void TFont::_ReadMetrics(std::u16string_view path) {
  _charWidth.fill(0);
  TOpenedFile opened = OpenTextFile(path);
  std::shared_ptr<TStream> stream = opened.stream;
  _metricsCut = opened.cut;
  if (stream == nullptr) {
    return;
  }
  int32_t* const metrics[] = {&_charSpacing, &_baseline, &_center, &_top, &_offset};
  std::string token;
  int32_t count = 0;
  while (stream->Eof() == 0) {
    int32_t byte = stream->ReadByte();
    if ((byte >= '0' && byte <= '9') || byte == '-') {
      token.push_back(static_cast<char>(byte));
      continue;
    }
    if (token.empty()) {
      continue;
    }
    int32_t value = std::clamp(TokenValue(token), -kMetricLimit, kMetricLimit);
    if (count < 256) {
      _charWidth[static_cast<size_t>(count)] = value;
    } else if (count < 261) {
      *metrics[count - 256] = value;
    }
    token.clear();
    count++;
  }
  stream->Close();
}

int32_t TFont::GetWidth(std::u16string_view text) {
  // Summed in 64 bits: a caption read from a file may be very long.
  int64_t width = -int64_t{_charSpacing} - _offset;
  for (char16_t c : text) {
    width += int64_t{_charWidth[c & 0xFF]} + _charSpacing;
  }
  return static_cast<int32_t>(std::clamp<int64_t>(width, INT32_MIN, INT32_MAX));
}

int32_t TFont::Draw(std::u16string_view text, int32_t x, int32_t y, int32_t halign, int32_t valign) {
  auto penX = static_cast<float>(x - _offset);
  auto penY = static_cast<float>(y);
  if (halign == ALIGN_RIGHT) {
    penX -= static_cast<float>(GetWidth(text));
  } else if (halign == ALIGN_CENTER) {
    penX -= static_cast<float>(GetWidth(text) / 2);  // integer division toward zero: width 7 moves 3
  }
  if (valign == ALIGN_BASELINE) {
    penY -= static_cast<float>(_baseline);
  } else if (valign == ALIGN_CENTER) {
    penY -= static_cast<float>(_center);
  } else {
    penY -= static_cast<float>(_top);
  }
  for (char16_t c : text) {
    int32_t code = c & 0xFF;
    DrawImageFrame(_image, penX, penY, code);
    penX += static_cast<float>(_charWidth[static_cast<size_t>(code)] + _charSpacing);
  }
  return 0;
}
