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
// Every kind of player climbs the tournament a step at a time. Level 1 acts about once a second and punches only
// into wide openings: anyone wins it. Levels 2 to 4 react in a third of a second or less but still punch only
// into wide openings: the newcomer's wins fall to about 8, 6 and 3 matches of 10, while a player who knows the
// rules wins on. From level 5 the opponent punches into medium openings, from level 6 into any: the
// slow informed player wins about 8, 6, 4, 3 and 2 matches of 10 at levels 5 to 9, and the quick one, who wins
// everything before level 6, about 9, 8, 6 and 3 at levels 7 to 10. The computer's delays act in whole ticks of
// 20 ms. Rounds grow longer with the health, which lets the better fighter's edge tell, up to level 5; the last
// levels are fought with less, so that a few clean punches decide a round and the slower player keeps a chance
// at each of them instead of meeting a wall. The tints stay clear of the player's green.
constexpr Opponent ROSTER[10] = {
    {800, 700, 150, 1500, 3, 0, 220, 50, 40, 100},   // red
    {320, 160, 210, 1750, 3, 1, 50, 100, 230, 120},  // blue
    {160, 360, 30, 1150, 3, 0, 255, 140, 30, 140},   // orange
    {220, 260, 30, 950, 3, 0, 150, 80, 220, 160},    // purple
    {260, 240, 10, 1850, 2, 1, 40, 190, 220, 180},   // cyan
    {320, 20, 130, 200, 1, 1, 245, 245, 245, 140},   // white
    {240, 60, 160, 350, 1, 1, 230, 70, 160, 100},    // magenta
    {260, 40, 150, 1000, 2, 0, 130, 135, 150, 100},  // steel
    {320, 40, 90, 450, 2, 0, 60, 60, 70, 60},        // black
    {240, 100, 10, 1850, 1, 1, 255, 210, 50, 100},   // gold
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
