// The recording drawing driver.
#include "headless/recording_driver.h"

#include <algorithm>

#include "media/core/events.h"

namespace {

class TRecordedWindow : public TGraphics {
public:
  TRecordedWindow(TRecordingDriver* driver, int32_t width, int32_t height, int32_t depth, int32_t hertz, int32_t flags)
      : _driver(driver),
        _windowedWidth(width),
        _windowedHeight(height),
        _depth(depth),
        _hertz(hertz),
        _flags(flags),
        _fullScreen((flags & GRAPHICS_FULLSCREEN) != 0 && !driver->refuseFullScreen) {
    Publish();
  }
  TGraphicsDriver* Driver() override { return _driver; }
  void GetSettings(int32_t* width, int32_t* height, int32_t* depth, int32_t* hertz, int32_t* flags) override {
    *width = _fullScreen ? _driver->desktopWidth : _windowedWidth;
    *height = _fullScreen ? _driver->desktopHeight : _windowedHeight;
    *depth = _depth;
    *hertz = _hertz;
    *flags = _flags;
  }
  void Close() override {}
  bool SetFullScreen(bool on) override {
    if (on && _driver->refuseFullScreen) {
      return false;
    }
    if (_driver->loseFocusOnSwitch) {
      // As some window managers do while they rearrange the screen.
      EmitEvent(TEvent{EVENT_APPSUSPEND, nullptr, 0, 0, 0, 0});
      EmitEvent(TEvent{EVENT_APPRESUME, nullptr, 0, 0, 0, 0});
    }
    _fullScreen = on;
    Publish();
    return true;
  }
  bool FullScreen() const override { return _fullScreen; }

private:
  // The driver shows the last window's present size.
  void Publish() {
    int32_t unused = 0;
    GetSettings(&_driver->windowWidth, &_driver->windowHeight, &unused, &unused, &unused);
  }

  TRecordingDriver* _driver;
  int32_t _windowedWidth, _windowedHeight, _depth, _hertz, _flags;
  bool _fullScreen;
};

class TRecordedFrame : public TImageFrame {
public:
  TRecordedFrame(TRecordingDriver* driver, std::shared_ptr<TPixmap> pixmap)
      : _driver(driver), _pixmap(std::move(pixmap)) {}
  void Draw(float x0, float y0, float x1, float y1, float tx, float ty, float, float, float, float) override {
    _driver->_DrawFrame(_pixmap.get(), x0, y0, x1, y1, tx, ty);
  }

private:
  TRecordingDriver* _driver;
  std::shared_ptr<TPixmap> _pixmap;
};

}  // namespace

float TDrawRecord::Left() const {
  return std::min({MapX(x0, y0), MapX(x1, y0), MapX(x0, y1), MapX(x1, y1)});
}

float TDrawRecord::Right() const {
  return std::max({MapX(x0, y0), MapX(x1, y0), MapX(x0, y1), MapX(x1, y1)});
}

float TDrawRecord::Top() const {
  return std::min({MapY(x0, y0), MapY(x1, y0), MapY(x0, y1), MapY(x1, y1)});
}

float TDrawRecord::Bottom() const {
  return std::max({MapY(x0, y0), MapY(x1, y0), MapY(x0, y1), MapY(x1, y1)});
}

std::shared_ptr<TGraphics> TRecordingDriver::CreateGraphics(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                                                            int32_t flags) {
  _seq++;
  windowsMade++;
  return std::make_shared<TRecordedWindow>(this, width, height, depth, hertz, flags);
}

bool TRecordingDriver::DesktopSize(bool usable, int32_t* width, int32_t* height) {
  *width = usable ? usableWidth : desktopWidth;
  *height = usable ? usableHeight : desktopHeight;
  return true;
}

void TRecordingDriver::SetGraphics(TGraphics*) {}

void TRecordingDriver::Flip(int32_t) {
  Record(TDrawRecord::FLIP, 0, 0, 0, 0, 0, 0, nullptr);
}

std::shared_ptr<TImageFrame> TRecordingDriver::CreateFrameFromPixmap(const std::shared_ptr<TPixmap>& pixmap, int32_t) {
  framesMade++;
  return std::make_shared<TRecordedFrame>(this, pixmap);
}

void TRecordingDriver::SetColor(int32_t red, int32_t green, int32_t blue) {
  _state.red = red;
  _state.green = green;
  _state.blue = blue;
}

void TRecordingDriver::SetViewport(int32_t x, int32_t y, int32_t width, int32_t height) {
  _state.viewport[0] = x;
  _state.viewport[1] = y;
  _state.viewport[2] = width;
  _state.viewport[3] = height;
}

void TRecordingDriver::SetTransform(float ix, float iy, float jx, float jy) {
  _state.ix = ix;
  _state.iy = iy;
  _state.jx = jx;
  _state.jy = jy;
}

void TRecordingDriver::SetResolution(float width, float height) {
  logicalWidth = width;
  logicalHeight = height;
}

void TRecordingDriver::SetPictureArea(int32_t x, int32_t y, int32_t width, int32_t height) {
  _state.picture[0] = x;
  _state.picture[1] = y;
  _state.picture[2] = width;
  _state.picture[3] = height;
}

void TRecordingDriver::Cls() {
  Record(TDrawRecord::CLS, 0, 0, 0, 0, 0, 0, nullptr);
}

void TRecordingDriver::DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) {
  Record(TDrawRecord::RECT, x0, y0, x1, y1, tx, ty, nullptr);
}

void TRecordingDriver::_DrawFrame(const TPixmap* pixmap, float x0, float y0, float x1, float y1, float tx, float ty) {
  Record(TDrawRecord::IMAGE, x0, y0, x1, y1, tx, ty, pixmap);
}

void TRecordingDriver::Record(TDrawRecord::Kind kind, float x0, float y0, float x1, float y1, float tx, float ty,
                              const TPixmap* pixmap) {
  TDrawRecord record = _state;
  record.kind = kind;
  record.x0 = x0;
  record.y0 = y0;
  record.x1 = x1;
  record.y1 = y1;
  record.tx = tx;
  record.ty = ty;
  record.pixmap = pixmap;
  log.push_back(record);
}
