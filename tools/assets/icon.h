// The game's desktop icon, 256 by 256: the player's boxer in his victory pose on a round ring-blue badge.
#pragma once

#include <array>

#include "pixels.h"

// The sizes the icon is also written in, shrunk from the full one.
constexpr std::array<int, 6> kSmallIconSizes = {16, 24, 32, 48, 64, 128};

// Drawn from the sprite sheet itself, so the icon is the fighter the player steers.
Pixels DrawIcon(const Pixels& figureSheet);
