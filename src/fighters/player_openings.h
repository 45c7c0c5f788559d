// What a player who knows the rules reads from the opponent's pose: where a punch would land hardest, and with
// which hand. The informed player and the combination player both choose their punches by it.
#pragma once

#include <cstdint>

#include "fighters/player_sight.h"

// A punch the player could throw: how hard it would land (-1: none), its height and its hand.
struct TOpening {
  int32_t level = -1;
  int32_t height = 1;
  int32_t hand = 0;
};

// The guard height the keys hold: Up for 0, Down for 2, neither for 1.
int32_t HeldHeight(bool up, bool down);

// The hardest landing punch the player can throw now with a hand that is back in and has at least leastPower.
// Of two as hard, the one at the height already held (no change of guard needed), then the stronger hand. A
// height or a hand given as skipHeight or skipHand is left out (-1: none), as for the second punch of a
// combination, which goes in elsewhere with the other hand.
TOpening WidestOpening(const TSight& seen, int32_t heldHeight, int32_t leastPower, int32_t skipHeight = -1,
                       int32_t skipHand = -1);
