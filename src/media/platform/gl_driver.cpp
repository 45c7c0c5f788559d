// The OpenGL 1.1 drawing driver. It remembers the blend mode, the bound texture and whether texturing is on, and
// makes no GL call that would repeat them: state changes are the costly part of a small 2D frame.
#include "media/platform/gl_driver.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <vector>

#include "media/core/runtime_error.h"
#include "media/core/text.h"
#include "media/graphics/pixmap.h"
#include "media/graphics/texture_pixels.h"
#include "media/measure/frame_log.h"
#include "media/platform/media.h"

namespace {

std::string lastError;
TGLStateChanges stateChanges;

class TGLPlaxDriverImpl;

bool Set(const char* variable) {
  const char* value = SDL_getenv(variable);
  return value != nullptr && value[0] != '\0';
}

// Left to itself, SDL tries every video driver it has until one starts, and the ones that cannot start complain
// on standard error in their libraries' own words (Wayland's, about XDG_RUNTIME_DIR). The environment already
// says which can: none without a display named, and X alone without a Wayland one. A driver named in
// SDL_VIDEODRIVER is the player's choice and is left to SDL. False, with the reason, when there is no display.
bool ChooseVideoDriver() {
  if (Set("SDL_VIDEODRIVER")) {
    return true;
  }
  if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY")) {
    lastError = "no display to show the window on (is DISPLAY or WAYLAND_DISPLAY set?)";
    return false;
  }
  if (!Set("WAYLAND_DISPLAY")) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  }
  return true;
}

// Starts SDL's video, once there is a display to show the window on.
bool StartVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
    if (!ChooseVideoDriver()) {
      return false;
    }
    bool started = false;
    {
      TQuietLibraries quiet;
      started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    }
    if (!started) {
      lastError = SDL_GetError();
      if (!Set("SDL_VIDEODRIVER") && !Set("WAYLAND_DISPLAY")) {
        lastError = std::string("cannot reach the display \"") + SDL_getenv("DISPLAY") + "\" (" + lastError + ")";
      }
      return false;
    }
  }
  // Without a display SDL falls back to drawing off screen: the game would run where nobody can see it. Only
  // when asked for by name (SDL_VIDEODRIVER) is that wanted.
  const char* videoDriver = SDL_GetCurrentVideoDriver();
  const char* requested = SDL_getenv("SDL_VIDEODRIVER");
  if (videoDriver != nullptr && (SDL_strcmp(videoDriver, "offscreen") == 0 || SDL_strcmp(videoDriver, "dummy") == 0) &&
      (requested == nullptr || SDL_strcasecmp(requested, videoDriver) != 0)) {
    lastError = "no display to show the window on (is DISPLAY or WAYLAND_DISPLAY set?)";
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
  }
  return true;
}

}  // namespace

void StartVideoEarly() {
  if (StartVideo()) {
    FrameLogStep("SDL video");
  }
  lastError.clear();
}

namespace {

// A window with its OpenGL context.
class TGLGraphics : public TGraphics {
public:
  // width by height is the window's size out of full screen; the present size is read from the window.
  TGLGraphics(TGraphicsDriver* driver, SDL_Window* window, SDL_GLContext context, int32_t width, int32_t height,
              int32_t depth, int32_t hertz, int32_t flags)
      : _driver(driver),
        _window(window),
        _context(context),
        _windowedWidth(width),
        _windowedHeight(height),
        _depth(depth),
        _hertz(hertz),
        _flags(flags),
        _fullScreen((flags & GRAPHICS_FULLSCREEN) != 0) {
    ReadSize();
  }
  ~TGLGraphics() override { Close(); }
  TGraphicsDriver* Driver() override { return _driver; }
  void GetSettings(int32_t* width, int32_t* height, int32_t* depth, int32_t* hertz, int32_t* flags) override {
    *width = _width;
    *height = _height;
    *depth = _depth;
    *hertz = _hertz;
    *flags = _flags;
  }
  void Close() override;
  bool SetFullScreen(bool on) override;
  bool FullScreen() const override { return _fullScreen; }
  SDL_Window* Window() const { return _window; }
  SDL_GLContext Context() const { return _context; }

private:
  void ReadSize() { SDL_GL_GetDrawableSize(_window, &_width, &_height); }

