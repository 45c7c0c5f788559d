// The game window's SDL events as the game's events: keys by the game's key codes, typed characters, the close
// request, and focus lost and regained.
#include "media/platform/sdl_window_events.h"

#include <SDL.h>

#include "media/core/events.h"
#include "media/input/key_codes.h"
#include "media/measure/frame_log.h"
#include "media/platform/platform_messages.h"
#include "media/platform/sdl_keys.h"

namespace {

int32_t ModifierMask(Uint16 mod) {
  return ((mod & KMOD_SHIFT) != 0 ? MOD_SHIFT : 0) | ((mod & KMOD_CTRL) != 0 ? MOD_CONTROL : 0) |
         ((mod & KMOD_ALT) != 0 ? MOD_ALT : 0) | ((mod & KMOD_GUI) != 0 ? MOD_WINDOWS : 0);
}

void Emit(int32_t id, int32_t data, int32_t mods) {
  TEvent event;
  event.id = id;
  event.data = data;
  event.mods = mods;
  EmitEvent(event);
}

// Each character of UTF-8 text as a code point.
void EmitCharacters(const char* text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  while (*bytes != 0) {
    uint32_t c = *bytes++;
    int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    c &= more == 3 ? 0x07u : more == 2 ? 0x0Fu : more == 1 ? 0x1Fu : 0x7Fu;
    for (; more > 0 && (*bytes & 0xC0) == 0x80; more--) {
      c = (c << 6) | (*bytes++ & 0x3Fu);
    }
    Emit(EVENT_KEYCHAR, static_cast<int32_t>(c), 0);
  }
}

void HandleKey(const SDL_KeyboardEvent& key, bool down) {
  int32_t code = KeyCodeOfScancode(key.keysym.scancode);
  int32_t mods = ModifierMask(static_cast<Uint16>(SDL_GetModState()));
  // The full-screen keys are the window's: their presses and repeats never reach the game as keys. Releases do,
  // harmlessly: Enter pressed alone and let go after Alt went down must not stay held. Alt is read as it was when
  // the key went down: by the time the queue is read it may have been let go.
  if (down && IsFullScreenToggleKey(code, ModifierMask(key.keysym.mod))) {
    if (key.repeat == 0) {
      Emit(EVENT_TOGGLEFULLSCREEN, 0, mods);
    }
    return;
  }
  if (code != 0) {
    FrameLogKeyEvent(code, down, key.repeat != 0);
    Emit(down ? (key.repeat != 0 ? EVENT_KEYREPEAT : EVENT_KEYDOWN) : EVENT_KEYUP, code, mods);
  }
  // Alt+F4 closes the game even where no window manager turns it into a close request; other Alt
  // combinations, Alt+Enter apart, are keys like any other.
  if (down && key.repeat == 0 && key.keysym.scancode == SDL_SCANCODE_F4 && (key.keysym.mod & KMOD_ALT) != 0) {
    Emit(EVENT_APPTERMINATE, 0, mods);
  }
}

void HandleWindow(const SDL_WindowEvent& window) {
  // A window that has been closed (the game opens a new one for a new zoom) may still have messages on their way,
  // its loss of the focus among them: they are not the present window's.
  if (SDL_GetWindowFromID(window.windowID) == nullptr) {
    return;
  }
  switch (window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      Emit(EVENT_APPTERMINATE, 0, 0);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED:
      // A minimised window may keep the keyboard focus on some desktops; the player has left it all the same.
      SDL_EnableScreenSaver();
      Emit(EVENT_APPSUSPEND, 0, 0);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: {
      // The screen saver waits while the game has the focus.
      SDL_DisableScreenSaver();
      SDL_Window* sdlWindow = SDL_GetWindowFromID(window.windowID);
      if (sdlWindow == nullptr || (SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_MINIMIZED) == 0) {
        Emit(EVENT_APPRESUME, 0, 0);
      }
      break;
    }
    default:
      break;
  }
}

void HandleWindowMessage(const SDL_Event& message) {
  switch (message.type) {
    case SDL_KEYDOWN:
      HandleKey(message.key, true);
      break;
    case SDL_KEYUP:
      HandleKey(message.key, false);
      break;
    case SDL_TEXTINPUT:
      EmitCharacters(message.text.text);
      break;
    case SDL_WINDOWEVENT:
      HandleWindow(message.window);
      break;
    default:
      break;
  }
}

}  // namespace

void InstallWindowEvents() {
  SetWindowMessageHandler(HandleWindowMessage);
}
