// The 2D drawing state and the drawing calls the game makes: colour, blend, scale, origin, viewport, a logical
// resolution stretched over the window, filled rectangles and image frames, and presenting the frame.
//
// All game drawing is in a logical screen of 400 by 300 whatever the window's zoom. In a window the picture fills
// it; full screen, it is enlarged by the largest whole factor that fits the desktop and centred, with a black
// border that nothing is drawn into. The state lives with the window and is re-applied to the driver whenever the
// window's context becomes current.
#pragma once

#include <cstdint>
#include <memory>

#include "media/graphics/graphics_driver.h"
#include "media/graphics/picture_fit.h"

class TImage;

// The drawing state of one window.
class TPlaxGraphics {
public:
  // Re-applies the whole state to the driver (after the context was made current).
  void Validate();
  // Makes this window current and re-applies its state; the first time, shows two black frames.
  void MakeCurrent();
  // Fills the viewport with the clear colour; with the viewport on the whole picture, the border around it too.
  void Cls();

  int32_t color_red = 255, color_green = 255, color_blue = 255;
  float color_alpha = 1.0f;
  int32_t clscolor_red = 0, clscolor_green = 0, clscolor_blue = 0;
  float line_width = 1.0f;
  float tform_rot = 0.0f;
  float tform_scale_x = 1.0f, tform_scale_y = 1.0f;
  float tform_ix = 1.0f, tform_iy = 0.0f, tform_jx = 0.0f, tform_jy = 1.0f;
  int32_t viewport_x = 0, viewport_y = 0, viewport_w = 0, viewport_h = 0;
  float origin_x = 0.0f, origin_y = 0.0f;
  float handle_x = 0.0f, handle_y = 0.0f;
  int32_t blend_mode = BLEND_MASK;
  float vres_width = 0.0f, vres_height = 0.0f;
  float vres_mousexscale = 1.0f, vres_mouseyscale = 1.0f;
  int32_t g_width = 0, g_height = 0;
  int32_t fullscreen = 0;  // 1 while the window covers the desktop
  TPictureArea picture;    // where the logical screen lies in the window, in window pixels
  std::shared_ptr<TGraphics> _graphics;
  TPlaxDriver* _driver = nullptr;
  int32_t _setup = 0;

  // Recomputes the matrix from rotation and scale.
  void _UpdateTransform();
  // Places the logical screen in the window (all of it, or centred full screen) and tells the driver.
  void _PlacePicture();
  // Sends the viewport to the driver in window pixels.
  void _ApplyViewport();
  // Takes the window's present size and mode (after it went full screen or back) and re-applies the state.
  void _Reconfigure();
};

// Makes driver the current one and stores flags as the default flags every later OpenGraphics adds to its own
// (2 asks for a back buffer).
void SelectGraphicsDriver(TPlaxDriver* driver, int32_t flags);
// The driver the game opens its window with: the OpenGL driver, or the recording driver in headless runs.
TPlaxDriver* GameGraphicsDriver();
void SetGameGraphicsDriver(TPlaxDriver* driver);

// Closes any window opened before and opens a new one of width by height (depth 0: on the desktop) through the
// current driver; its drawing state becomes current and the polled keyboard is attached to it. Null when the
// driver cannot make the window.
TPlaxGraphics* OpenGraphics(int32_t width, int32_t height, int32_t depth, int32_t hertz, int32_t flags);
// Closes the window, if one is open.
void CloseGraphics();
// Shows the open window full screen (on 1) or as the window it was opened as (on 0), in place: the drawing
// state, the logical size and every texture stay. A focus change the switch itself brings about is not taken
// for the player leaving the game. 1 when the window is now as asked, 0 when it stayed as it was.
int32_t SetGraphicsFullScreen(int32_t on);
// 1 while the open window is full screen.
int32_t GraphicsFullScreen();
// The size of the desktop the window opens on through the selected driver, whole or without the desktop's own
// panels (usable 1). 0 when there is no desktop to ask.
int32_t DesktopSize(int32_t usable, int32_t* width, int32_t* height);
// The current drawing state, or null before a window is open.
TPlaxGraphics* CurrentGraphics();
// The driver of the current window, or null.
TPlaxDriver* CurrentPlaxDriver();

// The calls below do nothing while no window is open.
void SetLogicalSize(int32_t width, int32_t height);
void SetBlend(int32_t blend);
// Components are clamped to 0..255. The colour tints every texel drawn and fills rectangles.
void SetColor(int32_t red, int32_t green, int32_t blue);
void SetAlpha(float alpha);
void SetClsColor(int32_t red, int32_t green, int32_t blue);
void SetDrawScale(float sx, float sy);
// Added to every later drawing position (not to the viewport).
void SetDrawOrigin(float x, float y);
// Clips all later drawing, Cls included, to the rectangle in logical units.
void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height);
void Cls();
// Fills the rectangle with the colour, scale and origin applied; a negative width or height extends it to the
// left of or above the position.
void DrawRect(float x, float y, float width, float height);
// Draws frame `frame` of image with the image's handle at (x, y). A null image or a frame number outside the
// image's frames draws nothing.
void DrawImageFrame(const std::shared_ptr<TImage>& image, float x, float y, int32_t frame);
// Presents the frame being built; sync 0 does not wait for the display.
void FlipFrame(int32_t sync);