  TGraphicsDriver* _driver;
  SDL_Window* _window;
  SDL_GLContext _context;
  int32_t _windowedWidth, _windowedHeight, _depth, _hertz, _flags;
  bool _fullScreen;
  int32_t _width = 0, _height = 0;
};

// A texture holding one image frame, for the context generation it was made in.
class TGLImageFrame : public TImageFrame {
public:
  TGLImageFrame(TGLPlaxDriverImpl* driver, GLuint name, int32_t seq, float u1, float v1)
      : _driver(driver), name(name), seq(seq), u1(u1), v1(v1) {}
  ~TGLImageFrame() override;
  void Draw(float x0, float y0, float x1, float y1, float tx, float ty, float sx, float sy, float sw,
            float sh) override;

  TGLPlaxDriverImpl* _driver;
  GLuint name;
  int32_t seq;
  float u0 = 0, v0 = 0, u1, v1;
};

class TGLPlaxDriverImpl : public TPlaxDriver {
public:
  std::shared_ptr<TGraphics> CreateGraphics(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                                            int32_t flags) override;
  void SetGraphics(TGraphics* graphics) override;
  void Flip(int32_t sync) override;
  bool DesktopSize(bool usable, int32_t* width, int32_t* height) override;
  std::shared_ptr<TImageFrame> CreateFrameFromPixmap(const std::shared_ptr<TPixmap>& pixmap, int32_t flags) override;
  void SetBlend(int32_t blend) override;
  void SetAlpha(float alpha) override;
  void SetColor(int32_t red, int32_t green, int32_t blue) override;
  void SetClsColor(int32_t red, int32_t green, int32_t blue) override;
  void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height) override;
  void SetTransform(float ix, float iy, float jx, float jy) override;
  void SetLineWidth(float width) override;
  void Cls() override;
  void DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) override;
  void SetResolution(float width, float height) override;
  void SetPictureArea(int32_t x, int32_t y, int32_t width, int32_t height) override;
  void ResetState() override;
  int32_t ContextSeq() override { return _seq; }

  // Quads through the matrix, textured or not.
  void DrawQuad(float x0, float y0, float x1, float y1, float tx, float ty, GLuint texture, float u1, float v1);
  void ForgetTexture(GLuint name, int32_t seq);

private:
  void EnableTexturing(bool on);
  void BindTexture(GLuint name);
  void ApplyColor();

  TGLGraphics* _current = nullptr;
  int32_t _seq = 0;
  int32_t _width = 0, _height = 0;
  int32_t _swapInterval = -1;
  // Remembered GL state; -1 when unknown.
  int32_t _blend = -1;
  int32_t _texturing = -1;
  int64_t _boundTexture = -1;
  float _ix = 1, _iy = 0, _jx = 0, _jy = 1;
  uint8_t _color[4] = {255, 255, 255, 255};
};

