// The match: the program's one frame loop, the match's states and rounds, and the head-up display.
//
// A menu screen sets a match up (Training, the score, the round, the level, both Fighters, GameState 1) and makes
// the menu slide out; the loop starts the countdown once the menu has gone, runs the rounds, and when the match
// ends or is left makes the menu slide back in.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace Game {

// Loads the ring background of each level; a missing one is simply not drawn.
int32_t Load();
// Opens the window, calls beforeFirstFrame (when given) once it is open, and runs frames, one per tick of the frame
// timer, until the window is asked to close. The frame timer must be running by the first frame: beforeFirstFrame
// may start it.
int32_t Main(const std::function<void()>& beforeFirstFrame = nullptr);
// One frame: bindings, the match's step and picture, the menu, and presenting it. Tests run frames through it.
int32_t Frame();
// Text centred on (200, 100) in the current colour.
int32_t Info(std::u16string_view text);
// One tick of a round: both fighters stepped, then the round ended if a fighter is down.
int32_t Update();
// The fighters, the bars, the score, the messages and the pause menu.
int32_t Draw();

}  // namespace Game
