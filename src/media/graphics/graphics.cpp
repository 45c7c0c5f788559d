// The 2D drawing state and the drawing calls.
#include "media/graphics/graphics.h"

#include <algorithm>
#include <cmath>

#include "media/graphics/image.h"
#include "media/input/input.h"

namespace {

TPlaxDriver* selectedDriver = nullptr;
int32_t defaultFlags = 0;
TPlaxDriver* gameDriver = nullptr;
std::unique_ptr<TPlaxGraphics> current;

int32_t ClampComponent(int32_t value) {
  return std::clamp(value, 0, 255);
}

}  // namespace

void TPlaxGraphics::_UpdateTransform() {
  double radians = static_cast<double>(tform_rot) * 3.14159265358979323846 / 180.0;
  auto cosine = static_cast<float>(std::cos(radians));
  auto sine = static_cast<float>(std::sin(radians));
  tform_ix = cosine * tform_scale_x;
  tform_iy = -sine * tform_scale_y;
  tform_jx = sine * tform_scale_x;
  tform_jy = cosine * tform_scale_y;
  _driver->SetTransform(tform_ix, tform_iy, tform_jx, tform_jy);
}

void TPlaxGraphics::_PlacePicture() {
  if (fullscreen != 0) {
    picture = CentredPicture(static_cast<int32_t>(vres_width), static_cast<int32_t>(vres_height), g_width, g_height);
  } else {
    picture = TPictureArea{0, 0, g_width, g_height, 1};
  }
  vres_mousexscale = vres_width / static_cast<float>(picture.width);
  vres_mouseyscale = vres_height / static_cast<float>(picture.height);
  _driver->SetPictureArea(picture.x, picture.y, picture.width, picture.height);
}

void TPlaxGraphics::_ApplyViewport() {
  // Logical units to window pixels, rounded down at each edge. Multiplied out rather than divided by the float
  // scale: a third is not exact in binary, and at three window pixels to one each edge would land a pixel short.
  double sx = picture.width / static_cast<double>(vres_width);
  double sy = picture.height / static_cast<double>(vres_height);
  auto left = picture.x + static_cast<int32_t>(std::floor(viewport_x * sx));
  auto top = picture.y + static_cast<int32_t>(std::floor(viewport_y * sy));
  auto right = picture.x + static_cast<int32_t>(std::floor((viewport_x + viewport_w) * sx));
  auto bottom = picture.y + static_cast<int32_t>(std::floor((viewport_y + viewport_h) * sy));
  // Never beyond the picture: around a full-screen picture is a border that nothing may draw into, and the
  // viewport of a window just opened is larger than the logical screen.
  left = std::max(left, picture.x);
  top = std::max(top, picture.y);
  right = std::max(left, std::min(right, picture.x + picture.width));
  bottom = std::max(top, std::min(bottom, picture.y + picture.height));
  _driver->SetViewport(left, top, right - left, bottom - top);
}

void TPlaxGraphics::Validate() {
  int32_t width = 0;
  int32_t height = 0;
  int32_t unused = 0;
  _graphics->GetSettings(&width, &height, &unused, &unused, &unused);
  if (width != g_width || height != g_height) {
    g_width = width;
    g_height = height;
    vres_width = static_cast<float>(width);
    vres_height = static_cast<float>(height);
  }
  fullscreen = _graphics->FullScreen() ? 1 : 0;
  _driver->SetResolution(vres_width, vres_height);
  _PlacePicture();
  _driver->SetBlend(blend_mode);
  _driver->SetColor(color_red, color_green, color_blue);
  _driver->SetAlpha(color_alpha);
  _driver->SetClsColor(clscolor_red, clscolor_green, clscolor_blue);
  _driver->SetLineWidth(line_width);
  _UpdateTransform();
  _ApplyViewport();
}

void TPlaxGraphics::MakeCurrent() {
  _driver->SetGraphics(_graphics.get());
  _driver->ResetState();
  Validate();
  if (_setup == 0) {
    // Two black frames, so neither buffer shows what was in the window's memory before.
    for (int i = 0; i < 2; i++) {
      Cls();
      _driver->Flip(0);
    }
    _setup = 1;
  }
}

void TPlaxGraphics::Cls() {
  bool wholePicture = viewport_x <= 0 && viewport_y <= 0 && static_cast<float>(viewport_x + viewport_w) >= vres_width &&
                      static_cast<float>(viewport_y + viewport_h) >= vres_height;
  bool bordered = picture.x != 0 || picture.y != 0 || picture.width != g_width || picture.height != g_height;
  if (wholePicture && bordered) {
    // The border is cleared with the picture: nothing else ever draws there, and a buffer's old contents are
    // not to be trusted after a swap.
    _driver->SetViewport(0, 0, g_width, g_height);
    _driver->Cls();
    _ApplyViewport();
    return;
  }
  _driver->Cls();
}

void TPlaxGraphics::_Reconfigure() {
  int32_t unused = 0;
  // The stored size follows the window first, so that Validate keeps the logical size.
  _graphics->GetSettings(&g_width, &g_height, &unused, &unused, &unused);
  _driver->SetGraphics(_graphics.get());
  _driver->ResetState();
  Validate();
}

void SelectGraphicsDriver(TPlaxDriver* driver, int32_t flags) {
  selectedDriver = driver;
  defaultFlags = flags;
}

TPlaxDriver* GameGraphicsDriver() {
  return gameDriver;
}