// The window goes over the whole desktop by itself before it asks to be shown full screen: without a window
// manager nobody answers that request, and SDL would count the window as the desktop's size while it kept its
// own. With a window manager the request is what keeps the desktop's panels off the picture. Measured under Xvfb
// without one, either way round takes about 0.1 s, nearly all of it SDL waiting for a manager's answer.
bool TGLGraphics::SetFullScreen(bool on) {
  if (on == _fullScreen) {
    return true;
  }
  if (on) {
    SDL_Rect desktop;
    int display = SDL_GetWindowDisplayIndex(_window);
    if (display < 0 || SDL_GetDisplayBounds(display, &desktop) != 0) {
      lastError = SDL_GetError();
      return false;
    }
    SDL_SetWindowBordered(_window, SDL_FALSE);
    SDL_SetWindowSize(_window, desktop.w, desktop.h);
    SDL_SetWindowPosition(_window, desktop.x, desktop.y);
    if (SDL_SetWindowFullscreen(_window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
      lastError = SDL_GetError();
      on = false;  // back to the window as it was
    }
  } else if (SDL_SetWindowFullscreen(_window, 0) != 0) {
    lastError = SDL_GetError();
    return false;
  }
  if (!on) {
    SDL_SetWindowSize(_window, _windowedWidth, _windowedHeight);
    SDL_SetWindowBordered(_window, SDL_TRUE);
    SDL_SetWindowPosition(_window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  bool switched = on != _fullScreen;
  _fullScreen = on;
  ReadSize();
  return switched;
}

void TGLGraphics::Close() {
  if (_context != nullptr) {
    SDL_GL_DeleteContext(_context);
    _context = nullptr;
  }
  if (_window != nullptr) {
    SDL_DestroyWindow(_window);
    _window = nullptr;
  }
}

TGLImageFrame::~TGLImageFrame() {
  _driver->ForgetTexture(name, seq);
}

void TGLImageFrame::Draw(float x0, float y0, float x1, float y1, float tx, float ty, float, float, float, float) {
  _driver->DrawQuad(x0, y0, x1, y1, tx, ty, name, u1, v1);
}

std::shared_ptr<TGraphics> TGLPlaxDriverImpl::CreateGraphics(int32_t width, int32_t height, int32_t depth,
                                                             int32_t hertz, int32_t flags) {
  lastError.clear();
  bool started = SDL_WasInit(SDL_INIT_VIDEO) != 0;
  if (!StartVideo()) {
    return nullptr;
  }
  if (!started) {
    FrameLogStep("SDL video");
  }
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (flags & 2) != 0 ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, (flags & 4) != 0 ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, (flags & 8) != 0 ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, (flags & 16) != 0 ? 1 : 0);
  int accumulation = (flags & 32) != 0 ? 1 : 0;
  SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, accumulation);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, accumulation);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, accumulation);
  Uint32 windowFlags = SDL_WINDOW_OPENGL | (depth != 0 ? SDL_WINDOW_FULLSCREEN : 0);
  SDL_Rect place = {SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height};
  // Full screen from the start: over the whole desktop by itself, for the reason TGLGraphics::SetFullScreen gives.
  if ((flags & GRAPHICS_FULLSCREEN) != 0 && SDL_GetDisplayBounds(0, &place) == 0) {
    windowFlags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
  }
  std::string title = TextToUtf8(AppTitle());
  SDL_Window* window = SDL_CreateWindow(title.c_str(), place.x, place.y, place.w, place.h, windowFlags);
  if (window == nullptr) {
    lastError = SDL_GetError();
    return nullptr;
  }
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (context == nullptr) {
    lastError = SDL_GetError();
    SDL_DestroyWindow(window);
    return nullptr;
  }
  FrameLogStep("window and OpenGL context");
  _seq++;
  _swapInterval = -1;
  SDL_ShowCursor(CursorHidden() ? SDL_DISABLE : SDL_ENABLE);
  SDL_DisableScreenSaver();
  return std::make_shared<TGLGraphics>(this, window, context, width, height, depth, hertz, flags);
}

void TGLPlaxDriverImpl::SetGraphics(TGraphics* graphics) {
  _current = static_cast<TGLGraphics*>(graphics);
  if (_current != nullptr) {
    SDL_GL_MakeCurrent(_current->Window(), _current->Context());
    int32_t unused = 0;
    _current->GetSettings(&_width, &_height, &unused, &unused, &unused);
  }
}

void TGLPlaxDriverImpl::Flip(int32_t sync) {
  if (_current == nullptr) {
    return;
  }
  int32_t interval = sync != 0 ? 1 : 0;
  if (interval != _swapInterval) {
    SDL_GL_SetSwapInterval(interval);
    _swapInterval = interval;
  }
  SDL_GL_SwapWindow(_current->Window());
}

