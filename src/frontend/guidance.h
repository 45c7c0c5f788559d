// What the game tells a newcomer on the way, in the small font: a how-to-play card over the countdown of a
// training match (and from the pause menu), and which key goes on after a knockout. Both name the player's own
// keys.
#pragma once

#include <cstdint>

// What the card's last line says besides the pause key.
enum : int32_t {
  CARD_COUNTDOWN = 0,  // only the pause key: the countdown runs on by itself
  CARD_READY = 1,      // "Press J when ready": the session's first training countdown waits for the right hand
  CARD_PAUSED = 2,     // "Press a key to go back": shown from the pause menu
};

// 1 once the player has pressed Right Hand over the card of the session's first training countdown; until then
// a training countdown waits for it. Later countdowns show the card while they count.
extern int32_t HowToPlayRead;

// The guidance's state back to how start-up finds it: the card not read yet.
void ResetGuidance();
// Builds the texts and the card's columns from the current key captions. Called when a match starts: keys change
// only in the menus, and the frames that draw the texts then allocate nothing.
void PrepareGuidance();
// Lines of the small font on a card, one below the other.
constexpr int32_t CARD_LINE_STEP = 14;
// The dark panel of a card, below the countdown's message to the foot of the screen; the y of its first line.
int32_t DrawCardPanel();
// The card: the commands and their keys, where punches land, what the bars are, how rounds and the match are won.
// Drawn below the countdown's message, over the fighters, never during a fighting round.
void DrawHowToPlay(int32_t prompt);
// "Press J to go on", below the match's message, while the game waits after a knockout.
void DrawGoOnPrompt();
