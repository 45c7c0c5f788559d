// The game window's SDL events as the game's events: keys by the game's key codes, typed characters, the close
// request, and focus lost and regained.
#include <SDL.h>

#include "media/events.h"
#include "media/frame_log.h"
#include "media/platform_messages.h"
#include "media/sdl_keys.h"
#include "media/sdl_window_events.h"

namespace {

int32_t ModifierMask() {
  SDL_Keymod mod = SDL_GetModState();
  return ((mod & KMOD_SHIFT) != 0 ? 1 : 0) | ((mod & KMOD_CTRL) != 0 ? 2 : 0) | ((mod & KMOD_ALT) != 0 ? 4 : 0) |
         ((mod & KMOD_GUI) != 0 ? 8 : 0);
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
  int32_t mods = ModifierMask();
  if (code != 0) {
    FrameLogKeyEvent(code, down, key.repeat != 0);
    Emit(down ? (key.repeat != 0 ? EVENT_KEYREPEAT : EVENT_KEYDOWN) : EVENT_KEYUP, code, mods);
  }
  // Alt+F4 closes the game even where no window manager turns it into a close request; other Alt
  // combinations are keys like any other.
  if (down && key.repeat == 0 && key.keysym.scancode == SDL_SCANCODE_F4 && (key.keysym.mod & KMOD_ALT) != 0) {
    Emit(EVENT_APPTERMINATE, 0, mods);
  }
}

void HandleWindow(const SDL_WindowEvent& window) {
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
