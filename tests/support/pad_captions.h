// What the gamepad bindings show: the caption of each command's pad binding, in command order, to compare whole
// with the captions a pad's layout must give.
#pragma once

#include <array>
#include <string>

#include "shared/game_state.h"

using TPadCaptions = std::array<std::u16string, COMMAND_COUNT>;

// The captions of PadBindings now.
TPadCaptions PadCaptions();
