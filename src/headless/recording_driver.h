// A drawing driver without a screen: it logs every drawing call with the state it was made in, so headless runs
// and tests can see what the game draws (which rectangles and image frames, where, in which colour and blend).
// Its log keeps its memory when cleared, so a headless frame loop does not allocate once it has warmed up.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "media/graphics/graphics_driver.h"

class TPixmap;

struct TDrawRecord {
  enum Kind : int32_t { CLS, RECT, IMAGE, FLIP };
  Kind kind = CLS;
  // Quad corners relative to the position, and the translation (RECT, IMAGE).
  float x0 = 0, y0 = 0, x1 = 0, y1 = 0, tx = 0, ty = 0;
  // The state the call was made in.
  float ix = 1, iy = 0, jx = 0, jy = 1;
  int32_t red = 255, green = 255, blue = 255;
  float alpha = 1;
  int32_t blend = 1;
  int32_t viewport[4] = {0, 0, 0, 0};  // the clip rectangle in window pixels (the whole window: none)
  int32_t picture[4] = {0, 0, 0, 0};   // where the logical screen lies in the window, in window pixels
  const TPixmap* pixmap = nullptr;     // IMAGE: the pixmap the frame was made from

  // Corner (px, py) mapped through the matrix and translation.
  float MapX(float px, float py) const { return px * ix + py * iy + tx; }
  float MapY(float px, float py) const { return px * jx + py * jy + ty; }
  // The mapped rectangle's bounds in logical units.
  float Left() const;
  float Top() const;
  float Right() const;
  float Bottom() const;
};

class TRecordingDriver : public TPlaxDriver {
public:
  std::shared_ptr<TGraphics> CreateGraphics(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                                            int32_t flags) override;
  void SetGraphics(TGraphics* graphics) override;
  void Flip(int32_t sync) override;
  bool DesktopSize(bool usable, int32_t* width, int32_t* height) override;
  std::shared_ptr<TImageFrame> CreateFrameFromPixmap(const std::shared_ptr<TPixmap>& pixmap, int32_t flags) override;
  void SetBlend(int32_t blend) override { _state.blend = blend; }
  void SetAlpha(float alpha) override { _state.alpha = alpha; }
  void SetColor(int32_t red, int32_t green, int32_t blue) override;
  void SetClsColor(int32_t, int32_t, int32_t) override {}
  void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height) override;
  void SetTransform(float ix, float iy, float jx, float jy) override;
  void SetLineWidth(float) override {}
  void Cls() override;
  void DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) override;
  void SetResolution(float width, float height) override;
  void SetPictureArea(int32_t x, int32_t y, int32_t width, int32_t height) override;
  void ResetState() override {}
  int32_t ContextSeq() override { return _seq; }

  // Called by the frames it made.
  void _DrawFrame(const TPixmap* pixmap, float x0, float y0, float x1, float y1, float tx, float ty);

  std::vector<TDrawRecord> log;
  int32_t framesMade = 0;  // drawable frames created, over all contexts
  int32_t windowsMade = 0;
  // The last window made, at its present size (the desktop's while it is full screen).
  int32_t windowWidth = 0;
  int32_t windowHeight = 0;
  // The desktop the windows open on, whole and without its panels, and how the window system takes a switch to
  // full screen.
  int32_t desktopWidth = 2560;
  int32_t desktopHeight = 1440;
  int32_t usableWidth = 2560;
  int32_t usableHeight = 1400;
  bool refuseFullScreen = false;
  bool loseFocusOnSwitch = false;  // a switch to or from full screen sends focus lost and regained
  float logicalWidth = 0;
  float logicalHeight = 0;

private:
  void Record(TDrawRecord::Kind kind, float x0, float y0, float x1, float y1, float tx, float ty,
              const TPixmap* pixmap);
  TDrawRecord _state;
  int32_t _seq = 0;
};
