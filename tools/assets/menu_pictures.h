// The menu's pictures: the backdrop behind every menu screen, the three cups, and the tournament card.
#pragma once

#include "pixels.h"

// 512 by 512, drawn at (-56, -106): its middle 400 by 300 is what shows. Dark and quiet, so that white text and
// the green and yellow highlight bars read on it.
Pixels DrawMenuBackground();

// Three cells of 64 by 64 side by side: bronze, silver and gold, for wins by one, two and three rounds.
Pixels DrawCups();

// The card of the tournament screen, drawn with its top-left at (50, 50): an opaque frame with a see-through
// window over the 112 by 112 portrait at (55, 53), a dark band up to the top edge for "Level N" (right-aligned
// at x 350 with the top of its lettering at y 50, the card's top edge), and a niche for the cup at (264, 104).
// 310 by 124.
Pixels DrawCard();

// Where the portrait window lies in the card.
constexpr int CARD_WIDTH = 310, CARD_HEIGHT = 124;
constexpr int CARD_HOLE_X = 5, CARD_HOLE_Y = 3, CARD_HOLE_SIZE = 112;
