// Key captions and the opponent roster.
#include "text_files.h"

#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "media/input/key_codes.h"

namespace {

// Captions share a 400-pixel row with a command's name ("Right Hand"), so they stay short.
std::string Caption(int code) {
  if (code >= KEY_A && code <= KEY_A + 25) {
    return std::string(1, static_cast<char>(code));
  }
  if (code >= KEY_0 && code <= KEY_0 + 9) {
    return std::string(1, static_cast<char>(code));
  }
  char numbered[16];
  if (code >= KEY_NUM0 && code <= KEY_NUM0 + 9) {
    std::snprintf(numbered, sizeof numbered, "Num %d", code - KEY_NUM0);
    return numbered;
  }
  if (code >= KEY_F1 && code <= KEY_F1 + 11) {
    std::snprintf(numbered, sizeof numbered, "F%d", code - KEY_F1 + 1);
    return numbered;
  }
  switch (code) {
    case KEY_BACKSPACE:
      return "Backspace";
    case KEY_TAB:
      return "Tab";
    case KEY_CLEAR:
      return "Clear";
    case KEY_ENTER:
      return "Enter";
    case KEY_PAUSE:
      return "Pause";
    case KEY_CAPSLOCK:
      return "Caps Lock";
    case KEY_ESCAPE:
      return "Esc";
    case KEY_SPACE:
      return "Space";
    case KEY_PAGEUP:
      return "PgUp";
    case KEY_PAGEDOWN:
      return "PgDn";
    case KEY_END:
      return "End";
    case KEY_HOME:
      return "Home";
    case KEY_LEFT:
      return "Left";
    case KEY_UP:
      return "Up";
    case KEY_RIGHT:
      return "Right";
    case KEY_DOWN:
      return "Down";
    case KEY_PRINTSCREEN:
      return "PrtSc";
    case KEY_INSERT:
      return "Ins";
    case KEY_DELETE:
      return "Del";
    case KEY_LEFTWIN:
      return "L-Win";
    case KEY_RIGHTWIN:
      return "R-Win";
    case KEY_APPS:
      return "Menu";
    case KEY_NUMMULTIPLY:
      return "Num *";
    case KEY_NUMADD:
      return "Num +";
    case KEY_NUMSUBTRACT:
      return "Num -";
    case KEY_NUMDECIMAL:
      return "Num .";
    case KEY_NUMDIVIDE:
      return "Num /";
    case KEY_NUMLOCK:
      return "Num Lock";
    case KEY_SCROLL:
      return "Scroll Lock";
    case KEY_LSHIFT:
      return "L-Shift";
    case KEY_RSHIFT:
      return "R-Shift";
    case KEY_LCONTROL:
      return "L-Ctrl";
    case KEY_RCONTROL:
      return "R-Ctrl";
    case KEY_LALT:
      return "L-Alt";
    case KEY_RALT:
      return "R-Alt";
    case KEY_SEMICOLON:
      return ";";
    case KEY_EQUALS:
      return "=";
    case KEY_COMMA:
      return ",";
    case KEY_MINUS:
      return "-";
    case KEY_PERIOD:
      return ".";
    case KEY_SLASH:
      return "/";
    case KEY_BACKQUOTE:
      return "`";
    case KEY_LEFTBRACKET:
      return "[";
    case KEY_BACKSLASH:
      return "\\";
    case KEY_RIGHTBRACKET:
      return "]";
    case KEY_QUOTE:
      return "'";
    case KEY_OEM102:
      return "<>";  // the extra key beside left Shift shows these on most ISO layouts
    default:
      throw std::logic_error("no caption for key code " + std::to_string(code));
  }
}

// One opponent: the computer controller's timing and temperament, the tint and the health of both fighters.
struct Opponent {
  int pose, punch, decide, patience, threshold, aggressive;
  int red, green, blue;
  int health;
};

// Balanced with the match simulator against models of people (tools/simulator.cpp): an informed player, who
// guards where the opponent punches and punches where it is open, reacting in 0.22 s or in 0.35 s, and a
// newcomer who presses keys at a person's pace without the height rule.
//
// Levels 1 to 3 act about once a second, like the training partner, and punch only into wide openings: anyone
// wins them. From level 4 the opponent shifts its guard to win lunges, from level 5 it punches into any medium
// opening: the newcomer's wins end at levels 5 and 6, the slow informed player's at 6 and 7. Levels 7 to 10 are
// for the quick informed player, who wins about 99, 91, 60 and 29 matches of 100 there. The computer's delays act
// in whole ticks of 20 ms, so the last levels step by ticks of different delays rather than by a little of each:
// level 10 decides a tick sooner than level 9, though it changes guard before a punch as slowly as level 8.
// Rounds grow longer with the health, which lets a stronger opponent's edge tell. The tints stay clear of the
// player's green.
constexpr Opponent ROSTER[10] = {
    {800, 700, 150, 1500, 3, 0, 220, 50, 40, 100},   // red
    {650, 560, 130, 1300, 3, 0, 50, 100, 230, 120},  // blue
    {520, 450, 110, 1150, 3, 0, 255, 140, 30, 140},  // orange
    {400, 330, 90, 1000, 3, 1, 150, 80, 220, 160},   // purple
    {300, 240, 70, 800, 2, 1, 40, 190, 220, 180},    // cyan
    {260, 200, 55, 650, 2, 1, 245, 245, 245, 200},   // white
    {210, 150, 50, 600, 2, 1, 230, 70, 160, 220},    // magenta
    {210, 130, 35, 550, 2, 1, 130, 135, 150, 250},   // steel
    {210, 110, 35, 550, 2, 1, 60, 60, 70, 280},      // black
    {190, 130, 35, 550, 2, 1, 255, 210, 50, 300},    // gold
};

}  // namespace

std::string KeyCaptionsFile() {
  std::ostringstream out;
  for (int code : REPORTABLE_KEY_CODES) {
    out << code << '\t' << Caption(code) << '\n';
  }
  return out.str();
}

std::string RosterFile() {
  std::ostringstream out;
  for (const Opponent& o : ROSTER) {
    out << o.pose << '\t' << o.punch << '\t' << o.decide << '\t' << o.patience << '\t' << o.threshold << '\t'
        << o.aggressive << '\t' << o.red << '\t' << o.green << '\t' << o.blue << '\t' << o.health << '\n';
  }
  return out.str();
}