bool TGLPlaxDriverImpl::DesktopSize(bool usable, int32_t* width, int32_t* height) {
  if (!StartVideo()) {
    return false;
  }
  SDL_Rect desktop;
  if ((usable ? SDL_GetDisplayUsableBounds(0, &desktop) : SDL_GetDisplayBounds(0, &desktop)) != 0) {
    return false;
  }
  *width = desktop.w;
  *height = desktop.h;
  return true;
}

std::shared_ptr<TImageFrame> TGLPlaxDriverImpl::CreateFrameFromPixmap(const std::shared_ptr<TPixmap>& pixmap,
                                                                      int32_t flags) {
  if (_current == nullptr) {
    return nullptr;
  }
  // The smallest power-of-two texture that holds the pixmap, halved while the GL cannot make it.
  GLint width = NextPowerOfTwo(pixmap->width);
  GLint height = NextPowerOfTwo(pixmap->height);
  for (;;) {
    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    GLint accepted = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &accepted);
    if (accepted != 0) {
      break;
    }
    if (width == 1 && height == 1) {
      throw TRuntimeError("Unable to calculate tex size");
    }
    width = width > 1 ? width / 2 : width;
    height = height > 1 ? height / 2 : height;
  }
  std::shared_ptr<TPixmap> rgba = pixmap->ToRGBA();
  if (rgba == nullptr) {
    return nullptr;
  }
  if (rgba->width > width || rgba->height > height) {
    rgba = ResampleRGBA(*rgba, std::min<int32_t>(rgba->width, width), std::min<int32_t>(rgba->height, height));
  }
  float u1 = static_cast<float>(rgba->width) / static_cast<float>(width);
  float v1 = static_cast<float>(rgba->height) / static_cast<float>(height);
  if (rgba->width < width || rgba->height < height) {
    rgba = PadRGBA(*rgba, width, height);
  }
  if (rgba == nullptr) {
    return nullptr;
  }

  GLuint name = 0;
  glGenTextures(1, &name);
  BindTexture(name);
  bool filtered = (flags & 2) != 0;
  bool mipmapped = (flags & 4) != 0;
  GLint magnify = filtered ? GL_LINEAR : GL_NEAREST;
  GLint minify = mipmapped ? (filtered ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_NEAREST) : magnify;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magnify);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minify);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, rgba->pitch / 4);
  for (GLint level = 0;; level++) {
    glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, rgba->width, rgba->height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba->pixels);
    if (!mipmapped || (rgba->width == 1 && rgba->height == 1)) {
      break;
    }
    rgba = HalveRGBA(*rgba);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rgba->pitch / 4);
  }
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  return std::make_shared<TGLImageFrame>(this, name, _seq, u1, v1);
}

void TGLPlaxDriverImpl::ForgetTexture(GLuint name, int32_t seq) {
  // A texture of an earlier context went with that context; its name may already belong to a new texture.
  if (seq != _seq || _current == nullptr) {
    return;
  }
  if (_boundTexture == static_cast<int64_t>(name)) {
    _boundTexture = -1;
  }
  glDeleteTextures(1, &name);
}

void TGLPlaxDriverImpl::EnableTexturing(bool on) {
  if (_texturing != (on ? 1 : 0)) {
    stateChanges.texturing++;
    if (on) {
      glEnable(GL_TEXTURE_2D);
    } else {
      glDisable(GL_TEXTURE_2D);
    }
    _texturing = on ? 1 : 0;
  }
}

void TGLPlaxDriverImpl::BindTexture(GLuint name) {
  if (_boundTexture != static_cast<int64_t>(name)) {
    stateChanges.textureBinds++;
    glBindTexture(GL_TEXTURE_2D, name);
    _boundTexture = name;
  }
}

