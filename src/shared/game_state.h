// The game's shared state: every global that the start-up sequence, the match loop, the fighters and the menus
// read and write, all on the game thread.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class TChannel;
class TControl;
class TFigure;
class TFont;
class TImage;
class TSound;
class TTimer;

// Player commands, the indices of the binding tables and of CommandNames.
enum : int32_t {
  COMMAND_UP = 0,
  COMMAND_DOWN = 1,
  COMMAND_FORWARD = 2,
  COMMAND_BACKWARD = 3,
  COMMAND_RIGHT_HAND = 4,
  COMMAND_LEFT_HAND = 5,
  COMMAND_PAUSE = 6,
  COMMAND_COUNT = 7,
};

// Numbered sound effects: what each one marks.
enum : int32_t {
  SFX_MENU_ACTION = 0,  // a menu row was activated
  SFX_MENU_MOVE = 1,    // the menu cursor moved
  SFX_UNUSED = 2,       // loaded, never played
  SFX_COUNTDOWN = 3,    // a match's countdown begins
  SFX_FIGHT = 4,        // the fight begins
  SFX_ROUND_OVER = 5,
  SFX_MATCH_LOST = 6,
  SFX_MATCH_WON = 7,
  SFX_COUNT = 8,
};

// Fight sound kinds, the first index of FightSounds; each has FIGHT_SOUND_VARIANTS variants.
enum : int32_t {
  FIGHT_SOUND_WOOSH = 0,  // a punch that misses
  FIGHT_SOUND_BLOCK = 1,
  FIGHT_SOUND_PUNCH_WEAK = 2,
  FIGHT_SOUND_PUNCH_MEDIUM = 3,
  FIGHT_SOUND_PUNCH_HARD = 4,
  FIGHT_SOUND_KINDS = 5,
  FIGHT_SOUND_VARIANTS = 4,
};

// States of the match loop (GameState).
enum : int32_t {
  GAMESTATE_NONE = 0,        // no match started yet: only the menu is drawn
  GAMESTATE_SETUP = 1,       // a match was set up; waiting for the menu to slide away
  GAMESTATE_COUNTDOWN = 2,   // 5000 ms before a round
  GAMESTATE_FIGHT = 3,       // a round in progress
  GAMESTATE_ROUND_OVER = 4,  // a short pause after a knockout (1000 ms)
  GAMESTATE_WAIT = 5,        // waiting for the player to press a command to go on
  GAMESTATE_OVER = 6,        // match over or left; the menu is back
  GAMESTATE_PAUSED = 7,
};

constexpr int32_t LEVEL_COUNT = 10;
constexpr int32_t KEY_CODES = 256;

// A player's binding of each command, in command order.
using TBindings = std::array<std::shared_ptr<TControl>, COMMAND_COUNT>;

extern TBindings KeyBindings;
extern TBindings PadBindings;
// Player 2's, for a match of two players. Its keyboard has no Pause of its own (Escape is both players'); its pad's
// Pause is that pad's Start.
extern TBindings KeyBindings2;
extern TBindings PadBindings2;
extern const std::array<std::u16string, COMMAND_COUNT> CommandNames;
extern std::array<std::u16string, KEY_CODES> KeyNames;  // caption of each key code
// 1 once a gamepad has been found, at start-up or plugged in later; pad bindings are polled only while it is 1. It
// stays 1 when the pads are pulled out: a missing pad reads as released.
extern int32_t PadPresent;
extern int32_t InputLock;  // 1 while bindings are frozen and the menus ignore input; see SetInputLock
extern int32_t SoundOn;
extern int32_t Zoom;        // the window is Zoom * 400 by Zoom * 300 pixels (less where the desktop is smaller)
extern int32_t FullScreen;  // 1: the picture fills the desktop instead of a window (F11, Alt+Enter)
extern std::shared_ptr<TTimer> FrameTimer;
extern std::shared_ptr<TFont> GameFont;
extern std::shared_ptr<TFont> SmallFont;  // the guidance texts' font; null when its files could not be loaded
extern std::array<std::shared_ptr<TSound>, SFX_COUNT> Sfx;
extern std::array<std::array<std::shared_ptr<TSound>, FIGHT_SOUND_VARIANTS>, FIGHT_SOUND_KINDS> FightSounds;
extern std::array<std::shared_ptr<TImage>, LEVEL_COUNT> Backgrounds;
extern std::array<std::shared_ptr<TFigure>, 2> Fighters;  // 0 the player's (left), 1 the opponent
extern std::array<int32_t, 2> RoundsWon;
extern int32_t Round;     // the current round; advanced as soon as a round ends
extern int32_t Level;     // 0..9: the background and the Progress slot of the match
extern int32_t Training;  // 1 in a training match
// What kind of match is played: none of two players, two players, or the computer against itself on the main
// screen (the demonstration, left at any input).
// An online match is one of two players on two machines, this one playing one side.
// A replay is a recorded match of two played back.
enum : int32_t { VERSUS_NONE = 0, VERSUS_PLAYERS = 1, VERSUS_DEMO = 2, VERSUS_ONLINE = 3, VERSUS_REPLAY = 4 };
extern int32_t Versus;
extern int32_t VersusRing;  // 0..9: the background of the next match of two players, as last chosen
// The online screens' choices, remembered: the input delay in ticks (0..4) and the address last joined.
extern int32_t OnlineInputDelay;
extern std::string OnlineAddress;
extern int32_t RoundWinner;  // winner of the last finished round: 0 player, 1 opponent, -1 both down
extern int32_t GameState;    // the match loop's state, 0..7
extern int32_t StateTime;    // clock reading when the current countdown or round-over pause began
extern int32_t PauseChoice;
extern int32_t PauseShowsCard;  // 1 while the pause menu shows the how-to-play card in place of its rows
extern int32_t PausedState;  // the state the pause menu goes back to: the fight, or a countdown the focus loss stopped
extern int32_t PauseTime;    // clock reading when the pause menu opened
extern std::array<int32_t, LEVEL_COUNT> Progress;    // best winning margin per tournament level
extern const std::array<int32_t, 4> VulnDamage;      // health damage factor per vulnerability level
extern const std::array<int32_t, 4> VulnPowerDrain;  // power lost by the attacker per vulnerability level

// Gives every global above its value at start-up, before bindings and media are loaded. ResetGame resets this
// floor with every other.
void ResetGameState();
