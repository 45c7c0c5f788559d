// The physical keys, by SDL scancode, as the game's key codes. Keys are identified by position, so the default
// W A S D keys stay where the hand expects them on any keyboard layout.
#include "media/platform/sdl_keys.h"

#include <SDL_scancode.h>

#include <array>

#include "media/input/key_codes.h"

namespace {

struct TKeyPair {
  SDL_Scancode scancode;
  int32_t code;
};

constexpr TKeyPair kKeys[] = {
    {SDL_SCANCODE_BACKSPACE, KEY_BACKSPACE},
    {SDL_SCANCODE_TAB, KEY_TAB},
    {SDL_SCANCODE_CLEAR, KEY_CLEAR},
    {SDL_SCANCODE_RETURN, KEY_ENTER},
    {SDL_SCANCODE_KP_ENTER, KEY_ENTER},
    {SDL_SCANCODE_PAUSE, KEY_PAUSE},
    {SDL_SCANCODE_CAPSLOCK, KEY_CAPSLOCK},
    {SDL_SCANCODE_ESCAPE, KEY_ESCAPE},
    {SDL_SCANCODE_SPACE, KEY_SPACE},
    {SDL_SCANCODE_PAGEUP, KEY_PAGEUP},
    {SDL_SCANCODE_PAGEDOWN, KEY_PAGEDOWN},
    {SDL_SCANCODE_END, KEY_END},
    {SDL_SCANCODE_HOME, KEY_HOME},
    {SDL_SCANCODE_LEFT, KEY_LEFT},
    {SDL_SCANCODE_UP, KEY_UP},
    {SDL_SCANCODE_RIGHT, KEY_RIGHT},
    {SDL_SCANCODE_DOWN, KEY_DOWN},
    {SDL_SCANCODE_PRINTSCREEN, KEY_PRINTSCREEN},
    {SDL_SCANCODE_INSERT, KEY_INSERT},
    {SDL_SCANCODE_DELETE, KEY_DELETE},
    {SDL_SCANCODE_0, KEY_0},
    {SDL_SCANCODE_LGUI, KEY_LEFTWIN},
    {SDL_SCANCODE_RGUI, KEY_RIGHTWIN},
    {SDL_SCANCODE_APPLICATION, KEY_APPS},
    {SDL_SCANCODE_KP_0, KEY_NUM0},
    {SDL_SCANCODE_KP_MULTIPLY, KEY_NUMMULTIPLY},
    {SDL_SCANCODE_KP_PLUS, KEY_NUMADD},
    {SDL_SCANCODE_KP_MINUS, KEY_NUMSUBTRACT},
    {SDL_SCANCODE_KP_PERIOD, KEY_NUMDECIMAL},
    {SDL_SCANCODE_KP_DIVIDE, KEY_NUMDIVIDE},
    {SDL_SCANCODE_NUMLOCKCLEAR, KEY_NUMLOCK},
    {SDL_SCANCODE_SCROLLLOCK, KEY_SCROLL},
    {SDL_SCANCODE_LSHIFT, KEY_LSHIFT},
    {SDL_SCANCODE_RSHIFT, KEY_RSHIFT},
    {SDL_SCANCODE_LCTRL, KEY_LCONTROL},
    {SDL_SCANCODE_RCTRL, KEY_RCONTROL},
    {SDL_SCANCODE_LALT, KEY_LALT},
    {SDL_SCANCODE_RALT, KEY_RALT},
    {SDL_SCANCODE_SEMICOLON, KEY_SEMICOLON},
    {SDL_SCANCODE_EQUALS, KEY_EQUALS},
    {SDL_SCANCODE_COMMA, KEY_COMMA},
    {SDL_SCANCODE_MINUS, KEY_MINUS},
    {SDL_SCANCODE_PERIOD, KEY_PERIOD},
    {SDL_SCANCODE_SLASH, KEY_SLASH},
    {SDL_SCANCODE_GRAVE, KEY_BACKQUOTE},
    {SDL_SCANCODE_LEFTBRACKET, KEY_LEFTBRACKET},
    {SDL_SCANCODE_BACKSLASH, KEY_BACKSLASH},
    {SDL_SCANCODE_NONUSHASH, KEY_BACKSLASH},
    {SDL_SCANCODE_RIGHTBRACKET, KEY_RIGHTBRACKET},
    {SDL_SCANCODE_APOSTROPHE, KEY_QUOTE},
    {SDL_SCANCODE_NONUSBACKSLASH, KEY_OEM102},
};

std::array<int32_t, SDL_NUM_SCANCODES> BuildTable() {
  std::array<int32_t, SDL_NUM_SCANCODES> table{};
  for (int i = 0; i < 26; i++) {
    table[SDL_SCANCODE_A + i] = KEY_A + i;
  }
  // SDL numbers the digit row 1 to 9, then 0; the keypad the same way.
  for (int i = 0; i < 9; i++) {
    table[SDL_SCANCODE_1 + i] = KEY_0 + 1 + i;
    table[SDL_SCANCODE_KP_1 + i] = KEY_NUM0 + 1 + i;
  }
  for (int i = 0; i < 12; i++) {
    table[SDL_SCANCODE_F1 + i] = KEY_F1 + i;
  }
  for (const TKeyPair& pair : kKeys) {
    table[pair.scancode] = pair.code;
  }
  return table;
}

}  // namespace

int32_t KeyCodeOfScancode(int32_t scancode) {
  static const std::array<int32_t, SDL_NUM_SCANCODES> table = BuildTable();
  if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) {
    return 0;
  }
  return table[static_cast<size_t>(scancode)];
}