void TGLPlaxDriverImpl::SetBlend(int32_t blend) {
  if (blend == _blend) {
    return;
  }
  _blend = blend;
  stateChanges.blend++;
  switch (blend) {
    case BLEND_MASK:
      glDisable(GL_BLEND);
      glEnable(GL_ALPHA_TEST);
      glAlphaFunc(GL_GEQUAL, 0.5f);
      break;
    case BLEND_ALPHA:
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      glDisable(GL_ALPHA_TEST);
      break;
    case BLEND_LIGHT:
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE);
      glDisable(GL_ALPHA_TEST);
      break;
    case BLEND_SHADE:
      glEnable(GL_BLEND);
      glBlendFunc(GL_DST_COLOR, GL_ZERO);
      glDisable(GL_ALPHA_TEST);
      break;
    default:
      glDisable(GL_BLEND);
      glDisable(GL_ALPHA_TEST);
      break;
  }
}

void TGLPlaxDriverImpl::ApplyColor() {
  glColor4ub(_color[0], _color[1], _color[2], _color[3]);
}

void TGLPlaxDriverImpl::SetAlpha(float alpha) {
  _color[3] = static_cast<uint8_t>(std::clamp(alpha, 0.0f, 1.0f) * 255.0f + 0.5f);
  ApplyColor();
}

void TGLPlaxDriverImpl::SetColor(int32_t red, int32_t green, int32_t blue) {
  _color[0] = static_cast<uint8_t>(red);
  _color[1] = static_cast<uint8_t>(green);
  _color[2] = static_cast<uint8_t>(blue);
  ApplyColor();
}

void TGLPlaxDriverImpl::SetClsColor(int32_t red, int32_t green, int32_t blue) {
  glClearColor(static_cast<float>(red) / 255.0f, static_cast<float>(green) / 255.0f, static_cast<float>(blue) / 255.0f,
               1.0f);
}

void TGLPlaxDriverImpl::SetViewport(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (x == 0 && y == 0 && width == _width && height == _height) {
    glDisable(GL_SCISSOR_TEST);
    return;
  }
  // OpenGL counts window rows from the bottom.
  glEnable(GL_SCISSOR_TEST);
  glScissor(x, _height - y - height, width, height);
}

void TGLPlaxDriverImpl::SetTransform(float ix, float iy, float jx, float jy) {
  _ix = ix;
  _iy = iy;
  _jx = jx;
  _jy = jy;
}

void TGLPlaxDriverImpl::SetLineWidth(float width) {
  glLineWidth(width);
}

void TGLPlaxDriverImpl::Cls() {
  glClear(GL_COLOR_BUFFER_BIT);
}

void TGLPlaxDriverImpl::DrawQuad(float x0, float y0, float x1, float y1, float tx, float ty, GLuint texture, float u1,
                                 float v1) {
  bool textured = texture != 0;
  EnableTexturing(textured);
  if (textured) {
    BindTexture(texture);
  }
  const float corners[4][4] = {{x0, y0, 0, 0}, {x1, y0, u1, 0}, {x1, y1, u1, v1}, {x0, y1, 0, v1}};
  glBegin(GL_QUADS);
  for (const auto& corner : corners) {
    if (textured) {
      glTexCoord2f(corner[2], corner[3]);
    }
    glVertex2f(corner[0] * _ix + corner[1] * _iy + tx, corner[0] * _jx + corner[1] * _jy + ty);
  }
  glEnd();
}

void TGLPlaxDriverImpl::DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) {
  DrawQuad(x0, y0, x1, y1, tx, ty, 0, 0, 0);
}

void TGLPlaxDriverImpl::SetResolution(float width, float height) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
}

void TGLPlaxDriverImpl::SetPictureArea(int32_t x, int32_t y, int32_t width, int32_t height) {
  glViewport(x, _height - y - height, width, height);
}

void TGLPlaxDriverImpl::ResetState() {
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, _width, _height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glViewport(0, 0, _width, _height);
  _texturing = 0;
  _blend = -1;
  _boundTexture = -1;
}

}  // namespace

TPlaxDriver* GLPlaxDriver() {
  // Never destroyed: images held by globals may drop their textures after everything else has gone.
  static auto* driver = new TGLPlaxDriverImpl();
  return driver;
}

const std::string& LastGraphicsError() {
  return lastError;
}

const TGLStateChanges& GLStateChanges() {
  return stateChanges;
}
