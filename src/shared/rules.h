// The game's numbers that more than one floor goes by: the logical screen everything is drawn in, the frame rate,
// the ring and a punch's reach, and the match rules the menus and the match loop share.
#pragma once

#include <cstdint>

// The game's version as players read it: in the window's title, and told to the other machine of an online
// match, which refuses a game of another version.
inline constexpr const char* GAME_VERSION = "1.1";

// An online match delays each player's own inputs by 0 to this many ticks, as they choose: a delay hides the
// trip to the other machine, so that its guesses of their inputs are seldom wrong.
inline constexpr int32_t ONLINE_MAX_INPUT_DELAY = 4;

// All game drawing is in a logical screen of this size, whatever the window's.
constexpr int32_t SCREEN_WIDTH = 400;
constexpr int32_t SCREEN_HEIGHT = 300;

// The frame loop runs one frame per tick of a 50 Hz timer: a frame is 20 ms of the game.
constexpr int32_t FRAMES_PER_SECOND = 50;
constexpr int32_t FRAME_MILLIS = 1000 / FRAMES_PER_SECOND;

// Fighters stand at ring positions 0 (the player's corner) to RING_END (the opponent's).
constexpr int32_t RING_END = 200;
// A punch lands when the fighters stand closer than this.
constexpr int32_t PUNCH_REACH = 80;

// Both fighters' health in a training match.
constexpr int32_t TRAINING_HEALTH = 200;
// A tournament match is won by the first to win this many rounds.
constexpr int32_t ROUNDS_TO_WIN = 3;
