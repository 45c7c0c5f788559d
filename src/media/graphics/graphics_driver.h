// What a drawing back-end provides: windows with drawing contexts, presenting frames, and turning drawing calls
// into pixels. The OpenGL driver draws into the real window; the recording driver logs the calls for headless
// runs and tests.
//
// Coordinates reach a driver already split into corner offsets (x0, y0, x1, y1) relative to the drawing position
// and a translation (tx, ty); the driver maps each corner through the matrix given by SetTransform:
// (px * ix + py * iy + tx, px * jx + py * jy + ty).
#pragma once

#include <cstdint>
#include <memory>

class TPixmap;
class TGraphicsDriver;

// A drawable frame of an image, made by the driver from a pixmap: a texture, or its stand-in.
class TImageFrame {
public:
  virtual ~TImageFrame() = default;
  // Draws the source rectangle (sx, sy, sw, sh) of the frame, in pixels, as a quad with the given corners.
  virtual void Draw(float x0, float y0, float x1, float y1, float tx, float ty, float sx, float sy, float sw,
                    float sh) = 0;
};

// A graphics flag besides those that ask for buffers (2 back, 4 alpha, 8 depth, 16 stencil, 32 accumulation).
enum : int32_t {
  // A borderless window over the whole desktop, at the desktop's resolution; the size asked for is the one the
  // window takes when it leaves full screen.
  GRAPHICS_FULLSCREEN = 64,
};

// A window with its drawing context.
class TGraphics {
public:
  virtual ~TGraphics() = default;
  virtual TGraphicsDriver* Driver() = 0;
  // The window's present client size (the desktop's in full screen) and the flags it was opened with.
  virtual void GetSettings(int32_t* width, int32_t* height, int32_t* depth, int32_t* hertz, int32_t* flags) = 0;
  virtual void Close() = 0;
  // Switches in place between the window of the size it was opened with and full screen, keeping the drawing
  // context and so every texture. False, with nothing changed, when the platform refuses.
  virtual bool SetFullScreen(bool on) = 0;
  virtual bool FullScreen() const = 0;
};

class TGraphicsDriver {
public:
  virtual ~TGraphicsDriver() = default;
  // A window of the given client size (depth 0: on the desktop), or null when it cannot be made.
  virtual std::shared_ptr<TGraphics> CreateGraphics(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                                                    int32_t flags) = 0;
  // Makes the window's context current (null: none).
  virtual void SetGraphics(TGraphics* graphics) = 0;
  // Presents the frame being built; sync 1 waits for the display's retrace.
  virtual void Flip(int32_t sync) = 0;
  // The size of the desktop the window opens on, whole or without the desktop's own panels (usable); false when
  // there is no display to ask.
  virtual bool DesktopSize(bool usable, int32_t* width, int32_t* height) = 0;
};

// Blend modes.
enum : int32_t {
  BLEND_MASK = 1,   // no blending; drawn where alpha is at least 0.5
  BLEND_SOLID = 2,  // no blending; every pixel drawn
  BLEND_ALPHA = 3,  // source over destination by source alpha
  BLEND_LIGHT = 4,  // additive
  BLEND_SHADE = 5,  // multiply
};

class TPlaxDriver : public TGraphicsDriver {
public:
  // The drawable frame of a pixmap for the current context, with the image flags (2 filtered, 4 mipmapped).
  // Null when it cannot be made.
  virtual std::shared_ptr<TImageFrame> CreateFrameFromPixmap(const std::shared_ptr<TPixmap>& pixmap, int32_t flags) = 0;
  virtual void SetBlend(int32_t blend) = 0;
  virtual void SetAlpha(float alpha) = 0;
  virtual void SetColor(int32_t red, int32_t green, int32_t blue) = 0;  // 0..255 each
  virtual void SetClsColor(int32_t red, int32_t green, int32_t blue) = 0;
  // The clip rectangle in window pixels, top-down; the whole window switches clipping off.
  virtual void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
  virtual void SetTransform(float ix, float iy, float jx, float jy) = 0;
  virtual void SetLineWidth(float width) = 0;
  virtual void Cls() = 0;
  virtual void DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
  // The projection: logical (0, 0) at the picture's top-left, (width, height) at its bottom-right.
  virtual void SetResolution(float width, float height) = 0;
  // Where the picture lies in the window, in window pixels, top-down: the whole window, or in full screen the
  // logical screen enlarged and centred. Drawing is mapped onto it; clipping to it is the viewport's business.
  virtual void SetPictureArea(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
  // Puts the context's own state back to where the drawing state is re-applied from (no texturing, projection
  // of the window's pixels, full-window viewport).
  virtual void ResetState() = 0;
  // The generation of the current context: frames made for another generation are made again.
  virtual int32_t ContextSeq() = 0;
};
