// The card over a two-player match's first countdown (and from its pause menu): each player's keys for every
// command side by side, as the devices that joined the sides have them.
#pragma once

#include <cstdint>

// Builds the card's captions from the sides' devices and bindings. Called when a match of two starts, so the
// frames that draw it allocate nothing.
void PrepareVersusCard();
// The card, its last line as DrawHowToPlay's prompt says (CARD_COUNTDOWN or CARD_PAUSED).
void DrawVersusCard(int32_t prompt);
