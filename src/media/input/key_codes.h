// The game's key codes: the numbering the key bindings are saved with and the key captions are indexed by.
// Letters are their upper-case character codes, digits their characters; the rest follows the usual desktop
// virtual-key numbering. Left and right Shift, Control and Alt are separate keys (160 to 165); the generic 16, 17
// and 18 are never reported.
#pragma once

#include <array>
#include <cstdint>

enum : int32_t {
  KEY_BACKSPACE = 8,
  KEY_TAB = 9,
  KEY_CLEAR = 12,
  KEY_ENTER = 13,
  KEY_PAUSE = 19,
  KEY_CAPSLOCK = 20,
  KEY_ESCAPE = 27,
  KEY_SPACE = 32,
  KEY_PAGEUP = 33,
  KEY_PAGEDOWN = 34,
  KEY_END = 35,
  KEY_HOME = 36,
  KEY_LEFT = 37,
  KEY_UP = 38,
  KEY_RIGHT = 39,
  KEY_DOWN = 40,
  KEY_PRINTSCREEN = 44,
  KEY_INSERT = 45,
  KEY_DELETE = 46,
  KEY_0 = 48,  // to KEY_0 + 9
  KEY_A = 65,  // to KEY_A + 25
  KEY_LEFTWIN = 91,
  KEY_RIGHTWIN = 92,
  KEY_APPS = 93,
  KEY_NUM0 = 96,  // to KEY_NUM0 + 9
  KEY_NUMMULTIPLY = 106,
  KEY_NUMADD = 107,
  KEY_NUMSUBTRACT = 109,
  KEY_NUMDECIMAL = 110,
  KEY_NUMDIVIDE = 111,
  KEY_F1 = 112,  // to KEY_F1 + 11 (F12)
  KEY_F11 = 122,
  KEY_NUMLOCK = 144,
  KEY_SCROLL = 145,
  KEY_LSHIFT = 160,
  KEY_RSHIFT = 161,
  KEY_LCONTROL = 162,
  KEY_RCONTROL = 163,
  KEY_LALT = 164,
  KEY_RALT = 165,
  KEY_SEMICOLON = 186,
  KEY_EQUALS = 187,
  KEY_COMMA = 188,
  KEY_MINUS = 189,
  KEY_PERIOD = 190,
  KEY_SLASH = 191,
  KEY_BACKQUOTE = 192,
  KEY_LEFTBRACKET = 219,
  KEY_BACKSLASH = 220,
  KEY_RIGHTBRACKET = 221,
  KEY_QUOTE = 222,
  KEY_OEM102 = 226,  // the extra key beside left Shift on ISO keyboards
};

// Every code the keyboard can report, in ascending order. bin/keyboard.dat has a caption for each.
constexpr std::array<int32_t, 105> REPORTABLE_KEY_CODES = {
    8,   9,   12,  13,  19,  20,  27,  32,  33,  34,  35,  36,  37,  38,  39,  40,  44,  45,  46,  48,  49,
    50,  51,  52,  53,  54,  55,  56,  57,  65,  66,  67,  68,  69,  70,  71,  72,  73,  74,  75,  76,  77,
    78,  79,  80,  81,  82,  83,  84,  85,  86,  87,  88,  89,  90,  91,  92,  93,  96,  97,  98,  99,  100,
    101, 102, 103, 104, 105, 106, 107, 109, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122,
    123, 144, 145, 160, 161, 162, 163, 164, 165, 186, 187, 188, 189, 190, 191, 192, 219, 220, 221, 222, 226};

// Modifier mask bits of key events.
enum : int32_t {
  MOD_SHIFT = 1,
  MOD_CONTROL = 2,
  MOD_ALT = 4,
  MOD_WINDOWS = 8,
};

// F11 and Alt+Enter switch between the window and full screen: they belong to the window, not to the game, so
// neither is bound to a command nor confirms a menu row.
constexpr bool IsFullScreenToggleKey(int32_t code, int32_t mods) {
  return code == KEY_F11 || (code == KEY_ENTER && (mods & MOD_ALT) != 0);
}
