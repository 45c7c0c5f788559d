// Start-up and shut-down of the media layer.
#include "media/platform/media.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "media/audio/audio.h"
#include "media/codecs/ogg_loader.h"
#include "media/codecs/png_loader.h"
#include "media/core/clock.h"
#include "media/core/events.h"
#include "media/graphics/graphics.h"
#include "media/measure/frame_log.h"
#include "media/platform/gl_driver.h"
#include "media/platform/platform_messages.h"
#include "media/platform/sdl_gamepads.h"
#include "media/platform/sdl_window_events.h"
#include "media/platform/softmix_driver.h"
#include "media/platform/system.h"
#include "media/platform/timer.h"

namespace {

std::u16string appTitle;
bool cursorHidden = false;
pid_t gameProcess = 0;

void EndForkedCopy(int status, void*) {
  if (getpid() != gameProcess) {
    _exit(status);
  }
}

}  // namespace

void SetAppTitle(std::u16string_view title) {
  appTitle = title;
}

const std::u16string& AppTitle() {
  return appTitle;
}

void HideCursor() {
  cursorHidden = true;
}

bool CursorHidden() {
  return cursorHidden;
}

void RegisterMediaLoaders() {
  static bool registered = false;
  if (!registered) {
    AddPixmapLoader(std::make_shared<TPixmapLoaderPNG>());
    registered = true;
  }
}

bool StartMedia(std::string* error) {
  if (SDL_Init(SDL_INIT_EVENTS) != 0) {
    if (error != nullptr) {
      *error = SDL_GetError();
    }
    return false;
  }
  FrameLogStep("SDL events");
  RegisterTimerMessageType();
  StartClock();
  RegisterMediaLoaders();
  StartSDLPads();  // without joysticks the game plays on the keyboard alone
  FrameLogStep("SDL joysticks");
  InstallWindowEvents();
  SetEventPump(PollSystem);  // every input query takes the window system's messages first
  SetGameGraphicsDriver(GLPlaxDriver());
  RegisterSoftMixDrivers();
  RegisterOggVorbisLoader();
  // A program that ends without StopMedia (an exit from anywhere) still fades the sound out and stops the device:
  // a handler registered now runs before the game's globals are destroyed, while the audio thread is still fed.
  static bool stopAtExit = false;
  if (!stopAtExit) {
    stopAtExit = true;
    std::atexit(ShutdownAudio);
  }
  return true;
}

void StopMedia() {
  StopAllTimers();
  ShutdownAudio();
  CloseGraphics();
  StopSDLPads();
  SetEventPump(nullptr);
  SDL_Quit();
}

std::mutex& ErrorOutput() {
  static std::mutex output;
  return output;
}

TQuietLibraries::TQuietLibraries() {
  ErrorOutput().lock();
  std::fflush(stderr);
  int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
  _saved = nowhere >= 0 ? fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0) : -1;
  if (_saved >= 0) {
    dup2(nowhere, STDERR_FILENO);
  }
  if (nowhere >= 0) {
    close(nowhere);
  }
}

TQuietLibraries::~TQuietLibraries() {
  if (_saved >= 0) {
    dup2(_saved, STDERR_FILENO);
    close(_saved);
  }
  ErrorOutput().unlock();
}

void ReportWarning(const std::string& message) {
  std::lock_guard<std::mutex> lock(ErrorOutput());
  std::fprintf(stderr, "morvik: warning: %s\n", message.c_str());
}

void ReportFatal(const std::string& message) {
  {
    std::lock_guard<std::mutex> lock(ErrorOutput());
    std::fprintf(stderr, "morvik: %s\n", message.c_str());
  }
  EndForkedCopiesAtExit();
  // Without a display, or with one that refuses, this fails: the line above has already said it, and the
  // display's own refusal is not repeated.
  TQuietLibraries quiet;
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Morvik", message.c_str(), nullptr);
}

void EndForkedCopiesAtExit() {
  // Exit handlers run in the reverse order of their registration: registered last, this one runs first.
  gameProcess = getpid();
  on_exit(EndForkedCopy, nullptr);
}

std::string ClipboardText() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_HasClipboardText() == SDL_FALSE) {
    return {};
  }
  char* text = SDL_GetClipboardText();
  std::string copy = text != nullptr ? text : "";
  SDL_free(text);
  return copy;
}
