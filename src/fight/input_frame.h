// One player's commands in one tick of a fight, as the fight takes them, as they are recorded and as they travel
// between two machines: for each of the seven commands whether it is held and whether it was newly pressed.
#pragma once

#include <cstdint>

#include "fighters/command_steering.h"

// Bit c: command c held; bit 7 + c: command c newly pressed. Two bytes; the top two bits are never set.
using TInputFrame = uint16_t;

constexpr TInputFrame INPUT_NONE = 0;
constexpr TInputFrame INPUT_VALID_BITS = (1u << (2 * COMMAND_COUNT)) - 1;

// The frame of the fighting commands and of Pause.
TInputFrame PackInput(const TCommandFrame& commands, bool pauseHeld, bool pauseHit);
// The fighting commands of a frame (Pause is the match's, not the fighter's).
TCommandFrame UnpackInput(TInputFrame frame);
bool InputHeld(TInputFrame frame, int32_t command);
bool InputHit(TInputFrame frame, int32_t command);
// A frame as a player would press it: the commands held, and the ones among them (or not) newly pressed.
TInputFrame MakeInput(std::initializer_list<int32_t> held, std::initializer_list<int32_t> hit = {});