void SetGameGraphicsDriver(TPlaxDriver* driver) {
  gameDriver = driver;
}

TPlaxGraphics* OpenGraphics(int32_t width, int32_t height, int32_t depth, int32_t hertz, int32_t flags) {
  CloseGraphics();
  if (selectedDriver == nullptr) {
    return nullptr;
  }
  std::shared_ptr<TGraphics> window = selectedDriver->CreateGraphics(width, height, depth, hertz, flags | defaultFlags);
  if (window == nullptr) {
    return nullptr;
  }
  current = std::make_unique<TPlaxGraphics>();
  // The size the window really has: the desktop's when it opened full screen.
  int32_t unused = 0;
  window->GetSettings(&width, &height, &unused, &unused, &unused);
  current->_graphics = std::move(window);
  current->_driver = selectedDriver;
  current->g_width = width;
  current->g_height = height;
  current->vres_width = static_cast<float>(width);
  current->vres_height = static_cast<float>(height);
  current->viewport_w = width;
  current->viewport_h = height;
  current->MakeCurrent();
  EnablePolledInput(nullptr);
  return current.get();
}

void CloseGraphics() {
  if (current == nullptr) {
    return;
  }
  DisablePolledInput();
  current->_driver->SetGraphics(nullptr);
  current->_graphics->Close();
  current = nullptr;
}

int32_t SetGraphicsFullScreen(int32_t on) {
  if (current == nullptr) {
    return 0;
  }
  bool wanted = on != 0;
  if (current->_graphics->FullScreen() != wanted && !current->_graphics->SetFullScreen(wanted)) {
    return 0;
  }
  current->_Reconfigure();
  // Whatever the window system made of the switch (a window manager may take the focus away and give it back)
  // has arrived by now: the player did not leave the game.
  TakeFocusLoss();
  return 1;
}

int32_t GraphicsFullScreen() {
  return current != nullptr ? current->fullscreen : 0;
}

int32_t DesktopSize(int32_t usable, int32_t* width, int32_t* height) {
  if (selectedDriver == nullptr) {
    return 0;
  }
  return selectedDriver->DesktopSize(usable != 0, width, height) ? 1 : 0;
}

TPlaxGraphics* CurrentGraphics() {
  return current.get();
}

TPlaxDriver* CurrentPlaxDriver() {
  return current != nullptr ? current->_driver : nullptr;
}

void SetLogicalSize(int32_t width, int32_t height) {
  if (current == nullptr) {
    return;
  }
  current->vres_width = static_cast<float>(width);
  current->vres_height = static_cast<float>(height);
  current->_driver->SetResolution(current->vres_width, current->vres_height);
  current->_PlacePicture();
  current->_ApplyViewport();
}

void SetBlend(int32_t blend) {
  if (current != nullptr) {
    current->blend_mode = blend;
    current->_driver->SetBlend(blend);
  }
}

void SetColor(int32_t red, int32_t green, int32_t blue) {
  if (current != nullptr) {
    current->color_red = ClampComponent(red);
    current->color_green = ClampComponent(green);
    current->color_blue = ClampComponent(blue);
    current->_driver->SetColor(current->color_red, current->color_green, current->color_blue);
  }
}

void SetAlpha(float alpha) {
  if (current != nullptr) {
    current->color_alpha = alpha;
    current->_driver->SetAlpha(alpha);
  }
}

void SetClsColor(int32_t red, int32_t green, int32_t blue) {
  if (current != nullptr) {
    current->clscolor_red = ClampComponent(red);
    current->clscolor_green = ClampComponent(green);
    current->clscolor_blue = ClampComponent(blue);
    current->_driver->SetClsColor(current->clscolor_red, current->clscolor_green, current->clscolor_blue);
  }
}

void SetDrawScale(float sx, float sy) {
  if (current != nullptr) {
    current->tform_scale_x = sx;
    current->tform_scale_y = sy;
    current->_UpdateTransform();
  }
}

void SetDrawOrigin(float x, float y) {
  if (current != nullptr) {
    current->origin_x = x;
    current->origin_y = y;
  }
}

void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (current != nullptr) {
    current->viewport_x = x;
    current->viewport_y = y;
    current->viewport_w = width;
    current->viewport_h = height;
    current->_ApplyViewport();
  }
}

void Cls() {
  if (current != nullptr) {
    current->Cls();
  }
}

void DrawRect(float x, float y, float width, float height) {
  if (current == nullptr) {
    return;
  }
  float x0 = -current->handle_x;
  float y0 = -current->handle_y;
  current->_driver->DrawRect(x0, y0, x0 + width, y0 + height, x + current->origin_x, y + current->origin_y);
}

void DrawImageFrame(const std::shared_ptr<TImage>& image, float x, float y, int32_t frame) {
  if (current == nullptr || image == nullptr || frame < 0 || frame >= image->FrameCount()) {
    return;
  }
  TImageFrame* drawable = image->Frame(frame);
  if (drawable == nullptr) {
    return;
  }
  float x0 = -image->handle_x;
  float y0 = -image->handle_y;
  auto width = static_cast<float>(image->width);
  auto height = static_cast<float>(image->height);
  drawable->Draw(x0, y0, x0 + width, y0 + height, x + current->origin_x, y + current->origin_y, 0.0f, 0.0f, width,
                 height);
}

void FlipFrame(int32_t sync) {
  if (current != nullptr) {
    current->_driver->Flip(sync);
  }
}
