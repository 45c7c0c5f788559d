// What the game tells a newcomer on the way, in the small font: a how-to-play card over the countdown of a
// training match, and which key goes on after a knockout. Both name the player's own keys.
#pragma once

// Builds the texts from the current key captions. Called when a match starts: keys change only in the menus, and
// the frames that draw the texts then allocate nothing.
void PrepareGuidance();
// The card: the commands and their keys, where punches land, what the yellow bars are. Drawn below the countdown's
// message, over the fighters, never during a fighting round.
void DrawHowToPlay();
// "Press J to go on", below the match's message, while the game waits after a knockout.
void DrawGoOnPrompt();
