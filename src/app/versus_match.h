// The match of two players in the frame loop, and the computer's demonstration of one: the fight of input frames
// stepped once a frame on what each side's device reads (or on the computer's keys), its sounds played, the
// fighters, bars and messages drawn, and after the match the result with Rematch and Back.
#pragma once

#include <cstdint>

namespace VersusMatch {

// A new match in the ring of Level: the fight at its first countdown; the computer's pilots for a demonstration.
void Begin();
// True from Begin to End: the match's fight is made and drawn.
bool Begun();
// The match is over or left: the next one begins anew.
void End();
// Either side pressed Pause in this frame (never in a demonstration).
bool PauseHit();
// One frame: both sides' input frames read, the fight advanced one tick, its sounds played; after the match the
// result's rows; a demonstration ends at any input and goes on with a new match when one is decided.
void Step();
// The fighters, the bars with the players' names, the countdown and its card, the messages and the result.
void Draw();
// What the paused match shows from the pause menu's "How to play": both players' keys.
void DrawCard();
// The main screen left alone for long enough starts a demonstration: called each frame after the menu read its
// input.
void WatchIdleMenu();

// The state back to how start-up finds it: no match begun, the main screen not idle yet.
void Reset();

}  // namespace VersusMatch
